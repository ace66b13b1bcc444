#pragma once
// What the animation frames show and accept, without a widget: periods in whole seconds
// through the maze's tick unit, decimal numbers read with the point whatever the locale, and
// the texts of the frames' fields. The frames (editor/gx_*frame.*) and the document's frame
// edits (TEditDocument::TrafFieldEdit and friends) both use these, so the rules are tested
// headless.
#include <cstdint>
#include <string>

class TTransform;

// The period spin control's range and start, in seconds.
constexpr int kMinPeriodSeconds = 1;
constexpr int kMaxPeriodSeconds = 32767;
constexpr int kStartPeriodSeconds = 10;

// A tick unit the frames can divide by: a file may hold 0 or a negative one, which then counts
// as the game's own 50 ms.
int UsableTickUnit(int tickUnit);
// The seconds the spin control shows for a period in ticks: ticks x unit / 1000 rounded to the
// nearest integer (halves to even), within the spin control's 1 .. 32767.
int PeriodSeconds(int ticks, int tickUnit);
// The period in ticks for seconds typed or spun: seconds x 1000 / unit rounded to the nearest
// integer (halves to even); seconds are first brought into 1 .. 32767, and the result is at
// least one tick (a period of 0 would turn into 200 ticks).
int PeriodTicks(int seconds, int tickUnit);

// The text read completely as a decimal number with the point as separator (an optional sign,
// digits with an optional fraction, an optional exponent, blanks around it). Commas, empty
// text, "nan", "inf" and numbers beyond the range of a double do not read.
bool ReadDecimal(const std::string& text, double& v);
// The text read completely as a whole number (an optional sign, digits, blanks around it)
// that fits an int.
bool ReadWholeNumber(const std::string& text, int& n);
// v with that many decimals, the point as separator ("%1.1f", "%1.2f").
std::string FormatFixed(double v, int decimals);

// The fields of the three frames that hold text.
enum class TTrafField : std::uint8_t {
  Period,  // every frame: whole seconds
  a1,      // rotation: the swing angles, degrees with one decimal
  a2,
  sx1,  // scale: the factors, two decimals
  sy1,
  sx2,
  sy2,
  dx,  // translation: the displacement, two decimals
  dy,
};

// Whether the field belongs to the frame of t's class (Period to all three).
bool FieldOf(const TTransform& t, TTrafField f);
// The text the field shows for t (empty when it is not t's field).
std::string TrafFieldText(const TTransform& t, TTrafField f, int tickUnit);
