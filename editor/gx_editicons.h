#pragma once
// The editor's 14 tool and menu icons, painted in code at whatever size and scale is asked
// for (so they are crisp at 1x and 2x without image files or Qt's SVG module). Drawn on a
// 16 x 16 grid: the plain tools show their shape, "New ..." tools carry a green plus badge,
// the three Animate commands carry a green loop badge beside their drag symbol, and Test Play
// shows the rocket under way with a green "play" badge.
#include <QIcon>

// The indices the tool bar, the menus and the transform tabs use.
enum TToolIcon : int {
  ti_NewMaze = 0,
  ti_NewPolygon = 1,
  ti_NewBall = 2,
  ti_ClearBalls = 3,
  ti_InsertPoint = 4,
  ti_Landing = 5,
  ti_AutoSize = 6,
  ti_Resize = 7,
  ti_AutoTranslate = 8,
  ti_AutoRotate = 9,
  ti_NewGear = 10,
  ti_Rotate = 11,
  ti_MovePoint = 12,
  ti_TestPlay = 13,
};
constexpr int kToolIconCount = 14;

// The icon of that index (a null icon outside 0 .. 13).
QIcon ToolIcon(int index);
