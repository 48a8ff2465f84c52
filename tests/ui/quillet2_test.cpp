// The calculator window as a club member meets it: what it shows at start, typing, Calc, Clear,
// the Tab key, Enter and Escape, and Exit.

#include <QApplication>
#include <QFont>
#include <QFontInfo>
#include <QLocale>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>
#include <utility>

#include "app/font_configuration.h"
#include "tests/ui/message_box_answerer.h"
#include "tests/ui/window_driver.h"
#include "ui/quillet2.h"

using calculator::testing::EntryCase;
using calculator::testing::EntryNames;
using calculator::testing::kEntryCases;
using calculator::testing::MessageBoxAnswerer;
using calculator::testing::ResultNames;
using calculator::testing::ResultTexts;
using calculator::testing::Typed;
using calculator::testing::WindowDriver;
using race::worked::WorkedRace;

namespace {

// The results' face at its own size and width: 14.25 point, letters not narrowed.
bool IsNominal(const QFont& font) {
    return font.pointSizeF() == 14.25 && font.stretch() == QFont::Unstretched;
}

// From Midnight, round the window and back to it.
QStringList TabRound(bool results) {
    QStringList round = EntryNames().mid(1);
    round.append({"CmdVel", "Command1"});
    if (results) round.append("velocity");
    round.append("Command2");
    if (results) round.append({"variation", "FTHrs", "FTMins", "FTSecs"});
    round.append({"Text1", "Midnight"});
    return round;
}

}  // namespace

class Quillet2Test : public QObject {
    Q_OBJECT

  private slots:
    void startState() {
        Quillet2 window;
        WindowDriver driver(window);
        QVERIFY(driver.Open());
        QCOMPARE(window.windowTitle(), QStringLiteral("Velocity  Calculator "));
        QCOMPARE(window.size(), QSize(264, 515));
        QVERIFY(!window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(window.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(window.windowFlags().testFlag(Qt::WindowCloseButtonHint));
        QTRY_COMPARE(window.windowIcon().availableSizes().value(0), QSize(32, 32));
        QVERIFY(!driver.ResultsShown());
        for (const QString& name : ResultNames()) QVERIFY(driver.Field(name)->text().isEmpty());
        QCOMPARE(driver.FocusName(), QStringLiteral("Midnight"));
        QCOMPARE(driver.Button("CmdVel")->toolTip(), QStringLiteral("Calculate"));
        const auto* const note = window.findChild<QTextEdit*>(QStringLiteral("Text1"));
        QCOMPARE(note->toPlainText().split(QLatin1Char('\n')).size(), 3);
        QVERIFY(note->toPlainText().startsWith(
            "The Velocity Calculator\nPlease contact me with any comments etc.\nEmail: "));
    }

    // The program's start names Qt's generic "Sans Serif" by the face it stands for: every
    // control then shows the face it showed before. A face a desktop named is left as it is.
    void startKeepsEveryFace() {
#ifdef Q_OS_WIN
        QSKIP("Windows names the system's face itself");
#endif
        const QFont generic = QApplication::font();
        const auto faces = [] {
            QStringList shown;
            const Quillet2 window;
            for (const QWidget* control : window.findChildren<QWidget*>()) {
                const QFontInfo face(control->font());
                shown << face.family() + QString::number(face.weight());
            }
            return shown;
        };
        for (const auto& [given, named] :
             {std::pair{"Sans Serif", true}, std::pair{"DejaVu Serif", false}}) {
            QApplication::setFont(QFont(given, 9));
            const QStringList before = faces();
            const startup::Marks marks;
            startup::FontConfigurationReader(marks).Finish();
            QCOMPARE(QApplication::font().families() != QStringList{given}, named);
            QCOMPARE(faces(), before);
        }
        QApplication::setFont(generic);
    }

    void initialTexts_data() {
        QTest::addColumn<QString>("text");
        const race::RaceEntry opening = race::worked::OpeningEntry();
        for (const EntryCase& entry : kEntryCases) {
            const race::EntryField* const field = race::FindEntryField(entry.name);
            QTest::newRow(entry.name) << QString::fromStdString(opening.*field->member);
        }
    }

    void initialTexts() {
        Quillet2 window;
        QFETCH(QString, text);
        QCOMPARE(WindowDriver(window).Field(QTest::currentDataTag())->text(), text);
    }

    // 15 twips to the pixel; a control inside a frame is placed from the frame's outer corner.
    void placesInPixels_data() {
        QTest::addColumn<QString>("container");
        QTest::addColumn<QRect>("place");
        QTest::newRow("Frame1") << "Quillet2" << QRect(8, 0, 249, 201);
        QTest::newRow("Frame4") << "Quillet2" << QRect(8, 208, 249, 185);
        QTest::newRow("Text1") << "Quillet2" << QRect(8, 456, 249, 49);
        QTest::newRow("Label35") << "Frame2" << QRect(24, 24, 145, 19);
        QTest::newRow("CsHr") << "Frame4" << QRect(128, 72, 25, 19);
        QTest::newRow("birdclocksecs") << "Frame4" << QRect(208, 144, 25, 19);
        QTest::newRow("Label33") << "Frame4" << QRect(16, 152, 105, 19);
        QTest::newRow("yards") << "Frame6" << QRect(184, 24, 41, 19);
        QTest::newRow("FTSecs") << "Frame1" << QRect(168, 144, 59, 30);
        QTest::newRow("CmdVel") << "Frame8" << QRect(8, 16, 113, 29);
    }

    void placesInPixels() {
        QFETCH(QString, container);
        QFETCH(QRect, place);
        Quillet2 window;
        const auto* const control = window.findChild<QWidget*>(QTest::currentDataTag());
        QCOMPARE(control->parentWidget()->objectName(), container);
        QCOMPARE(control->geometry(), place);
    }

    // Each control lies inside the window or the frame that holds it, and no field or button
    // covers another (a caption may run up to a field: it draws only its text).
    void controlsLieApartInsideTheirFrames() {
        Quillet2 window;
        QList<QWidget*> holders = {&window};
        for (QGroupBox* const frame : window.findChildren<QGroupBox*>()) holders.append(frame);
        for (const QWidget* const holder : holders) {
            const auto controls =
                holder->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
            for (const QWidget* const control : controls) {
                const QString where = control->objectName() + " in " + holder->objectName();
                QVERIFY2(holder->rect().contains(control->geometry()), qPrintable(where));
                for (const QWidget* const other : controls) {
                    if (other == control || holder == &window || control->inherits("QLabel") ||
                        other->inherits("QLabel")) {
                        continue;
                    }
                    QVERIFY2(!control->geometry().intersects(other->geometry()),
                             qPrintable(where + " covers " + other->objectName()));
                }
            }
        }
    }

    // The Results frame covers the midnights, darkness and distance frames while it shows.
    void resultsLieInFront() {
        Quillet2 window;
        WindowDriver driver(window);
        QVERIFY(driver.Open());
        const QPoint overMidnight =
            driver.Field("Midnight")->mapTo(&window, driver.Field("Midnight")->rect().center());
        QCOMPARE(window.childAt(overMidnight), driver.Field("Midnight"));
        driver.Press("CmdVel");
        const QWidget* const front = window.childAt(overMidnight);
        QVERIFY(front == driver.Results() || driver.Results()->isAncestorOf(front));
    }

    // One character more than a field takes is not kept.
    void lengthLimits_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        for (const EntryCase& entry : kEntryCases) {
            const QString typed = QStringLiteral("12345").left(entry.longest + 1);
            QTest::newRow(entry.name) << typed << typed.chopped(1);
        }
    }

    void lengthLimits() {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        Quillet2 window;
        WindowDriver driver(window);
        QVERIFY(driver.Open());
        driver.Type(QTest::currentDataTag(), typed);
        QCOMPARE(driver.Field(QTest::currentDataTag())->text(), kept);
    }

    void workedExamples_data() {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QStringList>("results");  // variation, hours, minutes, seconds, velocity
        for (const WorkedRace& race : race::worked::WorkedRaces()) {
            QTest::newRow(race.name.c_str()) << Typed(race, race.Entry()) << ResultTexts(race);
        }
    }

    void workedExamples() {
        QFETCH(QStringList, entries);
        QFETCH(QStringList, results);
        Quillet2 window;
        WindowDriver driver(window);
        QVERIFY(driver.Open());
        const MessageBoxAnswerer answerer;
        driver.TypeAll(entries);
        driver.Press("CmdVel");
        QVERIFY(answerer.seen().empty());
        QVERIFY(driver.ResultsShown());
        QCOMPARE(driver.Texts(ResultNames()), results);
    }

    // With a comma for the decimal separator, "7,5" is seven and a half.
    void localeSeparator() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        Quillet2 window;
        WindowDriver driver(window);
        QVERIFY(driver.Open());
        const MessageBoxAnswerer answerer;
        driver.TypeAll({"miles=7,5"});
        driver.Press("CmdVel");
        QLocale::setDefault(QLocale::c());
        QVERIFY(answerer.seen().empty());
        QCOMPARE(driver.Field("velocity")->text(),
                 QStringLiteral("110"));  // 13200 yards in 120 min
    }

    // A long result narrows or shrinks its face, a short one keeps the nominal face (the fitting
    // rule itself is the result field test's business, what is drawn the rendering test's).
    void resultsShowWhole_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<bool>("nominal");
        for (const auto& [field, nominal] :
             {std::pair{"velocity", false}, {"FTSecs", false}, {"FTHrs", true}, {"FTMins", true}}) {
            QTest::newRow(field) << QString(field) << nominal;
        }
    }

    void resultsShowWhole() {
        QFETCH(QString, field);
        QFETCH(bool, nominal);
        Quillet2 window;
        WindowDriver driver(window);
        QVERIFY(driver.Open());
        const WorkedRace longResults = race::worked::GainingClockRace();
        driver.TypeAll(Typed(longResults, longResults.Entry()));
        driver.Press("CmdVel");
        const QLineEdit* const result = driver.Field(field);
        QCOMPARE(IsNominal(result->font()), nominal);
        QVERIFY(result->font().bold());
        QCOMPARE(result->toolTip(), result->text());
        QCOMPARE(result->cursorPosition(), 0);
        // Back to the nominal size when a shorter text fits.
        driver.TypeAll(Typed(longResults, race::worked::OpeningEntry()));
        driver.Press("CmdVel");
        QCOMPARE(driver.Texts(ResultNames()), ResultTexts(race::worked::OpeningRace()));
        QVERIFY(IsNominal(result->font()));
    }

    void calcAndClearInBothViews() {
        Quillet2 window;
        WindowDriver driver(window);
        QVERIFY(driver.Open());
        const QStringList entries = driver.Texts(EntryNames());
        driver.Press("Command2");  // Clear in the entry view changes nothing
        QVERIFY(!driver.ResultsShown());
        QCOMPARE(driver.Texts(EntryNames()), entries);

        driver.Press("CmdVel");
        QVERIFY(driver.ResultsShown());
        const QStringList first = driver.Texts(ResultNames());
        driver.Type("miles", "30");  // editing never updates the shown results
        QCOMPARE(driver.Texts(ResultNames()), first);
        driver.Press("CmdVel");  // Calc in the results view recomputes
        QVERIFY(driver.ResultsShown());
        QCOMPARE(driver.Field("velocity")->text(), QStringLiteral("440"));

        const QStringList shown = driver.Texts(ResultNames());
        const QStringList entered = driver.Texts(EntryNames());
        driver.Press("Command2");
        QVERIFY(!driver.ResultsShown());
        QCOMPARE(driver.Texts(EntryNames()), entered);
        QCOMPARE(driver.Texts(ResultNames()), shown);  // kept out of sight
        driver.Press("Command2");
        QVERIFY(!driver.ResultsShown());
        driver.Press("CmdVel");
        QCOMPARE(driver.Texts(ResultNames()), shown);
    }

    void tabOrder_data() {
        QTest::addColumn<bool>("results");
        QTest::newRow("entry view") << false;
        QTest::newRow("results view") << true;
    }

    void tabOrder() {
        QFETCH(bool, results);
        Quillet2 window;
        WindowDriver driver(window);
        QVERIFY(driver.Open());
        if (results) driver.Button("CmdVel")->click();
        driver.Field("Midnight")->setFocus(Qt::TabFocusReason);
        QStringList visited;
        const QStringList expected = TabRound(results);
        for (qsizetype i = 0; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited.append(driver.FocusName());
        }
        QCOMPARE(visited, expected);
    }

    void resultsAndNoteAreReadOnly_data() {
        QTest::addColumn<QString>("name");
        for (const QString& name : ResultNames()) QTest::newRow(qPrintable(name)) << name;
        QTest::newRow("Text1") << "Text1";
    }

    void resultsAndNoteAreReadOnly() {
        QFETCH(QString, name);
        Quillet2 window;
        WindowDriver driver(window);
        QVERIFY(driver.Open());
        driver.Press("CmdVel");
        auto* const control = window.findChild<QWidget*>(name);
        const auto textOf = [control] {
            if (const auto* const line = qobject_cast<QLineEdit*>(control)) return line->text();
            return qobject_cast<QTextEdit*>(control)->toPlainText();
        };
        const QString before = textOf();
        control->setFocus(Qt::TabFocusReason);
        QTest::keyClick(control, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(control, "12x");
        QTest::keyClick(control, Qt::Key_Backspace);
        QTest::keyClick(control, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(textOf(), before);
        // Still selectable, for copying.
        QTest::keyClick(control, Qt::Key_A, Qt::ControlModifier);
        if (const auto* const line = qobject_cast<QLineEdit*>(control)) {
            QCOMPARE(line->selectedText(), before);
        } else {
            QVERIFY(qobject_cast<QTextEdit*>(control)->textCursor().hasSelection());
        }
    }

    void enterAndEscapeTriggerNothing_data() {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        for (const char* focus : {"Midnight", "CmdVel", "Command1", "Command2"}) {
            QTest::addRow("%s Enter", focus) << QString(focus) << int(Qt::Key_Return);
            QTest::addRow("%s keypad Enter", focus) << QString(focus) << int(Qt::Key_Enter);
            QTest::addRow("%s Escape", focus) << QString(focus) << int(Qt::Key_Escape);
        }
    }

    void enterAndEscapeTriggerNothing() {
        QFETCH(QString, focus);
        QFETCH(int, key);
        Quillet2 window;
        WindowDriver driver(window);
        QVERIFY(driver.Open());
        window.findChild<QWidget*>(focus)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QVERIFY(window.isVisible());
        QVERIFY(!driver.ResultsShown());
        driver.Press("CmdVel");
        window.findChild<QWidget*>(focus)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QVERIFY(window.isVisible());
        QVERIFY(driver.ResultsShown());
    }

    // Exit, or the title bar's close box, ends the program in either view.
    void exitEndsTheProgram_data() {
        QTest::addColumn<bool>("results");
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("Exit, entry view") << false << false;
        QTest::newRow("Exit, results view") << true << false;
        QTest::newRow("close box") << false << true;
    }

    void exitEndsTheProgram() {
        QFETCH(bool, results);
        QFETCH(bool, closeBox);
        Quillet2 window;
        WindowDriver driver(window);
        QVERIFY(driver.Open());
        if (results) driver.Press("CmdVel");
        QTimer::singleShot(0, &window, [&] {
            if (closeBox) {
                window.close();
            } else {
                driver.Press("Command1");
            }
        });
        constexpr int kStillRunning = 99;
        QTimer::singleShot(5000, &window, [] { QApplication::exit(kStillRunning); });
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(!window.isVisible());
    }
};

QTEST_MAIN(Quillet2Test)
#include "quillet2_test.moc"
