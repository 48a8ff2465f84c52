// race-result: a race's result from the return of its clockings, from the command line. Reading
// the return, working out every bird and writing the result are the results library's; this is
// the arguments, the files and what is printed.
#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/console/console_main.h"
#include "club/club_file.h"
#include "distance/coordinate.h"
#include "results/club_race.h"
#include "results/date_time.h"
#include "results/race_result.h"
#include "results/result_messages.h"
#include "results/result_writers.h"
#include "results/return_csv.h"

namespace {

constexpr int kSuccess = 0;
constexpr int kUnreadableFile = 1;
constexpr int kBadInput = 2;

constexpr std::string_view kHelp =
    R"(Usage:
  race-result CLUB.club                 the club's races, one a line
  race-result CLUB.club RACE [options]  that race's result
  race-result --liberation "DATE TIME" [--darkness FROM-TO]
              [--race-point LATITUDE LONGITUDE] [options] RETURN.csv
  race-result --help

A race's result from its return: every bird's clocked time corrected by its own
clock's variation (the clock's gain or loss between setting and striking shared
out over the hours it ran), less the hours of darkness for each night it was
out, flown over its loft's distance, and the birds ranked by velocity, fastest
first. Each bird's figures are those the Velocity Calculator gives for it.

  $ race-result "Our club.club" "Guernsey YB"
  $ race-result --liberation "2026-05-09 07:00" --darkness 22:00-05:00 return.csv
  position,loft,ring,miles,yards,clocked,variation,hours,minutes,seconds,velocity,problem
  1,Smith & Son,GB26N01234,92,1000,2026-05-09 11:42:17,20.87...,4,26,56.12...,610.33...,

The return is a CSV file (as a spreadsheet saves it: commas, or semicolons with
decimal commas; UTF-8 with or without a byte-order mark) with a row a bird and
the columns, in any order:
  loft, ring, clocked          the loft's name, the bird's ring, its clock reading
  clock set, master set        the clock and the master timer when it was set
  clock check, master check    the clock and the master timer when it was struck
  miles, yards                 the loft's distance, or instead
  latitude, longitude          the loft's position (then --race-point is needed)
A loft's clock readings and distance are needed on its first row only.

Dates are 2026-05-09 or 09/05/2026 (day first), times 14:01:00, 14.01.00 or
140100, with a fraction of a second where the clock gives one (14:01:00.25).
Liberation and darkness may leave the seconds out (07:00).

Options:
  --csv                the result as CSV (the default), every figure in full
  --text               an aligned table to print
  --html               a web page that reads on a phone and prints
  --first-bird         each loft's first bird only
  --unit yd/min|m/min  the velocity in yards (the default) or metres per minute
  --decimals N         the velocity's decimals on --text and --html (default 3)
  --name "NAME"        the race's name, above the table

Birds with no result (clocked before liberation, a clock struck before it was
set, a ring clocked twice, ...) are listed after the ranked ones, each with the
reason.

Exit status: 0 on success (birds with no result are part of a result); 1 when
the file cannot be read; 2 for bad input, where every bad cell is reported on
standard error with its file, row, column and what is wrong, and nothing is
written to standard output.
)";

void PrintError(const std::string& message) {
    std::fprintf(stderr, "race-result: %s\n", message.c_str());
}

int UsageError(const std::string& message) {
    PrintError(message + " (race-result --help says how to use it)");
    return kBadInput;
}

enum class Form { Csv, Text, Html };

struct Arguments {
    results::Race race;
    std::optional<std::string> liberation;
    std::vector<std::string> race_point;
    results::ResultOptions options;
    Form form = Form::Csv;
    std::vector<std::string> operands;
};

std::optional<std::string> ReadWholeFile(const std::string& utf8_name) {
    // The name as UTF-8 whatever the system's code page, so that Windows opens a file with an
    // accent in its name too.
    const std::filesystem::path path(std::u8string(utf8_name.begin(), utf8_name.end()));
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    std::string contents((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad()) return std::nullopt;
    return contents;
}

// "22:00-05:00": the dash that splits it is the one with a time on either side, since a dash
// may also stand between a time's hours and minutes (22-00-05-00).
std::optional<results::Darkness> SplitDarkness(std::string_view text) {
    std::optional<results::Darkness> found;
    for (std::size_t at = text.find('-'); at != std::string_view::npos;
         at = text.find('-', at + 1)) {
        const std::string_view evening = text.substr(0, at), morning = text.substr(at + 1);
        if (results::ReadTime(evening, results::Seconds::Refused).ok() &&
            results::ReadTime(morning, results::Seconds::Refused).ok()) {
            if (found) return std::nullopt;  // two ways to read it
            found = results::Darkness{std::string(evening), std::string(morning)};
        }
    }
    return found;
}

// The race's own readings, each reported on its own.
bool RaceReadings(const Arguments& arguments, results::Race& race) {
    bool good = true;
    const results::DateTimeReading liberation =
        results::ReadDateTime(race.liberation, results::Seconds::Optional);
    if (!liberation.ok()) {
        PrintError("--liberation \"" + race.liberation +
                   "\": " + results::DateTimeMessage(*liberation.problem));
        good = false;
    }
    if (!arguments.race_point.empty()) {
        const distance::AngleReading latitude =
            distance::ReadAngle(arguments.race_point[0], distance::Axis::Latitude);
        const distance::AngleReading longitude =
            distance::ReadAngle(arguments.race_point[1], distance::Axis::Longitude);
        for (const distance::AngleReading* reading : {&latitude, &longitude}) {
            if (!reading->ok()) {
                PrintError("--race-point: " + distance::CoordinateMessage(*reading->error));
                good = false;
            }
        }
        if (latitude.ok() && longitude.ok()) {
            race.race_point = distance::Position{latitude.degrees, longitude.degrees};
        }
    }
    return good;
}

void WriteResult(const Arguments& arguments, const results::Result& result) {
    const std::string written =
        arguments.form == Form::Text   ? results::ResultTextTable(result, arguments.options)
        : arguments.form == Form::Html ? results::ResultHtml(result, arguments.options)
                                       : results::ResultCsv(result, arguments.options);
    std::fwrite(written.data(), 1, written.size(), stdout);
}

int ReturnForm(Arguments arguments) {
    if (arguments.operands.size() != 1) return UsageError("give one return file");
    if (!arguments.liberation) return UsageError("--liberation is needed");
    results::Race race = arguments.race;
    race.liberation = *arguments.liberation;
    if (!RaceReadings(arguments, race)) return kBadInput;

    const std::string& name = arguments.operands.front();
    const std::optional<std::string> contents = ReadWholeFile(name);
    if (!contents) {
        PrintError("cannot read " + name + ": " + std::strerror(errno));
        return kUnreadableFile;
    }
    const results::ReturnFile file = results::ReadReturn(*contents);
    for (const results::ReturnCellProblem& problem : file.problems) {
        std::fprintf(stderr, "%s: row %zu, %s: %s\n", name.c_str(), problem.row,
                     problem.column.c_str(), results::ReturnCellMessage(problem).c_str());
    }
    if (!file.problems.empty()) return kBadInput;
    if (file.distances_from_positions && !race.race_point) {
        return UsageError(name + " gives the lofts' positions: --race-point is needed");
    }
    WriteResult(arguments, results::ComputeResult(race, file));
    return kSuccess;
}

std::filesystem::path Utf8Path(const std::string& utf8_name) {
    return std::filesystem::path(std::u8string(utf8_name.begin(), utf8_name.end()));
}

void WriteOut(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
}

// "Name<TAB>liberation" a line: what a RACE argument is chosen from.
std::string RaceList(const std::vector<club::Race>& races) {
    std::string list;
    for (const club::Race& race : races) list += race.name + "\t" + race.liberation + "\n";
    return list;
}

// The races of a club file, or the result of one of them.
int ClubForm(const Arguments& arguments) {
    if (arguments.operands.size() > 2) return UsageError("give a club file and at most one race");
    const std::string& name = arguments.operands.front();
    club::Opening opening = club::ClubFile::Open(Utf8Path(name));
    if (!opening.file) {
        PrintError(club::ProblemMessage(*opening.problem));
        return kUnreadableFile;
    }
    const club::Rows<club::Race> races = opening.file->Read<club::Race>();
    if (races.problem) {
        PrintError(club::ProblemMessage(*races.problem));
        return kUnreadableFile;
    }
    if (arguments.operands.size() == 1) {
        WriteOut(RaceList(races.rows));
        return kSuccess;
    }
    const std::string& wanted = arguments.operands[1];
    const auto race =
        std::find_if(races.rows.begin(), races.rows.end(),
                     [&wanted](const club::Race& each) { return each.name == wanted; });
    if (race == races.rows.end()) {
        PrintError(name + " has no race " + wanted + "; its races are:\n" + RaceList(races.rows));
        return kUnreadableFile;
    }
    const results::ClubRaceReturn found = results::ReturnOfClubRace(*opening.file, *race);
    if (found.problem) {
        PrintError(club::ProblemMessage(*found.problem));
        return kUnreadableFile;
    }
    // A reading of the race's own that does not read is each bird's problem, on the result.
    WriteResult(arguments, results::ComputeResult(found.race_return));
    return kSuccess;
}

int Run(const std::vector<std::string>& words) {
    Arguments arguments;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        // The option's value, the next word.
        const auto value = [&](std::string& into) {
            if (i + 1 >= words.size()) return false;
            into = words[++i];
            return true;
        };
        std::string text;
        if (word == "--help" || word == "-h") {
            std::fwrite(kHelp.data(), 1, kHelp.size(), stdout);
            return kSuccess;
        } else if (word == "--csv") {
            arguments.form = Form::Csv;
        } else if (word == "--text") {
            arguments.form = Form::Text;
        } else if (word == "--html") {
            arguments.form = Form::Html;
        } else if (word == "--first-bird") {
            arguments.options.first_bird_only = true;
        } else if (word == "--liberation") {
            if (!value(text)) return UsageError("--liberation takes a date and time");
            arguments.liberation = text;
        } else if (word == "--name") {
            if (!value(arguments.race.name)) return UsageError("--name takes the race's name");
        } else if (word == "--darkness") {
            if (!value(text)) return UsageError("--darkness takes FROM-TO, such as 22:00-05:00");
            arguments.race.darkness = SplitDarkness(text);
            if (!arguments.race.darkness) {
                return UsageError("--darkness \"" + text +
                                  "\" is not two times of day, such as 22:00-05:00");
            }
        } else if (word == "--race-point") {
            if (i + 2 >= words.size()) return UsageError("--race-point takes LATITUDE LONGITUDE");
            arguments.race_point = {words[i + 1], words[i + 2]};
            i += 2;
        } else if (word == "--unit") {
            if (!value(text) || (text != "yd/min" && text != "m/min")) {
                return UsageError("--unit is yd/min or m/min");
            }
            arguments.options.unit = text == "m/min" ? results::VelocityUnit::MetresPerMinute
                                                     : results::VelocityUnit::YardsPerMinute;
        } else if (word == "--decimals") {
            int decimals = -1;
            const bool given = value(text);
            const auto [end, error] =
                std::from_chars(text.data(), text.data() + text.size(), decimals);
            if (!given || error != std::errc() || end != text.data() + text.size() ||
                decimals < 0 || decimals > 12) {
                return UsageError("--decimals takes a number from 0 to 12");
            }
            arguments.options.decimals = decimals;
        } else if (word.starts_with("--")) {
            return UsageError("unknown option " + word);
        } else {
            arguments.operands.push_back(word);
        }
    }
    if (arguments.operands.empty()) return UsageError("give the race's return file");
    if (arguments.operands.front().ends_with(".club")) return ClubForm(arguments);
    return ReturnForm(std::move(arguments));
}

}  // namespace

int main(int argc, char** argv) {
    return console::Main(argc, argv, &Run);
}
