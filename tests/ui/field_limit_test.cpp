// The clock fields refuse hours above 23 and minutes or seconds above 59, however the text got
// there, and fall back to 19 hours or 0 minutes and seconds.

#include <QClipboard>
#include <QtTest>
#include <tuple>

#include "tests/ui/message_box_answerer.h"
#include "tests/ui/window_driver.h"
#include "ui/quillet2.h"

using calculator::testing::EntryNames;
using calculator::testing::MessageBoxAnswerer;
using calculator::testing::WindowDriver;

namespace {

const QString kHoursMessage = QStringLiteral("Sorry but you can't enter a number higher than 23");
const QString kMinutesMessage = QStringLiteral("Sorry but you can't enter a number higher than 59");

enum class How { Typed, Pasted, Written };

}  // namespace

Q_DECLARE_METATYPE(How)

class FieldLimitTest : public QObject {
    Q_OBJECT

  private slots:
    void refused_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("first");  // already in the field, the caret after it
        QTest::addColumn<How>("how");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("reset");
        for (const auto& [name, field, first, how, text, hours] :
             {std::tuple{"24 typed into CsHr", "CsHr", "2", How::Typed, "4", true},
              {"30 typed into MTSetHr", "MTSetHr", "3", How::Typed, "0", true},
              {"60 typed into MTRakeSec", "MTRakeSec", "6", How::Typed, "0", false},
              {"99 pasted into birdclockhrs: 19, not 10", "birdclockhrs", "", How::Pasted, "99",
               true},
              {"60 pasted into birdlibmins", "birdlibmins", "", How::Pasted, "60", false},
              {"99 pasted into CrSec", "CrSec", "", How::Pasted, "99", false},
              {"24 written into birdlibhrs: 19, not 8", "birdlibhrs", "", How::Written, "24", true},
              {"75 written into CsMin", "CsMin", "", How::Written, "75", false}}) {
            QTest::newRow(name) << QString(field) << QString(first) << how << QString(text)
                                << (hours ? kHoursMessage : kMinutesMessage)
                                << QString(hours ? "19" : "0");
        }
    }

    void refused() {
        QFETCH(QString, field);
        QFETCH(QString, first);
        QFETCH(How, how);
        QFETCH(QString, text);
        QFETCH(QString, message);
        QFETCH(QString, reset);
        Quillet2 window;
        WindowDriver driver(window);
        QVERIFY(driver.Open());
        driver.Press("CmdVel");
        const QStringList results = driver.Texts(calculator::testing::ResultNames());
        QLineEdit* const edit = driver.Field(field);
        if (!first.isEmpty()) driver.Type(field, first);
        const QStringList before = driver.Texts(EntryNames());

        const MessageBoxAnswerer answerer(edit);
        switch (how) {
            case How::Typed:
                edit->setFocus(Qt::TabFocusReason);
                edit->end(false);
                QTest::keyClicks(edit, text);
                break;
            case How::Pasted:
                QApplication::clipboard()->setText(text);
                edit->setFocus(Qt::TabFocusReason);
                edit->selectAll();
                QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
                break;
            case How::Written:
                edit->setText(text);
                break;
        }

        QCOMPARE(answerer.seen().size(), std::size_t{1});
        const MessageBoxAnswerer::Seen& seen = answerer.seen().front();
        QCOMPARE(seen.title, QStringLiteral("The Club Calculator"));
        QCOMPARE(seen.text, message);
        QCOMPARE(seen.icon, QMessageBox::NoIcon);
        QCOMPARE(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY(seen.applicationModal);
        QVERIFY(seen.fieldText.toInt() > (field.endsWith("Hr") || field.endsWith("hrs") ? 23 : 59));
        QCOMPARE(edit->text(), reset);
        // The rest of the window is untouched.
        QStringList after = driver.Texts(EntryNames());
        after[EntryNames().indexOf(field)] = before[EntryNames().indexOf(field)];
        QCOMPARE(after, before);
        QVERIFY(driver.ResultsShown());
        QCOMPARE(driver.Texts(calculator::testing::ResultNames()), results);
        // Ready for the next value.
        QTRY_COMPARE(driver.FocusName(), field);  // once the window has the keyboard back
        QCOMPARE(edit->selectedText(), reset);
    }

    void accepted_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        for (const auto& [name, field, text] : {std::tuple{"23 hours", "CsHr", "23"},
                                                {"59 minutes", "birdclockmins", "59"},
                                                {"59 seconds", "MTSetSec", "59"},
                                                {"no lower bound", "CrMin", "-5"},
                                                {"a fraction", "birdlibsecs", ".5"},
                                                {"emptied", "MTRakeHr", ""},
                                                {"a lone sign", "CsSec", "-"},
                                                {"letters", "CrHr", "ab"},
                                                {"an unfinished exponent", "birdclocksecs", "9e"},
                                                {"darkness has no limit", "HODhr", "30"},
                                                {"nor its minutes", "HOLmin", "99"},
                                                {"nor the day counts", "Midnight", "9"},
                                                {"nor the distance", "yards", "9999"}}) {
            QTest::newRow(name) << QString(field) << QString(text);
        }
    }

    void accepted() {
        QFETCH(QString, field);
        QFETCH(QString, text);
        Quillet2 window;
        WindowDriver driver(window);
        QVERIFY(driver.Open());
        const MessageBoxAnswerer answerer;
        driver.Type(field, text);
        QVERIFY(answerer.seen().empty());
        QCOMPARE(driver.Field(field)->text(), text);
    }

    // Every clock field has the rule, each with the limit of its kind.
    void everyClockField_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("message");
        for (const calculator::testing::EntryCase& entry : calculator::testing::kEntryCases) {
            if (entry.largest == 0) continue;
            QTest::newRow(entry.name)
                << QString(entry.name) << (entry.largest == 23 ? kHoursMessage : kMinutesMessage);
        }
    }

    void everyClockField() {
        QFETCH(QString, field);
        QFETCH(QString, message);
        Quillet2 window;
        WindowDriver driver(window);
        QVERIFY(driver.Open());
        const MessageBoxAnswerer answerer;
        const bool hours = message == kHoursMessage;
        driver.Field(field)->setText(hours ? "23" : "59");
        QVERIFY(answerer.seen().empty());
        driver.Field(field)->setText(hours ? "24" : "60");
        QCOMPARE(answerer.seen().size(), std::size_t{1});
        QCOMPARE(answerer.seen().front().text, message);
    }
};

QTEST_MAIN(FieldLimitTest)
#include "field_limit_test.moc"
