#include <sqlite3.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "club/club_file.h"
#include "club/club_problem.h"
#include "club/distance_export.h"

namespace {

constexpr char kWriterArgument[] = "--add-lofts-until-killed";

club::Loft NumberedLoft(int number) {
    return {.id = 0,
            .member = "Member " + std::to_string(number),
            .loft = "Loft " + std::to_string(number),
            .latitude = "52 " + std::to_string(number % 60) + " 0 N",
            .longitude = "1 30 0 W"};
}

// The texts of a row, without its id: what a secretary sees.
club::Loft Texts(club::Loft loft) {
    loft.id = 0;
    return loft;
}

std::vector<club::Loft> Lofts(const club::ClubFile& file) {
    return file.Read<club::Loft>().rows;
}

const char* Problem(const std::optional<club::ClubProblem>& problem) {
    static std::string text;
    text = problem ? club::ProblemMessage(*problem) : std::string();
    return text.c_str();
}

// Paths pass between Qt and the club file as UTF-16, which Windows' own file names are: a narrow
// std::string there is in the ANSI code page and loses every letter outside it.
std::filesystem::path FilePath(const QString& text) {
    return std::filesystem::path(text.toStdU16String());
}

QString PathText(const std::filesystem::path& path) {
    return QString::fromStdU16String(path.u16string());
}

std::filesystem::path WithSuffix(std::filesystem::path path, const char* suffix) {
    return path += suffix;
}

// The child the kill test stops: adds lofts one change at a time and says each one made.
int AddLoftsUntilKilled(const std::filesystem::path& path) {
    club::Opening opening = club::ClubFile::Open(path);
    if (!opening.file) return 2;
    for (int number = 1;; ++number) {
        std::vector<club::Loft> rows{NumberedLoft(number)};
        if (opening.file->Insert(rows)) return 3;
        std::printf("%d\n", number);
        std::fflush(stdout);
    }
}

void RunSql(const std::filesystem::path& path, const char* sql) {
    sqlite3* database = nullptr;
    // SQLite takes file names in UTF-8 on every system.
    const std::u8string name = path.u8string();
    QCOMPARE(sqlite3_open(reinterpret_cast<const char*>(name.c_str()), &database), SQLITE_OK);
    QCOMPARE(sqlite3_exec(database, sql, nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(database);
}

QByteArray Bytes(const std::filesystem::path& path) {
    QFile file(PathText(path));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

std::filesystem::path MakeClub(const QTemporaryDir& folder, int lofts) {
    const std::filesystem::path path = FilePath(folder.filePath("club.club"));
    club::Opening opening = club::ClubFile::Create(path);
    if (!opening.file) return {};
    std::vector<club::Loft> rows;
    for (int number = 1; number <= lofts; ++number) rows.push_back(NumberedLoft(number));
    if (opening.file->Insert(rows)) return {};
    return path;
}

}  // namespace

class ClubFileTest : public QObject {
    Q_OBJECT

  private slots:
    void keepsEveryChangeMadeBeforeTheProgramIsKilled() {
        QTemporaryDir folder;
        const std::filesystem::path path = MakeClub(folder, 0);
        QVERIFY(!path.empty());

        QProcess writer;
        writer.start(QCoreApplication::applicationFilePath(), {kWriterArgument, PathText(path)});
        QVERIFY(writer.waitForStarted());
        int reported = 0;
        QByteArray output;
        while (reported < 40 && writer.waitForReadyRead(20000)) {
            output += writer.readAllStandardOutput();
            const QList<QByteArray> lines = output.split('\n');
            if (lines.size() >= 2) reported = lines.at(lines.size() - 2).toInt();
        }
        writer.kill();  // SIGKILL: no destructor, no close, perhaps in the middle of a commit
        writer.waitForFinished();
        QVERIFY2(reported >= 40, "the writer did not report its changes");

        club::Opening reopened = club::ClubFile::Open(path);
        QVERIFY2(reopened.file, Problem(reopened.problem));
        const std::vector<club::Loft> rows = Lofts(*reopened.file);
        // Every change reported as made is there, and no change half made.
        QVERIFY(static_cast<int>(rows.size()) >= reported);
        for (std::size_t index = 0; index < rows.size(); ++index) {
            QCOMPARE(Texts(rows[index]), NumberedLoft(static_cast<int>(index) + 1));
        }
    }

    void seesChangesWrittenByAnotherProgram() {
        QTemporaryDir folder;
        const std::filesystem::path path = MakeClub(folder, 1);
        club::Opening mine = club::ClubFile::Open(path);
        club::Opening theirs = club::ClubFile::Open(path);
        QVERIFY(mine.file && theirs.file);
        std::vector<club::Loft> rows{NumberedLoft(2)};

        QVERIFY(!mine.file->Insert(rows));
        QVERIFY(!mine.file->ChangedElsewhere());  // its own change is already shown
        QVERIFY(theirs.file->ChangedElsewhere());
        QVERIFY(!theirs.file->ChangedElsewhere());  // once only
        QCOMPARE(Lofts(*theirs.file).size(), std::size_t{2});
    }

    // Two windows on one club, each with its connection: a change is written only to the row as
    // that window last read it, so neither overwrites nor takes back the other's.
    void twoWindowsNeverOverwriteEachOther() {
        using Loft = club::Loft;
        struct Case {
            const char* name;
            // What the two windows do to the loft both read as "read"; the last change is the
            // one checked.
            std::function<club::WriteProblem(club::ClubFile& a, club::ClubFile& b, Loft read)> act;
            std::optional<club::Problem> refused;
            std::vector<std::string> members_after;
        };
        const auto renamed = [](Loft loft, const char* member) {
            loft.member = member;
            return loft;
        };
        const std::vector<Case> cases{
            {"A undoes its edit after B edited the same loft",
             [&](club::ClubFile& a, club::ClubFile& b, Loft read) {
                 const Loft edited = renamed(read, "A's edit");
                 if (a.Update(read, edited)) return club::WriteProblem{};
                 if (b.Update(edited, renamed(read, "B's edit"))) return club::WriteProblem{};
                 return a.Update(edited, read);
             },
             club::Problem::ChangedElsewhere,
             {"B's edit", "Member 2"}},
            {"A edits a loft B removed",
             [&](club::ClubFile& a, club::ClubFile& b, Loft read) {
                 if (b.Remove(std::span<const Loft>(&read, 1))) return club::WriteProblem{};
                 return a.Update(read, renamed(read, "A's edit"));
             },
             club::Problem::RemovedElsewhere,
             {"Member 2"}},
            {"A deletes a loft B edited",
             [&](club::ClubFile& a, club::ClubFile& b, Loft read) {
                 if (b.Update(read, renamed(read, "B's edit"))) return club::WriteProblem{};
                 return a.Remove(std::span<const Loft>(&read, 1));
             },
             club::Problem::ChangedElsewhere,
             {"B's edit", "Member 2"}},
            {"A undoes deleting the last loft after B added one",
             [&](club::ClubFile& a, club::ClubFile& b, Loft read) {
                 const Loft last = a.Read<Loft>().rows.back();
                 if (a.Remove(std::span<const Loft>(&last, 1))) return club::WriteProblem{};
                 std::vector<Loft> added{renamed(Texts(read), "B's new loft")};
                 if (b.Insert(added)) return club::WriteProblem{};
                 if (added.front().id <= last.id) return club::WriteProblem{{club::Problem::Busy}};
                 std::vector<Loft> back{last};
                 return a.Insert(back);
             },
             std::nullopt,
             {"Member 1", "Member 2", "B's new loft"}},
            {"A redoes adding a loft B deleted and brought back",
             [&](club::ClubFile& a, club::ClubFile& b, Loft read) {
                 if (b.Remove(std::span<const Loft>(&read, 1))) return club::WriteProblem{};
                 std::vector<Loft> back{read};
                 if (b.Insert(back)) return club::WriteProblem{};
                 return a.Insert(back);
             },
             club::Problem::ChangedElsewhere,
             {"Member 1", "Member 2"}},
        };
        for (const Case& test : cases) {
            QTemporaryDir folder;
            const std::filesystem::path path = MakeClub(folder, 2);
            club::Opening a = club::ClubFile::Open(path);
            club::Opening b = club::ClubFile::Open(path);
            QVERIFY(a.file && b.file);
            const Loft read = Lofts(*a.file).front();

            const club::WriteProblem problem = test.act(*a.file, *b.file, read);

            QVERIFY2(problem.has_value() == test.refused.has_value(), test.name);
            if (problem) QVERIFY2(problem->problem == *test.refused, test.name);
            std::vector<std::string> members;
            for (const Loft& loft : Lofts(*b.file)) members.push_back(loft.member);
            QVERIFY2(members == test.members_after, test.name);
        }
    }

    void idsOfDeletedLoftsAreNeverGivenAgain() {
        QTemporaryDir folder;
        const std::filesystem::path path = MakeClub(folder, 3);
        {
            club::Opening club = club::ClubFile::Open(path);
            const club::Loft last = Lofts(*club.file).back();
            QVERIFY(!club.file->Remove(std::span<const club::Loft>(&last, 1)));
        }
        // Not even by another program opening the file afterwards.
        club::Opening club = club::ClubFile::Open(path);
        std::vector<club::Loft> added{NumberedLoft(4)};
        QVERIFY(!club.file->Insert(added));
        QCOMPARE(added.front().id, club::Id{4});
    }

    // Clubs as earlier versions wrote them, committed: format 1 (Race Distances, before ids were
    // kept from reuse: four lofts and two race points, a fifth loft added and deleted) and
    // format 2 (before races: three lofts and a race point, a fourth loft deleted). Each opens
    // with every row and text, a copy of it kept as it was, and races can be kept in it.
    void opensAndUpgradesAClubOfAnEarlierFormat_data() {
        QTest::addColumn<int>("format");
        QTest::addColumn<std::vector<club::Loft>>("lofts");
        QTest::addColumn<std::vector<club::RacePoint>>("race_points");
        QTest::addColumn<club::Id>("deleted");
        const club::Loft whitehouse{1, "A. Whitehouse", "", "52 35 31 N", "2 10 44 W"};
        const club::Loft darby{2, "C. Darby", "Old birds", "52 34 48 N", "2 11 50 W"};
        const club::RacePoint cheltenham{1, "Cheltenham", "51 53 56 N", "2 04 42 W"};
        QTest::newRow("format 1")
            << 1
            << std::vector<club::Loft>{whitehouse,
                                       darby,
                                       {3, "D. Hadley", "", "52 63 05 N", "2 08 21 W"},
                                       {4, "Lef\u00e8vre, \"Top\"", "Young birds", "50.8503",
                                        "4,3517"}}
            << std::vector<club::RacePoint>{cheltenham,
                                            {2, "Foug\u00e8res", "48 21 07 N", "1 12 16 W"}}
            << club::Id{0};
        QTest::newRow("format 2") << 2
                                  << std::vector<club::Loft>{whitehouse,
                                                             darby,
                                                             {3, "Lef\u00e8vre, \"Top\"",
                                                              "Young birds", "50.8503", "4,3517"}}
                                  << std::vector<club::RacePoint>{cheltenham} << club::Id{4};
    }

    void opensAndUpgradesAClubOfAnEarlierFormat() {
        QFETCH(int, format);
        QFETCH(std::vector<club::Loft>, lofts);
        QFETCH(std::vector<club::RacePoint>, race_points);
        QFETCH(club::Id, deleted);
        QTemporaryDir folder;
        const QString committed = QStringLiteral(CLUB_TEST_DATA "/format-%1.club").arg(format);
        const std::filesystem::path path = FilePath(folder.filePath("Our club.club"));
        QVERIFY(QFile::copy(committed, PathText(path)));
        QVERIFY(QFile::setPermissions(PathText(path), QFile::ReadOwner | QFile::WriteOwner));

        club::Opening opening = club::ClubFile::Open(path);

        QVERIFY2(opening.file, Problem(opening.problem));
        const std::filesystem::path kept =
            FilePath(folder.filePath(QStringLiteral("Our club (format %1).club").arg(format)));
        QCOMPARE(opening.file->upgraded_from(), std::optional(kept));
        QCOMPARE(Bytes(kept), Bytes(FilePath(committed)));
        QCOMPARE(Lofts(*opening.file), lofts);
        QCOMPARE(opening.file->Read<club::RacePoint>().rows, race_points);
        // Upgraded: the last loft deleted, its id is not given again, nor one deleted before.
        const club::Loft last = lofts.back();
        QVERIFY(!opening.file->Remove(std::span<const club::Loft>(&last, 1)));
        std::vector<club::Loft> added{NumberedLoft(5)};
        QVERIFY(!opening.file->Insert(added));
        QVERIFY(added.front().id > std::max(last.id, deleted));
        std::vector<club::Race> races{{0, 1, "Cheltenham YB", "2026-05-09 07:15", "", ""}};
        QVERIFY(!opening.file->Insert(races));
        opening.file.reset();
        // Once only: opened again, it is already up to date and no second copy is made.
        club::Opening again = club::ClubFile::Open(path);
        QVERIFY2(again.file, Problem(again.problem));
        QVERIFY(!again.file->upgraded_from());
        QCOMPARE(again.file->Read<club::Race>().rows.size(), std::size_t{1});
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files).size(), 2);
    }

    // The distance table in each form a spreadsheet reads, as a European or an English
    // spreadsheet opens it: member and loft apart, each figure a number of its own.
    void distancesExportedInBothSpreadsheetForms() {
        const std::vector<club::Located<club::Loft>> lofts{
            {{1, "Lef\u00e8vre, E; fils", "Top", "", ""},
             {52 + 34 / 60.0 + 20 / 3600.0, -(14 / 60.0 + 30 / 3600.0)}}};
        const std::vector<club::Located<club::RacePoint>> race_points{
            {{1, "Stoke", "", ""}, {53 + 14 / 3600.0, -(2 + 10 / 60.0 + 47 / 3600.0)}}};
        const struct {
            club::SpreadsheetForm form;
            std::string expected;
        } cases[] = {
            {club::kCommasAndPoints,
             "\xEF\xBB\xBFmember,loft,race point,miles,yards,kilometres,bearing\r\n"
             "\"Lef\u00e8vre, E; fils\",Top,Stoke,86,971,139.291,109.4\r\n"},
            {club::kSemicolonsAndCommas,
             "\xEF\xBB\xBFmember;loft;race point;miles;yards;kilometres;bearing\r\n"
             "\"Lef\u00e8vre, E; fils\";Top;Stoke;86;971;139,291;109,4\r\n"},
        };
        for (const auto& test : cases) {
            QCOMPARE(club::DistanceSpreadsheet(lofts, race_points, test.form), test.expected);
        }
    }

    void aCopyTakenWhileOpenHoldsTheWholeClub() {
        QTemporaryDir folder;
        const std::filesystem::path path = MakeClub(folder, 120);
        QVERIFY(!path.empty());
        club::Opening club = club::ClubFile::Open(path);
        QVERIFY(club.file);
        const std::filesystem::path copy = FilePath(folder.filePath("copy.club"));
        {
            QFile earlier(PathText(copy));
            QVERIFY(earlier.open(QIODevice::WriteOnly));
            earlier.write("an older copy, replaced");
        }

        const club::WriteProblem problem = club.file->SaveCopy(copy);

        QVERIFY2(!problem, Problem(problem));
        club::Opening copied = club::ClubFile::Open(copy);
        QVERIFY2(copied.file, Problem(copied.problem));
        QCOMPARE(Lofts(*copied.file), Lofts(*club.file));
        QVERIFY(!std::filesystem::exists(WithSuffix(copy, ".part")));
    }

    void refusesWithoutWriting_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<club::Problem>("problem");
        QTest::newRow("spreadsheet") << "csv" << club::Problem::NotAClubFile;
        QTest::newRow("another program's database") << "foreign" << club::Problem::NotAClubFile;
        QTest::newRow("newer format") << "newer" << club::Problem::NewerFormat;
        QTest::newRow("damaged") << "damaged" << club::Problem::Damaged;
    }

    void refusesWithoutWriting() {
        QFETCH(QString, kind);
        QFETCH(club::Problem, problem);
        QTemporaryDir folder;
        std::filesystem::path path = FilePath(folder.filePath("other.club"));
        if (kind == "csv") {
            QFile file(PathText(path));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("name,latitude,longitude\nDover,51 7 48 N,1 18 48 E\n");
        } else if (kind == "foreign") {
            RunSql(path,
                   "PRAGMA application_id = 1234; CREATE TABLE lofts(id INTEGER PRIMARY KEY);");
        } else if (kind == "newer") {
            path = MakeClub(folder, 3);
            RunSql(path,
                   ("PRAGMA user_version = " + std::to_string(club::kFormatVersion + 1)).c_str());
        } else {
            path = MakeClub(folder, 300);
            // Garbage over the middle of the table's pages, as a failing disk leaves it.
            QFile file(PathText(path));
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.size() > 3 * 4096);
            file.seek(2 * 4096);
            file.write(QByteArray(4096, '\x55'));
        }
        const QByteArray before = Bytes(path);

        const club::Opening opening = club::ClubFile::Open(path);

        QVERIFY(!opening.file);
        QVERIFY(opening.problem);
        QCOMPARE(opening.problem->problem, problem);
        QCOMPARE(Bytes(path), before);
        QVERIFY(!std::filesystem::exists(WithSuffix(path, "-journal")));
    }

    void keepsAClubWhoseNameHasLettersBeyondEnglish() {
        QTemporaryDir folder;
        // Letters outside any one ANSI code page, so that no narrow file name can hold them all.
        const QString name = QString::fromUtf8("Kołobrzeg Ærø Σπάρτη/Śródmieście.club");
        QVERIFY(QDir(folder.path()).mkpath(QFileInfo(name).path()));
        const std::filesystem::path path = FilePath(folder.filePath(name));
        {
            club::Opening made = club::ClubFile::Create(path);
            QVERIFY2(made.file, Problem(made.problem));
            std::vector<club::Loft> rows{NumberedLoft(1)};
            QVERIFY(!made.file->Insert(rows));
        }

        // The file is where the name says, not under a name mangled on the way to SQLite.
        QVERIFY(QFileInfo(folder.filePath(name)).size() > 0);
        QCOMPARE(QDir(folder.filePath(QFileInfo(name).path())).entryList(QDir::Files),
                 QStringList{QFileInfo(name).fileName()});
        club::Opening opened = club::ClubFile::Open(path);
        QVERIFY2(opened.file, Problem(opened.problem));
        QCOMPARE(Lofts(*opened.file).size(), std::size_t{1});
    }
};

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    // Qt's arguments, not argv: on Windows argv is in the ANSI code page.
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 3 && arguments.at(1) == kWriterArgument) {
        return AddLoftsUntilKilled(FilePath(arguments.at(2)));
    }
    ClubFileTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "club_file_test.moc"
