#pragma once
// The play field's mouse cursors: what a press would do there (TEditCursor) as a QCursor.
// Qt's own shapes where one fits; the turn, the new corner on an edge and the new shape are
// painted here, white with a dark outline so that they show on any background.
#include <QCursor>

#include "gx_editdoc.h"

QCursor EditCursor(TEditCursor c);
