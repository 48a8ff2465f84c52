#include <sqlite3.h>

#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>
#include <filesystem>
#include <string>
#include <vector>

#include "distance/places_csv.h"
#include "club/club_file.h"
#include "club_ui/import_preview.h"
#include "club_ui/list_commands.h"
#include "club_ui/place_list_model.h"

namespace {

// Everything a club file holds, read back through a connection of its own.
struct Contents {
    std::vector<club::Row> lofts;
    std::vector<club::Row> race_points;
    bool operator==(const Contents&) const = default;
};

Contents ReadBack(const std::filesystem::path& path) {
    club::Opening opening = club::ClubFile::Open(path);
    if (!opening.file) return {};
    return {opening.file->Rows(club::List::Lofts), opening.file->Rows(club::List::RacePoints)};
}

club::Row Loft(std::string member, std::string latitude, std::string longitude) {
    return {.id = 0, .cells = {std::move(member), "", std::move(latitude), std::move(longitude)}};
}

}  // namespace

class ClubEditingTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        path_ = folder_.filePath("club.club").toStdU16String();
        std::filesystem::remove(path_);
        club::Opening opening = club::ClubFile::Create(path_);
        QVERIFY2(opening.file, opening.problem.c_str());
        file_ = std::move(opening.file);
    }

    void cleanup() {
        undo_stack_.clear();
        file_.reset();
    }

    void undoAndRedoReturnTheFileToTheSameContents() {
        club_ui::PlaceListModel lofts(club::List::Lofts, undo_stack_);
        club_ui::PlaceListModel race_points(club::List::RacePoints, undo_stack_);
        lofts.ShowClub(&*file_);
        race_points.ShowClub(&*file_);

        std::vector<Contents> after_each{ReadBack(path_)};
        const auto step = [&] { after_each.push_back(ReadBack(path_)); };
        undo_stack_.push(new club_ui::AddRowsCommand(
            lofts, {Loft("A. Barker", "52 34 20.5 N", "1 58 12 W")}, "add"));
        step();
        undo_stack_.push(new club_ui::AddRowsCommand(
            race_points, {{.id = 0, .cells = {"Dover", "51 07 48 N", "1 18 48 E"}}}, "add"));
        step();
        undo_stack_.push(new club_ui::AddRowsCommand(
            lofts, {Loft("B. Cole", "52.5821", "-1.9012"), Loft("C. Dawson", "52 61 20 N", "2 W")},
            "import"));
        step();
        QVERIFY(lofts.setData(lofts.index(0, 1), "Top loft"));
        step();
        QVERIFY(lofts.setData(lofts.index(2, 2), "52 36 20 N"));  // a bad latitude mended
        step();
        undo_stack_.push(new club_ui::DeleteRowsCommand(
            lofts, {lofts.TextsAt(0), lofts.TextsAt(1)}, "delete"));
        step();
        QCOMPARE(undo_stack_.count(), 6);
        QCOMPARE(after_each.back().lofts.size(), std::size_t{1});

        for (int index = undo_stack_.count(); index > 0; --index) {
            undo_stack_.undo();
            QCOMPARE(ReadBack(path_), after_each[static_cast<std::size_t>(index) - 1]);
        }
        QCOMPARE(lofts.rowCount(), 0);
        for (int index = 1; index <= undo_stack_.count(); ++index) {
            undo_stack_.redo();
            QCOMPARE(ReadBack(path_), after_each[static_cast<std::size_t>(index)]);
        }
        // The list shows what the file holds.
        QCOMPARE(lofts.TextsAt(0), after_each.back().lofts.at(0));
    }

    void importAddsNoBadRowAndNothingTwice() {
        club_ui::PlaceListModel race_points(club::List::RacePoints, undo_stack_);
        race_points.ShowClub(&*file_);
        const std::string csv =
            "\xEF\xBB\xBFName;Latitude;Longitude\r\n"
            "Dover;51 07 48 N;1 18 48 E\r\n"
            "Rennes;48 66 00 N;1 40 W\r\n"  // minutes of 66
            "Nantes;47 13 N;\r\n"           // no longitude
            "Tarbes;43,2333;0,0667\r\n"
            "Dover;51 07 48 N;1 18 48 E\r\n";  // the same twice in one file

        for (int import = 1; import <= 2; ++import) {
            const club_ui::ImportPlan plan =
                club_ui::PlanImport(race_points, distance::ReadPlaces(csv));
            QCOMPARE(plan.problems.size(), std::size_t{2});
            QCOMPARE(plan.rows_to_add.size(), import == 1 ? std::size_t{2} : std::size_t{0});
            QCOMPARE(plan.already_present.size(), import == 1 ? std::size_t{1} : std::size_t{3});
            if (!plan.rows_to_add.empty()) {
                undo_stack_.push(
                    new club_ui::AddRowsCommand(race_points, plan.rows_to_add, "import"));
            }
        }
        const std::vector<club::Row> kept = ReadBack(path_).race_points;
        QCOMPARE(kept.size(), std::size_t{2});
        QCOMPARE(kept[0].cells, (std::vector<std::string>{"Dover", "51 07 48 N", "1 18 48 E"}));
        QCOMPARE(kept[1].cells, (std::vector<std::string>{"Tarbes", "43,2333", "0,0667"}));
        for (int row = 0; row < race_points.rowCount(); ++row) {
            QVERIFY(race_points.PositionAt(row).has_value());
        }
    }

    void coordinateKeptAsTypedAndShownInOneForm_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("marked");
        QTest::newRow("decimal degrees") << "52.5"
                                         << "52°30'00.0\"N" << false;
        QTest::newRow("degrees and minutes") << "N 52 34.5"
                                             << "52°34'30.0\"N" << false;
        QTest::newRow("minutes of 61") << "52 61 20 N"
                                       << "52 61 20 N" << true;
        QTest::newRow("east on a latitude") << "52 30 E"
                                            << "52 30 E" << true;
    }

    void coordinateKeptAsTypedAndShownInOneForm() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(bool, marked);
        club_ui::PlaceListModel lofts(club::List::Lofts, undo_stack_);
        lofts.ShowClub(&*file_);
        undo_stack_.push(new club_ui::AddRowsCommand(
            lofts, {Loft("A. Barker", "52 0 0 N", "1 30 0 W")}, "add"));
        const QModelIndex latitude = lofts.index(0, club::LatitudeColumn(club::List::Lofts));

        QVERIFY(lofts.setData(latitude, typed));

        QCOMPARE(ReadBack(path_).lofts.at(0).cells.at(2), typed.toStdString());
        QCOMPARE(latitude.data(Qt::EditRole).toString(), typed);
        QCOMPARE(latitude.data(Qt::DisplayRole).toString(), shown);
        QCOMPARE(latitude.data(Qt::BackgroundRole).isValid(), marked);
        QCOMPARE(lofts.PositionAt(0).has_value(), !marked);
        if (marked) QVERIFY(!latitude.data(Qt::ToolTipRole).toString().isEmpty());
    }

    void aChangeTheFileRefusesIsNeitherShownNorKept() {
        club_ui::PlaceListModel lofts(club::List::Lofts, undo_stack_);
        lofts.ShowClub(&*file_);
        QStringList reported;
        connect(&lofts, &club_ui::PlaceListModel::WriteFailed, this,
                [&reported](const QString& message) { reported << message; });
        // Another program in the middle of a change of its own, for longer than a change waits.
        sqlite3* other = nullptr;
        const std::u8string name = path_.u8string();  // SQLite's file names are UTF-8
        QCOMPARE(sqlite3_open(reinterpret_cast<const char*>(name.c_str()), &other), SQLITE_OK);
        QCOMPARE(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);

        undo_stack_.push(new club_ui::AddRowsCommand(
            lofts, {Loft("A. Barker", "52 0 0 N", "1 30 0 W")}, "add"));

        sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(other);
        QCOMPARE(lofts.rowCount(), 0);
        QCOMPARE(undo_stack_.count(), 0);
        QCOMPARE(reported.size(), 1);
        QVERIFY2(reported.front().contains("busy"), qPrintable(reported.front()));
        QVERIFY(ReadBack(path_).lofts.empty());
    }

  private:
    QTemporaryDir folder_;
    std::filesystem::path path_;
    std::optional<club::ClubFile> file_;
    QUndoStack undo_stack_;
};

QTEST_MAIN(ClubEditingTest)
#include "club_editing_test.moc"
