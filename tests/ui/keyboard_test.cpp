// The calculator by the keyboard alone: Tab to every command and Space to press it, message
// boxes that take the keyboard and close on Enter or Space, and a refused clock value that
// leaves its field ready for the next one.

#include <QTimer>
#include <QtTest>
#include <tuple>

#include "tests/ui/message_box_answerer.h"
#include "tests/ui/window_driver.h"
#include "ui/quillet2.h"

using calculator::testing::MessageBoxAnswerer;
using calculator::testing::WindowDriver;
using Answer = calculator::testing::MessageBoxAnswerer::Answer;

Q_DECLARE_METATYPE(Answer)

namespace {

// Presses Tab until the named control has the focus; false if a whole round never reaches it.
bool TabTo(const WindowDriver& driver, const QString& name) {
    constexpr int kRound = 40;
    for (int i = 0; i < kRound && driver.FocusName() != name; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    return driver.FocusName() == name;
}

void TypeHere(const QString& text) {
    QTest::keyClicks(QApplication::focusWidget(), text);
}

}  // namespace

class KeyboardTest : public QObject {
    Q_OBJECT

  private slots:
    void calcAndClear() {
        Quillet2 window;
        WindowDriver driver(window);
        QVERIFY(driver.Open());
        QVERIFY(TabTo(driver, "miles"));
        TypeHere("30");  // Tab selects the field's text, so typing replaces it
        QVERIFY(TabTo(driver, "CmdVel"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QVERIFY(driver.ResultsShown());
        QCOMPARE(driver.Field("velocity")->text(), QStringLiteral("440"));
        QVERIFY(TabTo(driver, "Command2"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QVERIFY(!driver.ResultsShown());
    }

    void exit() {
        Quillet2 window;
        WindowDriver driver(window);
        QVERIFY(driver.Open());
        QVERIFY(TabTo(driver, "Command1"));
        QTimer::singleShot(0, &window,
                           [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space); });
        constexpr int kStillRunning = 99;
        QTimer::singleShot(5000, &window, [] { QApplication::exit(kStillRunning); });
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(!window.isVisible());
    }

    void messageBoxes_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("calc");
        QTest::addColumn<Answer>("answer");
        for (const auto& [name, field, typed, calc, answer] :
             {std::tuple{"refused hours, Enter", "CsHr", "99", false, Answer::Enter},
              {"refused seconds, Space", "CrSec", "75", false, Answer::Space},
              {"Calc fails, Enter", "yards", "x", true, Answer::Enter},
              {"Calc fails, Space", "HOLmin", "-", true, Answer::Space}}) {
            QTest::newRow(name) << QString(field) << QString(typed) << calc << answer;
        }
    }

    void messageBoxes() {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(bool, calc);
        QFETCH(Answer, answer);
        Quillet2 window;
        WindowDriver driver(window);
        QVERIFY(driver.Open());
        const MessageBoxAnswerer answerer(nullptr, answer);
        QVERIFY(TabTo(driver, field));
        TypeHere(typed);
        if (calc) {
            QVERIFY(TabTo(driver, "CmdVel"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        }
        QCOMPARE(answerer.seen().size(), std::size_t{1});
        QVERIFY(answerer.seen().front().okHadFocus);
        QVERIFY(answerer.seen().front().closed);
        // The keyboard is back in the field, its text selected.
        QTRY_COMPARE(driver.FocusName(), field);
        QCOMPARE(driver.Field(field)->selectedText(), driver.Field(field)->text());
    }

    // After a refused value the next one can be typed at once.
    void nextValueAfterRefusal_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("refused");
        QTest::addColumn<QString>("reset");
        QTest::addColumn<QString>("next");
        for (const auto& [name, field, refused, reset, next] :
             {std::tuple{"hours", "birdclockhrs", "24", "19", "14"},
              {"minutes", "birdclockmins", "61", "0", "25"},
              {"seconds", "MTSetSec", "99", "0", "2"}}) {
            QTest::newRow(name) << QString(field) << QString(refused) << QString(reset)
                                << QString(next);
        }
    }

    void nextValueAfterRefusal() {
        QFETCH(QString, field);
        QFETCH(QString, refused);
        QFETCH(QString, reset);
        QFETCH(QString, next);
        Quillet2 window;
        WindowDriver driver(window);
        QVERIFY(driver.Open());
        const MessageBoxAnswerer answerer(nullptr, Answer::Enter);
        QVERIFY(TabTo(driver, field));
        TypeHere(refused);
        QCOMPARE(answerer.seen().size(), std::size_t{1});
        QTRY_COMPARE(driver.FocusName(), field);
        QCOMPARE(driver.Field(field)->selectedText(), reset);
        TypeHere(next);
        QCOMPARE(driver.Field(field)->text(), next);
        QCOMPARE(answerer.seen().size(), std::size_t{1});
    }
};

QTEST_MAIN(KeyboardTest)
#include "keyboard_test.moc"
