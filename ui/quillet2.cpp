#include "ui/quillet2.h"

#include <QFont>
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
#include <QTextEdit>
#include <QTimer>
#include <exception>
#include <string>

#include "core/race.h"
#include "ui/fonts.h"
#include "ui/result_field.h"
#include "ui/window_layout.h"

namespace {

using calculator::FontKind;
using calculator::FontOf;
using calculator::PaintOnTitleBarColour;
using calculator::TextAlign;
using calculator::Twips;

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

Qt::Alignment AlignmentOf(TextAlign align) {
    return align == TextAlign::Centred ? Qt::AlignHCenter : Qt::AlignLeft;
}

QRect Pixels(const Twips& place) {
    return {calculator::ToPixels(place.left), calculator::ToPixels(place.top),
            calculator::ToPixels(place.width), calculator::ToPixels(place.height)};
}

// Two bold digits fill an entry field: the text may use the inner pixel of the frame's width at
// each side, where the platform style leaves a blank.
void GiveDigitsRoom(QLineEdit* field) {
    field->setTextMargins(-1, 0, -1, 0);
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

    entries_.front().field->setFocus();  // Midnight, the first in the Tab key's round
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
        frames_[calculator::IndexOf(frame->id)] = box;
    }
}

void Quillet2::BuildLabels() {
    const auto add = [](QGroupBox* frame, std::string_view name, std::string_view caption,
                        const QRect& place, TextAlign align) {
        auto* const label = new QLabel(Text(caption), frame);
        label->setObjectName(Text(name));
        label->setGeometry(place);
        label->setFont(FontOf(FontKind::SmallSans));
        label->setAlignment(AlignmentOf(align) | Qt::AlignTop);
    };
    for (const calculator::LabelRow& label : calculator::kLabels) {
        add(Frame(label.frame), label.name, label.caption, Pixels(label.place), label.align);
    }
    for (const calculator::ClockRow& row : calculator::kClockRows) {
        add(Frame(calculator::FrameId::ClockDetails), row.label, row.caption,
            Pixels({calculator::kClockLabelLeft, row.labelTop, calculator::kClockLabelWidth,
                    calculator::kClockLabelHeight}),
            TextAlign::Left);
    }
}

void Quillet2::BuildEntryFields() {
    // Built in the calculation's order of entries, which is also the Tab key's.
    std::size_t next = 0;
    const auto add = [this, &next](QGroupBox* frame, calculator::EntryMember member,
                                   std::string_view initial, const QRect& place, int longest,
                                   FontKind font) {
        // Named, and read out as its row and unit (e.g. "Clock Set, hours"), after the
        // calculation's field of the same place: the tables list the fields in the
        // calculation's order, as the build checks.
        const race::EntryField& entry = race::kEntryFields[next];
        auto* const field = new QLineEdit(frame);
        field->setObjectName(Text(entry.name));
        field->setGeometry(place);
        field->setMaxLength(longest);
        field->setAlignment(Qt::AlignCenter);
        field->setFont(FontOf(font));
        GiveDigitsRoom(field);
        field->setText(Text(initial));  // last, so that it is laid out once, in its own face
        field->setAccessibleName(Text(entry.row) + QStringLiteral(", ") + Text(entry.unit));
        entries_[next++] = {field, member};
        return field;
    };
    for (const calculator::EntryRow& entry : calculator::kEntries) {
        add(Frame(entry.frame), entry.member, entry.initial, Pixels(entry.place), entry.longest,
            entry.font);
    }
    for (const calculator::ClockRow& row : calculator::kClockRows) {
        for (const calculator::PlacedClockField& placed : calculator::FieldsOf(row)) {
            QLineEdit* const field = add(
                Frame(calculator::FrameId::ClockDetails), placed.field.member, placed.field.initial,
                Pixels({placed.column.left, row.fieldsTop, calculator::kClockFieldWidth,
                        calculator::kClockFieldHeight}),
                calculator::kClockFieldLongest, FontKind::System);
            const calculator::ClockLimit& limit = placed.column.limit;
            connect(field, &QLineEdit::textChanged, this,
                    [this, field, &limit] { CheckFieldLimit(field, limit); });
        }
    }
}

void Quillet2::BuildResultFields() {
    for (std::size_t index = 0; index < calculator::kResults.size(); ++index) {
        const calculator::ResultRow& row = calculator::kResults[index];
        auto* const field = new calculator::ResultField(Frame(calculator::FrameId::Results));
        field->setObjectName(Text(row.name));
        field->setGeometry(Pixels(row.place));
        field->setAccessibleName(Text(row.spoken));
        field->setAlignment(AlignmentOf(row.align) | Qt::AlignVCenter);
        results_[index] = field;
        tabRoundAfterEntries_[calculator::TabPlaceAfterEntries(row.name)] = field;
    }
}

void Quillet2::BuildButtons() {
    QGroupBox* const frame = Frame(calculator::FrameId::Buttons);
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
        switch (row.command) {
            case calculator::Command::Calculate:
                connect(button, &QPushButton::clicked, this, &Quillet2::Calculate);
                break;
            case calculator::Command::Clear:
                connect(button, &QPushButton::clicked, Frame(calculator::FrameId::Results),
                        &QWidget::hide);
                break;
            case calculator::Command::Exit:
                connect(button, &QPushButton::clicked, this, &QWidget::close);
                break;
        }
        tabRoundAfterEntries_[calculator::TabPlaceAfterEntries(row.name)] = button;
    }
}

void Quillet2::BuildNote() {
    auto* const note = new QTextEdit(this);
    tabRoundAfterEntries_[calculator::TabPlaceAfterEntries(calculator::kNoteName)] = note;
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
    for (const EntryInput& entry : entries_) order.append(entry.field);
    for (QWidget* const stop : tabRoundAfterEntries_) order.append(stop);
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
    for (const EntryInput& input : entries_) {
        entry.*input.member = input.field->text().toStdString();
    }
    try {
        const race::RaceResult result = race::ComputeRace(entry, DecimalSeparator());
        for (std::size_t index = 0; index < results_.size(); ++index) {
            results_[index]->setText(
                QString::fromStdString(result.*calculator::kResults[index].text));
        }
        Frame(calculator::FrameId::Results)->show();
    } catch (const race::RaceError& error) {
        // No result of earlier entries stays on show as if it belonged to these.
        Frame(calculator::FrameId::Results)->hide();
        ShowMessage(QString::fromStdString(race::RaceMessage(error, DecimalSeparator())));
        if (QLineEdit* const fault = EntryFieldOf(error.field())) FocusAndSelect(fault);
    } catch (const std::exception& error) {
        Frame(calculator::FrameId::Results)->hide();
        ShowMessage(Text(calculator::kCalculationFailed) + QString::fromUtf8(error.what()));
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

QGroupBox* Quillet2::Frame(calculator::FrameId frame) const {
    return frames_[calculator::IndexOf(frame)];
}

QLineEdit* Quillet2::EntryFieldOf(const race::EntryField* entry) const {
    if (entry == nullptr) return nullptr;
    for (const EntryInput& input : entries_) {
        if (input.member == entry->member) return input.field;
    }
    return nullptr;
}
