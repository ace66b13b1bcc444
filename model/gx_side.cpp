#include "gx_side.h"
