#pragma once
// The line-oriented text form that every game file uses.
//
// Files are 8-bit Windows-1252 text with CR LF line ends; strings inside the program are UTF-8
// and are converted at this boundary. Numbers follow fixed conventions so that a file written
// and read again gives back the same bytes:
//   - integers in plain decimal, a leading "-" when negative;
//   - reals in a 23-character exponent form (" 1.50000000000000E+0000"), "." whatever the locale;
//   - fields on one line separated by exactly one blank.
// A number missing at the end of the file reads as 0; counted lists must therefore ask
// `AtEnd()` before they create an entry, so that a hostile count cannot make them loop.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

class TTextReader {
 public:
  explicit TTextReader(std::string bytes);
  // Reads the whole file; raises EInOutError ("File not found", "File access denied", ...).
  static TTextReader FromFile(const std::string& path);

  // Skips blanks, tabs and line ends, then converts the token up to the next blank or control
  // character. End of file gives 0; a token that does not convert raises "Invalid numeric input".
  std::int32_t ReadInteger();
  double ReadReal();
  // The rest of the current line (without its line end), converted to UTF-8. The line end
  // itself stays to be consumed by ReadLn.
  std::string ReadString();
  // Skips the rest of the current line up to and including its LF.
  void ReadLn();
  // Reads the integer at the start of the next line and skips the rest of that line: the way
  // every container reads the header line of an entry.
  std::int32_t ReadHeaderId();

  // True when only blanks, tabs and line ends remain: the next number would read as 0 and an
  // entry of a counted list would start past the end of the file.
  bool AtEnd();
  // Raises "Unexpected end of file" when AtEnd(): called before each entry of a counted list.
  void RequireEntry();
  bool Eof() const { return pos_ >= data_.size(); }
  std::size_t Position() const { return pos_; }

 private:
  std::string_view NextToken(std::size_t max_len);
  std::string data_;
  std::size_t pos_ = 0;
};

class TTextWriter {
 public:
  TTextWriter& Integer(std::int64_t v);
  TTextWriter& Real(double v);
  // Appends a UTF-8 string converted to Windows-1252; characters it lacks become "?".
  TTextWriter& Str(std::string_view utf8);
  TTextWriter& Blank();
  TTextWriter& EndLine();

  // Whole lines, the common shapes of a record.
  TTextWriter& IntLine(std::int64_t v) { return Integer(v).EndLine(); }
  TTextWriter& RealsLine(std::initializer_list<double> values);
  TTextWriter& StrLine(std::string_view utf8) { return Str(utf8).EndLine(); }
  // "<id> {<class name>}", the header line of a record.
  TTextWriter& Header(std::int32_t id, std::string_view class_name);

  const std::string& Bytes() const { return data_; }
  // Writes the bytes to a file created anew; raises EInOutError when that fails.
  void SaveToFile(const std::string& path) const;

 private:
  std::string data_;
};

// The 23-character real form, and its parser (both locale-independent).
std::string FormatReal(double v);
// Parses a complete token; false when it does not convert.
bool ParseReal(std::string_view token, double& out);
bool ParseInteger(std::string_view token, std::int32_t& out);

// Windows-1252 <-> UTF-8.
// Appends the UTF-8 form of one code point.
void AppendUtf8(std::string& out, char32_t cp);
std::string Cp1252ToUtf8(std::string_view bytes);
std::string Utf8ToCp1252(std::string_view utf8);

// Reads or writes whole files as bytes; raise EInOutError with the platform's message.
std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, std::string_view bytes);
