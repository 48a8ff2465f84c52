#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace distance {

// Which of a position's two angles a text is: it decides the hemisphere letters allowed (N and S,
// or E, W and O) and the largest value (90 or 180 degrees).
enum class Axis { Latitude, Longitude };

// What is wrong with the text of a latitude or longitude.
enum class CoordinateProblem {
    Empty,             // nothing there but blanks
    UnknownCharacter,  // a letter or mark that is not part of any notation read
    Malformed,         // known characters in an order no notation has (two points, four numbers)
    MinutesOf60,       // minutes of 60 or more
    SecondsOf60,       // seconds of 60 or more
    BeyondLatitude,    // a latitude beyond 90 degrees
    BeyondLongitude,   // a longitude beyond 180 degrees
    OtherAxisLetter,   // E, W or O on a latitude, N or S on a longitude
    SignAndLetter,     // a sign together with a hemisphere letter
    TwoLetters,        // two hemisphere letters
};

struct CoordinateError {
    CoordinateProblem problem;
    Axis axis;
    std::string text;  // the whole text read, as typed
    bool operator==(const CoordinateError&) const = default;
};

// The words a person reads: what is wrong, e.g. "Minutes must be below 60 in the latitude
// \"52 61 20 N\"."
std::string CoordinateMessage(const CoordinateError& error);

// A latitude or longitude read from text: signed degrees (north and east positive), or what is
// wrong with it.
struct AngleReading {
    double degrees = 0.0;
    std::optional<CoordinateError> error;
    bool ok() const { return !error.has_value(); }
};

// Reads the notations clubs, surveyors, GPS units and web pages write: degrees, minutes and
// seconds (spaces, colons, dots as in 52.34.20.5, or degree/minute/second marks, typographic ones
// included); degrees and decimal minutes; decimal degrees; a hemisphere letter before or after
// (N S E W, O for east), or a sign; a decimal point or comma. The text is UTF-8.
AngleReading ReadAngle(std::string_view text, Axis axis);

// A text the clubs' short form could also mean: degrees and two decimals ("52.34", "-1.58 W",
// "52,34"), which is read as decimal degrees (52°20'24") but which a UK secretary may have meant
// as degrees and minutes (52°34'). The angle the short form would give, or nothing for a text
// that cannot be taken two ways (more or fewer decimals, "minutes" of 60 or more).
std::optional<double> ShortFormAngle(std::string_view text, Axis axis);

// Degrees, minutes and seconds to a tenth of a second with the hemisphere letter, in UTF-8:
// 52°34'20.5"N. What it writes reads back to the same tenth.
std::string WriteAngle(double degrees, Axis axis);

}  // namespace distance
