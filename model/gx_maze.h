#pragma once
// The scene model: sides, draw lists, polygons and transforms.
#include "gx_drawlist.h"
#include "gx_force.h"
#include "gx_geometry.h"
#include "gx_polygon.h"
#include "gx_rotate.h"
#include "gx_scale.h"
#include "gx_side.h"
#include "gx_traflist.h"
#include "gx_trans.h"
#include "gx_transform.h"
