#include "club/club_file.h"

#include <sqlite3.h>

#include <array>
#include <string_view>
#include <system_error>
#include <type_traits>
#include <utility>

namespace club {
namespace {

// "RDcl" in the header's application id field: how the program tells its own files from every
// other SQLite database a secretary might pick by mistake.
constexpr int kApplicationId = 0x5244636c;
// How long a change waits for another program holding the same file before it is refused.
constexpr int kBusyMilliseconds = 5000;

// The tables as this version lays them out. AUTOINCREMENT: SQLite then never gives a new row the
// id of one deleted, which a plain rowid may.
constexpr std::string_view kPlaceTables = R"(
CREATE TABLE lofts(
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    member TEXT NOT NULL,
    loft TEXT NOT NULL,
    latitude TEXT NOT NULL,
    longitude TEXT NOT NULL);
CREATE TABLE race_points(
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    name TEXT NOT NULL,
    latitude TEXT NOT NULL,
    longitude TEXT NOT NULL);
)";
// The season's races, each loft's clock in a race and every bird clocked, pointing at the lofts
// and race points by their ids. A race point of 0 is one not picked yet; darkness texts both empty
// are a race with no hours of darkness.
constexpr std::string_view kRaceTables = R"(
CREATE TABLE races(
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    race_point INTEGER NOT NULL,
    name TEXT NOT NULL,
    liberation TEXT NOT NULL,
    darkness_evening TEXT NOT NULL,
    darkness_morning TEXT NOT NULL);
CREATE TABLE clocks(
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    race INTEGER NOT NULL,
    loft INTEGER NOT NULL,
    clock_set TEXT NOT NULL,
    master_set TEXT NOT NULL,
    clock_check TEXT NOT NULL,
    master_check TEXT NOT NULL);
CREATE TABLE clockings(
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    race INTEGER NOT NULL,
    loft INTEGER NOT NULL,
    ring TEXT NOT NULL,
    clocked TEXT NOT NULL);
CREATE INDEX clocks_of_race ON clocks(race);
CREATE INDEX clockings_of_race ON clockings(race);
CREATE INDEX clockings_of_loft ON clockings(loft);
)";

// Each step brings a club of the format before it up to the next, inside the upgrade's one
// transaction; the step for format N is kUpgrades[N - 1].
constexpr std::array<std::string_view, kFormatVersion - 1> kUpgrades{
    // 1 to 2: ids never reused. The rows keep their ids; the sequence starts past the largest.
    // The tables as format 2 made them, written out rather than taken from kPlaceTables: a later
    // format that changes those must not change what this step did.
    R"(
ALTER TABLE lofts RENAME TO lofts_format_1;
ALTER TABLE race_points RENAME TO race_points_format_1;
CREATE TABLE lofts(
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    member TEXT NOT NULL,
    loft TEXT NOT NULL,
    latitude TEXT NOT NULL,
    longitude TEXT NOT NULL);
CREATE TABLE race_points(
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    name TEXT NOT NULL,
    latitude TEXT NOT NULL,
    longitude TEXT NOT NULL);
INSERT INTO lofts(id, member, loft, latitude, longitude)
    SELECT id, member, loft, latitude, longitude FROM lofts_format_1 ORDER BY id;
INSERT INTO race_points(id, name, latitude, longitude)
    SELECT id, name, latitude, longitude FROM race_points_format_1 ORDER BY id;
DROP TABLE lofts_format_1;
DROP TABLE race_points_format_1;
)",
    // 2 to 3: the season's races, their clocks and clockings.
    kRaceTables,
};

// What SQLite said when a step failed; thrown inside this file only, and turned into a problem
// where a change or an opening ends.
struct SqliteFailure {
    int code = SQLITE_ERROR;
    std::string detail;
};

[[noreturn]] void Fail(sqlite3* database, int code) {
    throw SqliteFailure{code & 0xff, database ? sqlite3_errmsg(database) : sqlite3_errstr(code)};
}

// A row that no longer holds what the window last read: thrown inside a change to undo it whole.
struct Conflict {
    ClubProblem problem;
};

struct StatementFinalizer {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};

class Statement {
  public:
    Statement(sqlite3* database, std::string_view sql) : database_(database) {
        sqlite3_stmt* raw = nullptr;
        const int code =
            sqlite3_prepare_v2(database, sql.data(), static_cast<int>(sql.size()), &raw, nullptr);
        statement_.reset(raw);
        if (code != SQLITE_OK) Fail(database, code);
    }

    void BindText(int index, std::string_view text) {
        Check(sqlite3_bind_text(statement_.get(), index, text.data(), static_cast<int>(text.size()),
                                SQLITE_TRANSIENT));
    }
    void BindInteger(int index, std::int64_t value) {
        Check(sqlite3_bind_int64(statement_.get(), index, value));
    }
    void BindId(int index, Id id) {
        Check(id == 0 ? sqlite3_bind_null(statement_.get(), index)
                      : sqlite3_bind_int64(statement_.get(), index, id));
    }
    // True while there is a row to read.
    bool Step() {
        const int code = sqlite3_step(statement_.get());
        if (code == SQLITE_ROW) return true;
        if (code == SQLITE_DONE) return false;
        Fail(database_, code);
    }
    void Reset() { sqlite3_reset(statement_.get()); }
    std::int64_t Integer(int column) const {
        return sqlite3_column_int64(statement_.get(), column);
    }
    std::string Text(int column) const {
        const auto* text = sqlite3_column_text(statement_.get(), column);
        const int bytes = sqlite3_column_bytes(statement_.get(), column);
        return text ? std::string(reinterpret_cast<const char*>(text), static_cast<size_t>(bytes))
                    : std::string();
    }

  private:
    void Check(int code) const {
        if (code != SQLITE_OK) Fail(database_, code);
    }

    sqlite3* database_;
    std::unique_ptr<sqlite3_stmt, StatementFinalizer> statement_;
};

void Execute(sqlite3* database, std::string_view sql) {
    const std::string text(sql);
    const int code = sqlite3_exec(database, text.c_str(), nullptr, nullptr, nullptr);
    if (code != SQLITE_OK) Fail(database, code);
}

std::int64_t IntegerPragma(sqlite3* database, std::string_view name) {
    Statement pragma(database, "PRAGMA " + std::string(name));
    return pragma.Step() ? pragma.Integer(0) : 0;
}

std::string PathText(const std::filesystem::path& path) {
    const std::u8string utf8 = path.u8string();
    return std::string(utf8.begin(), utf8.end());
}

// Whether a folder takes new files, as SQLite's journal needs: tried, not guessed from bits.
bool FolderWritable(const std::filesystem::path& folder) {
    const std::filesystem::path probe = folder / ".club-write-check";
    bool writable = false;
    {
        sqlite3* raw = nullptr;
        const int code = sqlite3_open_v2(PathText(probe).c_str(), &raw,
                                         SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        const Database database(raw);
        writable = code == SQLITE_OK && sqlite3_exec(raw, "CREATE TABLE IF NOT EXISTS t(x)",
                                                     nullptr, nullptr, nullptr) == SQLITE_OK;
    }
    // Closed first: Windows removes no file that is open.
    std::error_code error;
    std::filesystem::remove(probe, error);
    return writable;
}

ClubProblem WriteFailure(const SqliteFailure& failure, const std::filesystem::path& path) {
    switch (failure.code) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return {Problem::Busy};
        case SQLITE_READONLY:
        case SQLITE_PERM:
        case SQLITE_CANTOPEN:
            return {FolderWritable(path.parent_path()) ? Problem::FileReadOnly
                                                       : Problem::FolderReadOnly};
        case SQLITE_FULL:
            return {Problem::DiskFull};
        default:
            return {Problem::CouldNotWrite, failure.detail};
    }
}

// A record's columns in the file after its id: the ids it refers to, then its texts.
template <typename Record>
std::vector<std::string_view> FieldNames() {
    std::vector<std::string_view> names;
    for (const auto& reference : ListOf<Record>::kReferences) names.push_back(reference.name);
    for (const auto& column : ListOf<Record>::kColumns) names.push_back(column.name);
    return names;
}

template <typename Record>
int FieldCount() {
    return static_cast<int>(ListOf<Record>::kReferences.size() + ListOf<Record>::kColumns.size());
}

template <typename Record>
std::string ColumnList(std::string_view first) {
    std::string list(first);
    for (const std::string_view name : FieldNames<Record>()) {
        if (!list.empty()) list += ", ";
        list += name;
    }
    return list;
}

// "WHERE id = ?1 AND member = ?2 AND ...": the row as the window last read it.
template <typename Record>
std::string WhereUnchanged() {
    std::string where = " WHERE id = ?1";
    int index = 2;
    for (const std::string_view name : FieldNames<Record>()) {
        where += " AND " + std::string(name) + " = ?" + std::to_string(index++);
    }
    return where;
}

// Binds a record's fields from the given parameter on, in the description's order.
template <typename Record>
void BindFields(Statement& statement, const Record& record, int first) {
    for (const auto& reference : ListOf<Record>::kReferences) {
        statement.BindInteger(first++, record.*reference.id);
    }
    for (const auto& column : ListOf<Record>::kColumns) {
        statement.BindText(first++, record.*column.text);
    }
}

template <typename Record>
void ReadFields(const Statement& statement, Record& record, int first) {
    for (const auto& reference : ListOf<Record>::kReferences) {
        record.*reference.id = statement.Integer(first++);
    }
    for (const auto& column : ListOf<Record>::kColumns) {
        record.*column.text = statement.Text(first++);
    }
}

template <typename Record>
bool RowExists(sqlite3* database, Id id) {
    Statement select(database,
                     "SELECT 1 FROM " + std::string(ListOf<Record>::kTable) + " WHERE id = ?1");
    select.BindId(1, id);
    return select.Step();
}

// Why a row did not match: removed, or changed by another window.
template <typename Record>
Conflict ConflictOver(sqlite3* database, const Record& record) {
    return {ClubProblem{RowExists<Record>(database, record.id) ? Problem::ChangedElsewhere
                                                               : Problem::RemovedElsewhere,
                        NameOf(record)}};
}

Database OpenDatabase(const std::filesystem::path& path, int flags) {
    sqlite3* raw = nullptr;
    const int code = sqlite3_open_v2(PathText(path).c_str(), &raw, flags, nullptr);
    Database database(raw);
    if (code != SQLITE_OK) Fail(raw, code);
    sqlite3_busy_timeout(raw, kBusyMilliseconds);
    // The journal stays beside the file until the change is on the disk, and each commit waits
    // for the disk: a change reported as made survives the machine stopping.
    Execute(raw, "PRAGMA synchronous = FULL");
    return database;
}

// A consistent copy of an open database, written under another name and renamed when complete,
// so that a copy cut short never takes the place of a file that was there.
void CopyDatabase(sqlite3* source, const std::filesystem::path& copy) {
    std::filesystem::path partial = copy;
    partial += ".part";
    std::error_code error;
    std::filesystem::remove(partial, error);
    try {
        Database target = OpenDatabase(partial, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        sqlite3_backup* backup = sqlite3_backup_init(target.get(), "main", source, "main");
        if (backup == nullptr) Fail(target.get(), sqlite3_errcode(target.get()));
        const int stepped = sqlite3_backup_step(backup, -1);
        const int finished = sqlite3_backup_finish(backup);
        if (stepped != SQLITE_DONE) Fail(target.get(), stepped);
        if (finished != SQLITE_OK) Fail(target.get(), finished);
    } catch (const SqliteFailure&) {
        std::filesystem::remove(partial, error);
        throw;
    }
    std::filesystem::rename(partial, copy, error);
    if (error) {
        std::filesystem::remove(partial, error);
        throw Conflict{ClubProblem{Problem::CopyNotNamed, PathText(copy.filename())}};
    }
}

// The file's own bytes copied, under another name until complete. Taken while this connection
// holds the write lock, so that no other program is half way through a change.
std::optional<std::string> CopyBytes(const std::filesystem::path& from,
                                     const std::filesystem::path& to) {
    std::filesystem::path partial = to;
    partial += ".part";
    std::error_code error;
    std::filesystem::remove(partial, error);
    std::filesystem::copy_file(from, partial, error);
    if (!error) std::filesystem::rename(partial, to, error);
    if (!error) return std::nullopt;
    std::error_code ignored;
    std::filesystem::remove(partial, ignored);
    return error.message();
}

// Brings a club of an earlier format up to this one: a copy of it kept first, byte for byte,
// then every step in one transaction, so the file is either as it was or wholly upgraded.
std::optional<ClubProblem> Upgrade(sqlite3* database, const std::filesystem::path& path, int format,
                                   std::filesystem::path& kept) {
    // A copy kept from an earlier upgrade is never written over.
    std::filesystem::path copy = UpgradeCopyPath(path, format);
    std::error_code error;
    for (int number = 2; std::filesystem::exists(copy, error); ++number) {
        copy = UpgradeCopyPath(path, format);
        copy.replace_filename(copy.stem().u8string() + u8" " +
                              std::filesystem::path(std::to_string(number)).u8string() +
                              copy.extension().u8string());
    }
    try {
        Execute(database, "BEGIN IMMEDIATE");
    } catch (const SqliteFailure& failure) {
        return ClubProblem{Problem::UpgradeFailed, failure.detail};
    }
    if (const std::optional<std::string> failed = CopyBytes(path, copy)) {
        sqlite3_exec(database, "ROLLBACK", nullptr, nullptr, nullptr);
        return ClubProblem{Problem::UpgradeCopyFailed, *failed};
    }
    try {
        for (int step = format; step < kFormatVersion; ++step) {
            Execute(database, kUpgrades[static_cast<std::size_t>(step) - 1]);
        }
        Execute(database, "PRAGMA user_version = " + std::to_string(kFormatVersion));
        Execute(database, "COMMIT");
    } catch (const SqliteFailure& failure) {
        sqlite3_exec(database, "ROLLBACK", nullptr, nullptr, nullptr);
        return ClubProblem{Problem::UpgradeFailed, failure.detail};
    }
    kept = copy;
    return std::nullopt;
}

}  // namespace

void DatabaseCloser::operator()(sqlite3* database) const {
    sqlite3_close_v2(database);
}

std::filesystem::path UpgradeCopyPath(const std::filesystem::path& path, int format) {
    std::filesystem::path copy = path;
    copy.replace_filename(path.stem().u8string() + u8" (format " +
                          std::filesystem::path(std::to_string(format)).u8string() + u8")" +
                          path.extension().u8string());
    return copy;
}

ClubFile::ClubFile(Database database, std::filesystem::path path)
    : database_(std::move(database)), path_(std::move(path)), data_version_(DataVersion()) {}

std::optional<Problem> ClubFile::WhyReadOnly() const {
    if (sqlite3_db_readonly(database_.get(), "main") == 1) return Problem::FileReadOnly;
    if (!FolderWritable(path_.parent_path())) return Problem::FolderReadOnly;
    return std::nullopt;
}

std::int64_t ClubFile::DataVersion() const {
    try {
        return IntegerPragma(database_.get(), "data_version");
    } catch (const SqliteFailure&) {
        return data_version_;
    }
}

bool ClubFile::ChangedElsewhere() {
    const std::int64_t version = DataVersion();
    const bool changed = version != data_version_;
    data_version_ = version;
    return changed;
}

Opening ClubFile::Open(const std::filesystem::path& path) {
    const std::string name = PathText(path.filename());
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return {.file = std::nullopt, .problem = ClubProblem{Problem::NoSuchFile, name}};
    }
    const ClubProblem not_club{Problem::NotAClubFile, name};
    try {
        Database database = OpenDatabase(path, SQLITE_OPEN_READWRITE);
        // Only the header and the schema are read before the file is known to be a club's own.
        if (IntegerPragma(database.get(), "application_id") != kApplicationId) {
            return {.file = std::nullopt, .problem = not_club};
        }
        const std::int64_t version = IntegerPragma(database.get(), "user_version");
        if (version > kFormatVersion) {
            return {.file = std::nullopt, .problem = ClubProblem{Problem::NewerFormat, name}};
        }
        bool sound = false;
        {
            Statement check(database.get(), "PRAGMA quick_check");
            sound = check.Step() && check.Text(0) == "ok";
        }
        if (!sound || version < 1) {
            return {.file = std::nullopt, .problem = ClubProblem{Problem::Damaged, name}};
        }
        std::optional<std::filesystem::path> upgraded_from;
        if (version < kFormatVersion) {
            std::filesystem::path kept;
            if (auto problem = Upgrade(database.get(), path, static_cast<int>(version), kept)) {
                return {.file = std::nullopt, .problem = std::move(problem)};
            }
            upgraded_from = std::move(kept);
        }
        ClubFile file(std::move(database), path);
        file.upgraded_from_ = std::move(upgraded_from);
        return {.file = std::move(file), .problem = std::nullopt};
    } catch (const SqliteFailure& failure) {
        if (failure.code == SQLITE_NOTADB) return {.file = std::nullopt, .problem = not_club};
        if (failure.code == SQLITE_CORRUPT) {
            return {.file = std::nullopt, .problem = ClubProblem{Problem::Damaged, name}};
        }
        return {.file = std::nullopt,
                .problem = ClubProblem{Problem::CouldNotOpen, name + ": " + failure.detail}};
    }
}

Opening ClubFile::Create(const std::filesystem::path& path) {
    const std::string name = PathText(path.filename());
    std::error_code error;
    if (std::filesystem::exists(path, error)) {
        return {.file = std::nullopt, .problem = ClubProblem{Problem::AlreadyThere, name}};
    }
    try {
        Database database = OpenDatabase(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        // The id, the version and the tables in one transaction: a file cut short while being
        // made is an empty database, which Open refuses as no club file.
        Execute(database.get(), "BEGIN IMMEDIATE");
        Execute(database.get(), "PRAGMA application_id = " + std::to_string(kApplicationId));
        Execute(database.get(), "PRAGMA user_version = " + std::to_string(kFormatVersion));
        Execute(database.get(), kPlaceTables);
        Execute(database.get(), kRaceTables);
        Execute(database.get(), "COMMIT");
        return {.file = ClubFile(std::move(database), path), .problem = std::nullopt};
    } catch (const SqliteFailure& failure) {
        std::filesystem::remove(path, error);
        return {.file = std::nullopt,
                .problem = ClubProblem{Problem::CouldNotMake, name + ": " + failure.detail}};
    }
}

// The rows of a table in the order they were added: all of them, or those of one race.
template <typename Record>
Rows<Record> SelectRows(sqlite3* database, std::optional<Id> race) {
    Rows<Record> read;
    try {
        Statement select(database, "SELECT " + ColumnList<Record>("id") + " FROM " +
                                       std::string(ListOf<Record>::kTable) +
                                       (race ? " WHERE race = ?1" : "") + " ORDER BY id");
        if (race) select.BindId(1, *race);
        while (select.Step()) {
            Record record;
            record.id = select.Integer(0);
            ReadFields(select, record, 1);
            read.rows.push_back(std::move(record));
        }
    } catch (const SqliteFailure& failure) {
        // Never a list cut short without a word: the caller keeps what it showed and says so.
        read.rows.clear();
        read.problem = ClubProblem{Problem::CouldNotRead, failure.detail};
    }
    return read;
}

template <typename Record>
Rows<Record> ClubFile::Read() const {
    return SelectRows<Record>(database_.get(), std::nullopt);
}

template <typename Record>
Rows<Record> ClubFile::ReadOfRace(Id race) const {
    return SelectRows<Record>(database_.get(), race);
}

template <typename Change>
WriteProblem ClubFile::InTransaction(Change&& change) {
    sqlite3* database = database_.get();
    try {
        // IMMEDIATE takes the write lock first, so a second program is refused before the change
        // is half made rather than at its commit.
        Execute(database, "BEGIN IMMEDIATE");
    } catch (const SqliteFailure& failure) {
        return WriteFailure(failure, path_);
    }
    try {
        change();
        Execute(database, "COMMIT");
        return std::nullopt;
    } catch (const SqliteFailure& failure) {
        sqlite3_exec(database, "ROLLBACK", nullptr, nullptr, nullptr);
        return WriteFailure(failure, path_);
    } catch (const Conflict& conflict) {
        sqlite3_exec(database, "ROLLBACK", nullptr, nullptr, nullptr);
        return conflict.problem;
    }
}

template <typename Record>
WriteProblem ClubFile::Insert(std::vector<Record>& rows) {
    std::vector<Id> ids;
    const WriteProblem problem = InTransaction([&] {
        std::string values = "?1";
        for (int index = 0; index < FieldCount<Record>(); ++index) {
            values += ", ?" + std::to_string(index + 2);
        }
        Statement insert(database_.get(), "INSERT INTO " + std::string(ListOf<Record>::kTable) +
                                              "(" + ColumnList<Record>("id") + ") VALUES(" +
                                              values + ")");
        for (const Record& row : rows) {
            // A row brought back under its id whose id is taken again was never deleted here:
            // another window brought it back first.
            if (row.id != 0 && RowExists<Record>(database_.get(), row.id)) {
                throw Conflict{ClubProblem{Problem::ChangedElsewhere, NameOf(row)}};
            }
            insert.BindId(1, row.id);
            BindFields(insert, row, 2);
            insert.Step();
            insert.Reset();
            ids.push_back(sqlite3_last_insert_rowid(database_.get()));
        }
    });
    if (!problem) {
        for (std::size_t index = 0; index < rows.size(); ++index) rows[index].id = ids[index];
    }
    return problem;
}

template <typename Record>
WriteProblem ClubFile::Update(const Record& before, const Record& after) {
    return InTransaction([&] {
        std::string set;
        int index = FieldCount<Record>() + 2;
        for (const std::string_view name : FieldNames<Record>()) {
            if (!set.empty()) set += ", ";
            set += std::string(name) + " = ?" + std::to_string(index++);
        }
        Statement update(database_.get(), "UPDATE " + std::string(ListOf<Record>::kTable) +
                                              " SET " + set + WhereUnchanged<Record>());
        update.BindId(1, before.id);
        BindFields(update, before, 2);
        BindFields(update, after, FieldCount<Record>() + 2);
        update.Step();
        if (sqlite3_changes(database_.get()) == 0) throw ConflictOver(database_.get(), before);
    });
}

// The races that point at a row, by name: a loft with a clock or birds in them, a race point
// they were flown from. Such a row is not deleted, so that no bird is ever left without a loft.
template <typename Record>
static std::vector<std::string> RacesOf(sqlite3* database, Id id) {
    std::string sql;
    if constexpr (std::is_same_v<Record, Loft>) {
        sql =
            "SELECT name FROM races WHERE id IN (SELECT race FROM clocks WHERE loft = ?1 UNION "
            "SELECT race FROM clockings WHERE loft = ?1) ORDER BY id";
    } else if constexpr (std::is_same_v<Record, RacePoint>) {
        sql = "SELECT name FROM races WHERE race_point = ?1 ORDER BY id";
    } else if constexpr (std::is_same_v<Record, Race>) {
        return {};
    } else {
        return {};
    }
    Statement select(database, sql);
    select.BindId(1, id);
    std::vector<std::string> races;
    while (select.Step()) races.push_back(select.Text(0));
    return races;
}

static std::string Listed(const std::vector<std::string>& names) {
    std::string list;
    for (const std::string& name : names) list += (list.empty() ? "" : ", ") + name;
    return list;
}

template <typename Record>
WriteProblem ClubFile::Remove(std::span<const Record> rows) {
    return InTransaction([&] {
        for (const Record& row : rows) {
            if (const std::vector<std::string> races = RacesOf<Record>(database_.get(), row.id);
                !races.empty()) {
                throw Conflict{ClubProblem{Problem::InRaces, NameOf(row) + ": " + Listed(races)}};
            }
        }
        Statement remove(database_.get(), "DELETE FROM " + std::string(ListOf<Record>::kTable) +
                                              WhereUnchanged<Record>());
        for (const Record& row : rows) {
            remove.BindId(1, row.id);
            BindFields(remove, row, 2);
            remove.Step();
            if (sqlite3_changes(database_.get()) == 0) throw ConflictOver(database_.get(), row);
            remove.Reset();
        }
    });
}

std::vector<std::string> ClubFile::RingsClockedBy(Id loft) const {
    std::vector<std::string> rings;
    try {
        Statement select(database_.get(),
                         "SELECT ring FROM clockings WHERE loft = ?1 AND ring <> '' GROUP BY ring "
                         "ORDER BY MAX(id) DESC");
        select.BindInteger(1, loft);
        while (select.Step()) rings.push_back(select.Text(0));
    } catch (const SqliteFailure&) {
        // Only suggestions: a file that cannot be read now says so when the list is read.
        rings.clear();
    }
    return rings;
}

WriteProblem ClubFile::SaveCopy(const std::filesystem::path& copy) const {
    try {
        CopyDatabase(database_.get(), copy);
        return std::nullopt;
    } catch (const SqliteFailure& failure) {
        return WriteFailure(failure, copy);
    } catch (const Conflict& conflict) {
        return conflict.problem;
    }
}

// Every kind of row the club file keeps.
#define CLUB_RECORD(Record)                                                       \
    template Rows<Record> ClubFile::Read<Record>() const;                         \
    template WriteProblem ClubFile::Insert<Record>(std::vector<Record>&);         \
    template WriteProblem ClubFile::Update<Record>(const Record&, const Record&); \
    template WriteProblem ClubFile::Remove<Record>(std::span<const Record>);
CLUB_RECORD(Loft)
CLUB_RECORD(RacePoint)
CLUB_RECORD(Race)
CLUB_RECORD(Clock)
CLUB_RECORD(Clocking)
#undef CLUB_RECORD
template Rows<Clock> ClubFile::ReadOfRace<Clock>(Id) const;
template Rows<Clocking> ClubFile::ReadOfRace<Clocking>(Id) const;

}  // namespace club
