// A club member's careless hands, seeded: random typing, pasting and deleting in random fields,
// random keys and button presses, every message box answered. After each step no clock field
// keeps a value beyond the clock face, no field holds more than it takes, no box is left open,
// no result is shown half-written, and the window still answers its events.
//
// VC_MONKEY_SEED and VC_MONKEY_EVENTS change the seed and the number of events.

#include <QClipboard>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTextEdit>
#include <QtTest>

#include "core/text_rules.h"
#include "tests/ui/message_box_answerer.h"
#include "tests/ui/window_driver.h"
#include "ui/quillet2.h"

using calculator::testing::EntryCase;
using calculator::testing::kEntryCases;
using calculator::testing::MessageBoxAnswerer;
using calculator::testing::ResultNames;
using calculator::testing::WindowDriver;

namespace {

constexpr quint32 kSeed = 20261208;
constexpr int kEvents = 4000;

int FromEnvironment(const char* name, int fallback) {
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

class Monkey {
  public:
    Monkey(Quillet2& window, quint32 seed) : window_(window), driver_(window), random_(seed) {
        for (QWidget* const widget : window.findChildren<QLineEdit*>()) targets_.append(widget);
        targets_.append(window.findChild<QTextEdit*>(QStringLiteral("Text1")));
    }

    // One step of random hands; returns how many input events it sent, and what it did.
    int Step(QString& did) {
        const int choice = Bounded(100);
        QWidget* const target = targets_[Bounded(static_cast<int>(targets_.size()))];
        if (choice < 40) {
            const QString text = RandomText(1 + Bounded(4));
            did = QStringLiteral("type \"%1\" into %2").arg(text, target->objectName());
            if (Bounded(2) == 0) SelectAll(target);
            QTest::keyClicks(target, text);
            return static_cast<int>(text.size());
        }
        if (choice < 55) {
            const QString text = RandomText(1 + Bounded(40));
            did = QStringLiteral("paste \"%1\" into %2").arg(text, target->objectName());
            QApplication::clipboard()->setText(text);
            if (Bounded(2) == 0) SelectAll(target);
            QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
            return 1;
        }
        if (choice < 70) {
            const int count = 1 + Bounded(3);
            const Qt::Key key = Bounded(2) == 0 ? Qt::Key_Backspace : Qt::Key_Delete;
            did = QStringLiteral("delete %1 times in %2").arg(count).arg(target->objectName());
            if (Bounded(3) == 0) SelectAll(target);
            for (int i = 0; i < count; ++i) QTest::keyClick(target, key);
            return count;
        }
        if (choice < 82) {
            constexpr Qt::Key kKeys[] = {Qt::Key_Tab,    Qt::Key_Backtab, Qt::Key_Return,
                                         Qt::Key_Escape, Qt::Key_Space,   Qt::Key_Home,
                                         Qt::Key_End,    Qt::Key_Left,    Qt::Key_Z};
            const Qt::Key key = kKeys[Bounded(static_cast<int>(std::size(kKeys)))];
            const Qt::KeyboardModifiers modifiers =
                key == Qt::Key_Z ? Qt::ControlModifier : Qt::NoModifier;  // undo
            QWidget* const focus =
                QApplication::focusWidget() ? QApplication::focusWidget() : target;
            did = QStringLiteral("key %1 in %2").arg(int(key)).arg(focus->objectName());
            QTest::keyClick(focus, key, modifiers);
            return 1;
        }
        constexpr const char* kButtons[] = {"CmdVel", "CmdVel", "Command2", "Command1"};
        const QString button = QString::fromLatin1(kButtons[Bounded(4)]);
        did = QStringLiteral("press ") + button;
        driver_.Press(button);
        if (!window_.isVisible()) {
            did += QStringLiteral(" and open the calculator again");
            window_.show();
        }
        return 1;
    }

  private:
    int Bounded(int below) { return static_cast<int>(random_.bounded(below)); }

    QString RandomText(int length) {
        static constexpr char kKeys[] = "0123456789012345678901234567890123456789+-.,eE aZx";
        QString text;
        for (int i = 0; i < length; ++i) {
            text.append(QLatin1Char(kKeys[Bounded(static_cast<int>(sizeof kKeys) - 1)]));
        }
        return text;
    }

    static void SelectAll(QWidget* target) {
        QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
    }

    Quillet2& window_;
    WindowDriver driver_;
    QRandomGenerator random_;
    QList<QWidget*> targets_;
};

// Whether the window still answers its events: a queued call runs within a second.
bool Responsive() {
    bool answered = false;
    QTimer::singleShot(0, [&answered] { answered = true; });
    QElapsedTimer clock;
    clock.start();
    while (!answered && clock.elapsed() < 1000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return answered;
}

}  // namespace

class MonkeyTest : public QObject {
    Q_OBJECT

  private slots:
    void randomHands() {
        const auto seed = static_cast<quint32>(FromEnvironment("VC_MONKEY_SEED", kSeed));
        const int events = FromEnvironment("VC_MONKEY_EVENTS", kEvents);
        Quillet2 window;
        WindowDriver driver(window);
        QVERIFY(driver.Open());
        const MessageBoxAnswerer answerer;
        Monkey monkey(window, seed);
        int sent = 0;
        int steps = 0;
        while (sent < events) {
            QString did;
            sent += monkey.Step(did);
            ++steps;
            const QString where =
                QStringLiteral("seed %1, step %2: %3").arg(seed).arg(steps).arg(did);
            for (const EntryCase& limit : kEntryCases) {
                const QString text = driver.Field(QString::fromLatin1(limit.name))->text();
                const QString held =
                    where + QStringLiteral(": %1 holds \"%2\"").arg(limit.name, text);
                QVERIFY2(text.size() <= limit.longest, qPrintable(held));
                if (limit.largest == 0) continue;
                try {
                    const double value = race::TextToNumber(text.toStdString());
                    QVERIFY2(value <= limit.largest, qPrintable(held));
                } catch (const race::RaceError&) {
                    // Not a number: nothing beyond the clock face.
                }
            }
            QVERIFY2(QApplication::activeModalWidget() == nullptr, qPrintable(where));
            if (driver.ResultsShown()) {
                for (const QString& name : ResultNames()) {
                    QVERIFY2(!driver.Field(name)->text().isEmpty(), qPrintable(where));
                }
            }
            QVERIFY2(Responsive(), qPrintable(where));
        }
        qInfo("seed %u: %d events in %d steps, %zu message boxes answered", seed, sent, steps,
              answerer.seen().size());
        QVERIFY(!answerer.seen().empty());
    }
};

QTEST_MAIN(MonkeyTest)
#include "monkey_test.moc"
