#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "distance/geodesic.h"

namespace distance {

// A named loft or race point read from a file.
struct Place {
    std::string name;
    std::string latitude_text;   // as written in the file
    std::string longitude_text;  // as written in the file
    Position position;
    std::size_t row = 0;  // the file's row it came from, the header being row 1
};

// One cell that could not be read: its row (the header being row 1), its column's name
// ("name", "latitude", "longitude", or the header itself) and what is wrong.
struct CellProblem {
    std::size_t row = 0;
    std::string column;
    std::string message;
    bool operator==(const CellProblem&) const = default;
};

// Every row of a places file: the good ones as places, and a problem for each bad cell. A row
// with any bad cell is not among the places.
struct PlacesFile {
    std::vector<Place> places;
    std::vector<CellProblem> problems;
};

// Reads a file of places as a spreadsheet saves it: a header row naming the columns name,
// latitude and longitude (in any order, any case); UTF-8 with or without a byte-order mark;
// CRLF or LF; quoted fields; commas between fields, or semicolons, as spreadsheets write them
// under regional settings whose decimal separator is a comma.
PlacesFile ReadPlaces(std::string_view contents);

// One row of the distance table a spreadsheet reads.
struct DistanceRow {
    std::string loft;
    std::string race_point;
    RaceDistance distance;
};

// The header "loft,race point,miles,yards,kilometres,bearing" and a line for each row, CRLF-free,
// fields quoted where they hold a comma, a quote or a line break.
std::string DistanceCsv(const std::vector<DistanceRow>& rows);

// Every loft by every race point, lofts outermost, in the order given.
std::vector<DistanceRow> DistanceTable(const std::vector<Place>& lofts,
                                       const std::vector<Place>& race_points);

}  // namespace distance
