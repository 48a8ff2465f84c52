#include "club/place_import.h"

#include <optional>

#include "distance/coordinate.h"
#include "distance/spreadsheet_csv.h"

namespace club {
namespace {

// The header names a column may go by: its own, and for a loft's member the "name" that places
// files written for race points and the distance tool use.
template <typename Record>
std::vector<std::string_view> HeaderNames(const Column<Record>& column) {
    if (column.role == ColumnRole::Name && column.name != "name") return {column.name, "name"};
    return {column.name};
}

}  // namespace

template <typename Record>
ImportFile<Record> ReadImport(std::string_view contents) {
    ImportFile<Record> file;
    const std::vector<distance::SpreadsheetRecord> records =
        distance::ReadSpreadsheetRecords(contents);
    if (records.empty()) {
        file.problems.push_back({ImportProblem::EmptyFile, 1, "", ""});
        return file;
    }
    constexpr auto& kColumns = ListOf<Record>::kColumns;
    std::vector<std::optional<std::size_t>> index(kColumns.size());
    const std::vector<std::string>& header = records.front().fields;
    for (std::size_t column = 0; column < kColumns.size(); ++column) {
        for (const std::string_view name : HeaderNames(kColumns[column])) {
            if (!index[column]) index[column] = distance::FindColumn(header, name);
        }
        // A member with a single loft leaves the loft's name out, and so may a file.
        if (!index[column] && kColumns[column].role != ColumnRole::LoftName) {
            file.problems.push_back({ImportProblem::NoColumn, 1, std::string(kColumns[column].name),
                                     "", std::string(kColumns[column].name)});
        }
    }
    if (!file.problems.empty()) return file;

    for (std::size_t r = 1; r < records.size(); ++r) {
        const distance::SpreadsheetRecord& line = records[r];
        if (distance::IsBlankRecord(line)) continue;
        ImportRow<Record> row{.record = {}, .position = {}, .row = line.row};
        for (std::size_t column = 0; column < kColumns.size(); ++column) {
            if (!index[column]) continue;
            row.record.*kColumns[column].text =
                std::string(distance::TrimBlanks(distance::FieldAt(line, *index[column])));
        }
        const std::string name = NameOf(row.record);
        if (line.unclosed_quote) {
            file.problems.push_back({ImportProblem::UnclosedQuote, line.row, "", name});
            continue;
        }
        const std::size_t problems_before = file.problems.size();
        for (const Column<Record>& column : kColumns) {
            const std::string& text = row.record.*column.text;
            if (column.role == ColumnRole::Name && text.empty()) {
                file.problems.push_back(
                    {ImportProblem::EmptyName, line.row, std::string(column.name), name});
            }
            if (const std::optional<distance::Axis> axis = AxisOf(column.role)) {
                const distance::AngleReading reading = distance::ReadAngle(text, *axis);
                if (!reading.ok()) {
                    file.problems.push_back({ImportProblem::Coordinate, line.row,
                                             std::string(column.name), name,
                                             distance::CoordinateMessage(*reading.error)});
                }
            }
        }
        if (file.problems.size() != problems_before) continue;
        row.position = *ReadCoordinates(row.record).position();
        // The same place twice in one file: again at its position it is nothing new; at another,
        // the file does not say which is right.
        bool again = false;
        for (const ImportRow<Record>& earlier : file.rows) {
            if (NameOf(earlier.record) != name) continue;
            again = true;
            if (!SamePosition(earlier.position, row.position)) {
                file.problems.push_back(
                    {ImportProblem::TwiceInFile, line.row, "", name, std::to_string(earlier.row)});
            }
        }
        if (!again) file.rows.push_back(std::move(row));
    }
    return file;
}

bool SamePosition(const distance::Position& a, const distance::Position& b) {
    using distance::Axis;
    return distance::WriteAngle(a.latitude, Axis::Latitude) ==
               distance::WriteAngle(b.latitude, Axis::Latitude) &&
           distance::WriteAngle(a.longitude, Axis::Longitude) ==
               distance::WriteAngle(b.longitude, Axis::Longitude);
}

template ImportFile<Loft> ReadImport<Loft>(std::string_view);
template ImportFile<RacePoint> ReadImport<RacePoint>(std::string_view);

}  // namespace club
