// Race night: birds typed into the window reach the club file and the result, and an import of a
// return takes only what reads.

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QSettings>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <string>
#include <vector>

#include "club/club_file.h"
#include "club_ui/club_document.h"
#include "club_ui/club_window.h"
#include "club_ui/import_preview.h"
#include "club_ui/recent_clubs.h"

namespace {

// A club of two lofts and a race from Cheltenham with both lofts' clocks struck and one bird
// clocked.
club::Id MakeRaceClub(const QString& path) {
    club::Opening made = club::ClubFile::Create(path.toStdU16String());
    club::ClubFile& file = *made.file;
    std::vector<club::Loft> lofts{{0, "Smith & Son", "", "52 35 31 N", "2 10 44 W"},
                                  {0, "Lefevre", "Young birds", "52 34 48 N", "2 11 50 W"}};
    std::vector<club::RacePoint> points{{0, "Cheltenham", "51 53 56 N", "2 04 42 W"}};
    file.Insert(lofts);
    file.Insert(points);
    std::vector<club::Race> races{
        {0, points[0].id, "Cheltenham YB", "2026-05-09 07:15", "21:00", "05:00"}};
    file.Insert(races);
    std::vector<club::Clock> clocks;
    for (const club::Loft& loft : lofts) {
        clocks.push_back({0, races[0].id, loft.id, "2026-05-08 19:00:00", "2026-05-08 19:00:00",
                          "2026-05-09 20:00:00", "2026-05-09 20:00:10"});
    }
    file.Insert(clocks);
    std::vector<club::Clocking> first{
        {0, races[0].id, lofts[0].id, "GB26N01234", "2026-05-09 09:02:17"}};
    file.Insert(first);
    return races[0].id;
}

std::vector<club::Clocking> ClockingsInFile(const QString& path, club::Id race) {
    club::Opening opening = club::ClubFile::Open(path.toStdU16String());
    return opening.file ? opening.file->ReadOfRace<club::Clocking>(race).rows
                        : std::vector<club::Clocking>{};
}

// The race club in a folder of its own, with as many more birds of its first loft clocked, open
// in a window on the screen.
struct RaceClubWindow {
    explicit RaceClubWindow(int more_birds = 0) : race(MakeRaceClub(path)) {
        std::vector<club::Clocking> birds(static_cast<std::size_t>(more_birds),
                                          {0, race, 1, "GB26N10000", "2026-05-09 10:10:17"});
        if (!birds.empty()) club::ClubFile::Open(path.toStdU16String()).file->Insert(birds);
        window.OpenStartingClub(path);
        window.show();
    }
    QTemporaryDir folder;
    const QString path = folder.filePath("race.club");
    const club::Id race;
    club_ui::ClubWindow window;
};

QTableView* TableNamed(const QWidget& window, const QString& name) {
    for (QTableView* view : window.findChildren<QTableView*>()) {
        if (view->accessibleName() == name) return view;
    }
    return nullptr;
}

// Types into the cell being edited and presses Enter, as a secretary reads a tape.
void TypeCell(QWidget& window, const QString& text) {
    // Once a list offered has shown and closed, the offscreen platform leaves no window active,
    // where a desktop makes the window active again.
    if (QApplication::activeWindow() == nullptr) {
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }
    QTRY_VERIFY(qobject_cast<QLineEdit*>(QApplication::focusWidget()) != nullptr);
    QWidget* cell = QApplication::focusWidget();
    QTest::keyClicks(cell, text);
    QTest::keyClick(cell, Qt::Key_Return);
    // The cell is written and the next one opened once the events queued have run.
    QTRY_VERIFY(QApplication::focusWidget() != cell);
}

}  // namespace

class RaceNightTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void birdsTypedReachTheFileAndTheResultInTheirPlacesAndUndoTakesOneBack() {
        RaceClubWindow club;
        club_ui::ClubWindow& window = club.window;
        const QString& path = club.path;
        const club::Id race = club.race;
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(&window, Qt::Key_2, Qt::ControlModifier);
        QTest::keyClick(&window, Qt::Key_C, Qt::AltModifier);  // the races
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
        QTest::keyClick(&window, Qt::Key_B, Qt::AltModifier);  // the birds clocked
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);

        // A bird of the same loft as the one the secretary is at, typed from the tape: its ring,
        // then the clock's time; Enter goes on to a new bird of that loft. The ring typed begins
        // like the one clocked before, which is offered and then left.
        QTest::keyClick(&window, Qt::Key_I, Qt::AltModifier);  // Add bird
        TypeCell(window, "GB26N05555");
        TypeCell(window, "08.59.30");
        QTRY_VERIFY(qobject_cast<QLineEdit*>(QApplication::focusWidget()) != nullptr);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QTRY_COMPARE(ClockingsInFile(path, race).size(), 2u);
        // The bird added next, after that one was taken back by undoing it, opens for typing as
        // well; Escape takes it back too.
        QTest::keyClick(&window, Qt::Key_B, Qt::ControlModifier | Qt::ShiftModifier);
        QTRY_VERIFY(qobject_cast<QLineEdit*>(QApplication::focusWidget()) != nullptr);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QTRY_COMPARE(ClockingsInFile(path, race).size(), 2u);

        std::vector<std::pair<std::string, std::string>> rings_and_times;
        for (const club::Clocking& clocking : ClockingsInFile(path, race)) {
            rings_and_times.emplace_back(clocking.ring, clocking.clocked);
        }
        // The day of the race is written before a time typed alone; the time stays as typed.
        const std::vector<std::pair<std::string, std::string>> expected{
            {"GB26N01234", "2026-05-09 09:02:17"},
            {"GB26N05555",
             "2026-05-09 08.59.30"}};  // the bird Enter began, left by Escape, is gone
        QCOMPARE(rings_and_times, expected);

        const QAbstractItemModel& result = *TableNamed(window, "Result")->model();
        QCOMPARE(result.rowCount(), 2);
        QCOMPARE(result.index(0, club_ui::ResultModel::Ring).data().toString(), "GB26N05555");
        QCOMPARE(result.index(0, club_ui::ResultModel::Position).data().toString(), "1");
        QCOMPARE(result.index(1, club_ui::ResultModel::Ring).data().toString(), "GB26N01234");

        // Undo takes back the whole bird typed, in one step.
        QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(ClockingsInFile(path, race).size(), 1u);
        QCOMPARE(result.rowCount(), 1);
        QCOMPARE(result.index(0, club_ui::ResultModel::Ring).data().toString(), "GB26N01234");
    }

    // What a row is of stays in view at the window's own size. The birds clocked show every
    // column, row numbers of four digits included: Enter goes from a bird's loft to its ring and
    // its time, and a list that scrolled sideways would jump at every bird. The clocks and the
    // result do scroll sideways: going from the end of a row back to its start, the row's loft
    // (and in the result its position) stays in view, and the cell gone to is never under it.
    void whatARowIsOfStaysInView() {
        RaceClubWindow club(1000);
        QVERIFY(QTest::qWaitForWindowExposed(&club.window));
        QTest::keyClick(&club.window, Qt::Key_2, Qt::ControlModifier);
        for (const auto& [name, kept_columns] :
             {std::pair{"Birds clocked", 0}, std::pair{"Clocks", 1}, std::pair{"Result", 2}}) {
            QTableView& table = *TableNamed(club.window, name);
            QTRY_VERIFY(table.isVisible() && table.model()->rowCount() > 0);
            if (kept_columns == 0) {
                QTRY_COMPARE(table.model()->rowCount(), 1001);
                QCOMPARE(table.horizontalScrollBar()->maximum(), 0);
                continue;
            }
            QVERIFY2(table.horizontalScrollBar()->maximum() > 0, name);
            const auto* kept = table.findChild<QTableView*>(QString(), Qt::FindDirectChildrenOnly);
            QVERIFY2(kept != nullptr, name);
            for (int column = table.model()->columnCount() - 1; column >= 0; --column) {
                if (table.isColumnHidden(column)) continue;
                const QModelIndex cell = table.model()->index(0, column);
                table.setCurrentIndex(cell);
                const bool scrolled = table.horizontalScrollBar()->value() > 0;
                QCOMPARE(kept->isVisible(), scrolled);
                if (column < kept_columns) {
                    QVERIFY2(!scrolled, name);
                } else if (scrolled) {
                    // Over the table's first columns, where its cells begin.
                    QCOMPARE(kept->viewport()->mapTo(&table, QPoint()),
                             table.viewport()->mapTo(&table, QPoint()));
                    QCOMPARE(kept->width(), table.columnViewportPosition(kept_columns) +
                                                table.horizontalScrollBar()->value());
                    QVERIFY2(table.visualRect(cell).left() >= kept->width(), name);
                }
            }
            // Scrolled to the row's end, a press on a kept cell makes it current and leaves the
            // table as it is, so that a double click's second click lands there too; typing then
            // opens the cell where the table itself shows it.
            int last = table.model()->columnCount() - 1;
            while (table.isColumnHidden(last)) --last;
            table.setCurrentIndex(table.model()->index(0, last));
            const int scrolled_to = table.horizontalScrollBar()->value();
            QVERIFY2(scrolled_to > 0 && kept->isVisible(), name);
            const QModelIndex pressed = table.model()->index(1, 0);
            QTest::mouseClick(kept->viewport(), Qt::LeftButton, {},
                              kept->visualRect(pressed).center());
            QCOMPARE(table.currentIndex(), pressed);
            QCOMPARE(table.horizontalScrollBar()->value(), scrolled_to);
            QVERIFY2(kept->isVisible(), name);
            if (table.editTriggers() == QAbstractItemView::NoEditTriggers) continue;
            QTest::keyClick(&table, Qt::Key_F2);
            const auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
            QVERIFY2(editor != nullptr && table.viewport()->isAncestorOf(editor), name);
            QVERIFY2(editor->geometry().left() >= 0 && !kept->isVisible(), name);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        }
    }

    // A clock or a bird begun (its shortcut pressed) and left with nothing typed in it when the
    // window closes is not kept in the club, as Escape would not have kept it.
    void aRowBegunAndLeftBlankIsNotKeptWhenTheWindowCloses() {
        for (const Qt::Key add : {Qt::Key_B, Qt::Key_K}) {
            RaceClubWindow club;
            QVERIFY(QTest::qWaitForWindowActive(&club.window));
            QTest::keyClick(&club.window, add, Qt::ControlModifier | Qt::ShiftModifier);
            QTRY_VERIFY(qobject_cast<QLineEdit*>(QApplication::focusWidget()) != nullptr);
            club.window.close();
            QCOMPARE(ClockingsInFile(club.path, club.race).size(), 1u);
            club::Opening opening = club::ClubFile::Open(club.path.toStdU16String());
            QCOMPARE(opening.file->ReadOfRace<club::Clock>(club.race).rows.size(), 2u);
        }
    }

    // How the result is shown is kept in the program's one settings file, for the next window.
    void theResultsUnitIsKeptInTheProgramsSettings() {
        {
            club_ui::ClubWindow window;
            window.findChild<QAction*>("metres-per-minute")->trigger();
        }
        QVERIFY(club_ui::ProgramSettings()->value("result/metres").toBool());
        club_ui::ClubWindow next;
        QVERIFY(next.findChild<QAction*>("metres-per-minute")->isChecked());
        next.findChild<QAction*>("metres-per-minute")->trigger();
        QVERIFY(!club_ui::ProgramSettings()->value("result/metres").toBool());
    }

    void aReturnWithBadRowsAddsOnlyTheRowsThatRead() {
        QTemporaryDir folder;
        const QString path = folder.filePath("race.club");
        const club::Id race = MakeRaceClub(path);
        club_ui::ClubDocument document;
        QVERIFY(document.Open(path));
        document.OpenRace(race);
        const std::string csv =
            "loft,ring,clocked,clock set,master set,clock check,master check,miles,yards\n"
            "Smith & Son,GB1,2026-05-09 09:00:00,2026-05-08 19:00:00,2026-05-08 19:00:00,"
            "2026-05-09 20:00:00,2026-05-09 20:00:00,48,191\n"
            "Smith & Son,GB2,2026-05-09 09:61:00,,,,,48,191\n"
            "Nobody,GB3,2026-05-09 09:02:00,2026-05-08 19:00:00,2026-05-08 19:00:00,"
            "2026-05-09 20:00:00,2026-05-09 20:00:00,50,0\n";
        const club_ui::ReturnImportPlan plan =
            club_ui::PlanReturnImport(document.lofts(), document.clocks(), document.clockings(),
                                      race, results::ReadReturn(csv));
        QCOMPARE(plan.bad, 2);
        QVERIFY(document.ImportReturn(plan.clocks_to_add, plan.clockings_to_add, "Import"));
        const std::vector<club::Clocking> taken = ClockingsInFile(path, race);
        QCOMPARE(taken.size(), 2u);  // the bird there before, and the one row that read
        QCOMPARE(taken[1].ring, "GB1");
        QCOMPARE(document.result().rowCount(), 2);

        document.undoStack().undo();
        QCOMPARE(ClockingsInFile(path, race).size(), 1u);
    }
};

QTEST_MAIN(RaceNightTest)
#include "race_night_test.moc"
