#include "gx_animedit.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <string_view>
#include <system_error>

#include "gx_rotate.h"
#include "gx_scale.h"
#include "gx_trans.h"

namespace {

constexpr int kGameTickUnit = 50;

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

// The text without blanks at either end.
std::string_view Trimmed(const std::string& text) {
  std::string_view s(text);
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// The nearest integer, halves to even, clamped into lo .. hi.
int RoundInto(double v, int lo, int hi) {
  const double r = std::nearbyint(v);
  if (!(r >= lo)) return lo;  // NaN too
  if (r > hi) return hi;
  return static_cast<int>(r);
}

}  // namespace

int UsableTickUnit(int tickUnit) {
  return tickUnit > 0 ? tickUnit : kGameTickUnit;
}

int PeriodSeconds(int ticks, int tickUnit) {
  // The product in 64 bits: a file can hold any period and tick unit.
  const std::int64_t ms = static_cast<std::int64_t>(ticks) * UsableTickUnit(tickUnit);
  return RoundInto(static_cast<double>(ms) / 1000.0, kMinPeriodSeconds, kMaxPeriodSeconds);
}

int PeriodTicks(int seconds, int tickUnit) {
  const int s = seconds < kMinPeriodSeconds   ? kMinPeriodSeconds
                : seconds > kMaxPeriodSeconds ? kMaxPeriodSeconds
                                              : seconds;
  const double ticks = s * 1000.0 / UsableTickUnit(tickUnit);
  return RoundInto(ticks, 1, 1 << 30);
}

bool ReadDecimal(const std::string& text, double& v) {
  std::string_view s = Trimmed(text);
  bool negative = false;
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  // from_chars would also take "inf", "nan" and hexadecimal digits: only a plain decimal
  // number with an optional exponent reads.
  if (s.empty() || !(std::isdigit(static_cast<unsigned char>(s.front())) || s.front() == '.')) {
    return false;
  }
  for (char c : s) {
    if (!std::isdigit(static_cast<unsigned char>(c)) && c != '.' && c != 'e' && c != 'E' &&
        c != '+' && c != '-') {
      return false;
    }
  }
  double d = 0;
  const auto [end, ec] =
      std::from_chars(s.data(), s.data() + s.size(), d, std::chars_format::general);
  if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(d)) return false;
  v = negative ? -d : d;
  return true;
}

bool ReadWholeNumber(const std::string& text, int& n) {
  std::string_view s = Trimmed(text);
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  if (s.empty() || s.front() == '+') return false;
  int value = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (ec != std::errc() || end != s.data() + s.size()) return false;
  n = value;
  return true;
}

std::string FormatFixed(double v, int decimals) {
  char buf[400];
  const auto [end, ec] =
      std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
  if (ec != std::errc()) return "0";
  return std::string(buf, end);
}

bool FieldOf(const TTransform& t, TTrafField f) {
  switch (f) {
    case TTrafField::Period:
      return dynamic_cast<const TRotate*>(&t) || dynamic_cast<const TScale*>(&t) ||
             dynamic_cast<const TTrans*>(&t);
    case TTrafField::a1:
    case TTrafField::a2:
      return dynamic_cast<const TRotate*>(&t) != nullptr;
    case TTrafField::sx1:
    case TTrafField::sy1:
    case TTrafField::sx2:
    case TTrafField::sy2:
      return dynamic_cast<const TScale*>(&t) != nullptr;
    case TTrafField::dx:
    case TTrafField::dy:
      return dynamic_cast<const TTrans*>(&t) != nullptr;
  }
  return false;
}

std::string TrafFieldText(const TTransform& t, TTrafField f, int tickUnit) {
  if (!FieldOf(t, f)) return {};
  const auto* r = dynamic_cast<const TRotate*>(&t);
  const auto* s = dynamic_cast<const TScale*>(&t);
  const auto* m = dynamic_cast<const TTrans*>(&t);
  switch (f) {
    case TTrafField::Period:
      return std::to_string(PeriodSeconds(t.period(), tickUnit));
    case TTrafField::a1:
      return FormatFixed(r->a1() * 180 / std::numbers::pi, 1);
    case TTrafField::a2:
      return FormatFixed(r->a2() * 180 / std::numbers::pi, 1);
    case TTrafField::sx1:
      return FormatFixed(s->Fsx1, 2);
    case TTrafField::sy1:
      return FormatFixed(s->Fsy1, 2);
    case TTrafField::sx2:
      return FormatFixed(s->Fsx2, 2);
    case TTrafField::sy2:
      return FormatFixed(s->Fsy2, 2);
    case TTrafField::dx:
      return FormatFixed(m->x1, 2);
    case TTrafField::dy:
      return FormatFixed(m->y1, 2);
  }
  return {};
}
