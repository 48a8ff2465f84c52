#include "distance/places_csv.h"

#include <algorithm>
#include <array>
#include <optional>

#include "distance/coordinate.h"
#include "distance/number_text.h"

namespace distance {
namespace {

// A record of the file as RFC 4180 has it, which is what spreadsheets write: a quoted field may
// hold the separator, a line break or a doubled quote.
struct Record {
    std::vector<std::string> fields;
    std::size_t row = 0;
    bool unclosed_quote = false;
};

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kHeaderColumn = "header";

// Spreadsheets set to a language whose decimal separator is a comma (most of Europe's) save
// "CSV" with semicolons between the fields; the header row, which holds no numbers, says which.
char Separator(std::string_view contents) {
    const std::string_view header = contents.substr(0, contents.find('\n'));
    const auto count = [&](char c) { return std::count(header.begin(), header.end(), c); };
    return count(';') > count(',') ? ';' : ',';
}

std::vector<Record> SplitRecords(std::string_view contents, char separator) {
    std::vector<Record> records;
    Record record{{}, 1};
    std::string field;
    bool quoted = false;
    bool field_quoted = false;
    bool anything = false;
    const auto end_record = [&] {
        record.fields.push_back(std::move(field));
        field.clear();
        field_quoted = false;
        records.push_back(std::move(record));
        record = Record{{}, records.back().row + 1};
        anything = false;
    };
    for (std::size_t at = 0; at < contents.size(); ++at) {
        const char c = contents[at];
        anything = true;
        if (quoted) {
            if (c != '"') {
                field += c;
            } else if (at + 1 < contents.size() && contents[at + 1] == '"') {
                field += '"';
                ++at;
            } else {
                quoted = false;
            }
        } else if (c == '"' && field.empty() && !field_quoted) {
            // Only a field's first character opens a quoted field; a quote further on is the
            // seconds mark of a hand-written 52°34'20"N.
            quoted = true;
            field_quoted = true;
        } else if (c == separator) {
            record.fields.push_back(std::move(field));
            field.clear();
            field_quoted = false;
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && at + 1 < contents.size() && contents[at + 1] == '\n') ++at;
            end_record();
        } else {
            field += c;
        }
    }
    if (anything) {
        record.unclosed_quote = quoted;
        end_record();
    }
    return records;
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

std::string Lowercase(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

bool IsBlankRecord(const Record& record) {
    for (const std::string& field : record.fields) {
        if (!TrimBlanks(field).empty()) return false;
    }
    return true;
}

// The columns a places file must have, in the order of kColumnNames.
constexpr std::array<std::string_view, 3> kColumnNames = {"name", "latitude", "longitude"};
enum Column { kName, kLatitude, kLongitude };

void AppendCsvField(std::string& csv, std::string_view field) {
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        csv += field;
        return;
    }
    csv += '"';
    for (const char c : field) {
        if (c == '"') csv += '"';
        csv += c;
    }
    csv += '"';
}

}  // namespace

PlacesFile ReadPlaces(std::string_view contents) {
    PlacesFile file;
    if (contents.starts_with(kByteOrderMark)) contents.remove_prefix(kByteOrderMark.size());
    const std::vector<Record> records = SplitRecords(contents, Separator(contents));
    if (records.empty()) {
        file.problems.push_back({1, std::string(kHeaderColumn),
                                 "The file is empty: its first row must name the columns name, "
                                 "latitude and longitude."});
        return file;
    }

    std::array<std::size_t, 3> column_index{};
    const std::vector<std::string>& header = records.front().fields;
    for (std::size_t column = 0; column < kColumnNames.size(); ++column) {
        std::optional<std::size_t> found;
        for (std::size_t i = 0; i < header.size() && !found; ++i) {
            if (Lowercase(TrimBlanks(header[i])) == kColumnNames[column]) found = i;
        }
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
        const Record& record = records[r];
        if (IsBlankRecord(record)) continue;  // spreadsheets keep empty rows as bare separators
        const auto cell = [&](Column column) -> std::string_view {
            const std::size_t index = column_index[column];
            return index < record.fields.size() ? std::string_view(record.fields[index])
                                                : std::string_view();
        };
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
