#include <sqlite3.h>

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <filesystem>
#include <string>

#include "distance_ui/club_file.h"

namespace {

constexpr char kWriterArgument[] = "--add-lofts-until-killed";

club::Row NumberedLoft(int number) {
    return {.id = 0,
            .cells = {"Member " + std::to_string(number), "Loft " + std::to_string(number),
                      "52 " + std::to_string(number % 60) + " 0 N", "1 30 0 W"}};
}

// The child the kill test stops: adds lofts one change at a time and says each one made.
int AddLoftsUntilKilled(const char* path) {
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
    QCOMPARE(sqlite3_open(path.string().c_str(), &database), SQLITE_OK);
    QCOMPARE(sqlite3_exec(database, sql, nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(database);
}

QByteArray Bytes(const std::filesystem::path& path) {
    QFile file(QString::fromStdString(path.string()));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

std::filesystem::path MakeClub(const QTemporaryDir& folder, int lofts) {
    const std::filesystem::path path = folder.filePath("club.club").toStdString();
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
        writer.start(QCoreApplication::applicationFilePath(),
                     {kWriterArgument, QString::fromStdString(path.string())});
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
        const std::filesystem::path copy = folder.filePath("copy.club").toStdString();
        {
            QFile earlier(QString::fromStdString(copy.string()));
            QVERIFY(earlier.open(QIODevice::WriteOnly));
            earlier.write("an older copy, replaced");
        }

        const club::WriteProblem problem = club.file->SaveCopy(copy);

        QVERIFY2(!problem, problem ? problem->c_str() : "");
        club::Opening copied = club::ClubFile::Open(copy);
        QVERIFY2(copied.file, copied.problem.c_str());
        QCOMPARE(copied.file->Rows(club::List::Lofts), club.file->Rows(club::List::Lofts));
        QVERIFY(!std::filesystem::exists(copy.string() + ".part"));
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
        std::filesystem::path path = folder.filePath("other.club").toStdString();
        if (kind == "csv") {
            QFile file(QString::fromStdString(path.string()));
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
            QFile file(QString::fromStdString(path.string()));
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
        QVERIFY(!std::filesystem::exists(path.string() + "-journal"));
    }
};

int main(int argc, char* argv[]) {
    if (argc == 3 && std::string(argv[1]) == kWriterArgument) return AddLoftsUntilKilled(argv[2]);
    QCoreApplication application(argc, argv);
    ClubFileTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "club_file_test.moc"
