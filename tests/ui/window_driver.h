#pragma once

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QTest>

#include <string>
#include <string_view>

#include "core/race.h"
#include "tests/common/worked_races.h"
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

// A worked race's entries as "field=text", with the texts the given entries hold: the race's
// own, to type the race, or the opening ones, to type it back.
inline QStringList Typed(const race::worked::WorkedRace& race, const race::RaceEntry& texts) {
    QStringList typed;
    for (const race::worked::Typed& change : race.changes) {
        const std::string_view name = race::FindEntryField(change.member)->name;
        typed.append(QString::fromStdString(std::string(name) + "=" + texts.*change.member));
    }
    return typed;
}

// The result fields in the order a RaceResult lists them, and a worked race's texts for them.
inline QStringList ResultNames() {
    return {QStringLiteral("variation"), QStringLiteral("FTHrs"), QStringLiteral("FTMins"),
            QStringLiteral("FTSecs"), QStringLiteral("velocity")};
}

inline QStringList ResultTexts(const race::worked::WorkedRace& race) {
    const race::RaceResult& result = race.result;
    return QString::fromStdString(result.variation + '\n' + result.FTHrs + '\n' + result.FTMins +
                                  '\n' + result.FTSecs + '\n' + result.velocity)
        .split(QLatin1Char('\n'));
}

// The 26 entry fields in the Tab key's order, each with what a screen reader calls it, the most
// characters it takes and, for a clock field, the largest value it keeps (0 for a field without
// a limit on its value). Their texts as the window opens are the opening race's.
struct EntryCase {
    const char* name;
    const char* spoken;
    int longest;
    double largest;
};

inline constexpr EntryCase kEntryCases[] = {
    {"Midnight", "Set to Opening, midnights", 1, 0},
    {"midnight2", "Lib to Opening, midnights", 1, 0},
    {"HODhr", "Darkness from, hours", 2, 0},
    {"HODmin", "Darkness from, minutes", 2, 0},
    {"HOLhr", "Darkness to, hours", 2, 0},
    {"HOLmin", "Darkness to, minutes", 2, 0},
    {"miles", "Distance, miles", 3, 0},
    {"yards", "Distance, yards", 4, 0},
    {"MTSetHr", "Master Set, hours", 2, 23},
    {"MTSetMin", "Master Set, minutes", 2, 59},
    {"MTSetSec", "Master Set, seconds", 2, 59},
    {"MTRakeHr", "Master Check, hours", 2, 23},
    {"MTRakeMin", "Master Check, minutes", 2, 59},
    {"MTRakeSec", "Master Check, seconds", 2, 59},
    {"CsHr", "Clock Set, hours", 2, 23},
    {"CsMin", "Clock Set, minutes", 2, 59},
    {"CsSec", "Clock Set, seconds", 2, 59},
    {"CrHr", "Clock Check, hours", 2, 23},
    {"CrMin", "Clock Check, minutes", 2, 59},
    {"CrSec", "Clock Check, seconds", 2, 59},
    {"birdlibhrs", "Liberation, hours", 2, 23},
    {"birdlibmins", "Liberation, minutes", 2, 59},
    {"birdlibsecs", "Liberation, seconds", 2, 59},
    {"birdclockhrs", "Bird Clocked, hours", 2, 23},
    {"birdclockmins", "Bird Clocked, minutes", 2, 59},
    {"birdclocksecs", "Bird Clocked, seconds", 2, 59},
};

inline QStringList EntryNames() {
    QStringList names;
    for (const EntryCase& entry : kEntryCases) names.append(QString::fromLatin1(entry.name));
    return names;
}

}  // namespace calculator::testing
