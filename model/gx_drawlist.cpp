#include "gx_drawlist.h"
