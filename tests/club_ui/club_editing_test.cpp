#include <sqlite3.h>

#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <string>
#include <vector>

#include "club/club_file.h"
#include "club/place_import.h"
#include "club_ui/club_document.h"
#include "club_ui/import_preview.h"
#include "club_ui/recent_clubs.h"

namespace {

// Everything a club file holds, read back through a connection of its own.
struct Contents {
    std::vector<club::Loft> lofts;
    std::vector<club::RacePoint> race_points;
    bool operator==(const Contents&) const = default;
};

Contents ReadBack(const QString& path) {
    club::Opening opening = club::ClubFile::Open(path.toStdU16String());
    if (!opening.file) return {};
    return {opening.file->Read<club::Loft>().rows, opening.file->Read<club::RacePoint>().rows};
}

club::Loft Loft(std::string member, std::string latitude, std::string longitude) {
    return {0, std::move(member), "", std::move(latitude), std::move(longitude)};
}

// Another program's connection to the club, for what a window cannot do to it.
void RunSql(const QString& path, const char* sql) {
    sqlite3* other = nullptr;
    const QByteArray name = path.toUtf8();  // SQLite's file names are UTF-8
    QCOMPARE(sqlite3_open(name.constData(), &other), SQLITE_OK);
    QCOMPARE(sqlite3_exec(other, sql, nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(other);
}

// The problems a document reported, by code.
struct Reported {
    explicit Reported(club_ui::ClubDocument& document) {
        QObject::connect(
            &document, &club_ui::ClubDocument::ProblemReported, &document,
            [this](const club::ClubProblem& problem) { codes.push_back(problem.problem); });
    }
    std::vector<club::Problem> codes;
};

}  // namespace

class ClubEditingTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init() {
        path_ = folder_.filePath("club.club");
        QFile::remove(path_);
        QVERIFY(club::ClubFile::Create(path_.toStdU16String()).file);
    }

    void undoAndRedoReturnTheFileToTheSameContents() {
        club_ui::ClubDocument document;
        QVERIFY(document.Open(path_));
        std::vector<Contents> after_each{ReadBack(path_)};
        const auto step = [&] { after_each.push_back(ReadBack(path_)); };
        QVERIFY(document.Add<club::Loft>({Loft("A. Barker", "52 34 20.5 N", "1 58 12 W")}, "add"));
        step();
        QVERIFY(document.Add<club::RacePoint>({{0, "Dover", "51 07 48 N", "1 18 48 E"}}, "add"));
        step();
        QVERIFY(document.Add<club::Loft>(
            {Loft("B. Cole", "52.5821", "-1.9012"), Loft("C. Dawson", "52 61 20 N", "2 W")},
            "import"));
        step();
        club_ui::LoftList& lofts = document.lofts();
        QVERIFY(lofts.setData(lofts.index(0, 1), "Top loft"));
        step();
        QVERIFY(lofts.setData(lofts.index(2, 2), "52 36 20 N"));  // a bad latitude mended
        step();
        lofts.DeleteRows({0, 1});
        step();
        QCOMPARE(document.undoStack().count(), 6);
        QCOMPARE(after_each.back().lofts.size(), std::size_t{1});

        for (int index = document.undoStack().count(); index > 0; --index) {
            document.undoStack().undo();
            QCOMPARE(ReadBack(path_), after_each[static_cast<std::size_t>(index) - 1]);
        }
        QCOMPARE(lofts.rowCount(), 0);
        for (int index = 1; index <= document.undoStack().count(); ++index) {
            document.undoStack().redo();
            QCOMPARE(ReadBack(path_), after_each[static_cast<std::size_t>(index)]);
        }
        // The list shows what the file holds.
        QCOMPARE(lofts.At(0), after_each.back().lofts.at(0));
    }

    // Two windows on one club: one takes back its edit after the other changed the same loft.
    void undoNeverTakesBackAnotherWindowsChange() {
        {
            std::vector<club::Loft> lofts{Loft("A. Barker", "52 0 0 N", "1 0 0 W")};
            QVERIFY(!club::ClubFile::Open(path_.toStdU16String()).file->Insert(lofts));
        }
        club_ui::ClubDocument a;
        club_ui::ClubDocument b;
        QVERIFY(a.Open(path_) && b.Open(path_));
        Reported reported(a);
        QVERIFY(a.lofts().setData(a.lofts().index(0, 1), "A's loft"));
        b.ReadChangesMadeElsewhere();
        QVERIFY(b.lofts().setData(b.lofts().index(0, 1), "B's loft"));

        a.undoStack().undo();

        QCOMPARE(reported.codes, std::vector{club::Problem::ChangedElsewhere});
        QCOMPARE(ReadBack(path_).lofts.at(0).loft, std::string("B's loft"));
        // A shows the loft as it now is, and its undo step is gone rather than kept to fail again.
        QCOMPARE(a.lofts().At(0).loft, std::string("B's loft"));
        QCOMPARE(a.undoStack().count(), 0);
    }

    void aReadThatFailsIsReportedAndTheListKept() {
        club_ui::ClubDocument document;
        QVERIFY(document.Open(path_));
        QVERIFY(document.Add<club::RacePoint>({{0, "Dover", "51 07 48 N", "1 18 48 E"}}, "add"));
        Reported reported(document);
        RunSql(path_, "DROP TABLE race_points");

        document.ReadChangesMadeElsewhere();

        QCOMPARE(reported.codes, std::vector{club::Problem::CouldNotRead});
        QCOMPARE(document.racePoints().rowCount(), 1);
    }

    void importAddsNoBadRowAndNothingTwice() {
        club_ui::ClubDocument document;
        QVERIFY(document.Open(path_));
        const std::string csv =
            "\xEF\xBB\xBFName;Latitude;Longitude\r\n"
            "Dover;51 07 48 N;1 18 48 E\r\n"
            "Rennes;48 66 00 N;1 40 W\r\n"  // minutes of 66
            "Nantes;47 13 N;\r\n"           // no longitude
            "Tarbes;43,2333;0,0667\r\n"
            "Dover;51 07 48 N;1 18 48 E\r\n";  // the same twice in one file

        for (int import = 1; import <= 2; ++import) {
            const club_ui::ImportPlan<club::RacePoint> plan =
                club_ui::PlanImport(document.racePoints(), club::ReadImport<club::RacePoint>(csv));
            QCOMPARE(plan.bad, 2);
            QCOMPARE(plan.to_add, import == 1 ? 2 : 0);
            QCOMPARE(plan.already_there, import == 1 ? 0 : 2);
            if (plan.to_add > 0) QVERIFY(document.Import(plan.rows_to_add, plan.changes, "import"));
        }
        const std::vector<club::RacePoint> kept = ReadBack(path_).race_points;
        QCOMPARE(kept.size(), std::size_t{2});
        QCOMPARE(kept[0].name, std::string("Dover"));
        QCOMPARE(kept[1].latitude, std::string("43,2333"));
        QCOMPARE(document.Places().race_points.size(), std::size_t{2});
    }

    // A member list as a club keeps it: members with two lofts, a member who moved, one whose
    // position is written as the program writes it.
    void importOfAMemberListChangesAPositionInsteadOfAddingALoft() {
        club_ui::ClubDocument document;
        QVERIFY(document.Open(path_));
        QVERIFY(document.Add<club::Loft>({{0, "A. Barker", "", "52 34 20.5 N", "1 58 12 W"},
                                          {0, "C. Darby", "Old birds", "52 34 48 N", "2 11 50 W"}},
                                         "members"));
        const std::string csv =
            "Member;Loft;Latitude;Longitude\r\n"
            "A. Barker;;52\xC2\xB0"
            "34'20.5\"N;1\xC2\xB0"
            "58'12.0\"W\r\n"                                 // as written back
            "C. Darby;Old birds;52 35 00 N;2 11 50 W\r\n"    // moved
            "C. Darby;Young birds;52 34 51 N;2 11 43 W\r\n"  // a second loft
            "E. Fenn;;52,6012;-2,1589\r\n";
        const int steps_before = document.undoStack().count();

        const club_ui::ImportPlan<club::Loft> plan =
            club_ui::PlanImport(document.lofts(), club::ReadImport<club::Loft>(csv));
        QCOMPARE(plan.bad, 0);
        QCOMPARE(plan.already_there, 1);
        QCOMPARE(plan.to_change, 1);
        QCOMPARE(plan.to_add, 2);
        QVERIFY(document.Import(plan.rows_to_add, plan.changes, "import"));

        const std::vector<club::Loft> lofts = ReadBack(path_).lofts;
        QCOMPARE(lofts.size(), std::size_t{4});
        QCOMPARE(lofts[1].latitude, std::string("52 35 00 N"));  // the same loft, its id kept
        QCOMPARE(lofts[2].loft, std::string("Young birds"));
        QCOMPARE(document.undoStack().count(), steps_before + 1);
        document.undoStack().undo();
        QCOMPARE(ReadBack(path_).lofts.size(), std::size_t{2});
        QCOMPARE(ReadBack(path_).lofts[1].latitude, std::string("52 34 48 N"));
    }

    void coordinateKeptAsTypedAndShownInOneForm_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("marked");
        QTest::addColumn<bool>("noted");  // read, but the clubs' short form would read it otherwise
        QTest::newRow("decimal degrees") << "52.5"
                                         << "52°30'00.0\"N" << false << false;
        QTest::newRow("degrees and minutes") << "N 52 34.5"
                                             << "52°34'30.0\"N" << false << false;
        QTest::newRow("the short form's degrees and minutes") << "52.34"
                                                              << "52°20'24.0\"N" << false << true;
        QTest::newRow("minutes of 61") << "52 61 20 N"
                                       << "52 61 20 N" << true << false;
        QTest::newRow("east on a latitude") << "52 30 E"
                                            << "52 30 E" << true << false;
    }

    void coordinateKeptAsTypedAndShownInOneForm() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(bool, marked);
        QFETCH(bool, noted);
        club_ui::ClubDocument document;
        QVERIFY(document.Open(path_));
        QVERIFY(document.Add<club::Loft>({Loft("A. Barker", "52 0 0 N", "1 30 0 W")}, "add"));
        QVERIFY(document.Add<club::RacePoint>({{0, "Dover", "51 07 48 N", "1 18 48 E"}}, "add"));
        club_ui::LoftList& lofts = document.lofts();
        const QModelIndex latitude = lofts.index(0, 2);

        QVERIFY(lofts.setData(latitude, typed));

        QCOMPARE(ReadBack(path_).lofts.at(0).latitude, typed.toStdString());
        QCOMPARE(latitude.data(Qt::EditRole).toString(), typed);
        QCOMPARE(latitude.data(Qt::DisplayRole).toString(), shown);
        QCOMPARE(latitude.data(Qt::BackgroundRole).isValid(), marked || noted);
        QCOMPARE(latitude.data(Qt::ToolTipRole).toString().contains("52.34.00"), noted);
        // No distance from a coordinate that does not read: not in the table, nor on the sheets.
        QCOMPARE(document.distances().index(0, 0).data().isValid(), !marked);
        const sheets::ClubSheets sheets = document.Sheets();
        QCOMPARE(sheets.lofts.size(), marked ? std::size_t{0} : std::size_t{1});
        QCOMPARE(sheets.lofts_left_off.size(), marked ? std::size_t{1} : std::size_t{0});
        QCOMPARE(document.DistanceCsv(club::kCommasAndPoints).count('\n'), marked ? 1 : 2);
    }

    void aChangeTheFileRefusesIsNeitherShownNorKept() {
        club_ui::ClubDocument document;
        QVERIFY(document.Open(path_));
        Reported reported(document);
        // Another program in the middle of a change of its own, for longer than a change waits.
        sqlite3* other = nullptr;
        QCOMPARE(sqlite3_open(path_.toUtf8().constData(), &other), SQLITE_OK);
        QCOMPARE(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);

        const bool added =
            document.Add<club::Loft>({Loft("A. Barker", "52 0 0 N", "1 30 0 W")}, "add");

        sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(other);
        QVERIFY(!added);
        QCOMPARE(document.lofts().rowCount(), 0);
        QCOMPARE(document.undoStack().count(), 0);
        QCOMPARE(reported.codes, std::vector{club::Problem::Busy});
        QVERIFY(ReadBack(path_).lofts.empty());
    }

    // The clubs Race Distances remembered are the renamed program's on its first start.
    void theRecentClubsOfTheEarlierNameAreTakenOver() {
        QCoreApplication::setApplicationName("Club Secretary tests");
        QSettings(QSettings::UserScope, "Club Secretary tests").clear();
        QSettings(QSettings::UserScope, "Race Distances")
            .setValue("recentClubs", QStringList{path_});

        QCOMPARE(club_ui::RecentClubs::List(), QStringList{path_});
        QSettings(QSettings::UserScope, "Race Distances").clear();
        QCOMPARE(club_ui::RecentClubs::List(), QStringList{path_});
    }

  private:
    QTemporaryDir folder_;
    QString path_;
};

QTEST_MAIN(ClubEditingTest)
#include "club_editing_test.moc"
