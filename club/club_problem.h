#pragma once

#include <optional>
#include <string>

namespace club {

// What can go wrong with a club file: each a code of its own, so that a caller decides by the
// code and the words live in one place (ProblemMessage).
enum class Problem {
    NoSuchFile,         // nothing at that path
    NotAClubFile,       // another SQLite database, or no database at all
    NewerFormat,        // written by a later version of the program; left as it is
    Damaged,            // fails SQLite's check
    CouldNotOpen,       // anything else SQLite says on opening
    AlreadyThere,       // a new club where a file already is
    CouldNotMake,       // a new club that could not be written
    UpgradeCopyFailed,  // the copy kept before an upgrade could not be made: not upgraded
    UpgradeFailed,      // the upgrade itself failed; the file is as it was
    Busy,               // another program held the file too long
    FileReadOnly,       // the file itself cannot be written
    FolderReadOnly,     // the file could be, but its folder (where the journal goes) cannot
    DiskFull,           // no room for the change
    CouldNotWrite,      // anything else SQLite says on a change
    CouldNotRead,       // the file opened, but reading it failed
    ChangedElsewhere,   // another window changed the row since this one read it
    RemovedElsewhere,   // another window removed the row since this one read it
    CopyNotNamed,       // Save a copy: written, but could not take its name
    InRaces,            // a loft or race point that races point at: not deleted
};

// A problem and what it concerns: the file's name, the row's name or SQLite's own words.
struct ClubProblem {
    Problem problem;
    std::string detail = {};
    bool operator==(const ClubProblem&) const = default;
};

// Nothing when a change is in the file; otherwise why it is not.
using WriteProblem = std::optional<ClubProblem>;

// The words a secretary reads for a problem: one sentence, naming no program.
std::string ProblemMessage(const ClubProblem& problem);

}  // namespace club
