#pragma once
#include <cstdint>

// 32-bit colour: red in the lowest byte, then green, then blue. Written to files as a signed
// decimal integer. -1 as a fill colour means "no fill colour".
using TColor = std::int32_t;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clBlue = 0xFF0000;
