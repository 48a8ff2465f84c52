#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/race_error.h"

namespace race {

// The decimal separator of the user's locale travels as an explicit parameter so that every
// rule here is a pure function of its inputs. Text written with one separator reads back with
// the same one.
inline constexpr std::string_view kDefaultSeparator = ".";

// Reads a field's text: blanks around, an optional sign, decimal digits with at most one
// separator, and an optional exponent with its own sign. Anything else throws a RaceError of
// Problem::EmptyEntry or Problem::NotANumber; a magnitude beyond a double, of NumberTooLarge.
double TextToNumber(std::string_view text, std::string_view separator = kDefaultSeparator);

// Renders a value for a field: at most 15 significant digits, no trailing zeros, exponent
// notation only below 1e-4 and from 1e15 in magnitude. Zero, negative zero included, is "0".
// A value that is not finite throws (Problem::CannotShow): no field ever shows "inf" or "nan".
std::string NumberToText(double value, std::string_view separator = kDefaultSeparator);

// Rounds to the nearest whole number, halves to even, then divides by the divisor truncating
// toward zero. Throws (Problem::CannotSplit) when the rounded value does not fit a signed
// 32-bit integer, and (Problem::ZeroDivisor) when the divisor is 0.
std::int32_t WholeQuotient(double value, std::int32_t divisor);

// The parts of a clock reading.
enum class ClockPart { Hours, Minutes, Seconds, Days };

// Something for each part of a clock reading (its text, the field it came from), looked up by
// the part the reading asks for.
template <class T>
struct ClockParts {
    T hours, minutes, seconds, days;

    const T& operator[](ClockPart part) const {
        switch (part) {
            case ClockPart::Hours:
                return hours;
            case ClockPart::Minutes:
                return minutes;
            case ClockPart::Seconds:
                return seconds;
            case ClockPart::Days:
                break;
        }
        return days;
    }
};

// A clock reading in seconds, added up in a fixed order (minutes, then hours, then seconds,
// then whole days), so that results match to the last bit. Without a day count it is the time
// of day; with one, whole days of 86400 seconds are added on. The texts are read in the same
// order; one that is not a number throws as TextToNumber does.
double ClockSeconds(std::string_view hours, std::string_view minutes, std::string_view seconds,
                    std::optional<std::string_view> days = std::nullopt,
                    std::string_view separator = kDefaultSeparator);

// The same arithmetic on numbers already read.
double ClockSecondsOf(double hours, double minutes, double seconds);
double ClockSecondsOf(double hours, double minutes, double seconds, double days);

// The same reading with each part's value asked of readPart(ClockPart), in the order the sum
// uses them, so that the first text at fault is the one a caller that knows where each part
// came from reports.
template <class ReadPart>
double ReadClock(ReadPart readPart, bool withDays) {
    const double minutes = readPart(ClockPart::Minutes);
    const double hours = readPart(ClockPart::Hours);
    const double seconds = readPart(ClockPart::Seconds);
    if (!withDays) return ClockSecondsOf(hours, minutes, seconds);
    return ClockSecondsOf(hours, minutes, seconds, readPart(ClockPart::Days));
}

}  // namespace race
