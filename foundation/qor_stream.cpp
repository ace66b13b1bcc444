#include "qor_stream.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "qor_errors.h"
#include "qor_text.h"

namespace {

[[noreturn]] void ReadError() { throw EQorError("Stream read error"); }

constexpr char16_t kReplacement = 0xFFFD;


}  // namespace

// ---------------------------------------------------------------------------- TQorStream

void TQorStream::SetPosition(std::int64_t p) {
  if (p < 0) throw EQorError("Stream seek error");
  pos_ = p;
}

std::int64_t TQorStream::Remaining() const {
  const std::int64_t end = std::min(Size(), limit_);
  return end > pos_ ? end - pos_ : 0;
}

void TQorStream::ReadBuffer(void* buf, std::size_t n) {
  if (n == 0) return;
  if (static_cast<std::uint64_t>(Remaining()) < n) ReadError();
  DoRead(buf, n);
  pos_ += static_cast<std::int64_t>(n);
}

void TQorStream::WriteBuffer(const void* buf, std::size_t n) {
  if (n == 0) return;
  DoWrite(buf, n);
  pos_ += static_cast<std::int64_t>(n);
}

std::int32_t TQorStream::ReadInt32() {
  unsigned char b[4];
  ReadBuffer(b, sizeof b);
  const std::uint32_t u = static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
                          static_cast<std::uint32_t>(b[2]) << 16 |
                          static_cast<std::uint32_t>(b[3]) << 24;
  return static_cast<std::int32_t>(u);
}

std::int64_t TQorStream::ReadInt64() {
  unsigned char b[8];
  ReadBuffer(b, sizeof b);
  std::uint64_t u = 0;
  for (int i = 7; i >= 0; --i) u = u << 8 | b[i];
  return static_cast<std::int64_t>(u);
}

double TQorStream::ReadDouble() {
  return std::bit_cast<double>(static_cast<std::uint64_t>(ReadInt64()));
}

void TQorStream::WriteInt32(std::int32_t v) {
  const auto u = static_cast<std::uint32_t>(v);
  const unsigned char b[4] = {static_cast<unsigned char>(u), static_cast<unsigned char>(u >> 8),
                              static_cast<unsigned char>(u >> 16),
                              static_cast<unsigned char>(u >> 24)};
  WriteBuffer(b, sizeof b);
}

void TQorStream::WriteInt64(std::int64_t v) {
  auto u = static_cast<std::uint64_t>(v);
  unsigned char b[8];
  for (unsigned char& c : b) {
    c = static_cast<unsigned char>(u);
    u >>= 8;
  }
  WriteBuffer(b, sizeof b);
}

void TQorStream::WriteDouble(double v) {
  WriteInt64(static_cast<std::int64_t>(std::bit_cast<std::uint64_t>(v)));
}

std::u16string TQorStream::ReadStreamStringW() {
  const std::int32_t n = ReadInt32();
  if (n <= 0) return {};
  // Checked before allocating: a hostile length cannot reserve more than the stream holds.
  if (Remaining() / 2 < n) ReadError();
  std::u16string s(static_cast<std::size_t>(n), u'\0');
  std::string bytes(static_cast<std::size_t>(n) * 2, '\0');
  ReadBuffer(bytes.data(), bytes.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    s[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                 static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
  }
  return s;
}

void TQorStream::WriteStreamStringW(std::u16string_view s) {
  if (s.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
    throw EQorError("Stream string too long");
  }
  WriteInt32(static_cast<std::int32_t>(s.size()));
  std::string bytes(s.size() * 2, '\0');
  for (std::size_t i = 0; i < s.size(); ++i) {
    bytes[2 * i] = static_cast<char>(s[i] & 0xFF);
    bytes[2 * i + 1] = static_cast<char>(s[i] >> 8);
  }
  WriteBuffer(bytes.data(), bytes.size());
}

std::string TQorStream::ReadStreamString() { return Utf16ToUtf8(ReadStreamStringW()); }

void TQorStream::WriteStreamString(std::string_view utf8) { WriteStreamStringW(Utf8ToUtf16(utf8)); }

// ---------------------------------------------------------------------------- TMemoryStream

void TMemoryStream::Clear() {
  data_.clear();
  SetPosition(0);
}

void TMemoryStream::DoRead(void* buf, std::size_t n) const {
  std::memcpy(buf, data_.data() + Position(), n);
}

void TMemoryStream::DoWrite(const void* buf, std::size_t n) {
  const auto pos = static_cast<std::size_t>(Position());
  if (data_.size() < pos + n) data_.resize(pos + n, '\0');
  std::memcpy(data_.data() + pos, buf, n);
}

// ---------------------------------------------------------------------------- TStreamRecord

TStreamRecord::TStreamRecord(TQorStream& s, std::int64_t start, std::int64_t length,
                             std::int64_t min_length)
    : s_(s), end_(0), outer_limit_(s.limit_) {
  const std::int64_t available = std::min(s.Size(), s.limit_) - start;
  if (length < min_length || length > available) {
    throw EQorError("Invalid record length in stream (" + std::to_string(length) + ")");
  }
  end_ = start + length;
  s_.limit_ = end_;
}

TStreamRecord::~TStreamRecord() { s_.limit_ = outer_limit_; }

// ---------------------------------------------------------------------------- UTF-8 / UTF-16

std::u16string Utf8ToUtf16(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    int extra = 0;
    char32_t cp = 0;
    char32_t min = 0;
    if (c < 0x80) {
      out += static_cast<char16_t>(c);
      ++i;
      continue;
    } else if ((c & 0xE0) == 0xC0) {
      extra = 1, cp = c & 0x1F, min = 0x80;
    } else if ((c & 0xF0) == 0xE0) {
      extra = 2, cp = c & 0x0F, min = 0x800;
    } else if ((c & 0xF8) == 0xF0) {
      extra = 3, cp = c & 0x07, min = 0x10000;
    } else {
      out += kReplacement;
      ++i;
      continue;
    }
    std::size_t j = i + 1;
    for (; j < utf8.size() && j <= i + extra; ++j) {
      const auto cc = static_cast<unsigned char>(utf8[j]);
      if ((cc & 0xC0) != 0x80) break;
      cp = cp << 6 | (cc & 0x3F);
    }
    if (j != i + 1 + extra || cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      // Malformed sequence: one replacement for the lead byte and its continuation bytes.
      out += kReplacement;
      i = j;
      continue;
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (cp >> 10));
      out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
      out += static_cast<char16_t>(cp);
    }
    i = j;
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size());
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    char32_t cp = utf16[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
        utf16[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = kReplacement;
    }
    AppendUtf8(out, cp);
  }
  return out;
}
