#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

namespace club {

// The two lists a club keeps: its members' lofts and the season's race points.
enum class List { Lofts, RacePoints };

// The columns of a list in the order a Row holds its cells, as named in the file. The last two
// are always the latitude and the longitude, kept as the secretary typed them.
std::span<const std::string_view> ColumnNames(List list);
int LatitudeColumn(List list);
int LongitudeColumn(List list);

// One loft or race point. id is its key in the file, 0 for one not written yet.
struct Row {
    std::int64_t id = 0;
    std::vector<std::string> cells;  // UTF-8, one for each of the list's columns
    bool operator==(const Row&) const = default;
};

// Nothing when a change is in the file; otherwise why it is not, in words for the secretary.
using WriteProblem = std::optional<std::string>;

struct DatabaseCloser {
    void operator()(sqlite3* database) const;
};
using Database = std::unique_ptr<sqlite3, DatabaseCloser>;

class ClubFile;
struct Opening;

// A club's lofts and race points in one SQLite file. There is no Save: each change is written in
// a transaction of its own as it is made, with the journal synced, so a program or a machine that
// stops at any moment leaves a file holding every change made before. Two programs may have the
// same file open; SQLite's locks keep their changes apart, and one that waits too long for the
// other is refused and says so.
class ClubFile {
  public:
    // Opens an existing club file. A file that is not a club file, one of a newer format or a
    // damaged one is refused with a message, and nothing in it is written.
    static Opening Open(const std::filesystem::path& path);
    // Makes a new, empty club file; refuses a path where a file already is.
    static Opening Create(const std::filesystem::path& path);

    const std::filesystem::path& path() const { return path_; }
    // A file the user may read but not write (a copy on a write-protected stick, say): it opens,
    // and each change is refused with a message.
    bool ReadOnly() const;

    // Every row of the list in the order they were added.
    std::vector<Row> Rows(List list) const;

    // Writes the rows in one transaction, under the ids they carry; a row with id 0 gets a new
    // one, set in it. Nothing is written if any row cannot be.
    WriteProblem Insert(List list, std::vector<Row>& rows);
    // Replaces the texts of the row with the same id.
    WriteProblem Update(List list, const Row& row);
    // Removes the rows with these ids in one transaction.
    WriteProblem Remove(List list, std::span<const std::int64_t> ids);

    // True once after another program (or another window) has written a change to the file since
    // this was last asked or the file was opened: the lists shown are then out of date.
    bool ChangedElsewhere();

    // A consistent copy of the whole club, taken while this one stays open.
    WriteProblem SaveCopy(const std::filesystem::path& copy) const;

  private:
    ClubFile(Database database, std::filesystem::path path);
    template <typename Change>
    WriteProblem InTransaction(Change&& change);

    std::int64_t DataVersion() const;

    Database database_;
    std::filesystem::path path_;
    std::int64_t data_version_ = 0;  // SQLite's count of commits made by other connections
};

// A club file opened, or why it could not be.
struct Opening {
    std::optional<ClubFile> file;
    std::string problem;
};

}  // namespace club
