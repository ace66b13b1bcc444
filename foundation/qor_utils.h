#pragma once
// The persistence unit: base classes, text form, errors and helpers.
#include "qor_errors.h"
#include "qor_obj.h"
#include "qor_text.h"
