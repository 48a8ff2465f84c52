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
#include <string>

#include "club/club_file.h"

namespace {

constexpr char kWriterArgument[] = "--add-lofts-until-killed";

club::Row NumberedLoft(int number) {
    return {.id = 0,
            .cells = {"Member " + std::to_string(number), "Loft " + std::to_string(number),
                      "52 " + std::to_string(number % 60) + " 0 N", "1 30 0 W"}};
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
        std::vector<club::Row> rows{NumberedLoft(number)};
        if (opening.file->Insert(club::List::Lofts, rows)) return 3;
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
    std::vector<club::Row> rows;
    for (int number = 1; number <= lofts; ++number) rows.push_back(NumberedLoft(number));
    if (opening.file->Insert(club::List::Lofts, rows)) return {};
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
        QVERIFY2(reopened.file, reopened.problem.c_str());
        const std::vector<club::Row> rows = reopened.file->Rows(club::List::Lofts);
        // Every change reported as made is there, and no change half made.
        QVERIFY(static_cast<int>(rows.size()) >= reported);
        for (std::size_t index = 0; index < rows.size(); ++index) {
            QCOMPARE(rows[index].cells, NumberedLoft(static_cast<int>(index) + 1).cells);
        }
    }

    void seesChangesWrittenByAnotherProgram() {
        QTemporaryDir folder;
        const std::filesystem::path path = MakeClub(folder, 1);
        club::Opening mine = club::ClubFile::Open(path);
        club::Opening theirs = club::ClubFile::Open(path);
        QVERIFY(mine.file && theirs.file);
        std::vector<club::Row> rows{NumberedLoft(2)};

        QVERIFY(!mine.file->Insert(club::List::Lofts, rows));
        QVERIFY(!mine.file->ChangedElsewhere());  // its own change is already shown
        QVERIFY(theirs.file->ChangedElsewhere());
        QVERIFY(!theirs.file->ChangedElsewhere());  // once only
        QCOMPARE(theirs.file->Rows(club::List::Lofts).size(), std::size_t{2});
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

        QVERIFY2(!problem, problem ? problem->c_str() : "");
        club::Opening copied = club::ClubFile::Open(copy);
        QVERIFY2(copied.file, copied.problem.c_str());
        QCOMPARE(copied.file->Rows(club::List::Lofts), club.file->Rows(club::List::Lofts));
        QVERIFY(!std::filesystem::exists(WithSuffix(copy, ".part")));
    }

    void refusesWithoutWriting_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("spreadsheet") << "csv"
                                     << "is not a club file";
        QTest::newRow("another program's database") << "foreign"
                                                    << "is not a club file";
        QTest::newRow("newer format") << "newer"
                                      << "newer version";
        QTest::newRow("damaged") << "damaged"
                                 << "damaged";
    }

    void refusesWithoutWriting() {
        QFETCH(QString, kind);
        QFETCH(QString, message);
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
            RunSql(path, "PRAGMA user_version = 2");
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
        QVERIFY2(QString::fromStdString(opening.problem).contains(message),
                 opening.problem.c_str());
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
            QVERIFY2(made.file, made.problem.c_str());
            std::vector<club::Row> rows{NumberedLoft(1)};
            QVERIFY(!made.file->Insert(club::List::Lofts, rows));
        }

        // The file is where the name says, not under a name mangled on the way to SQLite.
        QVERIFY(QFileInfo(folder.filePath(name)).size() > 0);
        QCOMPARE(QDir(folder.filePath(QFileInfo(name).path())).entryList(QDir::Files),
                 QStringList{QFileInfo(name).fileName()});
        club::Opening opened = club::ClubFile::Open(path);
        QVERIFY2(opened.file, opened.problem.c_str());
        QCOMPARE(opened.file->Rows(club::List::Lofts).size(), std::size_t{1});
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
