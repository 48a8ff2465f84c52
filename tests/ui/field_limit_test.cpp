// The clock fields refuse hours above 23 and minutes or seconds above 59, however the text got
// there, and fall back to 19 hours or 0 minutes and seconds.

#include <QClipboard>
#include <QtTest>

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
        QTest::newRow("24 typed into CsHr") << "CsHr"
                                            << "2" << How::Typed << "4" << kHoursMessage << "19";
        QTest::newRow("30 typed into MTSetHr") << "MTSetHr"
                                               << "3" << How::Typed << "0" << kHoursMessage << "19";
        QTest::newRow("60 typed into MTRakeSec")
            << "MTRakeSec"
            << "6" << How::Typed << "0" << kMinutesMessage << "0";
        QTest::newRow("99 pasted into birdclockhrs: 19, not 10")
            << "birdclockhrs"
            << "" << How::Pasted << "99" << kHoursMessage << "19";
        QTest::newRow("60 pasted into birdlibmins")
            << "birdlibmins"
            << "" << How::Pasted << "60" << kMinutesMessage << "0";
        QTest::newRow("99 pasted into CrSec")
            << "CrSec"
            << "" << How::Pasted << "99" << kMinutesMessage << "0";
        QTest::newRow("24 written into birdlibhrs: 19, not 8")
            << "birdlibhrs"
            << "" << How::Written << "24" << kHoursMessage << "19";
        QTest::newRow("75 written into CsMin")
            << "CsMin"
            << "" << How::Written << "75" << kMinutesMessage << "0";
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
        QTest::newRow("23 hours") << "CsHr"
                                  << "23";
        QTest::newRow("59 minutes") << "birdclockmins"
                                    << "59";
        QTest::newRow("59 seconds") << "MTSetSec"
                                    << "59";
        QTest::newRow("no lower bound") << "CrMin"
                                        << "-5";
        QTest::newRow("a fraction") << "birdlibsecs"
                                    << ".5";
        QTest::newRow("emptied") << "MTRakeHr"
                                 << "";
        QTest::newRow("a lone sign") << "CsSec"
                                     << "-";
        QTest::newRow("letters") << "CrHr"
                                 << "ab";
        QTest::newRow("an unfinished exponent") << "birdclocksecs"
                                                << "9e";
        QTest::newRow("darkness has no limit") << "HODhr"
                                               << "30";
        QTest::newRow("nor its minutes") << "HOLmin"
                                         << "99";
        QTest::newRow("nor the day counts") << "Midnight"
                                            << "9";
        QTest::newRow("nor the distance") << "yards"
                                          << "9999";
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
        for (const char* row : {"MTSet", "MTRake", "Cs", "Cr"}) {
            QTest::newRow(qPrintable(QString(row) + "Hr")) << QString(row) + "Hr" << kHoursMessage;
            QTest::newRow(qPrintable(QString(row) + "Min"))
                << QString(row) + "Min" << kMinutesMessage;
            QTest::newRow(qPrintable(QString(row) + "Sec"))
                << QString(row) + "Sec" << kMinutesMessage;
        }
        for (const char* row : {"birdlib", "birdclock"}) {
            QTest::newRow(qPrintable(QString(row) + "hrs"))
                << QString(row) + "hrs" << kHoursMessage;
            QTest::newRow(qPrintable(QString(row) + "mins"))
                << QString(row) + "mins" << kMinutesMessage;
            QTest::newRow(qPrintable(QString(row) + "secs"))
                << QString(row) + "secs" << kMinutesMessage;
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
