#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "club/places.h"

namespace club {

// What is wrong with a row of a places file.
enum class ImportProblem {
    NoColumn,       // the header names no column the list needs (detail: the column)
    EmptyFile,      // not even a header
    UnclosedQuote,  // a quoted field the file never closes
    EmptyName,      // no member or race point name
    Coordinate,     // a coordinate that does not read (detail: the library's words)
    TwiceInFile,    // the same loft or race point again, at another position
};

struct ImportCellProblem {
    ImportProblem problem;
    std::size_t row = 0;      // the header being row 1
    std::string column;       // the column's name in the file's description
    std::string name;         // the member (and loft) or race point of the row, where it has one
    std::string detail = {};  // what the problem concerns
};

// The words for a problem of a places file.
std::string ImportMessage(const ImportCellProblem& problem);

// A row of the file that reads, as the list's record, with where it is.
template <typename Record>
struct ImportRow {
    Record record;
    distance::Position position;
    std::size_t row = 0;
};

template <typename Record>
struct ImportFile {
    std::vector<ImportRow<Record>> rows;
    std::vector<ImportCellProblem> problems;
};

// Reads a list's places from a file as a spreadsheet saves it (distance/spreadsheet_csv.h): a
// header naming the list's columns in any order and case (lofts: member, loft, latitude,
// longitude, where loft may be left out and name stands for member; race points: name,
// latitude, longitude), then a row a place. A row with any bad cell is not among the rows.
template <typename Record>
ImportFile<Record> ReadImport(std::string_view contents);

// Whether two positions are the same as the club writes them, to a tenth of a second: a
// position typed in another notation, or again as the program wrote it, is the same position.
bool SamePosition(const distance::Position& a, const distance::Position& b);

}  // namespace club
