#include "results/return_csv.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <unordered_map>

#include "distance/spreadsheet_csv.h"

namespace results {
namespace {

enum Column {
    kLoft,
    kRing,
    kClocked,
    kClockSet,
    kMasterSet,
    kClockCheck,
    kMasterCheck,
    kMiles,
    kYards,
    kLatitude,
    kLongitude,
    kColumnCount
};
constexpr std::array<std::string_view, kColumnCount> kColumnNames{
    "loft",         "ring",  "clocked", "clock set", "master set", "clock check",
    "master check", "miles", "yards",   "latitude",  "longitude"};
constexpr std::array<Column, 4> kClockColumns{kClockSet, kMasterSet, kClockCheck, kMasterCheck};
constexpr std::string_view kHeader = "header";

// What a loft's first row gave, to hold its later rows to.
struct LoftSeen {
    std::size_t index = 0;      // in the lofts read
    std::size_t first_row = 0;  // the loft's first row
    std::array<std::optional<DateTime>, 4> clock;
    std::array<std::size_t, 4> clock_row{};
    std::optional<distance::MilesYards> distance;
    std::optional<distance::Position> position;
    std::size_t distance_row = 0;
};

std::optional<std::int64_t> WholeNumber(std::string_view text) {
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 0) return std::nullopt;
    return value;
}

}  // namespace

ReturnFile ReadReturn(std::string_view contents) {
    ReturnFile file;
    const auto problem = [&](std::size_t row, std::string_view column, ReturnProblem what) {
        ReturnCellProblem cell;
        cell.row = row;
        cell.column = std::string(column);
        cell.problem = what;
        file.problems.push_back(std::move(cell));
        return &file.problems.back();
    };
    distance::SpreadsheetReader reader(contents);
    distance::SpreadsheetFields record;
    if (!reader.Next(record)) {
        problem(1, kHeader, ReturnProblem::EmptyFile);
        return file;
    }

    const std::vector<std::string> header(record.fields.begin(), record.fields.end());
    std::array<std::optional<std::size_t>, kColumnCount> index;
    for (std::size_t c = 0; c < kColumnCount; ++c) {
        index[c] = distance::FindColumn(header, kColumnNames[c]);
    }
    for (const Column needed :
         {kLoft, kRing, kClocked, kClockSet, kMasterSet, kClockCheck, kMasterCheck}) {
        if (!index[needed]) problem(1, kColumnNames[needed], ReturnProblem::MissingColumn);
    }
    // The distance as the club states it, or the loft's position to work it out from.
    const bool any_miles = index[kMiles] || index[kYards];
    const bool any_position = index[kLatitude] || index[kLongitude];
    if (any_miles && any_position) {
        problem(1, kHeader, ReturnProblem::TwoDistanceForms);
    } else if (!any_miles && !any_position) {
        problem(1, kHeader, ReturnProblem::NoDistanceColumns);
    } else {
        const std::array<Column, 2> pair = any_miles ? std::array<Column, 2>{kMiles, kYards}
                                                     : std::array<Column, 2>{kLatitude, kLongitude};
        for (const Column c : pair) {
            if (!index[c]) problem(1, kColumnNames[c], ReturnProblem::MissingColumn);
        }
    }
    if (!file.problems.empty()) return file;
    file.distances_from_positions = any_position;

    // A row a bird: no more clockings than lines.
    std::size_t lines = 1;
    for (const char c : contents) lines += c == '\n' ? 1 : 0;
    file.clockings.reserve(lines);
    file.clocking_rows.reserve(lines);
    file.readings.clockings.reserve(lines);
    std::unordered_map<std::string, LoftSeen> seen_lofts;
    LoftSeen* last_seen = nullptr;
    std::string last_loft_name;
    while (reader.Next(record)) {
        if (distance::IsBlankRecord(record)) continue;
        if (record.unclosed_quote) {
            const std::size_t last = record.fields.size() - 1;
            problem(record.row,
                    last < header.size() ? distance::Lowercase(distance::TrimBlanks(header[last]))
                                         : std::string(kColumnNames[kLoft]),
                    ReturnProblem::UnclosedQuote);
            continue;
        }
        const auto cell = [&](Column c) {
            return distance::TrimBlanks(distance::FieldAt(record, *index[c]));
        };
        const std::size_t problems_before = file.problems.size();

        const std::string_view ring = cell(kRing);
        if (ring.empty()) problem(record.row, kColumnNames[kRing], ReturnProblem::EmptyCell);
        DateTimeReading clocked = ReadDateTime(cell(kClocked), Seconds::Required);
        if (!clocked.ok()) {
            problem(record.row, kColumnNames[kClocked], ReturnProblem::BadDateTime)->date_time =
                clocked.problem;
        }
        const std::string_view loft_name = cell(kLoft);
        if (loft_name.empty()) {
            problem(record.row, kColumnNames[kLoft], ReturnProblem::EmptyCell);
            continue;
        }

        // A loft's rows mostly come together, so the last row's loft is tried first.
        bool first_row = false;
        if (last_seen == nullptr || loft_name != last_loft_name) {
            const auto found = seen_lofts.try_emplace(std::string(loft_name));
            first_row = found.second;
            last_seen = &found.first->second;
            last_loft_name = loft_name;
        }
        LoftSeen& seen = *last_seen;
        if (first_row) {
            seen.index = file.lofts.size();
            seen.first_row = record.row;
            const auto loft_id = static_cast<std::int64_t>(file.lofts.size() + 1);
            file.lofts.push_back(Loft{loft_id, std::string(loft_name), std::nullopt, {}, {}});
            file.clocks.push_back(LoftClock{loft_id, {}, {}, {}, {}});
            file.readings.clocks.emplace_back();
        }
        Loft& loft = file.lofts[seen.index];
        LoftClock& clock = file.clocks[seen.index];
        // A later row may leave a loft's values out; where it gives them, they must agree.
        const auto differs = [&](Column c, std::size_t given_on) {
            problem(record.row, kColumnNames[c], ReturnProblem::DiffersFromLoftsFirst)->first_row =
                given_on;
        };
        const auto missing = [&](Column c) {
            if (first_row) problem(record.row, kColumnNames[c], ReturnProblem::EmptyCell);
        };

        std::string* const clock_texts[4] = {&clock.clock_set, &clock.master_set,
                                             &clock.clock_check, &clock.master_check};
        for (std::size_t i = 0; i < kClockColumns.size(); ++i) {
            const Column c = kClockColumns[i];
            const std::string_view text = cell(c);
            if (text.empty()) {
                missing(c);
                continue;
            }
            const DateTimeReading reading = ReadDateTime(text, Seconds::Required);
            if (!reading.ok()) {
                problem(record.row, kColumnNames[c], ReturnProblem::BadDateTime)->date_time =
                    reading.problem;
            } else if (!seen.clock[i]) {
                seen.clock[i] = reading.value;
                seen.clock_row[i] = record.row;
                file.readings.clocks[seen.index][i] = reading.value;
                *clock_texts[i] = std::string(text);
            } else if (*seen.clock[i] != reading.value) {
                differs(c, seen.clock_row[i]);
            }
        }

        if (!file.distances_from_positions) {
            const std::string_view miles_text = cell(kMiles), yards_text = cell(kYards);
            if (miles_text.empty() && yards_text.empty()) {
                missing(kMiles);
                missing(kYards);
            } else {
                const auto miles = WholeNumber(miles_text);
                const auto yards = WholeNumber(yards_text);
                for (const auto& [c, number] :
                     {std::pair{kMiles, miles}, std::pair{kYards, yards}}) {
                    if (!number || *number > INT32_MAX) {
                        problem(record.row, kColumnNames[c],
                                cell(c).empty() ? ReturnProblem::EmptyCell
                                                : ReturnProblem::NotWholeNumber);
                    }
                }
                if (miles && yards && *miles <= INT32_MAX && *yards <= INT32_MAX) {
                    const distance::MilesYards given{*miles, static_cast<std::int32_t>(*yards)};
                    if (!seen.distance) {
                        seen.distance = given;
                        seen.distance_row = record.row;
                        loft.distance = given;
                    } else if (*seen.distance != given) {
                        differs(*seen.distance == distance::MilesYards{*miles, seen.distance->yards}
                                    ? kYards
                                    : kMiles,
                                seen.distance_row);
                    }
                }
            }
        } else {
            const std::string_view latitude_text = cell(kLatitude),
                                   longitude_text = cell(kLongitude);
            if (latitude_text.empty() && longitude_text.empty()) {
                missing(kLatitude);
                missing(kLongitude);
            } else {
                const distance::AngleReading latitude =
                    distance::ReadAngle(latitude_text, distance::Axis::Latitude);
                const distance::AngleReading longitude =
                    distance::ReadAngle(longitude_text, distance::Axis::Longitude);
                for (const auto& [c, reading] :
                     {std::pair{kLatitude, &latitude}, std::pair{kLongitude, &longitude}}) {
                    if (!reading->ok()) {
                        problem(record.row, kColumnNames[c], ReturnProblem::BadCoordinate)
                            ->coordinate = reading->error;
                    }
                }
                if (latitude.ok() && longitude.ok()) {
                    const distance::Position position{latitude.degrees, longitude.degrees};
                    if (!seen.position) {
                        seen.position = position;
                        seen.distance_row = record.row;
                        loft.latitude = std::string(latitude_text);
                        loft.longitude = std::string(longitude_text);
                    } else if (*seen.position != position) {
                        differs(
                            seen.position->latitude == position.latitude ? kLongitude : kLatitude,
                            seen.distance_row);
                    }
                }
            }
        }

        if (file.problems.size() == problems_before) {
            file.clockings.push_back(
                Clocking{loft.loft_id, std::string(ring), std::string(cell(kClocked))});
            file.clocking_rows.push_back(record.row);
            file.readings.clockings.push_back(std::move(clocked.value));
        }
    }
    return file;
}

Result ComputeResult(const Race& race, const ReturnFile& file) {
    // A file with bad cells keeps the rows that read, but its readings read already leave gaps
    // where the bad ones were: its texts are read again, which say what each gap is.
    if (!file.problems.empty()) {
        return ComputeResult(RaceReturn{race, file.lofts, file.clocks, file.clockings});
    }
    return ComputeResult(race, file.lofts, file.clocks, file.clockings, file.readings);
}

}  // namespace results
