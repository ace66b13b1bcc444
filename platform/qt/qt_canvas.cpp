#include "qt_canvas.h"
