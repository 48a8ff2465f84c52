#include "ui/result_field.h"

#include <QEvent>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPainter>
#include <QPalette>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionFrame>

#include "ui/fonts.h"

namespace calculator {
namespace {

// The pixels QLineEdit keeps clear at each side of its text, and the width of its cursor.
constexpr int kSideMargin = 2;
constexpr int kCursor = 1;

}  // namespace

ResultField::ResultField(QWidget* parent) : QLineEdit(parent), face_(FontOf(FontKind::Century)) {
    setReadOnly(true);
    PaintOnTitleBarColour(this);
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
        setToolTip(text);
        LayOutInFace();
        Fit();
        // A long result is read from its first digit.
        setCursorPosition(0);
    });
    Fit();
}

QString ResultField::ShownText() const {
    return cut_.isEmpty() ? text() : cut_;
}

void ResultField::showEvent(QShowEvent* event) {
    LayOutInFace();
    QLineEdit::showEvent(event);
    FollowScreen();
}

void ResultField::FollowScreen() {
    // The top-level window has its native window once it is shown.
    QWindow* const shownIn = window()->windowHandle();
    if (shownIn == nullptr || shownIn == followedWindow_) return;
    followedWindow_ = shownIn;
    connect(shownIn, &QWindow::screenChanged, this, [this](QScreen* screen) {
        FollowDensityOf(screen);
        Fit();
    });
    FollowDensityOf(shownIn->screen());
    Fit();
}

void ResultField::FollowDensityOf(QScreen* screen) {
    disconnect(densityChange_);
    if (screen != nullptr) {
        densityChange_ =
            connect(screen, &QScreen::logicalDotsPerInchChanged, this, [this] { Fit(); });
    }
}

void ResultField::changeEvent(QEvent* event) {
    // The field has its face from the moment it is made, but an empty field out of sight leaves
    // the line edit's layout of nothing in it until it shows or has a text: that layout is the
    // face's first use, which loads it, and the window's first frame, with the results hidden,
    // need not wait for it.
    if (event->type() == QEvent::FontChange && text().isEmpty() && !isVisible()) {
        laid_out_in_face_ = false;
        QWidget::changeEvent(event);
    } else {
        QLineEdit::changeEvent(event);
    }
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) Fit();
}

void ResultField::LayOutInFace() {
    if (laid_out_in_face_) return;
    laid_out_in_face_ = true;
    QEvent change(QEvent::FontChange);
    QLineEdit::changeEvent(&change);
}

void ResultField::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    Fit();
}

void ResultField::Fit() {
    // Setting the chosen face is itself a change of font.
    if (fitting_) return;
    fitting_ = true;
    constexpr int kStretchStep = 5;
    constexpr qreal kPointStep = 0.25;
    const QString whole = text();
    QFont font = face_;
    font.setStretch(QFont::Unstretched);
    // An empty field needs no measuring, which spares loading the face before it is needed.
    if (!whole.isEmpty()) {
        while (font.stretch() - kStretchStep >= kNarrowestStretch && !Fits(font, whole)) {
            font.setStretch(font.stretch() - kStretchStep);
        }
        while (font.pointSizeF() - kPointStep >= kSmallestPoints && !Fits(font, whole)) {
            font.setPointSizeF(font.pointSizeF() - kPointStep);
        }
    }
    setFont(font);
    cut_ = whole.isEmpty() || Fits(font, whole)
               ? QString()
               : QFontMetrics(font, this)
                     .elidedText(whole, Qt::ElideRight, TextLine().width() - kCursor);
    fitting_ = false;
    update();
}

QRect ResultField::TextLine() const {
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    return style()
        ->subElementRect(QStyle::SE_LineEditContents, &panel, this)
        .marginsRemoved(textMargins())
        .adjusted(kSideMargin, 0, -kSideMargin, 0);
}

// Across, the line edit wants room for the text and the cursor, or it scrolls instead of
// centring; down, the glyphs themselves must lie inside the field when the line is centred in it.
bool ResultField::Fits(const QFont& font, const QString& text) const {
    const QRect line = TextLine();
    const QFontMetrics metrics(font, this);
    const QFontMetricsF exact(font, this);
    if (qRound(exact.horizontalAdvance(text)) + kCursor > line.width()) return false;
    const int lineTop = line.y() + (line.height() - metrics.height() + 1) / 2;
    const QRectF glyphs = exact.tightBoundingRect(text).translated(0, lineTop + metrics.ascent());
    return glyphs.top() >= line.top() && glyphs.bottom() <= line.bottom() + 1;
}

void ResultField::paintEvent(QPaintEvent* event) {
    if (cut_.isEmpty() || hasFocus()) {
        QLineEdit::paintEvent(event);
        return;
    }
    // The frame and background as the line edit draws them, then the cut text where the line
    // edit would lay it out.
    QPainter painter(this);
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, this);
    const QRect line = TextLine();
    const QFontMetrics metrics = fontMetrics();
    const int used = qRound(QFontMetricsF(font(), this).horizontalAdvance(cut_)) + kCursor;
    const int left =
        alignment().testFlag(Qt::AlignHCenter) ? line.x() + (line.width() - used) / 2 : line.x();
    const int top = line.y() + (line.height() - metrics.height() + 1) / 2;
    painter.setClipRect(line.adjusted(-kSideMargin, 0, kSideMargin, 0));
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(QPoint(left, top + metrics.ascent()), cut_);
}

}  // namespace calculator
