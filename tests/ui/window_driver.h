#pragma once

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QTest>

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

// The gaining clock's race checked a second earlier and clocked three seconds later: the
// flying time comes to a fraction of a second under 4 hours 27 minutes, so its seconds are
// negative and as long as a result gets.
inline QStringList NegativeSecondsRace() {
    return GainingClockRace() + QStringList{"CrSec=29", "birdclocksecs=20"};
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

// The 26 entry fields in the Tab key's order, each with its text as the window opens, what a
// screen reader calls it, the most characters it takes and, for a clock field, the largest value
// it keeps (0 for a field without a limit on its value).
struct EntryCase {
    const char* name;
    const char* initial;
    const char* spoken;
    int longest;
    double largest;
};

inline constexpr EntryCase kEntryCases[] = {
    {"Midnight", "1", "Set to Opening, midnights", 1, 0},
    {"midnight2", "0", "Lib to Opening, midnights", 1, 0},
    {"HODhr", "22", "Darkness from, hours", 2, 0},
    {"HODmin", "30", "Darkness from, minutes", 2, 0},
    {"HOLhr", "4", "Darkness to, hours", 2, 0},
    {"HOLmin", "30", "Darkness to, minutes", 2, 0},
    {"miles", "60", "Distance, miles", 3, 0},
    {"yards", "0", "Distance, yards", 4, 0},
    {"MTSetHr", "19", "Master Set, hours", 2, 23},
    {"MTSetMin", "0", "Master Set, minutes", 2, 59},
    {"MTSetSec", "0", "Master Set, seconds", 2, 59},
    {"MTRakeHr", "19", "Master Check, hours", 2, 23},
    {"MTRakeMin", "0", "Master Check, minutes", 2, 59},
    {"MTRakeSec", "0", "Master Check, seconds", 2, 59},
    {"CsHr", "19", "Clock Set, hours", 2, 23},
    {"CsMin", "0", "Clock Set, minutes", 2, 59},
    {"CsSec", "0", "Clock Set, seconds", 2, 59},
    {"CrHr", "19", "Clock Check, hours", 2, 23},
    {"CrMin", "0", "Clock Check, minutes", 2, 59},
    {"CrSec", "0", "Clock Check, seconds", 2, 59},
    {"birdlibhrs", "8", "Liberation, hours", 2, 23},
    {"birdlibmins", "0", "Liberation, minutes", 2, 59},
    {"birdlibsecs", "0", "Liberation, seconds", 2, 59},
    {"birdclockhrs", "10", "Bird Clocked, hours", 2, 23},
    {"birdclockmins", "0", "Bird Clocked, minutes", 2, 59},
    {"birdclocksecs", "0", "Bird Clocked, seconds", 2, 59},
};

inline QStringList EntryNames() {
    QStringList names;
    for (const EntryCase& entry : kEntryCases) names.append(QString::fromLatin1(entry.name));
    return names;
}

}  // namespace calculator::testing
