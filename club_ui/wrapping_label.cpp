#include "club_ui/wrapping_label.h"

#include <QEvent>

namespace club_ui {

WrappingLabel::WrappingLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setWordWrap(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

int WrappingLabel::heightForWidth(int width) const {
    if (text() != measured_text_) {
        heights_.clear();
        measured_text_ = text();
    }
    const auto [kept, added] = heights_.try_emplace(width, 0);
    if (added) kept->second = QLabel::heightForWidth(width);
    return kept->second;
}

void WrappingLabel::changeEvent(QEvent* event) {
    // A new font, style or margins lay the same text out differently.
    switch (event->type()) {
        case QEvent::FontChange:
        case QEvent::StyleChange:
        case QEvent::ContentsRectChange:
            heights_.clear();
            break;
        default:
            break;
    }
    QLabel::changeEvent(event);
}

}  // namespace club_ui
