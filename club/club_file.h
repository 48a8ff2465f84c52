#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "club/club_problem.h"
#include "club/places.h"

struct sqlite3;

namespace club {

struct DatabaseCloser {
    void operator()(sqlite3* database) const;
};
using Database = std::unique_ptr<sqlite3, DatabaseCloser>;

// The layout of the club file this program writes. Each later layout adds a step that upgrades
// the one before it, so a club of any earlier format opens; a file of a newer one is refused.
inline constexpr int kFormatVersion = 3;

// Rows read from the file, or why they could not be: never a list cut short without a word.
template <typename Record>
struct Rows {
    std::vector<Record> rows;
    std::optional<ClubProblem> problem;
};

struct Opening;

// A club's lofts and race points in one SQLite file. There is no Save: each change is written in
// a transaction of its own as it is made, with the journal synced, so a program or a machine that
// stops at any moment leaves a file holding every change made before.
//
// Two windows or programs may have the same file open. Each change says what the rows held when
// this one last read them, and is written only if they still do: a window never overwrites, nor
// takes back, a change it did not make.
class ClubFile {
  public:
    // Opens an existing club file. One that is not a club file, of a newer format or damaged is
    // refused, and nothing in it is written. One of an earlier format is upgraded: first a copy of
    // it is kept beside it as it was ("My club (format 1).club"), then it is brought up to date in
    // one transaction.
    static Opening Open(const std::filesystem::path& path);
    // Makes a new, empty club file; refuses a path where a file already is.
    static Opening Create(const std::filesystem::path& path);

    const std::filesystem::path& path() const { return path_; }
    // Why no change can be written (the file or its folder read-only), or nothing when one can.
    std::optional<Problem> WhyReadOnly() const;
    // The copy kept of the file before it was upgraded when opened, if it was.
    const std::optional<std::filesystem::path>& upgraded_from() const { return upgraded_from_; }

    // Every row of a list in the order they were added.
    template <typename Record>
    Rows<Record> Read() const;

    // The clocks or clockings of one race, in the order they were added.
    template <typename Record>
    Rows<Record> ReadOfRace(Id race) const;

    // Writes new rows in one transaction. A row with id 0 is given a new id, never one a
    // deleted row had; a row with an id (a deleted row brought back) keeps it. Nothing is
    // written if any row cannot be.
    template <typename Record>
    WriteProblem Insert(std::vector<Record>& rows);
    // Replaces a row's texts, if it still holds those it held before.
    template <typename Record>
    WriteProblem Update(const Record& before, const Record& after);
    // Removes rows in one transaction, if each still holds the texts given. A loft with a clock
    // or birds in a race, or a race point a race was flown from, is refused, naming the races.
    template <typename Record>
    WriteProblem Remove(std::span<const Record> rows);

    // True once after another program (or another window) has written a change to the file since
    // this was last asked or the file was opened: the lists shown are then out of date.
    bool ChangedElsewhere();

    // The rings a loft has clocked in the club's races, each once, the latest first: what a
    // secretary typing its birds in is offered.
    std::vector<std::string> RingsClockedBy(Id loft) const;

    // A consistent copy of the whole club, taken while this one stays open.
    WriteProblem SaveCopy(const std::filesystem::path& copy) const;

  private:
    ClubFile(Database database, std::filesystem::path path);
    template <typename Change>
    WriteProblem InTransaction(Change&& change);
    std::int64_t DataVersion() const;

    Database database_;
    std::filesystem::path path_;
    std::optional<std::filesystem::path> upgraded_from_;
    std::int64_t data_version_ = 0;  // SQLite's count of commits made by other connections
};

// A club file opened, or why it could not be.
struct Opening {
    std::optional<ClubFile> file;
    std::optional<ClubProblem> problem;
};

// The copy of a club of an older format kept before it is upgraded: "My club (format 1).club".
std::filesystem::path UpgradeCopyPath(const std::filesystem::path& path, int format);

}  // namespace club
