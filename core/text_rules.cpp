#include "core/text_rules.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace race {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

RaceError NotANumber(std::string_view text) {
    return RaceError(TrimBlanks(text).empty() ? Problem::EmptyEntry : Problem::NotANumber,
                     std::string(text));
}

// The pieces of a number text once its shape has been checked.
struct NumberShape {
    bool negative = false;
    bool hasSeparator = false;
    std::string_view integerDigits;
    std::string_view fractionDigits;
    bool exponentNegative = false;
    std::string_view exponentDigits;
};

std::size_t CountDigits(std::string_view text, std::size_t from) {
    std::size_t end = from;
    while (end < text.size() && IsDigit(text[end])) ++end;
    return end - from;
}

std::optional<NumberShape> ParseShape(std::string_view text, std::string_view separator) {
    NumberShape shape;
    std::size_t at = 0;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        shape.negative = text[at] == '-';
        ++at;
    }
    const std::size_t integerCount = CountDigits(text, at);
    shape.integerDigits = text.substr(at, integerCount);
    at += integerCount;
    if (!separator.empty() && text.substr(at, separator.size()) == separator) {
        at += separator.size();
        shape.hasSeparator = true;
        const std::size_t fractionCount = CountDigits(text, at);
        shape.fractionDigits = text.substr(at, fractionCount);
        at += fractionCount;
    }
    if (shape.integerDigits.empty() && shape.fractionDigits.empty()) return std::nullopt;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
            shape.exponentNegative = text[at] == '-';
            ++at;
        }
        const std::size_t exponentCount = CountDigits(text, at);
        if (exponentCount == 0) return std::nullopt;
        shape.exponentDigits = text.substr(at, exponentCount);
        at += exponentCount;
    }
    if (at != text.size()) return std::nullopt;
    return shape;
}

// Decimal exponent of the leading significant digit, saturated well beyond any double, so
// that a value out of range can be told apart as too large or merely too small.
long LeadingMagnitude(const NumberShape& shape) {
    constexpr long kSaturation = 1'000'000;
    long exponent = 0;
    for (const char digit : shape.exponentDigits) {
        exponent = std::min(kSaturation, exponent * 10 + (digit - '0'));
    }
    if (shape.exponentNegative) exponent = -exponent;
    const auto firstNonZero = shape.integerDigits.find_first_not_of('0');
    if (firstNonZero != std::string_view::npos) {
        return exponent + static_cast<long>(shape.integerDigits.size() - firstNonZero) - 1;
    }
    const auto fractionNonZero = shape.fractionDigits.find_first_not_of('0');
    if (fractionNonZero == std::string_view::npos) return std::numeric_limits<long>::min();
    return exponent - static_cast<long>(fractionNonZero) - 1;
}

// Most entries are short whole numbers ("19", "0", "-5"); read those directly. Fifteen digits
// or fewer are exact in a double, so the value is the same as the full conversion gives.
std::optional<double> ShortWholeNumber(std::string_view text) {
    const bool negative = !text.empty() && text.front() == '-';
    if (negative) text.remove_prefix(1);
    if (text.empty() || text.size() > 15) return std::nullopt;
    std::int64_t whole = 0;
    for (const char c : text) {
        if (!IsDigit(c)) return std::nullopt;
        whole = whole * 10 + (c - '0');
    }
    const auto value = static_cast<double>(whole);
    return negative ? -value : value;
}

}  // namespace

double TextToNumber(std::string_view text, std::string_view separator) {
    const std::string_view trimmed = TrimBlanks(text);
    if (const std::optional<double> whole = ShortWholeNumber(trimmed)) return *whole;
    const std::optional<NumberShape> shape = ParseShape(trimmed, separator);
    if (!shape) throw NotANumber(text);

    // std::from_chars reads the plain "C" form whatever the process locale says. Most texts are
    // already in that form and are read in place; the others (a '+' sign, another separator)
    // are copied into it.
    std::string plain;
    std::string_view readable = trimmed;
    if (trimmed.front() == '+' || (shape->hasSeparator && separator != ".")) {
        plain.reserve(trimmed.size() + 1);
        if (shape->negative) plain += '-';
        plain.append(shape->integerDigits);
        plain += '.';
        plain.append(shape->fractionDigits);
        if (!shape->exponentDigits.empty()) {
            plain += shape->exponentNegative ? "e-" : "e";
            plain.append(shape->exponentDigits);
        }
        readable = plain;
    }

    double value = 0.0;
    const char* const last = readable.data() + readable.size();
    const auto [end, error] = std::from_chars(readable.data(), last, value);
    if (error == std::errc::result_out_of_range) {
        if (LeadingMagnitude(*shape) > 0) {
            throw RaceError(Problem::NumberTooLarge, std::string(text));
        }
        return shape->negative ? -0.0 : 0.0;  // below the smallest double: it rounds to zero
    }
    if (error != std::errc{} || end != last) {
        throw NotANumber(text);
    }
    return value;
}

std::string NumberToText(double value, std::string_view separator) {
    if (!std::isfinite(value)) {
        throw RaceError(Problem::CannotShow);
    }
    if (value == 0.0) return "0";
    // Whole numbers below 1e15 are written as the integer they are, as %.15g would, without
    // the cost of rounding to 15 digits.
    if (std::fabs(value) < 1e15 && std::trunc(value) == value) {
        std::array<char, 24> digits{};
        const auto [end, error] = std::to_chars(digits.data(), digits.data() + digits.size(),
                                                static_cast<std::int64_t>(value));
        return std::string(digits.data(), end);
    }
    // Shortest form at 15 significant digits, as printf's %.15g but independent of locale.
    std::array<char, 32> buffer{};
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                            std::chars_format::general, 15);
    std::string text;
    text.reserve(static_cast<std::size_t>(end - buffer.data()) + separator.size());
    for (const char* at = buffer.data(); at != end; ++at) {
        if (*at == '.') {
            text.append(separator);
        } else {
            text += *at;
        }
    }
    return text;
}

std::int32_t WholeQuotient(double value, std::int32_t divisor) {
    if (divisor == 0) throw RaceError(Problem::ZeroDivisor);
    // std::nearbyint rounds in the default mode, to nearest with halves to even.
    const double rounded = std::nearbyint(value);
    constexpr double kLowest = std::numeric_limits<std::int32_t>::min();
    constexpr double kHighest = std::numeric_limits<std::int32_t>::max();
    if (!(rounded >= kLowest && rounded <= kHighest)) {  // also refuses NaN
        throw RaceError(Problem::CannotSplit);
    }
    const std::int64_t quotient = static_cast<std::int64_t>(rounded) / divisor;
    if (quotient > std::numeric_limits<std::int32_t>::max()) {  // only the lowest value by -1
        throw RaceError(Problem::CannotSplit);
    }
    return static_cast<std::int32_t>(quotient);
}

double ClockSecondsOf(double hours, double minutes, double seconds) {
    const double minutePart = minutes * 60;
    const double hoursAndMinutes = hours * 3600 + minutePart;
    return hoursAndMinutes + seconds;
}

double ClockSecondsOf(double hours, double minutes, double seconds, double days) {
    const double timeOfDay = ClockSecondsOf(hours, minutes, seconds);
    return days * 86400 + timeOfDay;
}

double ClockSeconds(std::string_view hours, std::string_view minutes, std::string_view seconds,
                    std::optional<std::string_view> days, std::string_view separator) {
    // The day count is asked for only when there is one.
    const ClockParts<std::string_view> texts{hours, minutes, seconds, days.value_or("")};
    return ReadClock([&](ClockPart part) { return TextToNumber(texts[part], separator); },
                     days.has_value());
}

}  // namespace race
