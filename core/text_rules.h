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
// separator, and an optional exponent with its own sign. Anything else throws NotANumberError;
// a magnitude beyond a double throws OutOfRangeError.
double TextToNumber(std::string_view text, std::string_view separator = kDefaultSeparator);

// Renders a value for a field: at most 15 significant digits, no trailing zeros, exponent
// notation only below 1e-4 and from 1e15 in magnitude. Zero, negative zero included, is "0".
// A value that is not finite throws OutOfRangeError: no field ever shows "inf" or "nan".
std::string NumberToText(double value, std::string_view separator = kDefaultSeparator);

// Rounds to the nearest whole number, halves to even, then divides by the divisor truncating
// toward zero. Throws OutOfRangeError when the rounded value does not fit a signed 32-bit
// integer (or the divisor is 0).
std::int32_t WholeQuotient(double value, std::int32_t divisor);

// A clock reading in seconds, added up in a fixed order (minutes, then hours, then seconds,
// then whole days), so that results match to the last bit. Without a day count it is the time
// of day; with one, whole days of 86400 seconds are added on. The texts are read in the same
// order; one that is not a number throws as TextToNumber does, with field() naming its part:
// "minutes", "hours", "seconds" or "days".
double ClockSeconds(std::string_view hours, std::string_view minutes, std::string_view seconds,
                    std::optional<std::string_view> days = std::nullopt,
                    std::string_view separator = kDefaultSeparator);

// The same arithmetic on numbers already read.
double ClockSecondsOf(double hours, double minutes, double seconds);
double ClockSecondsOf(double hours, double minutes, double seconds, double days);

}  // namespace race
