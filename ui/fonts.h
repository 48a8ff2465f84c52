#pragma once

#include <QFont>

class QWidget;

#include "ui/window_layout.h"

namespace calculator {

// The fonts and colours the window was drawn with.

// The font of one of the kinds the window was drawn with, mapped to the nearest face installed.
QFont FontOf(FontKind kind);

// Yellow text on the colour of an active window's title bar, as the results and the note are
// shown; a selection shows the other way round, so that it stays visible.
void PaintOnTitleBarColour(QWidget* widget);

}  // namespace calculator
