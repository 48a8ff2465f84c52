#pragma once

#include <string>
#include <vector>

#include "club/places.h"

namespace club {

// How a spreadsheet separates its fields and writes a decimal: commas and points, or, under
// regional settings whose decimal separator is a comma, semicolons and commas.
struct SpreadsheetForm {
    char separator = ',';
    char decimal = '.';
};
inline constexpr SpreadsheetForm kCommasAndPoints{',', '.'};
inline constexpr SpreadsheetForm kSemicolonsAndCommas{';', ','};

// Every loft's distance from every race point as a spreadsheet opens it: a byte-order mark, so
// that accented names show rightly, CRLF line ends, and the header
// member, loft, race point, miles, yards, kilometres, bearing, each figure a number in a cell of
// its own, lofts outermost.
std::string DistanceSpreadsheet(const std::vector<Located<Loft>>& lofts,
                                const std::vector<Located<RacePoint>>& race_points,
                                SpreadsheetForm form);

}  // namespace club
