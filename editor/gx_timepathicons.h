#pragma once
// The glyphs of the animation frames' three time-path buttons, painted in code on a 16 x 16
// grid like the tool icons: a sine wave (sinusoidal), a ramp of straight segments with its
// corners (linear), and that ramp with a pencil (edit the linear path).
#include <QIcon>

enum class TTimePathGlyph : int { Sinusoidal, Linear, Edit };

QIcon TimePathIcon(TTimePathGlyph glyph);
