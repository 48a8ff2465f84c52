#include "club/club_file.h"

#include <sqlite3.h>

#include <array>
#include <system_error>
#include <utility>

namespace club {
namespace {

// "RDcl" in the header's application id field: how the program tells its own files from every
// other SQLite database a secretary might pick by mistake.
constexpr int kApplicationId = 0x5244636c;
// The layout of the tables below. A later version that changes it raises this number, and this
// version then refuses the file rather than misreading it.
constexpr int kFormatVersion = 1;
// How long a change waits for another program holding the same file before it is refused.
constexpr int kBusyMilliseconds = 5000;

constexpr std::array<std::string_view, 4> kLoftColumns{"member", "loft", "latitude", "longitude"};
constexpr std::array<std::string_view, 3> kRacePointColumns{"name", "latitude", "longitude"};

constexpr std::string_view kSchema = R"(
CREATE TABLE lofts(
    id INTEGER PRIMARY KEY,
    member TEXT NOT NULL,
    loft TEXT NOT NULL,
    latitude TEXT NOT NULL,
    longitude TEXT NOT NULL);
CREATE TABLE race_points(
    id INTEGER PRIMARY KEY,
    name TEXT NOT NULL,
    latitude TEXT NOT NULL,
    longitude TEXT NOT NULL);
)";

std::string_view TableName(List list) {
    return list == List::Lofts ? "lofts" : "race_points";
}

// What SQLite said when a step failed; thrown inside this file only, and turned into words for
// the secretary where a change or an opening ends.
struct SqliteFailure {
    int code = SQLITE_ERROR;
    std::string detail;
};

[[noreturn]] void Fail(sqlite3* database, int code) {
    throw SqliteFailure{code & 0xff, sqlite3_errmsg(database)};
}

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
    void BindId(int index, std::int64_t id) {
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

// The words a secretary reads when a change could not be written.
std::string WriteMessage(const SqliteFailure& failure) {
    switch (failure.code) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return "Another program kept the club file busy too long. The change was not "
                   "written; try again.";
        case SQLITE_READONLY:
        case SQLITE_PERM:
            return "The club file cannot be written to (it is read-only). The change was not "
                   "written.";
        case SQLITE_FULL:
            return "The disk is full. The change was not written.";
        case SQLITE_CORRUPT:
        case SQLITE_NOTADB:
            return "The club file is damaged. The change was not written.";
        default:
            return "The change could not be written to the club file (" + failure.detail + ").";
    }
}

std::string RowListSql(List list, std::string_view prefix) {
    std::string sql(prefix);
    sql += TableName(list);
    sql += "(id";
    for (const auto column : ColumnNames(list)) {
        sql += ", ";
        sql += column;
    }
    sql += ")";
    return sql;
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

}  // namespace

void DatabaseCloser::operator()(sqlite3* database) const {
    sqlite3_close_v2(database);
}

std::span<const std::string_view> ColumnNames(List list) {
    if (list == List::Lofts) return kLoftColumns;
    return kRacePointColumns;
}
int LatitudeColumn(List list) {
    return static_cast<int>(ColumnNames(list).size()) - 2;
}
int LongitudeColumn(List list) {
    return static_cast<int>(ColumnNames(list).size()) - 1;
}

ClubFile::ClubFile(Database database, std::filesystem::path path)
    : database_(std::move(database)), path_(std::move(path)), data_version_(DataVersion()) {}

bool ClubFile::ReadOnly() const {
    return sqlite3_db_readonly(database_.get(), "main") == 1;
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
        return {.file = std::nullopt, .problem = "There is no club file " + name + "."};
    }
    const std::string not_club = name + " is not a club file.";
    try {
        Database database = OpenDatabase(path, SQLITE_OPEN_READWRITE);
        // Only the header and the schema are read before the file is known to be a club's own.
        if (IntegerPragma(database.get(), "application_id") != kApplicationId) {
            return {.file = std::nullopt, .problem = not_club};
        }
        const std::int64_t version = IntegerPragma(database.get(), "user_version");
        if (version > kFormatVersion) {
            return {.file = std::nullopt,
                    .problem = name +
                               " was written by a newer version of Race Distances. Open it "
                               "with that version; this one leaves it as it is."};
        }
        Statement check(database.get(), "PRAGMA quick_check");
        if (!check.Step() || check.Text(0) != "ok" || version < kFormatVersion) {
            return {.file = std::nullopt,
                    .problem = name +
                               " is damaged and cannot be opened. It is left as it is; open a "
                               "copy saved before, or make a new club."};
        }
        return {.file = ClubFile(std::move(database), path), .problem = {}};
    } catch (const SqliteFailure& failure) {
        if (failure.code == SQLITE_NOTADB) return {.file = std::nullopt, .problem = not_club};
        if (failure.code == SQLITE_CORRUPT) {
            return {.file = std::nullopt, .problem = name + " is damaged and cannot be opened."};
        }
        return {.file = std::nullopt,
                .problem = name + " could not be opened (" + failure.detail + ")."};
    }
}

Opening ClubFile::Create(const std::filesystem::path& path) {
    const std::string name = PathText(path.filename());
    std::error_code error;
    if (std::filesystem::exists(path, error)) {
        return {.file = std::nullopt, .problem = "A file named " + name + " is already there."};
    }
    try {
        Database database = OpenDatabase(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        // The id, the version and the tables in one transaction: a file cut short while being
        // made is an empty database, which Open refuses as no club file.
        Execute(database.get(), "BEGIN IMMEDIATE");
        Execute(database.get(), "PRAGMA application_id = " + std::to_string(kApplicationId));
        Execute(database.get(), "PRAGMA user_version = " + std::to_string(kFormatVersion));
        Execute(database.get(), kSchema);
        Execute(database.get(), "COMMIT");
        return {.file = ClubFile(std::move(database), path), .problem = {}};
    } catch (const SqliteFailure& failure) {
        std::filesystem::remove(path, error);
        return {.file = std::nullopt,
                .problem = name + " could not be made (" + failure.detail + ")."};
    }
}

std::vector<Row> ClubFile::Rows(List list) const {
    std::vector<Row> rows;
    std::string sql = "SELECT id";
    for (const auto column : ColumnNames(list)) {
        sql += ", ";
        sql += column;
    }
    sql += " FROM ";
    sql += TableName(list);
    sql += " ORDER BY id";
    try {
        Statement select(database_.get(), sql);
        const int columns = static_cast<int>(ColumnNames(list).size());
        while (select.Step()) {
            Row row{.id = select.Integer(0), .cells = {}};
            for (int column = 0; column < columns; ++column) {
                row.cells.push_back(select.Text(column + 1));
            }
            rows.push_back(std::move(row));
        }
    } catch (const SqliteFailure&) {
        // A file that opened cleanly and cannot be read now lost its disk; show what was read.
    }
    return rows;
}

template <typename Change>
WriteProblem ClubFile::InTransaction(Change&& change) {
    sqlite3* database = database_.get();
    try {
        // IMMEDIATE takes the write lock first, so a second program is refused before the change
        // is half made rather than at its commit.
        Execute(database, "BEGIN IMMEDIATE");
    } catch (const SqliteFailure& failure) {
        return WriteMessage(failure);
    }
    try {
        change();
        Execute(database, "COMMIT");
        return std::nullopt;
    } catch (const SqliteFailure& failure) {
        sqlite3_exec(database, "ROLLBACK", nullptr, nullptr, nullptr);
        return WriteMessage(failure);
    }
}

WriteProblem ClubFile::Insert(List list, std::vector<Row>& rows) {
    std::vector<std::int64_t> ids;
    const WriteProblem problem = InTransaction([&] {
        std::string sql = RowListSql(list, "INSERT INTO ") + " VALUES(?1";
        for (std::size_t column = 0; column < ColumnNames(list).size(); ++column) {
            sql += ", ?" + std::to_string(column + 2);
        }
        sql += ")";
        Statement insert(database_.get(), sql);
        for (const Row& row : rows) {
            insert.BindId(1, row.id);
            for (std::size_t column = 0; column < row.cells.size(); ++column) {
                insert.BindText(static_cast<int>(column) + 2, row.cells[column]);
            }
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

WriteProblem ClubFile::Update(List list, const Row& row) {
    bool found = false;
    const WriteProblem problem = InTransaction([&] {
        std::string sql = "UPDATE " + std::string(TableName(list)) + " SET ";
        const auto columns = ColumnNames(list);
        for (std::size_t column = 0; column < columns.size(); ++column) {
            if (column > 0) sql += ", ";
            sql += std::string(columns[column]) + " = ?" + std::to_string(column + 2);
        }
        sql += " WHERE id = ?1";
        Statement update(database_.get(), sql);
        update.BindId(1, row.id);
        for (std::size_t column = 0; column < row.cells.size(); ++column) {
            update.BindText(static_cast<int>(column) + 2, row.cells[column]);
        }
        update.Step();
        found = sqlite3_changes(database_.get()) > 0;
    });
    if (!problem && !found) {
        return "Another program removed this row from the club file. The change was not written.";
    }
    return problem;
}

WriteProblem ClubFile::Remove(List list, std::span<const std::int64_t> ids) {
    return InTransaction([&] {
        Statement remove(database_.get(),
                         "DELETE FROM " + std::string(TableName(list)) + " WHERE id = ?1");
        for (const std::int64_t id : ids) {
            remove.BindId(1, id);
            remove.Step();
            remove.Reset();
        }
    });
}

WriteProblem ClubFile::SaveCopy(const std::filesystem::path& copy) const {
    // Written beside the copy under another name and renamed when complete, so a copy cut short
    // never takes the place of a file that was there.
    std::filesystem::path partial = copy;
    partial += ".part";
    std::error_code error;
    std::filesystem::remove(partial, error);
    try {
        {
            Database target = OpenDatabase(partial, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
            sqlite3_backup* backup =
                sqlite3_backup_init(target.get(), "main", database_.get(), "main");
            if (backup == nullptr) Fail(target.get(), sqlite3_errcode(target.get()));
            const int stepped = sqlite3_backup_step(backup, -1);
            const int finished = sqlite3_backup_finish(backup);
            if (stepped != SQLITE_DONE) Fail(target.get(), stepped);
            if (finished != SQLITE_OK) Fail(target.get(), finished);
        }
        std::filesystem::rename(partial, copy, error);
        if (error) return "The copy could not be named " + PathText(copy.filename()) + ".";
        return std::nullopt;
    } catch (const SqliteFailure& failure) {
        std::filesystem::remove(partial, error);
        return WriteMessage(failure);
    }
}

}  // namespace club
