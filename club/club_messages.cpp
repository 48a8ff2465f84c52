#include "club/club_problem.h"
#include "club/place_import.h"

namespace club {

std::string ProblemMessage(const ClubProblem& problem) {
    const std::string& detail = problem.detail;
    switch (problem.problem) {
        case Problem::NoSuchFile:
            return "There is no club file " + detail + ".";
        case Problem::NotAClubFile:
            return detail + " is not a club file.";
        case Problem::NewerFormat:
            return detail +
                   " was written by a newer version of this program. Open it with that version; "
                   "this one leaves it as it is.";
        case Problem::Damaged:
            return detail +
                   " is damaged and cannot be opened. It is left as it is; open a copy saved "
                   "before, or make a new club.";
        case Problem::CouldNotOpen:
            return "The club file could not be opened (" + detail + ").";
        case Problem::AlreadyThere:
            return "A file named " + detail + " is already there.";
        case Problem::CouldNotMake:
            return "The club file could not be made (" + detail + ").";
        case Problem::UpgradeCopyFailed:
            return "The club file was written by an earlier version and must be brought up to "
                   "date, but the copy kept of it first could not be made (" +
                   detail + "). It is left as it is.";
        case Problem::UpgradeFailed:
            return "The club file could not be brought up to date (" + detail +
                   "). It is left as it was.";
        case Problem::Busy:
            return "Another program kept the club file busy too long. The change was not "
                   "written; try again.";
        case Problem::FileReadOnly:
            return "The club file is read-only. The change was not written.";
        case Problem::FolderReadOnly:
            return "The folder the club file is in cannot be written to, so no change can be "
                   "written to the club. The change was not written.";
        case Problem::DiskFull:
            return "The disk is full. The change was not written.";
        case Problem::CouldNotWrite:
            return "The change could not be written to the club file (" + detail + ").";
        case Problem::CouldNotRead:
            return "The club file could not be read (" + detail + ").";
        case Problem::ChangedElsewhere:
            return "Another window changed " + detail +
                   " since this one read it. Nothing was written; it is shown as it now is.";
        case Problem::RemovedElsewhere:
            return "Another window removed " + detail +
                   " since this one read it. Nothing was written; the list is shown as it now "
                   "is.";
        case Problem::InRaces:
            return "Races point at " + detail +
                   ". It was not deleted; take it out of those races first.";
        case Problem::CopyNotNamed:
            return "The copy could not be named " + detail + ".";
    }
    return detail;
}

std::string ImportMessage(const ImportCellProblem& problem) {
    switch (problem.problem) {
        case ImportProblem::NoColumn:
            return "The first row names no column \"" + problem.detail + "\".";
        case ImportProblem::EmptyFile:
            return "The file is empty: its first row must name the columns.";
        case ImportProblem::UnclosedQuote:
            return "A quotation mark opens a field here and none closes it before the end of "
                   "the file.";
        case ImportProblem::EmptyName:
            return "The name is empty.";
        case ImportProblem::Coordinate:
            return problem.detail;
        case ImportProblem::TwiceInFile:
            return "Row " + problem.detail +
                   " has the same name at another position; this row is not taken.";
    }
    return problem.detail;
}

}  // namespace club
