// Every digit and caption the window paints lies whole inside its control, at the device pixel
// ratio the test runs at (ctest runs it at 1 and, with QT_SCALE_FACTOR=2, at 2). The ink of a
// text is found by painting the control with its text and without it.

#include <QDebug>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QStyleOptionGroupBox>
#include <QtTest>
#include <functional>

#include "tests/ui/message_box_answerer.h"
#include "tests/ui/window_driver.h"
#include "ui/quillet2.h"
#include "ui/result_field.h"

using calculator::testing::EntryNames;
using calculator::testing::MessageBoxAnswerer;
using calculator::testing::ResultNames;
using calculator::testing::Typed;
using calculator::testing::WindowDriver;

namespace {

// The device pixels where two paintings of a control differ.
QRect InkBetween(const QImage& with, const QImage& without) {
    QRect ink;
    for (int y = 0; y < with.height(); ++y) {
        for (int x = 0; x < with.width(); ++x) {
            if (with.pixel(x, y) != without.pixel(x, y)) ink |= QRect(x, y, 1, 1);
        }
    }
    return ink;
}

QImage Paint(QWidget* control) {
    return control->grab().toImage();
}

// The ink of a text drawn with room all round.
QRect FreeInk(const QFont& font, const QString& text, qreal ratio) {
    const QFontMetrics metrics(font);
    const QSize room(metrics.horizontalAdvance(text) + 2 * metrics.height(), 3 * metrics.height());
    QImage blank(room * ratio, QImage::Format_ARGB32_Premultiplied);
    blank.setDevicePixelRatio(ratio);
    blank.fill(Qt::white);
    QImage drawn = blank;
    QPainter painter(&drawn);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QPointF(metrics.height(), metrics.height() + metrics.ascent()), text);
    painter.end();
    return InkBetween(drawn, blank);
}

// The text's ink: whole (as wide and as tall as the face draws the text, give or take the
// hinting of the glyphs at each size) and clear of the control's right and bottom edges, where
// clipping would cut it, and of its top edge.
void VerifyWhole(QWidget* control, const QString& text, const QFont& font,
                 const std::function<void(const QString&)>& setText) {
    const QImage with = Paint(control);
    setText(QString());
    const QImage without = Paint(control);
    setText(text);
    const qreal ratio = with.devicePixelRatio();
    QCOMPARE(ratio, qApp->devicePixelRatio());
    const QRect ink = InkBetween(with, without);
    QString where;
    QDebug(&where) << control->objectName() << text << "ink" << ink << "in" << with.size();
    QVERIFY2(!ink.isEmpty(), qPrintable(where));
    QVERIFY2(ink.top() > 0, qPrintable(where));
    QVERIFY2(ink.right() < with.width() - 1 && ink.bottom() < with.height() - 1, qPrintable(where));
    // A clipped text leaves part of its glyphs out: it draws less ink than the same text drawn
    // freely in the same face, at the same ratio (a pixel less for where the glyphs fall).
    const QRect free = FreeInk(font, text, ratio);
    QVERIFY2(
        ink.width() >= free.width() - 1 && ink.height() >= free.height() - 1,
        qPrintable(where +
                   QStringLiteral(", drawn freely %1x%2").arg(free.width()).arg(free.height())));
}

void VerifyFieldsWhole(WindowDriver& driver, const QStringList& names) {
    for (const QString& name : names) {
        QLineEdit* const field = driver.Field(name);
        VerifyWhole(field, field->text(), field->font(),
                    [field](const QString& text) { field->setText(text); });
    }
}

// A result is drawn as the field shows it: whole, or its first characters and an ellipsis.
void VerifyResultsWhole(const Quillet2& window) {
    for (const QString& name : ResultNames()) {
        auto* const field = window.findChild<calculator::ResultField*>(name);
        const QString whole = field->text();
        VerifyWhole(field, field->ShownText(), field->font(), [field, whole](const QString& text) {
            field->setText(text.isEmpty() ? text : whole);
        });
    }
}

}  // namespace

class RenderingTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        const qreal expected = qEnvironmentVariableIsSet("QT_SCALE_FACTOR")
                                   ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble()
                                   : 1.0;
        Quillet2 window;
        window.show();
        QCOMPARE(window.grab().devicePixelRatio(), expected);
        QCOMPARE(window.grab().size(), QSize(264, 515) * expected);
    }

    void captions() {
        const MessageBoxAnswerer answerer;
        Quillet2 window;
        WindowDriver driver(window);
        QVERIFY(driver.Open());
        driver.Press("CmdVel");
        window.setFocus();  // no text cursor in a field
        for (QLabel* const label : window.findChildren<QLabel*>()) {
            if (label->text().isEmpty()) continue;
            VerifyWhole(label, label->text(), label->font(),
                        [label](const QString& text) { label->setText(text); });
        }
        for (QPushButton* const button : window.findChildren<QPushButton*>()) {
            VerifyWhole(button, button->text(), button->font(),
                        [button](const QString& text) { button->setText(text); });
        }
    }

    void frameCaptions() {
        Quillet2 window;
        WindowDriver driver(window);
        QVERIFY(driver.Open());
        for (QGroupBox* const frame : window.findChildren<QGroupBox*>()) {
            if (frame->title().isEmpty()) continue;
            QStyleOptionGroupBox option;
            option.initFrom(frame);
            option.text = frame->title();
            option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
            option.lineWidth = 1;
            const QRect caption = frame->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                                 QStyle::SC_GroupBoxLabel, frame);
            QVERIFY2(frame->rect().contains(caption), qPrintable(frame->title()));
            QVERIFY2(
                caption.width() >= QFontMetrics(frame->font()).horizontalAdvance(frame->title()),
                qPrintable(frame->title()));
        }
    }

    void entryFields() {
        Quillet2 window;
        WindowDriver driver(window);
        QVERIFY(driver.Open());
        const MessageBoxAnswerer answerer;
        // The longest texts each field takes, of wide digits.
        for (const QString& name : EntryNames()) {
            QLineEdit* const field = driver.Field(name);
            const bool clock = field->parentWidget()->objectName() == QStringLiteral("Frame4");
            const bool hours =
                name.endsWith(QStringLiteral("Hr")) || name.endsWith(QStringLiteral("hrs"));
            field->setText(clock ? (hours ? QStringLiteral("23") : QStringLiteral("58"))
                                 : QString(field->maxLength(), QLatin1Char('8')));
        }
        window.setFocus();
        VerifyFieldsWhole(driver, EntryNames());
        QVERIFY(answerer.seen().empty());
    }

    void resultFields_data() {
        QTest::addColumn<QStringList>("entries");
        for (const race::worked::WorkedRace& race : race::worked::WorkedRaces()) {
            QTest::newRow(race.name.c_str()) << Typed(race, race.Entry());
        }
        QTest::newRow("a loss, long negative figures") << QStringList{
            "CsSec=30",     "birdclockhrs=18", "birdclockmins=59", "birdclocksecs=59",
            "birdlibhrs=5", "miles=999",       "yards=1759"};
    }

    void resultFields() {
        QFETCH(QStringList, entries);
        Quillet2 window;
        WindowDriver driver(window);
        QVERIFY(driver.Open());
        const MessageBoxAnswerer answerer;
        driver.TypeAll(entries);
        driver.Press("CmdVel");
        QVERIFY(answerer.seen().empty());
        QVERIFY(driver.ResultsShown());
        window.setFocus();
        VerifyResultsWhole(window);
    }
};

QTEST_MAIN(RenderingTest)
#include "rendering_test.moc"
