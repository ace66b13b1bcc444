#pragma once
// The persistence unit: base classes, text, stream and XML forms, errors and helpers.
#include "qor_errors.h"
#include "qor_obj.h"
#include "qor_stream.h"
#include "qor_text.h"
#include "qor_xml.h"
