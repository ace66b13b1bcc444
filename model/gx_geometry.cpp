#include "gx_geometry.h"
