#include "club/distance_export.h"

#include <algorithm>

#include "distance/geodesic.h"
#include "distance/spreadsheet_csv.h"

namespace club {
namespace {

// A figure as the library writes it, with the spreadsheet's decimal separator.
std::string Figure(std::string text, char decimal) {
    std::replace(text.begin(), text.end(), '.', decimal);
    return text;
}

}  // namespace

std::string DistanceSpreadsheet(const std::vector<Located<Loft>>& lofts,
                                const std::vector<Located<RacePoint>>& race_points,
                                SpreadsheetForm form) {
    std::string csv = "\xEF\xBB\xBF";
    const auto line = [&csv, form](std::initializer_list<std::string> fields) {
        bool first = true;
        for (const std::string& field : fields) {
            if (!first) csv += form.separator;
            first = false;
            distance::AppendCsvField(csv, field, form.separator);
        }
        csv += "\r\n";
    };
    line({"member", "loft", "race point", "miles", "yards", "kilometres", "bearing"});
    for (const Located<Loft>& loft : lofts) {
        for (const Located<RacePoint>& race_point : race_points) {
            const distance::RaceDistance way =
                distance::DistanceToLoft(race_point.position, loft.position);
            const distance::MilesYards miles_yards = distance::ToMilesYards(way.metres);
            line({loft.record.member, loft.record.loft, race_point.record.name,
                  std::to_string(miles_yards.miles), std::to_string(miles_yards.yards),
                  Figure(distance::KilometresText(way.metres), form.decimal),
                  Figure(distance::BearingText(way.bearing), form.decimal)});
        }
    }
    return csv;
}

}  // namespace club
