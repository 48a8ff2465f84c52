#include "club_ui/pane.h"

#include <QEvent>

namespace club_ui {

Pane::Pane(const QString& title, QWidget* parent) : QGroupBox(title, parent) {}

QSize Pane::minimumSizeHint() const {
    const QSize contents = QWidget::minimumSizeHint();
    if (!least_ || least_->contents != contents || least_->title != title()) {
        least_ = LeastSize{title(), contents, QGroupBox::minimumSizeHint()};
    }
    return least_->whole;
}

void Pane::changeEvent(QEvent* event) {
    // The title's size is the font's and the style's.
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        least_.reset();
    }
    QGroupBox::changeEvent(event);
}

}  // namespace club_ui
