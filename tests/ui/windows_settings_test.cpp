// What the window takes from Windows itself rather than from the program: the decimal separator
// of the user's regional settings, and the faces installed. Run where those settings write a
// decimal comma, and where Microsoft's faces are missing but the metric clones are installed.

#include <QFontInfo>
#include <QLocale>
#include <QtTest>

#include "tests/ui/message_box_answerer.h"
#include "tests/ui/window_driver.h"
#include "ui/fonts.h"
#include "ui/quillet2.h"

using calculator::testing::MessageBoxAnswerer;
using calculator::testing::WindowDriver;

class WindowsSettingsTest : public QObject {
    Q_OBJECT

  private slots:
    // Nothing in the program chooses the locale: "7,5" reads as seven and a half, and the
    // velocity is written with a comma, because the regional settings say so.
    void separatorFromRegionalSettings() {
        QCOMPARE(QLocale::system().decimalPoint(), QStringLiteral(","));
        Quillet2 window;
        WindowDriver driver(window);
        QVERIFY(driver.Open());
        const MessageBoxAnswerer answerer;
        driver.TypeAll({"miles=7,5", "yards=1"});
        driver.Press("CmdVel");
        QVERIFY(answerer.seen().empty());
        QCOMPARE(driver.Field("velocity")->text(),
                 QStringLiteral("110,008333333333"));  // 13201 yards in 120 min
    }

    // Where Windows lacks the face the window was drawn with, it gets a fallback it asked for,
    // not whatever face Windows would substitute.
    void facesFallBack_data() {
        QTest::addColumn<calculator::FontKind>("kind");
        QTest::newRow("MS Sans Serif") << calculator::FontKind::SmallSans;
        QTest::newRow("Century") << calculator::FontKind::Century;
        QTest::newRow("Arial") << calculator::FontKind::Arial;
    }

    void facesFallBack() {
        QFETCH(calculator::FontKind, kind);
        const QFont font = calculator::FontOf(kind);
        QVERIFY2(font.families().contains(QFontInfo(font).family()),
                 qPrintable(QFontInfo(font).family()));
    }
};

QTEST_MAIN(WindowsSettingsTest)
#include "windows_settings_test.moc"
