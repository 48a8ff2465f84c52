// What a screen reader gets from the calculator, through Qt's accessibility interfaces: every
// field named by its row and unit, the buttons described, the note and the results reachable
// from the window, and the buttons pressed the way an assistive tool presses them.

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QtTest>
#include <tuple>

#include "tests/common/accessible_tree.h"
#include "tests/ui/window_driver.h"
#include "ui/quillet2.h"

using calculator::testing::ResultNames;
using calculator::testing::ResultTexts;
using calculator::testing::WindowDriver;

namespace {

QAccessibleInterface* Accessible(QObject* object) {
    return QAccessible::queryAccessibleInterface(object);
}

QAccessibleInterface* FindByName(QAccessibleInterface* root, const QString& name) {
    QAccessibleInterface* found = nullptr;
    testing_common::WalkAccessible(root, [&](QAccessibleInterface* node) {
        if (found == nullptr && node->text(QAccessible::Name) == name) found = node;
    });
    return found;
}

}  // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

  private slots:
    void entryFields_data() {
        QTest::addColumn<QString>("spoken");
        for (const calculator::testing::EntryCase& entry : calculator::testing::kEntryCases) {
            QTest::newRow(entry.name) << QString::fromLatin1(entry.spoken);
        }
    }

    void entryFields() {
        QFETCH(QString, spoken);
        Quillet2 window;
        WindowDriver driver(window);
        QVERIFY(driver.Open());
        QLineEdit* const field = driver.Field(QTest::currentDataTag());
        QAccessibleInterface* const reader = Accessible(field);
        QVERIFY(reader != nullptr);
        QCOMPARE(reader->text(QAccessible::Name), spoken);
        QCOMPARE(reader->role(), QAccessible::EditableText);
        QVERIFY(!reader->state().readOnly);
        QVERIFY(reader->state().focusable);
        QCOMPARE(reader->text(QAccessible::Value), field->text());
    }

    void resultFields_data() {
        QTest::addColumn<QString>("spoken");
        QTest::addColumn<QString>("value");
        // As the window opens, the results are the opening race's.
        const QStringList values = ResultTexts(race::worked::OpeningRace());
        const QStringList spoken{"Variation, seconds", "Flying time, hours", "Flying time, minutes",
                                 "Flying time, seconds", "Velocity, yards per minute"};
        for (qsizetype i = 0; i < spoken.size(); ++i) {
            QTest::newRow(qPrintable(ResultNames()[i])) << spoken[i] << values[i];
        }
    }

    void resultFields() {
        QFETCH(QString, spoken);
        QFETCH(QString, value);
        Quillet2 window;
        WindowDriver driver(window);
        QVERIFY(driver.Open());
        driver.Press("CmdVel");
        QAccessibleInterface* const reader = Accessible(driver.Field(QTest::currentDataTag()));
        QVERIFY(reader != nullptr);
        QCOMPARE(reader->text(QAccessible::Name), spoken);
        QVERIFY(reader->state().readOnly);
        QVERIFY(!reader->state().invisible);
        QCOMPARE(reader->text(QAccessible::Value), value);
    }

    void buttons_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("description");
        for (const auto& [name, caption, description] :
             {std::tuple{"CmdVel", "Calc", "Calculate the flying time and velocity"},
              {"Command2", "Clear", "Hide the results"},
              {"Command1", "Exit", "Close the calculator"}}) {
            QTest::newRow(name) << QString(caption) << QString(description);
        }
    }

    void buttons() {
        QFETCH(QString, caption);
        QFETCH(QString, description);
        Quillet2 window;
        QAccessibleInterface* const reader =
            Accessible(window.findChild<QWidget*>(QTest::currentDataTag()));
        QVERIFY(reader != nullptr);
        QCOMPARE(reader->role(), QAccessible::Button);
        QCOMPARE(reader->text(QAccessible::Name), caption);
        QCOMPARE(reader->text(QAccessible::Description), description);
        QVERIFY(reader->actionInterface() != nullptr);
        QVERIFY(reader->actionInterface()->actionNames().contains(
            QAccessibleActionInterface::pressAction()));
    }

    // An assistive tool presses Calc and Clear through the same interfaces.
    void pressedByAssistiveTool() {
        Quillet2 window;
        WindowDriver driver(window);
        QVERIFY(driver.Open());
        Accessible(driver.Button("CmdVel"))
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::pressAction());
        QTRY_VERIFY(driver.ResultsShown());  // the button shows itself pressed a moment first
        Accessible(driver.Button("Command2"))
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::pressAction());
        QTRY_VERIFY(!driver.ResultsShown());
    }

    // From the window down: the note always, and the results frame with its fields once shown.
    void noteAndResultsReachable() {
        Quillet2 window;
        WindowDriver driver(window);
        QVERIFY(driver.Open());
        QAccessibleInterface* const root = Accessible(&window);
        QCOMPARE(root->text(QAccessible::Name), QStringLiteral("Velocity  Calculator "));

        QAccessibleInterface* const note = FindByName(root, QStringLiteral("Note"));
        QVERIFY(note != nullptr);
        QVERIFY(note->state().readOnly);
        QVERIFY(note->state().focusable);
        QVERIFY(note->textInterface() != nullptr);
        const QString noteText =
            note->textInterface()->text(0, note->textInterface()->characterCount());
        QVERIFY(noteText.startsWith(QStringLiteral("The Velocity Calculator")));

        QAccessibleInterface* results = FindByName(root, QStringLiteral("Results"));
        QVERIFY(results != nullptr);
        QVERIFY(results->state().invisible);
        driver.Press("CmdVel");
        results = FindByName(root, QStringLiteral("Results"));
        QCOMPARE(results->role(), QAccessible::Grouping);
        QVERIFY(!results->state().invisible);
        QAccessibleInterface* const velocity =
            FindByName(results, QStringLiteral("Velocity, yards per minute"));
        QVERIFY(velocity != nullptr);
        QCOMPARE(velocity->text(QAccessible::Value),
                 ResultTexts(race::worked::OpeningRace()).last());
    }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
