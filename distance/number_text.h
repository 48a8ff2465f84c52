#pragma once

// Writing the table's figures straight into its text: a table of 100,000 rows is written in about
// the time its geodesics take, so the figures go through integers and std::to_chars rather than
// streams or printf.

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

namespace distance {

inline void AppendInteger(std::string& text, std::int64_t value) {
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    text.append(digits, result.ptr);
}

// A whole number of thousandths (or tenths) as "units.fraction", the fraction always
// `fraction_digits` long.
inline void AppendFixed(std::string& text, std::int64_t parts, std::int64_t parts_per_unit,
                        int fraction_digits) {
    AppendInteger(text, parts / parts_per_unit);
    text += '.';
    std::int64_t fraction = parts % parts_per_unit;
    char digits[8];
    for (int i = fraction_digits - 1; i >= 0; --i) {
        digits[i] = static_cast<char>('0' + fraction % 10);
        fraction /= 10;
    }
    text.append(digits, static_cast<std::size_t>(fraction_digits));
}

// Kilometres to the metre: 139.291.
inline void AppendKilometres(std::string& text, double metres) {
    AppendFixed(text, std::llround(metres), 1000, 3);
}

// Metres to the millimetre: 139290.512.
inline void AppendMetres(std::string& text, double metres) {
    AppendFixed(text, std::llround(metres * 1000), 1000, 3);
}

// Degrees to a tenth, where 359.96 is north again: 0.0, not 360.0.
inline void AppendBearing(std::string& text, double bearing) {
    AppendFixed(text, std::llround(bearing * 10) % 3600, 10, 1);
}

}  // namespace distance
