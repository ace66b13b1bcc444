#include "gx_runfile.h"

#include <array>
#include <cmath>
#include <cstring>
#include <numbers>
#include <stdexcept>

namespace {

constexpr char kMagic[8] = {'G', 'X', 'R', 'U', 'N', '\r', '\n', '\x1a'};
constexpr std::size_t kHeaderBytes = 48;
constexpr double kPosSteps = 8192;                                  // per maze unit
constexpr double kAngleSteps = 65536 / (2 * std::numbers::pi);     // per radian
constexpr std::int64_t kMaxQuantum = std::int64_t{1} << 50;         // what a pose may reach
constexpr std::uint8_t kWheelFollows = 0x40;
constexpr std::uint8_t kKnownFlags = 0x3F;

std::int64_t Quantize(double v, double steps) {
  const double q = std::nearbyint(v * steps);
  if (!(q == q)) return 0;
  if (q > static_cast<double>(kMaxQuantum)) return kMaxQuantum;
  if (q < -static_cast<double>(kMaxQuantum)) return -kMaxQuantum;
  return static_cast<std::int64_t>(q);
}

class TOut {
 public:
  void U8(std::uint8_t v) { s_.push_back(static_cast<char>(v)); }
  void U16(std::uint16_t v) { Le(v, 2); }
  void U32(std::uint32_t v) { Le(v, 4); }
  void U64(std::uint64_t v) { Le(v, 8); }
  void Var(std::uint64_t v) {
    while (v >= 0x80) {
      U8(static_cast<std::uint8_t>(v | 0x80));
      v >>= 7;
    }
    U8(static_cast<std::uint8_t>(v));
  }
  void Signed(std::int64_t v) {
    Var((static_cast<std::uint64_t>(v) << 1) ^ static_cast<std::uint64_t>(v >> 63));
  }
  void Bytes(std::string_view b) { s_.append(b); }
  std::string& Str() { return s_; }

 private:
  void Le(std::uint64_t v, int n) {
    for (int i = 0; i < n; ++i) U8(static_cast<std::uint8_t>(v >> (8 * i)));
  }
  std::string s_;
};

// Reads within one section; every read checks what is left, so nothing reads past the end.
class TIn {
 public:
  explicit TIn(std::string_view b) : b_(b) {}
  bool U8(std::uint8_t& v) {
    if (pos_ >= b_.size()) return false;
    v = static_cast<std::uint8_t>(b_[pos_++]);
    return true;
  }
  bool U16(std::uint16_t& v) {
    std::uint64_t x;
    if (!Le(x, 2)) return false;
    v = static_cast<std::uint16_t>(x);
    return true;
  }
  bool U32(std::uint32_t& v) {
    std::uint64_t x;
    if (!Le(x, 4)) return false;
    v = static_cast<std::uint32_t>(x);
    return true;
  }
  bool U64(std::uint64_t& v) { return Le(v, 8); }
  bool Var(std::uint64_t& v) {
    v = 0;
    for (int shift = 0; shift < 64; shift += 7) {
      std::uint8_t byte;
      if (!U8(byte)) return false;
      v |= static_cast<std::uint64_t>(byte & 0x7F) << shift;
      if (!(byte & 0x80)) return true;
    }
    return false;  // longer than any 64-bit number
  }
  bool Signed(std::int64_t& v) {
    std::uint64_t u;
    if (!Var(u)) return false;
    v = static_cast<std::int64_t>(u >> 1) ^ -static_cast<std::int64_t>(u & 1);
    return true;
  }
  bool AtEnd() const { return pos_ == b_.size(); }

 private:
  bool Le(std::uint64_t& v, int n) {
    if (b_.size() - pos_ < static_cast<std::size_t>(n)) return false;
    v = 0;
    for (int i = 0; i < n; ++i) {
      v |= static_cast<std::uint64_t>(static_cast<std::uint8_t>(b_[pos_ + i])) << (8 * i);
    }
    pos_ += n;
    return true;
  }
  std::string_view b_;
  std::size_t pos_ = 0;
};

struct TQuantPose {
  std::int64_t x = 0, y = 0, a = 0;
};

TQuantPose QuantizePose(const TRunPose& p) {
  return {Quantize(p.x, kPosSteps), Quantize(p.y, kPosSteps), Quantize(p.angle, kAngleSteps)};
}

TRunPose PoseOf(const TQuantPose& q) {
  return {static_cast<double>(q.x) / kPosSteps, static_cast<double>(q.y) / kPosSteps,
          static_cast<double>(q.a) / kAngleSteps};
}

std::optional<TRunRecording> Fail(std::string* error, const std::string& why) {
  if (error) *error = why;
  return std::nullopt;
}

bool InRange(std::int64_t v) {
  return v >= -kMaxQuantum && v <= kMaxQuantum;
}

}  // namespace

std::uint32_t Crc32(std::string_view bytes) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t i = 0; i < 256; ++i) {
      std::uint32_t c = i;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[i] = c;
    }
    return t;
  }();
  std::uint32_t c = 0xFFFFFFFFu;
  for (char ch : bytes) c = table[(c ^ static_cast<std::uint8_t>(ch)) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

std::uint64_t Fnv1a64(std::string_view bytes) {
  std::uint64_t h = 0xcbf29ce484222325ull;
  for (char ch : bytes) {
    h ^= static_cast<std::uint8_t>(ch);
    h *= 0x100000001b3ull;
  }
  return h;
}

TRunPose QuantizedPose(const TRunPose& p) {
  return PoseOf(QuantizePose(p));
}

std::string WriteRunFile(const TRunRecording& r) {
  if (r.keys.empty() || r.keys.size() > kMaxRunTicks || r.poses.empty() ||
      r.poses.size() > kMaxRunTicks + 1 || r.checks.size() > r.poses.size() ||
      r.tick_unit == 0 || r.tick_unit > 60000) {
    throw std::invalid_argument("a best run out of the file's limits");
  }
  TOut keys;
  for (std::size_t i = 0; i < r.keys.size();) {
    std::size_t j = i + 1;
    while (j < r.keys.size() && r.keys[j] == r.keys[i]) ++j;
    const TRunKeys& k = r.keys[i];
    const bool wheel = k.wheel != 0;
    keys.U8(static_cast<std::uint8_t>((k.flags & kKnownFlags) | (wheel ? kWheelFollows : 0)));
    if (wheel) keys.Signed(k.wheel);
    keys.Var(j - i);
    i = j;
  }
  TOut poses;
  TQuantPose prev2, prev1;
  for (std::size_t i = 0; i < r.poses.size(); ++i) {
    const TQuantPose q = QuantizePose(r.poses[i]);
    if (i == 0) {
      poses.Signed(q.x);
      poses.Signed(q.y);
      poses.Signed(q.a);
    } else if (i == 1) {
      poses.Signed(q.x - prev1.x);
      poses.Signed(q.y - prev1.y);
      poses.Signed(q.a - prev1.a);
    } else {
      // Under gravity the speed changes little from tick to tick: the second differences of
      // the position are mostly a byte; the heading turns in whole steps or not at all.
      poses.Signed(q.x - 2 * prev1.x + prev2.x);
      poses.Signed(q.y - 2 * prev1.y + prev2.y);
      poses.Signed(q.a - prev1.a);
    }
    prev2 = prev1;
    prev1 = q;
  }
  TOut out;
  out.Bytes(std::string_view(kMagic, sizeof kMagic));
  out.U16(kRunFileVersion);
  out.U16(0);
  out.U64(r.maze_hash);
  out.U32(r.tick_unit);
  out.U32(r.clock);
  out.U32(static_cast<std::uint32_t>(r.keys.size()));
  out.U32(static_cast<std::uint32_t>(r.poses.size()));
  out.U32(static_cast<std::uint32_t>(r.checks.size()));
  out.U32(static_cast<std::uint32_t>(keys.Str().size()));
  out.U32(static_cast<std::uint32_t>(poses.Str().size()));
  out.Bytes(keys.Str());
  out.Bytes(poses.Str());
  for (const TRunCheck& c : r.checks) {
    out.U32(c.tick);
    out.U32(c.hash);
  }
  out.U32(Crc32(out.Str()));
  return std::move(out.Str());
}

std::optional<TRunRecording> ReadRunFile(std::string_view bytes, std::string* error) {
  if (bytes.size() < sizeof kMagic || std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0) {
    return Fail(error, "not a best-run file");
  }
  if (bytes.size() > kMaxRunFileBytes) return Fail(error, "larger than any best run");
  TIn head(bytes.substr(sizeof kMagic));
  std::uint16_t version = 0, reserved = 0;
  if (!head.U16(version)) return Fail(error, "truncated");
  if (version != kRunFileVersion) {
    return Fail(error, "version " + std::to_string(version) + " is not supported");
  }
  if (bytes.size() < kHeaderBytes + 4) return Fail(error, "truncated");
  const std::string_view body = bytes.substr(0, bytes.size() - 4);
  TIn tail(bytes.substr(bytes.size() - 4));
  std::uint32_t crc = 0;
  tail.U32(crc);
  if (Crc32(body) != crc) return Fail(error, "checksum does not match (truncated or damaged)");

  TRunRecording r;
  std::uint32_t n_keys = 0, n_poses = 0, n_checks = 0, key_bytes = 0, pose_bytes = 0;
  head.U16(reserved);
  head.U64(r.maze_hash);
  head.U32(r.tick_unit);
  head.U32(r.clock);
  head.U32(n_keys);
  head.U32(n_poses);
  head.U32(n_checks);
  head.U32(key_bytes);
  if (!head.U32(pose_bytes)) return Fail(error, "truncated");
  if (reserved != 0) return Fail(error, "unknown flags");
  if (r.tick_unit == 0 || r.tick_unit > 60000) return Fail(error, "bad tick length");
  if (n_keys == 0 || n_keys > kMaxRunTicks || n_poses == 0 || n_poses > kMaxRunTicks + 1 ||
      n_checks > n_poses || r.clock > n_poses) {
    return Fail(error, "bad counts");
  }
  // The sections must fill the file exactly, which also bounds every count by the bytes.
  const std::uint64_t expected = std::uint64_t{kHeaderBytes} + key_bytes + pose_bytes +
                                 std::uint64_t{n_checks} * 8 + 4;
  if (expected != bytes.size()) return Fail(error, "section sizes do not match the file");
  // A key run takes two to nine bytes, a pose at least three.
  if (key_bytes < 2 || key_bytes > 9ull * n_keys || pose_bytes < 3ull * n_poses) {
    return Fail(error, "section sizes do not match the counts");
  }

  TIn keys(bytes.substr(kHeaderBytes, key_bytes));
  r.keys.reserve(n_keys);
  while (!keys.AtEnd()) {
    std::uint8_t flags = 0;
    std::uint64_t run = 0;
    std::int64_t wheel = 0;
    if (!keys.U8(flags)) return Fail(error, "bad key track");
    if (flags & 0x80) return Fail(error, "bad key track");
    if (flags & kWheelFollows) {
      if (!keys.Signed(wheel) || wheel == 0 || wheel < INT32_MIN || wheel > INT32_MAX) {
        return Fail(error, "bad key track");
      }
    }
    if (!keys.Var(run) || run == 0 || run > n_keys - r.keys.size()) {
      return Fail(error, "bad key track");
    }
    const TRunKeys k{static_cast<std::uint8_t>(flags & kKnownFlags),
                     static_cast<std::int32_t>(wheel)};
    r.keys.insert(r.keys.end(), run, k);
  }
  if (r.keys.size() != n_keys) return Fail(error, "key track shorter than its count");

  TIn poses(bytes.substr(kHeaderBytes + key_bytes, pose_bytes));
  r.poses.reserve(n_poses);
  TQuantPose prev2, prev1;
  for (std::uint32_t i = 0; i < n_poses; ++i) {
    std::int64_t d[3];
    for (std::int64_t& v : d) {
      if (!poses.Signed(v) || !InRange(v)) return Fail(error, "bad pose track");
    }
    TQuantPose q;
    if (i == 0) {
      q = {d[0], d[1], d[2]};
    } else if (i == 1) {
      q = {prev1.x + d[0], prev1.y + d[1], prev1.a + d[2]};
    } else {
      q = {d[0] + 2 * prev1.x - prev2.x, d[1] + 2 * prev1.y - prev2.y, prev1.a + d[2]};
    }
    if (!InRange(q.x) || !InRange(q.y) || !InRange(q.a)) return Fail(error, "bad pose track");
    r.poses.push_back(PoseOf(q));
    prev2 = prev1;
    prev1 = q;
  }
  if (!poses.AtEnd()) return Fail(error, "bad pose track");

  TIn checks(bytes.substr(kHeaderBytes + key_bytes + pose_bytes, std::size_t{n_checks} * 8));
  r.checks.reserve(n_checks);
  for (std::uint32_t i = 0; i < n_checks; ++i) {
    TRunCheck c;
    checks.U32(c.tick);
    checks.U32(c.hash);
    if (c.tick >= n_poses || (!r.checks.empty() && c.tick <= r.checks.back().tick)) {
      return Fail(error, "bad checksums");
    }
    r.checks.push_back(c);
  }
  return r;
}
