#include "gx_polygon.h"
