#include "distance/places_csv.h"

#include <array>
#include <optional>

#include "distance/coordinate.h"
#include "distance/number_text.h"
#include "distance/spreadsheet_csv.h"

namespace distance {
namespace {

constexpr std::string_view kHeaderColumn = "header";

// The columns a places file must have, in the order of kColumnNames.
constexpr std::array<std::string_view, 3> kColumnNames = {"name", "latitude", "longitude"};
enum Column { kName, kLatitude, kLongitude };

}  // namespace

PlacesFile ReadPlaces(std::string_view contents) {
    PlacesFile file;
    const std::vector<SpreadsheetRecord> records = ReadSpreadsheetRecords(contents);
    if (records.empty()) {
        file.problems.push_back({1, std::string(kHeaderColumn),
                                 "The file is empty: its first row must name the columns name, "
                                 "latitude and longitude."});
        return file;
    }

    std::array<std::size_t, 3> column_index{};
    const std::vector<std::string>& header = records.front().fields;
    for (std::size_t column = 0; column < kColumnNames.size(); ++column) {
        const std::optional<std::size_t> found = FindColumn(header, kColumnNames[column]);
        if (found) {
            column_index[column] = *found;
        } else {
            file.problems.push_back(
                {1, std::string(kHeaderColumn),
                 "The first row has no column \"" + std::string(kColumnNames[column]) +
                     "\": it must name the columns name, latitude and longitude."});
        }
    }
    if (!file.problems.empty()) return file;

    for (std::size_t r = 1; r < records.size(); ++r) {
        const SpreadsheetRecord& record = records[r];
        if (IsBlankRecord(record)) continue;  // spreadsheets keep empty rows as bare separators
        const auto cell = [&](Column column) { return FieldAt(record, column_index[column]); };
        const std::size_t problems_before = file.problems.size();
        if (record.unclosed_quote) {
            const std::size_t last = record.fields.size() - 1;
            const std::string column =
                last < header.size() ? Lowercase(TrimBlanks(header[last])) : "name";
            file.problems.push_back(
                {record.row, column,
                 "A quotation mark opens a field here and none closes it before the end of the "
                 "file."});
            continue;
        }
        const std::string_view name = TrimBlanks(cell(kName));
        if (name.empty()) file.problems.push_back({record.row, "name", "The name is empty."});
        const AngleReading latitude = ReadAngle(cell(kLatitude), Axis::Latitude);
        if (!latitude.ok()) {
            file.problems.push_back({record.row, "latitude", CoordinateMessage(*latitude.error)});
        }
        const AngleReading longitude = ReadAngle(cell(kLongitude), Axis::Longitude);
        if (!longitude.ok()) {
            file.problems.push_back({record.row, "longitude", CoordinateMessage(*longitude.error)});
        }
        if (file.problems.size() != problems_before) continue;
        file.places.push_back(Place{std::string(name), std::string(cell(kLatitude)),
                                    std::string(cell(kLongitude)),
                                    Position{latitude.degrees, longitude.degrees}, record.row});
    }
    return file;
}

std::string DistanceCsv(const std::vector<DistanceRow>& rows) {
    std::string csv = "loft,race point,miles,yards,kilometres,bearing\n";
    csv.reserve(csv.size() + rows.size() * 64);
    for (const DistanceRow& row : rows) {
        const MilesYards miles_yards = ToMilesYards(row.distance.metres);
        AppendCsvField(csv, row.loft);
        csv += ',';
        AppendCsvField(csv, row.race_point);
        csv += ',';
        AppendInteger(csv, miles_yards.miles);
        csv += ',';
        AppendInteger(csv, miles_yards.yards);
        csv += ',';
        AppendKilometres(csv, row.distance.metres);
        csv += ',';
        AppendBearing(csv, row.distance.bearing);
        csv += '\n';
    }
    return csv;
}

std::vector<DistanceRow> DistanceTable(const std::vector<Place>& lofts,
                                       const std::vector<Place>& race_points) {
    std::vector<DistanceRow> rows;
    rows.reserve(lofts.size() * race_points.size());
    for (const Place& loft : lofts) {
        for (const Place& race_point : race_points) {
            rows.push_back(DistanceRow{loft.name, race_point.name,
                                       DistanceToLoft(race_point.position, loft.position)});
        }
    }
    return rows;
}

}  // namespace distance
