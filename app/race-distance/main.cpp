// race-distance: the distance from a race point to a loft, or the table of every loft by every
// race point, from the command line. Reading coordinates and files and working out the table are
// the distance library's; this is the arguments, the files and what is printed.
#include <cerrno>
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
#include "distance/coordinate.h"
#include "distance/geodesic.h"
#include "distance/places_csv.h"

namespace {

constexpr int kSuccess = 0;
constexpr int kUnreadableFile = 1;
constexpr int kBadInput = 2;

constexpr std::string_view kHelp =
    R"(Usage:
  race-distance [--tsv] RACEPOINT_LAT RACEPOINT_LON LOFT_LAT LOFT_LON
  race-distance --table LOFTS.csv RACEPOINTS.csv
  race-distance --help

The distance a pigeon flies from a race point to its loft: the shortest way on the
WGS-84 ellipsoid (Karney's geodesics, GeographicLib), in miles and yards (rounded
to the nearest yard, 1 yard = 0.9144 m) and in kilometres to the metre, with the
bearing the birds fly, from the race point towards the loft, in degrees clockwise
from north:

  $ race-distance "53 00 14 N" "2 10 47 W" "52 34 20 N" "0 14 30 W"
  86 miles 971 yards (139.291 km), bearing 109.4°

With --tsv it prints one line of tab-separated fields instead: metres to the
millimetre, whole miles, yards, kilometres to the metre, bearing to a tenth of a
degree.

A latitude or longitude may be written as
  degrees, minutes and seconds  52 34 20.5   52°34'20.5"   52:34:20.5   52.34.20.5
  degrees and decimal minutes   52 34.342    52°34.342'
  decimal degrees               52.5724      52.5724°
with the hemisphere as a letter before or after it (N, S, E or W, and O for
east), or a minus sign for south and west, and a decimal point or comma.

--table writes a CSV table to standard output, a row for each loft and race point:
  loft,race point,miles,yards,kilometres,bearing
Each file's first row names the columns name, latitude and longitude (in any
order). Files are read as spreadsheets save them: UTF-8 with or without a
byte-order mark, CRLF or LF line ends, quoted fields, and the form with
semicolons between fields and decimal commas.

Exit status: 0 on success; 1 when a file cannot be read; 2 for bad input, where
every bad cell is reported on standard error with its file, row, column and what
is wrong, and nothing is written to standard output.
)";

void PrintError(const std::string& message) {
    std::fprintf(stderr, "race-distance: %s\n", message.c_str());
}

int UsageError(const std::string& message) {
    PrintError(message + " (race-distance --help says how to use it)");
    return kBadInput;
}

int OnePair(const std::vector<std::string>& coordinates, bool tsv) {
    struct Argument {
        const char* what;
        distance::Axis axis;
    };
    const Argument arguments[] = {{"race point latitude", distance::Axis::Latitude},
                                  {"race point longitude", distance::Axis::Longitude},
                                  {"loft latitude", distance::Axis::Latitude},
                                  {"loft longitude", distance::Axis::Longitude}};
    double degrees[4] = {};
    bool bad = false;
    for (std::size_t i = 0; i < 4; ++i) {
        const distance::AngleReading reading =
            distance::ReadAngle(coordinates[i], arguments[i].axis);
        if (reading.ok()) {
            degrees[i] = reading.degrees;
        } else {
            PrintError(std::string(arguments[i].what) + ": " +
                       distance::CoordinateMessage(*reading.error));
            bad = true;
        }
    }
    if (bad) return kBadInput;
    const distance::RaceDistance result =
        distance::DistanceToLoft({degrees[0], degrees[1]}, {degrees[2], degrees[3]});
    std::string line;
    if (tsv) {
        const distance::MilesYards miles_yards = distance::ToMilesYards(result.metres);
        line = distance::MetresText(result.metres) + '\t' + std::to_string(miles_yards.miles) +
               '\t' + std::to_string(miles_yards.yards) + '\t' +
               distance::KilometresText(result.metres) + '\t' +
               distance::BearingText(result.bearing);
    } else {
        line = distance::DistanceText(result);
    }
    std::printf("%s\n", line.c_str());
    return kSuccess;
}

std::optional<std::string> ReadWholeFile(const std::string& utf8_name) {
    // The name as UTF-8 whatever the system's code page, so that Windows opens a loft file with
    // an accent in its name too.
    const std::filesystem::path path(std::u8string(utf8_name.begin(), utf8_name.end()));
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    std::string contents((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad()) return std::nullopt;
    return contents;
}

int Table(const std::string& lofts_name, const std::string& race_points_name) {
    std::optional<std::string> contents[2];
    const std::string* names[2] = {&lofts_name, &race_points_name};
    for (std::size_t i = 0; i < 2; ++i) {
        contents[i] = ReadWholeFile(*names[i]);
        if (!contents[i]) {
            PrintError("cannot read " + *names[i] + ": " + std::strerror(errno));
            return kUnreadableFile;
        }
    }
    distance::PlacesFile files[2] = {distance::ReadPlaces(*contents[0]),
                                     distance::ReadPlaces(*contents[1])};
    bool bad = false;
    for (std::size_t i = 0; i < 2; ++i) {
        for (const distance::CellProblem& problem : files[i].problems) {
            std::fprintf(stderr, "%s: row %zu, %s: %s\n", names[i]->c_str(), problem.row,
                         problem.column.c_str(), problem.message.c_str());
            bad = true;
        }
    }
    if (bad) return kBadInput;
    const std::string csv =
        distance::DistanceCsv(distance::DistanceTable(files[0].places, files[1].places));
    std::fwrite(csv.data(), 1, csv.size(), stdout);
    return kSuccess;
}

int Run(const std::vector<std::string>& arguments) {
    bool tsv = false;
    bool table = false;
    std::vector<std::string> operands;
    for (const std::string& argument : arguments) {
        if (argument == "--help" || argument == "-h") {
            std::fwrite(kHelp.data(), 1, kHelp.size(), stdout);
            return kSuccess;
        } else if (argument == "--tsv") {
            tsv = true;
        } else if (argument == "--table") {
            table = true;
        } else if (argument.starts_with("--")) {
            return UsageError("unknown option " + argument);
        } else {
            operands.push_back(argument);  // a coordinate such as -2.5 is not an option
        }
    }
    if (table) {
        if (tsv) return UsageError("--tsv is for one distance, not with --table");
        if (operands.size() != 2)
            return UsageError("--table takes two files, lofts and race points");
        return Table(operands[0], operands[1]);
    }
    if (operands.size() != 4) {
        return UsageError(
            "give four coordinates: the race point's latitude and longitude, then "
            "the loft's");
    }
    return OnePair(operands, tsv);
}

}  // namespace

int main(int argc, char** argv) {
    return console::Main(argc, argv, &Run);
}
