#pragma once

#include <QFont>

#include "ui/window_layout.h"

namespace calculator {

// The font of one of the faces the window was drawn with, mapped to the nearest face installed.
QFont FontOf(FontKind kind);

}  // namespace calculator
