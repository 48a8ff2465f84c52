// A result field shows its result as large as it fits: narrower letters first, then smaller ones,
// never below the legibility floor; what still does not fit ends in an ellipsis inside the field.
// Whatever it shows, its text, tool tip and accessible value are the whole result, and it is in
// the results' face from the moment it is made.
// Its figures have the shapes of results, not one race's (those are in common/worked_races.h).

#include <QAccessible>
#include <QtTest>
#include <tuple>

#include "ui/fonts.h"
#include "ui/result_field.h"

using calculator::ResultField;

namespace {

enum class Shown {
    Nominal,   // the results' face at its own size and width
    Narrowed,  // narrower letters at the full size
    Smaller,   // the narrowest letters, made smaller
    Cut,       // at the floor, its first characters and an ellipsis
};

constexpr qreal kFullSize = 14.25;
// The legibility floor at normal density: below these a fifteen-digit figure stops being readable.
constexpr qreal kFloorPoints = 10;
constexpr int kFloorStretch = 70;
const QString kEllipsis(QChar(0x2026));

}  // namespace

Q_DECLARE_METATYPE(Shown)

class ResultFieldTest : public QObject {
    Q_OBJECT

  private slots:
    void fitting_data() {
        QTest::addColumn<int>("width");  // pixels, as the window's fields are at 1x
        QTest::addColumn<bool>("centred");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("resizedTo");  // 0: not resized
        QTest::addColumn<Shown>("shown");
        for (const auto& [name, width, centred, text, resizedTo, shown] :
             {std::tuple{"as made: empty", 140, false, "", 0, Shown::Nominal},
              {"hours", 36, true, "25", 0, Shown::Nominal},
              {"velocity", 140, false, "612.345678901234", 0, Shown::Narrowed},
              {"variation, negative", 140, false, "-27.1234567890123", 0, Shown::Narrowed},
              {"seconds, ten characters", 59, true, "59.0529884", 0, Shown::Smaller},
              {"seconds, fifteen digits", 59, true, "57.1234567890123", 0, Shown::Cut},
              {"seconds, negative", 59, true, "-0.123456789012345", 0, Shown::Cut},
              {"hours, too many", 36, true, "123456", 0, Shown::Cut},
              {"narrowed, then the field made narrower", 140, false, "612.345678901234", 59,
               Shown::Cut},
              {"cut, then the field made wider", 59, true, "57.1234567890123", 140,
               Shown::Narrowed}}) {
            QTest::newRow(name) << width << centred << QString(text) << resizedTo << shown;
        }
    }

    void fitting() {
        QFETCH(int, width);
        QFETCH(bool, centred);
        QFETCH(QString, text);
        QFETCH(int, resizedTo);
        QFETCH(Shown, shown);
        QWidget frame;
        frame.resize(200, 60);
        auto* const field = new ResultField(&frame);
        field->setGeometry(4, 4, width, 30);
        field->setAlignment((centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        field->setText(text);
        if (resizedTo != 0) field->resize(resizedTo, 30);

        const QFont font = field->font();
        const QFont face = calculator::FontOf(calculator::FontKind::Century);
        QCOMPARE(font.family(), face.family());
        QVERIFY(font.bold());
        QVERIFY(font.pointSizeF() >= kFloorPoints);
        QVERIFY(font.stretch() >= kFloorStretch);
        QCOMPARE(field->palette().color(QPalette::Text), QColor(255, 255, 0));
        switch (shown) {
            case Shown::Nominal:
                QCOMPARE(font.pointSizeF(), kFullSize);
                QCOMPARE(font.stretch(), int(QFont::Unstretched));
                break;
            case Shown::Narrowed:
                QCOMPARE(font.pointSizeF(), kFullSize);
                QVERIFY(font.stretch() < QFont::Unstretched);
                break;
            case Shown::Smaller:
                QCOMPARE(font.stretch(), kFloorStretch);
                QVERIFY(font.pointSizeF() < kFullSize);
                break;
            case Shown::Cut:
                QCOMPARE(font.stretch(), kFloorStretch);
                QCOMPARE(font.pointSizeF(), kFloorPoints);
                break;
        }
        const QString drawn = field->ShownText();
        if (shown == Shown::Cut) {
            QVERIFY2(drawn.endsWith(kEllipsis), qPrintable(drawn));
            QVERIFY2(text.startsWith(drawn.chopped(1)), qPrintable(drawn));
            QVERIFY(drawn.size() > 1);
            // Drawn as a plain field holding the cut text would be, ellipsis inside the frame.
            QLineEdit plain(&frame);
            plain.setGeometry(field->geometry());
            plain.setFont(font);
            plain.setPalette(field->palette());
            plain.setAlignment(field->alignment());
            plain.setReadOnly(true);
            plain.setText(drawn);
            plain.show();
            frame.setFocus();  // with the keyboard in it, the field shows its whole text
            QCOMPARE(field->grab().toImage(), plain.grab().toImage());
        } else {
            QCOMPARE(drawn, text);
        }
        // What is copied, read out and hovered over is the whole result.
        QCOMPARE(field->text(), text);
        QCOMPARE(field->toolTip(), text);
        QCOMPARE(QAccessible::queryAccessibleInterface(field)->text(QAccessible::Value), text);
        field->selectAll();
        QCOMPARE(field->selectedText(), text);
    }
};

QTEST_MAIN(ResultFieldTest)
#include "result_field_test.moc"
