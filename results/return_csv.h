#pragma once

// The return: a race's clockings as a spreadsheet saves them, a row a bird, from a club's
// secretary or from a federation putting its clubs' returns together.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "distance/coordinate.h"
#include "results/date_time.h"
#include "results/race_result.h"

namespace results {

// What is wrong with a cell of a return, or with its header.
enum class ReturnProblem {
    EmptyFile,              // not even a header row
    MissingColumn,          // the header has no column of that name
    TwoDistanceForms,       // miles and yards, and latitude and longitude as well
    NoDistanceColumns,      // neither miles and yards nor latitude and longitude
    UnclosedQuote,          // a quotation mark opens a field and none closes it
    EmptyCell,              // a cell that must be filled is empty
    BadDateTime,            // a date and time that does not read (why, beside it)
    BadCoordinate,          // a latitude or longitude that does not read (why, beside it)
    NotWholeNumber,         // miles or yards that are not a whole number of 0 or more
    DiffersFromLoftsFirst,  // a loft's clock or distance given again, differently
};

struct ReturnCellProblem {
    std::size_t row = 0;  // the header being row 1
    std::string column;   // the column's name as the reader knows it ("clock set"), or "header"
    ReturnProblem problem = ReturnProblem::EmptyCell;
    std::optional<DateTimeProblem> date_time;
    std::optional<distance::CoordinateError> coordinate;
    std::size_t first_row = 0;  // for DiffersFromLoftsFirst: the row that gave it first
    bool operator==(const ReturnCellProblem&) const = default;
};

// A return read: its lofts (keyed 1, 2, ... in the order they first appear), their clocks and the
// clockings of the rows that read, and a problem for each bad cell. The tool refuses a file with
// any; the window takes the rows that read and names the others. A return whose distances are
// positions needs a race point to work them out.
struct ReturnFile {
    std::vector<Loft> lofts;
    std::vector<LoftClock> clocks;
    std::vector<Clocking> clockings;
    std::vector<std::size_t> clocking_rows;  // the row each clocking came from
    ReadingsRead readings;                   // each clock's and clocking's, as read
    bool distances_from_positions = false;
    std::vector<ReturnCellProblem> problems;
};

// Reads the columns loft, ring, clocked, clock set, master set, clock check, master check, and
// either miles and yards or latitude and longitude, named in the header in any order and case
// (other columns are left alone). A loft's clock readings and distance are needed on its first
// row and may be left empty on its others; given again, they must be the same.
ReturnFile ReadReturn(std::string_view contents);

// The result of a race from its return as read: ComputeResult's, each clock and clocking read
// once, by ReadReturn (read again where the file has bad cells).
Result ComputeResult(const Race& race, const ReturnFile& file);

}  // namespace results
