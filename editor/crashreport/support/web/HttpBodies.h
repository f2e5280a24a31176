#pragma once
// The bodies and small texts of web requests: form-encoded fields, the
// query of a GET, multipart bodies of the connection and of the uploads,
// the cleaned answer body, a Refresh header's target and WinInet's error
// texts. Files are read through a reader, so that the bodies are built the
// same way everywhere.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TStrings;

// Reads a whole file; false when it does not exist or cannot be read.
using TFileReader = std::function<bool(const std::string& path, std::string& bytes)>;
// The reader of the local file system.
bool ReadLocalFile(const std::string& path, std::string& bytes);

// name=value lines joined by "&", the value URL-encoded; the name too when
// encodeNames (a GET query), as it stands otherwise (a POST body).
std::string EncodedFields(const TStrings& fields, bool encodeNames);

// "---------------------------" and three groups of four upper-case
// hexadecimal digits; NewMultipartBoundary takes them from random numbers
// below 0xFFFF.
std::string MultipartBoundary(uint16_t a, uint16_t b, uint16_t c);
std::string NewMultipartBoundary();
std::string MultipartContentType(const std::string& boundary);

// The connection's body: every field, then every name=path file line (a
// missing file with an empty file name and no content), then the closing
// boundary.
std::string MultipartBody(const TStrings& fields, const TStrings& files, const std::string& boundary,
                          const TFileReader& reader);

// The upload's body: every field line (with the value of the first line of
// that name), then each existing file i as "zv_upload_file_<i>" announced
// under names[i], then the closing boundary.
std::string UploadBody(const TStrings& fields, const std::vector<std::string>& files,
                       const std::vector<std::string>& names, const std::string& boundary,
                       const TFileReader& reader);

// The file name without any folder ("\", "/" or a drive's ":").
std::string BareFileName(const std::string& path);

// Every character below 32 replaced by a blank.
void CleanBody(std::string& body);

// Where a Refresh header leads: the trimmed text after "url=", or the whole
// value when it has none.
std::string RefreshTarget(const std::string& value);

// The value of the first header line of that name (case-insensitive) in
// raw CR LF separated headers; false when there is none.
bool HeaderValue(const std::string& rawHeaders, const std::string& name, std::string& value);

// The numeric result of an upload's HTTP status text: 0 for 200, the status
// for any other number, 2147483647 when it is not a number.
uint32_t UploadStatusResult(const std::string& statusText);

// The name an FTP upload stores a file under: the folder with one "/" after
// it when it has none, then the announced name without its folder.
std::string FtpRemoteName(const std::string& folder, const std::string& announcedName);

// WinInet's text for one of its error codes; empty for any other code.
std::string WinInetErrorText(int32_t code);
