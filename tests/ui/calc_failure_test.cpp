// When Calc has no result to give, the window says what is wrong in one message, shows no
// result, changes no entry, and leaves the focus in the field at fault.

#include <QtTest>
#include <tuple>

#include "tests/ui/message_box_answerer.h"
#include "tests/ui/window_driver.h"
#include "ui/quillet2.h"

using calculator::testing::EntryNames;
using calculator::testing::MessageBoxAnswerer;
using calculator::testing::ResultNames;
using calculator::testing::WindowDriver;

class CalcFailureTest : public QObject {
    Q_OBJECT

  private slots:
    void failures_data() {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("saying");  // what the message must contain
        QTest::addColumn<QString>("fault");   // the field that takes the focus, or none
        // Out of range: a clock check a tenth of a second after setting, against a master a day
        // out, gives a variation of billions of seconds, beyond whole minutes.
        for (const auto& [name, typed, saying, fault] :
             {std::tuple{"letters in the Clock Check minutes", "CrMin=ab",
                         "Clock Check, minutes: \"ab\" is not a number", "CrMin"},
              {"an emptied distance", "yards=", "Distance, yards: the entry is empty", "yards"},
              {"a lone sign in the liberation seconds", "birdlibsecs=-", "Liberation, seconds",
               "birdlibsecs"},
              {"a comma where the separator is a point", "miles=7,5", "Distance, miles", "miles"},
              {"darkness from, letters", "HODmin=x", "Darkness from, minutes", "HODmin"},
              {"hours run of 0", "Midnight=0", "the same as the Clock Set reading", ""},
              {"flying seconds of 0", "birdclockhrs=8", "flying time comes to 0 seconds", ""},
              {"a value out of range", "Midnight=0 CrSec=.1 MTRakeHr=0 birdclockhrs=23",
               "too large to split", ""}}) {
            QTest::newRow(name) << QString(typed).split(' ') << QString(saying) << QString(fault);
        }
    }

    void failures() {
        QFETCH(QStringList, entries);
        QFETCH(QString, saying);
        QFETCH(QString, fault);
        Quillet2 window;
        WindowDriver driver(window);
        QVERIFY(driver.Open());
        driver.Press("CmdVel");  // results of earlier entries on show
        QVERIFY(driver.ResultsShown());
        const QStringList earlier = driver.Texts(ResultNames());

        driver.TypeAll(entries);
        const QStringList entered = driver.Texts(EntryNames());
        driver.Button("CmdVel")->setFocus(Qt::TabFocusReason);
        const MessageBoxAnswerer answerer;
        driver.Press("CmdVel");

        QCOMPARE(answerer.seen().size(), std::size_t{1});
        const MessageBoxAnswerer::Seen& seen = answerer.seen().front();
        QCOMPARE(seen.title, QStringLiteral("The Club Calculator"));
        QVERIFY2(seen.text.contains(saying), qPrintable(seen.text));
        QCOMPARE(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY(seen.applicationModal);
        QVERIFY(!driver.ResultsShown());
        QCOMPARE(driver.Texts(EntryNames()), entered);
        // Once the window has the keyboard back:
        if (fault.isEmpty()) {
            QTRY_COMPARE(driver.FocusName(), QStringLiteral("CmdVel"));
        } else {
            QTRY_COMPARE(driver.FocusName(), fault);
            QCOMPARE(driver.Field(fault)->selectedText(), driver.Field(fault)->text());
        }
        // No partial result: what the fields hold is still the earlier, whole, result.
        QCOMPARE(driver.Texts(ResultNames()), earlier);
    }

    // After the fault is put right, Calc shows the results again.
    void recovers() {
        Quillet2 window;
        WindowDriver driver(window);
        QVERIFY(driver.Open());
        const MessageBoxAnswerer answerer;
        driver.TypeAll({"CrMin=ab"});
        driver.Press("CmdVel");
        QCOMPARE(answerer.seen().size(), std::size_t{1});
        QTRY_COMPARE(driver.FocusName(), QStringLiteral("CrMin"));
        QTest::keyClicks(QApplication::focusWidget(), "0");  // types over the selected text
        QCOMPARE(driver.Field("CrMin")->text(), QStringLiteral("0"));
        driver.Press("CmdVel");
        QCOMPARE(answerer.seen().size(), std::size_t{1});
        QVERIFY(driver.ResultsShown());
        QCOMPARE(driver.Texts(ResultNames()),
                 calculator::testing::ResultTexts(race::worked::OpeningRace()));
    }
};

QTEST_MAIN(CalcFailureTest)
#include "calc_failure_test.moc"
