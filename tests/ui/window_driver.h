#pragma once

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QTest>

#include "core/race.h"
#include "ui/quillet2.h"

namespace calculator::testing {

// Works the calculator as a club member would: by the keyboard and the buttons.
class WindowDriver {
  public:
    explicit WindowDriver(Quillet2& window) : window_(window) {}

    // Shows the window and waits until it has the keyboard.
    bool Open() {
        window_.show();
        QApplication::setActiveWindow(&window_);
        return QTest::qWaitForWindowActive(&window_);
    }

    QLineEdit* Field(const QString& name) const { return window_.findChild<QLineEdit*>(name); }
    QPushButton* Button(const QString& name) const { return window_.findChild<QPushButton*>(name); }
    QGroupBox* Results() const { return window_.findChild<QGroupBox*>(QStringLiteral("Frame1")); }
    bool ResultsShown() const { return Results()->isVisible(); }

    // Replaces a field's text by typing over it (an empty text deletes it).
    void Type(const QString& name, const QString& text) const {
        QLineEdit* const field = Field(name);
        field->setFocus(Qt::TabFocusReason);
        field->selectAll();
        if (text.isEmpty()) {
            QTest::keyClick(field, Qt::Key_Delete);
        } else {
            QTest::keyClicks(field, text);
        }
    }

    // Types "name=text" entries, in the order given.
    void TypeAll(const QStringList& entries) const {
        for (const QString& entry : entries) {
            const qsizetype equals = entry.indexOf(QLatin1Char('='));
            Type(entry.left(equals), entry.mid(equals + 1));
        }
    }

    void Press(const QString& name) const { QTest::mouseClick(Button(name), Qt::LeftButton); }

    QStringList Texts(const QStringList& names) const {
        QStringList texts;
        for (const QString& name : names) texts.append(Field(name)->text());
        return texts;
    }

    QString FocusName() const {
        const QWidget* const focus = QApplication::focusWidget();
        return focus ? focus->objectName() : QString();
    }

  private:
    Quillet2& window_;
};

// The worked races, as "field=text" entries typed over the window's initial texts: a clock that
// gained 30 seconds in a day on a same-day race, and an overnight race with a clock that was
// slow at setting.
inline QStringList GainingClockRace() {
    return {"CrSec=30",     "birdclockhrs=11", "birdclockmins=42", "birdclocksecs=17",
            "birdlibhrs=7", "birdlibmins=15",  "miles=92",         "yards=1000"};
}

inline QStringList OvernightRace() {
    return {"MTSetSec=2",       "Midnight=2",       "CrSec=30",     "birdclockhrs=14",
            "birdclockmins=25", "birdclocksecs=41", "birdlibhrs=6", "birdlibmins=30",
            "birdlibsecs=15",   "midnight2=1",      "miles=312",    "yards=1234"};
}

// The result fields in the order a RaceResult lists them.
inline QStringList ResultNames() {
    return {QStringLiteral("variation"), QStringLiteral("FTHrs"), QStringLiteral("FTMins"),
            QStringLiteral("FTSecs"), QStringLiteral("velocity")};
}

// The 26 entry fields, in the calculation's own order.
inline QStringList EntryNames() {
    QStringList names;
    for (const race::EntryField& field : race::EntryFields()) {
        names.append(
            QString::fromUtf8(field.name.data(), static_cast<qsizetype>(field.name.size())));
    }
    return names;
}

}  // namespace calculator::testing
