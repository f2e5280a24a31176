#pragma once
// Component streaming: TReader and TWriter move the published properties of a
// component tree, plus the extra entries a class defines with DefineProperty,
// to and from a window layout. Layouts are text:
//
//   object MainForm: TMainForm        // a component: name and class
//     Caption = 'Tessaly'             // 8-bit string ('' is a quote, #nnn a byte)
//     Hint = W'Caf'#233               // wide string (#nnnnn a UTF-16 unit)
//     HintW = U'Caf'#195#169          // UTF-8 string (#nnn a byte)
//     Left = 10                       // integer (decimal or $hex)
//     Visible = True                  // True, False, nil, or an identifier
//     OnClick = Open1Click            // event: the name of the handler
//     Items.Strings = ('a' W'b')      // list; dotted names reach sub-objects
//     object Sizer: THeaderControl    // owned components nest
//     end
//   end
#include <cstdint>
#include <functional>
#include <string>

#include "framework/Classes.h"

class TStream;
class TReader;
class TWriter;

enum class TValueType { vaNull, vaList, vaInteger, vaString, vaWString, vaUTF8String, vaIdent, vaFalse, vaTrue, vaNil };

class TFiler : public TObject {
public:
    using TReaderProc = std::function<void(TReader&)>;
    using TWriterProc = std::function<void(TWriter&)>;
    // An extra stream entry of the object being streamed: read calls the reader
    // when the stream holds the entry; write runs only when hasData is true.
    virtual void DefineProperty(const std::string& name, const TReaderProc& read, const TWriterProc& write,
                                bool hasData) = 0;
    // The component whose layout is being streamed.
    TComponent* Root() const { return FRoot; }
    // The component that owns what is being read (null outside a component).
    TComponent* Owner() const { return FOwner; }

protected:
    TComponent* FRoot = nullptr;
    TComponent* FOwner = nullptr;
};

// Children that a layout names but whose owner did not create are made by class name.
void RegisterComponentClass(const std::string& className, std::function<TComponent*(TComponent* owner)> create);

// How an 8-bit string value becomes wide text when a wide property reads it;
// the ANSI code page (1252) unless the Unicode layer installs the system's.
extern std::u16string (*ReaderAnsiToWide)(const std::string&);

class TReader : public TFiler {
public:
    // Reads the stream from its position to its end.
    explicit TReader(TStream& stream);

    void DefineProperty(const std::string& name, const TReaderProc& read, const TWriterProc& write,
                        bool hasData) override;

    // Reads "object Name: Class ... end" into root and the components it owns.
    void ReadRootComponent(TComponent& root);
    // Reads the properties of one object up to the next "object" or "end".
    void ReadProperties(TPersistent& instance);

    TValueType NextValue();
    int32_t ReadInteger();
    int64_t ReadInt64();
    bool ReadBoolean();
    std::string ReadIdent();
    std::string ReadString();           // an 8-bit string value
    std::u16string ReadWideString();    // a wide, UTF-8 or (converted) 8-bit string value
    std::string ReadUTF8String();       // a UTF-8 or 8-bit string value, bytes as they stand
    void ReadListBegin();
    bool EndOfList();
    void ReadListEnd();
    void SkipValue();

private:
    void SkipBlanks();
    bool AtWord(const char* word);
    std::string ReadName();
    void Expect(char c);
    [[noreturn]] void Invalid() const;
    std::u16string ReadPieces(bool wide);
    void ReadProperty(TPersistent& instance);
    void ReadPropValue(TPersistent& instance, const struct TPropInfo& prop);
    void ReadComponentBody(TComponent& component);

    // Nesting beyond this is no layout of ours; refusing it keeps the stack safe.
    static constexpr int kMaxDepth = 200;
    std::string FText;
    size_t FPos = 0;
    int FDepth = 0;
    std::string FPropName;
    bool FPropHandled = false;
};

class TWriter : public TFiler {
public:
    // The text goes to the stream at the end of WriteRootComponent and at destruction.
    explicit TWriter(TStream& stream);
    ~TWriter() override;

    void DefineProperty(const std::string& name, const TReaderProc& read, const TWriterProc& write,
                        bool hasData) override;

    void WriteRootComponent(TComponent& root);
    void WriteProperties(const TPersistent& instance);

    void WriteInteger(int64_t value);
    void WriteBoolean(bool value);
    void WriteIdent(const std::string& ident);
    void WriteString(const std::string& value);
    void WriteWideString(const std::u16string& value);
    void WriteUTF8String(const std::string& utf8);
    void WriteListBegin();
    void WriteListEnd();
    void FlushBuffer();

private:
    void WriteComponent(TComponent& component);
    void WritePropName(const std::string& name);
    void EndProperty();
    void BeginValue();
    void WriteProps(const TPersistent& instance, const std::string& prefix);

    TStream& FStream;
    std::string FOut;
    int FIndent = 0;
    int FListDepth = 0;
    std::string FPrefix;
};
