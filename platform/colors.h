#pragma once
// Colour values as the canvas and the colour boxes use them.
//
// A TColor is red in the lowest byte, then green, then blue. A value whose top byte is 0x80
// names one of the desktop's system colours by the index in its low byte (what a colour box
// offers as "system colours"); drawing resolves it through a fixed table of the classic default
// scheme, so a maze looks the same on every machine.
#include "qor_types.h"

constexpr TColor clSystemColor = static_cast<TColor>(0x80000000u);
constexpr TColor clBtnFace = clSystemColor | 15;
constexpr TColor clWindow = clSystemColor | 5;
constexpr TColor clWindowText = clSystemColor | 8;
constexpr TColor clHighlight = clSystemColor | 13;

// Number of system colours the table knows (indices 0 .. kSystemColorCount - 1).
constexpr int kSystemColorCount = 31;

// The plain red-green-blue value drawn for c: system colours come from the table (black for an
// unknown index); every other value keeps its low three bytes, so clNone and -1 give white.
TColor ColorToRGB(TColor c);

// Builds a TColor from its channels.
constexpr TColor RGBColor(int r, int g, int b) {
  return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
