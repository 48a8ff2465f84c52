// The application's font as start-up leaves it: where Qt names the face only "Sans Serif", the
// face Qt itself comes to for that name, named, in every weight and slant; a face a desktop
// named left as it is.

#include <QApplication>
#include <QFont>
#include <QFontInfo>
#include <QtTest>

#include "app/font_configuration.h"
#include "app/startup_marks.h"

class StartUpFontsTest : public QObject {
    Q_OBJECT

  private slots:
    void theFaceIsTheOneQtChooses_data() {
        QTest::addColumn<QString>("given");
        QTest::addColumn<bool>("named");
        QTest::newRow("Qt's generic name") << QStringLiteral("Sans Serif") << true;
        QTest::newRow("a face named already") << QStringLiteral("DejaVu Serif") << false;
    }

    void theFaceIsTheOneQtChooses() {
        QFETCH(QString, given);
        QFETCH(bool, named);
        QApplication::setFont(QFont(given, 9));
        const auto variants = [] {
            std::vector<QFont> fonts;
            for (const bool bold : {false, true}) {
                for (const bool italic : {false, true}) {
                    QFont font = QApplication::font();
                    font.setBold(bold);
                    font.setItalic(italic);
                    fonts.push_back(font);
                }
            }
            return fonts;
        };
        std::vector<QString> chosen;
        for (const QFont& font : variants()) chosen.push_back(QFontInfo(font).family());

        const startup::Marks marks;
        startup::FontConfigurationReader reader(marks);
        reader.Finish();

        QCOMPARE(QApplication::font().families() != QStringList{given}, named);
        QCOMPARE(QApplication::font().pointSize(), 9);
        const std::vector<QFont> after = variants();
        for (std::size_t i = 0; i < after.size(); ++i) {
            QCOMPARE(QFontInfo(after[i]).family(), chosen[i]);
            QCOMPARE(QFontInfo(after[i]).bold(), after[i].bold());
            QCOMPARE(QFontInfo(after[i]).italic(), after[i].italic());
        }
    }
};

QTEST_MAIN(StartUpFontsTest)
#include "start_up_fonts_test.moc"
