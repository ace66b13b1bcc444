#pragma once
// Byte streams for the binary form of the persistence base.
//
// All integers are little-endian. A stream string is a 32-bit signed length N counted in UTF-16
// code units followed by N code units (UTF-16LE, no terminator); N <= 0 reads as the empty string
// and the empty string is written as N = 0. Inside the program strings are UTF-8 and are
// converted at this boundary.
//
// Streams read from outside are untrusted: every read checks the bytes that are left before it
// allocates, and reading past the end raises EQorError "Stream read error". A record that
// declares its own length (TStreamRecord) narrows what may be read to that record, so a corrupt
// inner record cannot read into, or loop over, the records that follow it.
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <utility>

class TQorStream {
 public:
  virtual ~TQorStream() = default;
  TQorStream(const TQorStream&) = delete;
  TQorStream& operator=(const TQorStream&) = delete;

  virtual std::int64_t Size() const = 0;
  std::int64_t Position() const { return pos_; }
  // Any position >= 0 is allowed; writing past the end fills the gap with zero bytes, reading
  // there raises "Stream read error". A negative position raises "Stream seek error".
  void SetPosition(std::int64_t p);
  void SeekToEnd() { pos_ = Size(); }

  // The bytes that may still be read: up to the end of the innermost open record, or of the
  // stream. Loaders compare counts and lengths with it before they allocate.
  std::int64_t Remaining() const;

  // Reads exactly n bytes, or raises "Stream read error" and reads nothing.
  void ReadBuffer(void* buf, std::size_t n);
  void WriteBuffer(const void* buf, std::size_t n);

  std::int32_t ReadInt32();
  std::int64_t ReadInt64();
  double ReadDouble();
  void WriteInt32(std::int32_t v);
  void WriteInt64(std::int64_t v);
  void WriteDouble(double v);

  // Stream strings, as UTF-8 inside the program (unpaired surrogates read as U+FFFD) or as the
  // raw UTF-16 code units.
  std::string ReadStreamString();
  void WriteStreamString(std::string_view utf8);
  std::u16string ReadStreamStringW();
  void WriteStreamStringW(std::u16string_view s);

 protected:
  TQorStream() = default;
  // Copy n bytes at pos_ (the caller has checked that they exist) without moving pos_.
  virtual void DoRead(void* buf, std::size_t n) const = 0;
  // Write n bytes at pos_, growing the stream (zero-filled) when needed, without moving pos_.
  virtual void DoWrite(const void* buf, std::size_t n) = 0;

 private:
  friend class TStreamRecord;
  std::int64_t pos_ = 0;
  // End of the innermost open record; reads stop there.
  std::int64_t limit_ = std::numeric_limits<std::int64_t>::max();
};

// A stream held in memory.
class TMemoryStream : public TQorStream {
 public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::string bytes) : data_(std::move(bytes)) {}

  std::int64_t Size() const override { return static_cast<std::int64_t>(data_.size()); }
  const std::string& Bytes() const { return data_; }
  void Clear();

 protected:
  void DoRead(void* buf, std::size_t n) const override;
  void DoWrite(const void* buf, std::size_t n) override;

 private:
  std::string data_;
};

// While alive, confines reading to a record that starts at `start` and is `length` bytes long
// (its length field included). Raises "Invalid record length in stream (L)" when the record
// would be shorter than `min_length` or longer than what may still be read from `start`.
class TStreamRecord {
 public:
  TStreamRecord(TQorStream& s, std::int64_t start, std::int64_t length, std::int64_t min_length);
  ~TStreamRecord();
  TStreamRecord(const TStreamRecord&) = delete;
  TStreamRecord& operator=(const TStreamRecord&) = delete;
  std::int64_t End() const { return end_; }

 private:
  TQorStream& s_;
  std::int64_t end_;
  std::int64_t outer_limit_;
};

// UTF-8 <-> UTF-16; malformed input becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);
