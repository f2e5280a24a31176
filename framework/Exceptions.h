#pragma once
// The exception classes of the framework. Every error the editor raises is an
// Exception (or one of its kin) carrying the message a user may be shown.
#include <cstdint>
#include <exception>
#include <string>

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : Message(std::move(message)) {}
    const char* what() const noexcept override { return Message.c_str(); }
    virtual std::string ClassName() const { return "Exception"; }
    std::string Message;
};

#define TQ_EXCEPTION_CLASS(Name, Base)                                   \
    class Name : public Base {                                            \
    public:                                                               \
        using Base::Base;                                                 \
        std::string ClassName() const override { return #Name; }         \
    };

TQ_EXCEPTION_CLASS(EConvertError, Exception)
TQ_EXCEPTION_CLASS(EOutOfMemory, Exception)
TQ_EXCEPTION_CLASS(EOutOfResources, EOutOfMemory)
TQ_EXCEPTION_CLASS(EAbort, Exception)
TQ_EXCEPTION_CLASS(EListError, Exception)
TQ_EXCEPTION_CLASS(EStringListError, Exception)
TQ_EXCEPTION_CLASS(EStreamError, Exception)
TQ_EXCEPTION_CLASS(EReadError, EStreamError)
TQ_EXCEPTION_CLASS(EWriteError, EStreamError)
TQ_EXCEPTION_CLASS(EFOpenError, EStreamError)
TQ_EXCEPTION_CLASS(EFCreateError, EStreamError)
TQ_EXCEPTION_CLASS(EResNotFound, Exception)
TQ_EXCEPTION_CLASS(ERegistryException, Exception)
TQ_EXCEPTION_CLASS(EInvalidOperation, Exception)

// An operating-system call failed; ErrorCode is the system's error number.
class EOSError : public Exception {
public:
    EOSError(std::string message, uint32_t code) : Exception(std::move(message)), ErrorCode(code) {}
    std::string ClassName() const override { return "EOSError"; }
    uint32_t ErrorCode;
};

// The message of the out-of-memory error, as the framework words it.
inline const char* OutOfMemoryMessage() { return "Out of memory"; }
