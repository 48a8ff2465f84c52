#include "ui/quillet2.h"

#include <QFont>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTextEdit>
#include <QTimer>
#include <algorithm>
#include <exception>
#include <string>

#include "core/race.h"
#include "ui/faces.h"
#include "ui/window_layout.h"

namespace {

using calculator::FontKind;
using calculator::FontOf;
using calculator::Twips;

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QRect Pixels(const Twips& place) {
    return {calculator::ToPixels(place.left), calculator::ToPixels(place.top),
            calculator::ToPixels(place.width), calculator::ToPixels(place.height)};
}

QColor TitleBarColour() {
    return QGuiApplication::palette().color(QPalette::Active, QPalette::Highlight);
}

constexpr QColor kYellow(255, 255, 0);

// Yellow text on the colour nearest to an active window's title bar; a selection shows the
// other way round, so that it stays visible.
void PaintOnTitleBarColour(QWidget* widget) {
    QPalette palette = widget->palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Base, TitleBarColour());
        palette.setColor(group, QPalette::Text, kYellow);
        palette.setColor(group, QPalette::Highlight, kYellow);
        palette.setColor(group, QPalette::HighlightedText, TitleBarColour());
    }
    widget->setPalette(palette);
}

// Two bold digits fill an entry field: the text may use the inner pixel of the frame's width at
// each side, where the platform style leaves a blank.
void GiveDigitsRoom(QLineEdit* field) {
    field->setTextMargins(-1, 0, -1, 0);
}

// The rectangle a line edit lays its text out in when it paints: inside the frame, less the
// text margins and two pixels at each side.
QRect TextLine(const QLineEdit& field) {
    QStyleOptionFrame panel;
    panel.initFrom(&field);
    panel.rect = field.contentsRect();
    panel.lineWidth = field.hasFrame()
                          ? field.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &panel, &field)
                          : 0;
    panel.midLineWidth = 0;
    panel.state |= QStyle::State_Sunken;
    if (field.isReadOnly()) panel.state |= QStyle::State_ReadOnly;
    panel.features = QStyleOptionFrame::None;
    constexpr int kSideMargin = 2;
    return field.style()
        ->subElementRect(QStyle::SE_LineEditContents, &panel, &field)
        .marginsRemoved(field.textMargins())
        .adjusted(kSideMargin, 0, -kSideMargin, 0);
}

// Whether the whole text shows in the field in this font. Across, the line edit wants room
// for the text and the cursor, or it scrolls instead of centring; down, the glyphs themselves
// must lie inside the field when the line is centred in it.
bool Fits(const QLineEdit& field, const QFont& font, const QString& text) {
    const QRect line = TextLine(field);
    const QFontMetrics metrics(font, &field);
    const QFontMetricsF exact(font, &field);
    constexpr int kCursor = 1;
    if (qRound(exact.horizontalAdvance(text)) + kCursor > line.width()) return false;
    const int lineTop = line.y() + (line.height() - metrics.height() + 1) / 2;
    const QRectF glyphs = exact.tightBoundingRect(text).translated(0, lineTop + metrics.ascent());
    return glyphs.top() >= line.top() && glyphs.bottom() <= line.bottom() + 1;
}

// A result is shown whole: a clipped number reads as a different number. The field keeps its
// size; a text too long for it is first set in narrower letters, which keep their height and
// so stay legible longest, and then in smaller ones, a quarter point at a time, until it fits.
void ShowResult(QLineEdit* field, const QString& text) {
    constexpr int kStretchStep = 5;
    constexpr int kNarrowest = 55;
    constexpr qreal kStep = 0.25;
    constexpr qreal kSmallest = 2;
    QFont font = FontOf(FontKind::Century);
    font.setStretch(QFont::Unstretched);
    while (font.stretch() - kStretchStep >= kNarrowest && !Fits(*field, font, text)) {
        font.setStretch(font.stretch() - kStretchStep);
    }
    while (font.pointSizeF() - kStep >= kSmallest && !Fits(*field, font, text)) {
        font.setPointSizeF(font.pointSizeF() - kStep);
    }
    field->setFont(font);
    field->setText(text);
    field->setCursorPosition(0);
    field->setToolTip(text);
}

// The user's locale's decimal separator, with which every field is read and written.
std::string DecimalSeparator() {
    return QLocale().decimalPoint().toStdString();
}

// Puts the keyboard in a field with its text selected, so that typing replaces it.
void FocusAndSelect(QLineEdit* field) {
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
}

}  // namespace

Quillet2::Quillet2(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint) {
    Q_INIT_RESOURCE(quillet2);
    setObjectName(QStringLiteral("Quillet2"));
    setWindowTitle(Text(calculator::kCaption));
    resize(calculator::ToPixels(calculator::kClientWidth),
           calculator::ToPixels(calculator::kClientHeight));

    BuildFrames();
    BuildLabels();
    BuildEntryFields();
    BuildResultFields();
    BuildButtons();
    BuildNote();
    SetTabOrder();
    PlaceInCentreOfScreen();

    Field("Midnight")->setFocus();
}

bool Quillet2::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    // Reading the icon starts the image readers, a few milliseconds' work that the window's
    // first frame need not wait for: the icon follows that frame.
    if (event->type() == QEvent::Paint && !iconAsked_) {
        iconAsked_ = true;
        QTimer::singleShot(0, this, [this] {
            setWindowIcon(QIcon(QPixmap(QStringLiteral(":/icons/velocity-calculator-32.png"))));
        });
    }
    return handled;
}

void Quillet2::BuildFrames() {
    // Created back to front: a later sibling lies in front of an earlier one.
    for (auto frame = calculator::kFrames.rbegin(); frame != calculator::kFrames.rend(); ++frame) {
        auto* const box = new QGroupBox(Text(frame->caption), this);
        box->setObjectName(Text(frame->name));
        box->setGeometry(Pixels(frame->place));
        // Opaque, so that the Results frame hides the frames behind it.
        box->setAutoFillBackground(true);
        box->setVisible(frame->shown);
    }
    results_ = Frame(calculator::kResultsFrame);
}

void Quillet2::BuildLabels() {
    const auto add = [this](std::string_view name, std::string_view frame, std::string_view caption,
                            const QRect& place, bool centred) {
        auto* const label = new QLabel(Text(caption), Frame(frame));
        label->setObjectName(Text(name));
        label->setGeometry(place);
        label->setFont(FontOf(FontKind::SmallSans));
        label->setAlignment((centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
    };
    for (const calculator::LabelRow& label : calculator::kLabels) {
        add(label.name, label.frame, label.caption, Pixels(label.place), label.centred);
    }
    for (const calculator::ClockRow& row : calculator::kClockRows) {
        add(row.label, calculator::kClockFrame, row.caption,
            Pixels({calculator::kClockLabelLeft, row.labelTop, calculator::kClockLabelWidth,
                    calculator::kClockLabelHeight}),
            false);
    }
}

void Quillet2::BuildEntryFields() {
    const auto add = [this](std::string_view name, std::string_view frame, std::string_view initial,
                            const QRect& place, int longest, FontKind font) {
        auto* const field = new QLineEdit(Frame(frame));
        field->setObjectName(Text(name));
        field->setGeometry(place);
        field->setMaxLength(longest);
        field->setAlignment(Qt::AlignCenter);
        field->setFont(FontOf(font));
        GiveDigitsRoom(field);
        field->setText(Text(initial));  // last, so that it is laid out once, in its own face
        // Read out as its row and unit, e.g. "Clock Set, hours".
        const race::EntryField* const entry = race::FindEntryField(name);
        field->setAccessibleName(Text(entry->row) + QStringLiteral(", ") + Text(entry->unit));
        return field;
    };
    for (const calculator::EntryRow& entry : calculator::kEntries) {
        add(entry.name, entry.frame, entry.initial, Pixels(entry.place), entry.longest, entry.font);
    }
    for (const calculator::ClockRow& row : calculator::kClockRows) {
        for (std::size_t column = 0; column < row.fields.size(); ++column) {
            QLineEdit* const field =
                add(row.fields[column], calculator::kClockFrame, row.initial[column],
                    Pixels({calculator::kClockColumnLeft[column], row.fieldsTop,
                            calculator::kClockFieldWidth, calculator::kClockFieldHeight}),
                    calculator::kClockFieldLongest, FontKind::System);
            const calculator::ClockLimit& limit = *calculator::kClockColumnLimit[column];
            connect(field, &QLineEdit::textChanged, this,
                    [this, field, &limit] { CheckFieldLimit(field, limit); });
        }
    }
}

void Quillet2::BuildResultFields() {
    for (const calculator::ResultRow& result : calculator::kResults) {
        auto* const field = new QLineEdit(results_);
        field->setObjectName(Text(result.name));
        field->setGeometry(Pixels(result.place));
        field->setReadOnly(true);
        field->setAccessibleName(Text(result.spoken));
        field->setAlignment((result.centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter);
        // The results' face is set, at its size, when Calc first writes them.
        PaintOnTitleBarColour(field);
    }
}

void Quillet2::BuildButtons() {
    QGroupBox* const frame = Frame(calculator::kButtonFrame);
    for (const calculator::ButtonRow& row : calculator::kButtons) {
        auto* const button = new QPushButton(Text(row.caption), frame);
        button->setObjectName(Text(row.name));
        button->setGeometry(Pixels(row.place));
        button->setFont(FontOf(FontKind::ButtonSans));
        button->setToolTip(Text(row.toolTip));
        button->setAccessibleDescription(Text(row.description));
        // Neither Enter nor Escape presses a button.
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    connect(findChild<QPushButton*>(QStringLiteral("CmdVel")), &QPushButton::clicked, this,
            &Quillet2::Calculate);
    connect(findChild<QPushButton*>(QStringLiteral("Command2")), &QPushButton::clicked, results_,
            &QWidget::hide);
    connect(findChild<QPushButton*>(QStringLiteral("Command1")), &QPushButton::clicked, this,
            &QWidget::close);
}

void Quillet2::BuildNote() {
    auto* const note = new QTextEdit(this);
    note->setObjectName(Text(calculator::kNoteName));
    note->setAccessibleName(Text(calculator::kNoteSpoken));
    note->setGeometry(Pixels(calculator::kNotePlace));
    note->setFont(FontOf(FontKind::Arial));
    note->setReadOnly(true);
    note->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    note->setFocusPolicy(Qt::StrongFocus);
    note->setTabChangesFocus(true);
    note->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    note->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    note->setLineWrapMode(QTextEdit::NoWrap);
    note->document()->setDocumentMargin(1);
    note->document()->setDefaultTextOption(QTextOption(Qt::AlignHCenter));
    PaintOnTitleBarColour(note);
    QStringList lines;
    for (const std::string_view line : calculator::kNoteLines) lines.append(Text(line));
    note->setPlainText(lines.join(QLatin1Char('\n')));
}

void Quillet2::SetTabOrder() {
    QList<QWidget*> order;
    for (const race::EntryField& field : race::EntryFields()) order.append(Field(field.name));
    for (const std::string_view name : calculator::kTabOrderAfterEntries) {
        order.append(findChild<QWidget*>(Text(name)));
    }
    for (qsizetype i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

void Quillet2::PlaceInCentreOfScreen() {
    if (const QScreen* const screen = QGuiApplication::primaryScreen()) {
        QRect place(QPoint(0, 0), size());
        place.moveCenter(screen->availableGeometry().center());
        move(place.topLeft());
    }
}

void Quillet2::Calculate() {
    race::RaceEntry entry;
    for (const race::EntryField& field : race::EntryFields()) {
        entry.*field.member = Field(field.name)->text().toStdString();
    }
    try {
        const race::RaceResult result = race::ComputeRace(entry, DecimalSeparator());
        for (const calculator::ResultRow& row : calculator::kResults) {
            ShowResult(Field(row.name), QString::fromStdString(result.*row.text));
        }
        results_->show();
    } catch (const race::RaceError& error) {
        // No result of earlier entries stays on show as if it belonged to these.
        results_->hide();
        ShowMessage(QString::fromStdString(race::RaceMessage(error, DecimalSeparator())));
        if (!error.field().empty()) FocusAndSelect(Field(error.field()));
    } catch (const std::exception& error) {
        results_->hide();
        ShowMessage(tr("The calculation could not be completed: %1").arg(error.what()));
    }
}

void Quillet2::CheckFieldLimit(QLineEdit* field, const calculator::ClockLimit& limit) {
    double value = 0;
    try {
        value = race::TextToNumber(field->text().toStdString(), DecimalSeparator());
    } catch (const race::RaceError&) {
        // Not a number yet (an emptied field, a lone sign): nothing to refuse.
        return;
    }
    if (!(value > limit.limit)) return;
    ShowMessage(Text(limit.message));
    // Setting the fallback text runs this check once more, and it passes.
    field->setText(Text(limit.reset));
    FocusAndSelect(field);
}

void Quillet2::ShowMessage(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, Text(calculator::kMessageTitle), text, QMessageBox::Ok,
                    this);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
    // The keyboard comes back to the calculator, whatever the window manager does.
    activateWindow();
}

QGroupBox* Quillet2::Frame(std::string_view name) const {
    return findChild<QGroupBox*>(Text(name), Qt::FindDirectChildrenOnly);
}

QLineEdit* Quillet2::Field(std::string_view name) const {
    return findChild<QLineEdit*>(Text(name));
}
