#include "qor_text.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <limits>
#include <sstream>

#include "qor_errors.h"

namespace {

constexpr std::size_t kMaxIntegerToken = 32;
constexpr std::size_t kMaxRealToken = 64;

bool IsSeparator(unsigned char c) { return c == ' ' || c < 0x20 || c == 0x7f; }
bool IsBlankOrLineEnd(unsigned char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Code points of Windows-1252 bytes 0x80..0x9F; 0 marks the five unassigned bytes, which are
// passed through as the C1 control of the same value.
constexpr char32_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};


char EncodeCp1252(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
  for (int i = 0; i < 32; ++i) {
    if (kCp1252High[i] == cp && cp != 0) return static_cast<char>(0x80 + i);
  }
  if (cp >= 0x80 && cp < 0xA0 && kCp1252High[cp - 0x80] == 0) return static_cast<char>(cp);
  return '?';
}

std::string ErrnoMessage(int err) {
  switch (err) {
    case ENOENT:
    case ENOTDIR:
      return "File not found";
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
      return "File access denied";
    case ENOSPC:
      return "Disk full";
    default:
      return std::string("I/O error: ") + std::strerror(err);
  }
}

}  // namespace

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// ---------------------------------------------------------------------------- numbers

std::string FormatReal(double v) {
  if (std::isnan(v)) return std::string(20, ' ') + "Nan";
  if (std::isinf(v)) return std::string(19, ' ') + (v > 0 ? "+Inf" : "-Inf");
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::scientific, 14);
  std::string_view s(buf, static_cast<std::size_t>(res.ptr - buf));  // d.ddddddddddddddde+XX
  const std::size_t e = s.find('e');
  std::string out;
  out.reserve(23);
  out += (std::signbit(v) && v != 0.0) ? '-' : ' ';
  out.append(s.substr(0, e));
  out += 'E';
  out += s[e + 1];
  std::string_view digits = s.substr(e + 2);
  out.append(4 - std::min<std::size_t>(4, digits.size()), '0');
  out.append(digits);
  return out;
}

bool ParseInteger(std::string_view t, std::int32_t& out) {
  std::size_t i = 0;
  bool neg = false;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) neg = t[i++] == '-';
  if (i == t.size()) return false;
  std::int64_t v = 0;
  for (; i < t.size(); ++i) {
    if (t[i] < '0' || t[i] > '9') return false;
    v = v * 10 + (t[i] - '0');
    if (v > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1) return false;
  }
  if (neg) v = -v;
  if (v > std::numeric_limits<std::int32_t>::max()) return false;
  out = static_cast<std::int32_t>(v);
  return true;
}

bool ParseReal(std::string_view t, double& out) {
  std::size_t i = 0;
  bool neg = false;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) neg = t[i++] == '-';
  std::string_view body = t.substr(i);
  // The writer's forms for values that have no digits; read back so that a saved file loads.
  if (body == "Inf" || body == "INF" || body == "inf") {
    out = neg ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
    return true;
  }
  if (body == "Nan" || body == "NAN" || body == "nan") {
    out = std::numeric_limits<double>::quiet_NaN();
    return true;
  }
  // Grammar: digits [ "." digits ] [ ("E"|"e") [sign] digits ], at least one mantissa digit.
  std::size_t j = 0;
  int mant_digits = 0;
  int first_nonzero_exp10 = 0;  // decimal exponent of the leading non-zero digit, roughly
  bool seen_nonzero = false;
  int int_digits = 0;
  while (j < body.size() && body[j] >= '0' && body[j] <= '9') {
    if (body[j] != '0' && !seen_nonzero) seen_nonzero = true;
    if (seen_nonzero) ++int_digits;
    ++j;
    ++mant_digits;
  }
  int leading_frac_zeros = 0;
  if (j < body.size() && body[j] == '.') {
    ++j;
    while (j < body.size() && body[j] >= '0' && body[j] <= '9') {
      if (!seen_nonzero) {
        if (body[j] == '0') {
          ++leading_frac_zeros;
        } else {
          seen_nonzero = true;
        }
      }
      ++j;
      ++mant_digits;
    }
  }
  if (mant_digits == 0) return false;
  long exp10 = 0;
  if (j < body.size() && (body[j] == 'e' || body[j] == 'E')) {
    ++j;
    bool eneg = false;
    if (j < body.size() && (body[j] == '+' || body[j] == '-')) eneg = body[j++] == '-';
    std::size_t k = j;
    while (j < body.size() && body[j] >= '0' && body[j] <= '9') {
      if (exp10 < 100000) exp10 = exp10 * 10 + (body[j] - '0');
      ++j;
    }
    if (j == k) return false;
    if (eneg) exp10 = -exp10;
  }
  if (j != body.size()) return false;
  if (!seen_nonzero) {
    out = neg ? -0.0 : 0.0;
    return true;
  }
  first_nonzero_exp10 = int_digits > 0 ? int_digits - 1 : -(leading_frac_zeros + 1);
  double v = 0;
  auto res = std::from_chars(body.data(), body.data() + body.size(), v, std::chars_format::general);
  if (res.ec == std::errc::result_out_of_range) {
    if (exp10 + first_nonzero_exp10 < 0) {
      v = 0.0;  // underflow: the nearest double is zero
    } else {
      return false;  // beyond the range of a double
    }
  } else if (res.ec != std::errc() || res.ptr != body.data() + body.size()) {
    return false;
  }
  out = neg ? -v : v;
  return true;
}

// ---------------------------------------------------------------------------- code page

std::string Cp1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (unsigned char c : bytes) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0xA0) {
      char32_t cp = kCp1252High[c - 0x80];
      AppendUtf8(out, cp ? cp : c);
    } else {
      AppendUtf8(out, c);
    }
  }
  return out;
}

std::string Utf8ToCp1252(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  std::size_t i = 0;
  while (i < s.size()) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    int len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (len == 0 || i + len > s.size()) {  // not UTF-8: one unknown character per byte
      out += '?';
      ++i;
      continue;
    }
    char32_t cp = len == 1 ? c : len == 2 ? (c & 0x1F) : len == 3 ? (c & 0x0F) : (c & 0x07);
    bool ok = true;
    for (int k = 1; k < len; ++k) {
      unsigned char cc = static_cast<unsigned char>(s[i + k]);
      if ((cc & 0xC0) != 0x80) ok = false;
      cp = (cp << 6) | (cc & 0x3F);
    }
    if (!ok) {
      out += '?';
      ++i;
      continue;
    }
    out += EncodeCp1252(cp);
    i += len;
  }
  return out;
}

// ---------------------------------------------------------------------------- files

std::string ReadFileBytes(const std::string& path) {
  errno = 0;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) throw EInOutError(ErrnoMessage(errno ? errno : ENOENT));
  std::string data;
  char buf[65536];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) data.append(buf, n);
  const bool failed = std::ferror(f);
  const int err = errno;
  std::fclose(f);
  if (failed) throw EInOutError(ErrnoMessage(err ? err : EIO));
  return data;
}

void WriteFileBytes(const std::string& path, std::string_view bytes) {
  errno = 0;
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) throw EInOutError(ErrnoMessage(errno ? errno : EACCES));
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  int err = errno;
  if (std::fclose(f) != 0 && ok) {
    ok = false;
    err = errno;
  }
  if (!ok) throw EInOutError(ErrnoMessage(err ? err : EIO));
}

// ---------------------------------------------------------------------------- reader

TTextReader::TTextReader(std::string bytes) : data_(std::move(bytes)) {}

TTextReader TTextReader::FromFile(const std::string& path) { return TTextReader(ReadFileBytes(path)); }

std::string_view TTextReader::NextToken(std::size_t max_len) {
  while (pos_ < data_.size() && (data_[pos_] == ' ' || data_[pos_] == '\t' ||
                                 data_[pos_] == '\r' || data_[pos_] == '\n')) {
    ++pos_;
  }
  const std::size_t start = pos_;
  while (pos_ < data_.size() && pos_ - start < max_len &&
         !IsSeparator(static_cast<unsigned char>(data_[pos_]))) {
    ++pos_;
  }
  return std::string_view(data_).substr(start, pos_ - start);
}

std::int32_t TTextReader::ReadInteger() {
  std::string_view t = NextToken(kMaxIntegerToken);
  if (t.empty() && Eof()) return 0;
  std::int32_t v = 0;
  if (!ParseInteger(t, v)) throw EInOutError("Invalid numeric input");
  return v;
}

double TTextReader::ReadReal() {
  std::string_view t = NextToken(kMaxRealToken);
  if (t.empty() && Eof()) return 0.0;
  double v = 0;
  if (!ParseReal(t, v)) throw EInOutError("Invalid numeric input");
  return v;
}

std::string TTextReader::ReadString() {
  const std::size_t start = pos_;
  while (pos_ < data_.size() && data_[pos_] != '\n') ++pos_;
  std::size_t end = pos_;
  if (end > start && data_[end - 1] == '\r') --end;
  // Leave the CR LF for ReadLn, as a Pascal-style Read of a string does.
  if (end < pos_) pos_ = end;
  return Cp1252ToUtf8(std::string_view(data_).substr(start, end - start));
}

void TTextReader::ReadLn() {
  while (pos_ < data_.size() && data_[pos_] != '\n') ++pos_;
  if (pos_ < data_.size()) ++pos_;
}

std::int32_t TTextReader::ReadHeaderId() {
  std::int32_t id = ReadInteger();
  ReadLn();
  return id;
}

bool TTextReader::AtEnd() {
  std::size_t p = pos_;
  while (p < data_.size() && IsBlankOrLineEnd(static_cast<unsigned char>(data_[p]))) ++p;
  return p >= data_.size();
}

void TTextReader::RequireEntry() {
  if (AtEnd()) throw EInOutError("Unexpected end of file");
}

// ---------------------------------------------------------------------------- writer

TTextWriter& TTextWriter::Integer(std::int64_t v) {
  data_ += std::to_string(v);
  return *this;
}

TTextWriter& TTextWriter::Real(double v) {
  data_ += FormatReal(v);
  return *this;
}

TTextWriter& TTextWriter::Str(std::string_view utf8) {
  data_ += Utf8ToCp1252(utf8);
  return *this;
}

TTextWriter& TTextWriter::Blank() {
  data_ += ' ';
  return *this;
}

TTextWriter& TTextWriter::EndLine() {
  data_ += "\r\n";
  return *this;
}

TTextWriter& TTextWriter::RealsLine(std::initializer_list<double> values) {
  bool first = true;
  for (double v : values) {
    if (!first) Blank();
    Real(v);
    first = false;
  }
  return EndLine();
}

TTextWriter& TTextWriter::Header(std::int32_t id, std::string_view class_name) {
  Integer(id);
  data_ += " {";
  data_ += class_name;
  data_ += '}';
  return EndLine();
}

void TTextWriter::SaveToFile(const std::string& path) const { WriteFileBytes(path, data_); }
