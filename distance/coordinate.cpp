#include "distance/coordinate.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <variant>
#include <vector>

namespace distance {
namespace {

// What one character of a coordinate's text stands for. People type the same notation with
// whatever their keyboard, word processor or web page gives them, so several spellings share one
// meaning: a word processor turns ' into ’, a web page writes ′ and ″, and a spreadsheet pastes a
// no-break space between the numbers.
enum class Glyph {
    Digit,
    Point,
    Comma,
    Blank,
    Colon,
    DegreeMark,
    MinuteMark,
    SecondMark,
    Plus,
    Minus,
    Letter,
    Unknown,
};

struct Token {
    Glyph glyph;
    std::string_view text;
    char letter = 0;  // the hemisphere letter in capitals, for Glyph::Letter
};

struct Spelling {
    std::string_view utf8;
    Glyph glyph;
};

constexpr Spelling kSpellings[] = {
    {"\u00B0", Glyph::DegreeMark},  // degree sign
    {"\u00BA", Glyph::DegreeMark},  // masculine ordinal, typed for a degree on many keyboards
    {"\u02DA", Glyph::DegreeMark},  // ring above
    {"\u2019", Glyph::MinuteMark},  // right single quotation mark, a word processor's apostrophe
    {"\u2018", Glyph::MinuteMark},  // left single quotation mark
    {"\u2032", Glyph::MinuteMark},  // prime
    {"\u00B4", Glyph::MinuteMark},  // acute accent
    {"\u201D", Glyph::SecondMark},  // right double quotation mark
    {"\u201C", Glyph::SecondMark},  // left double quotation mark
    {"\u2033", Glyph::SecondMark},  // double prime
    {"\u00A0", Glyph::Blank},       // no-break space
    {"\u2009", Glyph::Blank},       // thin space
    {"\u202F", Glyph::Blank},       // narrow no-break space
    {"\u2212", Glyph::Minus},       // minus sign
};

// The letters that name a hemisphere; O is east (Oost, Ost) as Dutch, Belgian and German clubs
// write it.
bool IsHemisphereLetter(char capital) {
    return capital == 'N' || capital == 'S' || capital == 'E' || capital == 'W' || capital == 'O';
}

Glyph AsciiGlyph(char c) {
    if (c >= '0' && c <= '9') return Glyph::Digit;
    switch (c) {
        case '.':
            return Glyph::Point;
        case ',':
            return Glyph::Comma;
        case ' ':
        case '\t':
            return Glyph::Blank;
        case ':':
            return Glyph::Colon;
        case '\'':
            return Glyph::MinuteMark;
        case '"':
            return Glyph::SecondMark;
        case '+':
            return Glyph::Plus;
        case '-':
            return Glyph::Minus;
        default:
            return Glyph::Unknown;
    }
}

// The length of the UTF-8 sequence a byte starts, so that an unknown character is reported whole.
std::size_t SequenceLength(unsigned char lead) {
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC0) return 2;
    return 1;
}

std::vector<Token> Scan(std::string_view text) {
    std::vector<Token> tokens;
    std::size_t at = 0;
    while (at < text.size()) {
        const char c = text[at];
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            const char capital = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
            if (IsHemisphereLetter(capital)) {
                tokens.push_back({Glyph::Letter, text.substr(at, 1), capital});
            } else {
                tokens.push_back({AsciiGlyph(c), text.substr(at, 1)});
            }
            ++at;
            continue;
        }
        Glyph glyph = Glyph::Unknown;
        std::size_t length = std::min(SequenceLength(byte), text.size() - at);
        for (const Spelling& spelling : kSpellings) {
            if (text.substr(at, spelling.utf8.size()) == spelling.utf8) {
                glyph = spelling.glyph;
                length = spelling.utf8.size();
                break;
            }
        }
        tokens.push_back({glyph, text.substr(at, length)});
        at += length;
    }
    return tokens;
}

bool IsBlankToken(const Token& token) {
    return token.glyph == Glyph::Blank;
}

// The degrees, minutes and seconds as written, before they are checked against 60 and 90 or 180.
struct Components {
    double degrees = 0.0;
    double minutes = 0.0;
    double seconds = 0.0;
};

double ParseNumber(std::string digits) {
    for (char& c : digits) {
        if (c == ',') c = '.';
    }
    double value = 0.0;
    std::from_chars(digits.data(), digits.data() + digits.size(), value, std::chars_format::fixed);
    return value;
}

bool AllDigits(std::string_view text) {
    if (text.empty()) return false;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

// Digits with at most one decimal point or comma between digits.
bool IsDecimal(std::string_view text) {
    const std::size_t separator = text.find_first_of(".,");
    if (separator == std::string_view::npos) return AllDigits(text);
    return AllDigits(text.substr(0, separator)) && AllDigits(text.substr(separator + 1));
}

// The UK clubs' form 52.34.20.5: degrees, minutes, seconds and their decimals, all between points.
// Two or more points can mean nothing else; with one point the text is decimal degrees.
std::optional<Components> ReadDotted(std::string_view body) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t point = body.find('.'); point != std::string_view::npos;
         point = body.find('.', start)) {
        parts.push_back(body.substr(start, point - start));
        start = point + 1;
    }
    parts.push_back(body.substr(start));
    if (parts.size() != 3 && parts.size() != 4) return std::nullopt;
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
        if (!AllDigits(parts[i])) return std::nullopt;
    }
    std::string seconds(parts[2]);
    if (parts.size() == 4) {
        if (!AllDigits(parts[3])) return std::nullopt;
        seconds += '.';
        seconds += parts[3];
    } else if (!IsDecimal(seconds)) {
        return std::nullopt;
    }
    return Components{ParseNumber(std::string(parts[0])), ParseNumber(std::string(parts[1])),
                      ParseNumber(seconds)};
}

// One, two or three numbers (degrees; degrees and minutes; degrees, minutes and seconds), only the
// last with a fraction, apart by blanks, a colon or the mark of the number before.
std::optional<Components> ReadSeparated(const std::vector<Token>& body) {
    const Glyph marks[] = {Glyph::DegreeMark, Glyph::MinuteMark, Glyph::SecondMark};
    std::vector<std::string> numbers;
    std::size_t at = 0;
    const auto skip_blanks = [&] {
        while (at < body.size() && IsBlankToken(body[at])) ++at;
    };
    while (at < body.size()) {
        if (numbers.size() == 3) return std::nullopt;
        std::string number;
        while (at < body.size() &&
               (body[at].glyph == Glyph::Digit || body[at].glyph == Glyph::Point ||
                body[at].glyph == Glyph::Comma)) {
            number += body[at].text;
            ++at;
        }
        if (!IsDecimal(number)) return std::nullopt;
        const std::size_t position = numbers.size();
        numbers.push_back(number);
        const std::size_t number_end = at;
        skip_blanks();
        bool marked = false;
        if (at < body.size() && body[at].glyph == marks[position]) {
            ++at;
            marked = true;
        } else if (position == 2 && at + 1 < body.size() && body[at].glyph == Glyph::MinuteMark &&
                   body[at + 1].glyph == Glyph::MinuteMark) {
            at += 2;  // seconds marked with two apostrophes, as typewriters wrote them
            marked = true;
        }
        skip_blanks();
        bool separated = marked || at > number_end || at == body.size();
        if (at < body.size() && body[at].glyph == Glyph::Colon) {
            if (marked) return std::nullopt;
            ++at;
            skip_blanks();
            if (at == body.size()) return std::nullopt;
            separated = true;
        }
        if (!separated) return std::nullopt;
    }
    if (numbers.empty()) return std::nullopt;
    for (std::size_t i = 0; i + 1 < numbers.size(); ++i) {
        if (!AllDigits(numbers[i])) return std::nullopt;
    }
    Components components;
    double* values[] = {&components.degrees, &components.minutes, &components.seconds};
    for (std::size_t i = 0; i < numbers.size(); ++i) *values[i] = ParseNumber(numbers[i]);
    return components;
}

std::optional<Components> ReadBody(const std::vector<Token>& body) {
    bool only_number_glyphs = true;
    int points = 0;
    std::string text;
    for (const Token& token : body) {
        only_number_glyphs =
            only_number_glyphs && (token.glyph == Glyph::Digit || token.glyph == Glyph::Point ||
                                   token.glyph == Glyph::Comma);
        points += token.glyph == Glyph::Point ? 1 : 0;
        text += token.text;
    }
    if (only_number_glyphs && points >= 2) return ReadDotted(text);
    return ReadSeparated(body);
}

// Reads the text or says what is wrong; the problems are checked in the order a person would fix
// them: what the characters are, then the hemisphere, then the numbers, then their range.
std::variant<double, CoordinateProblem> Read(std::string_view text, Axis axis) {
    const std::vector<Token> all = Scan(text);
    for (const Token& token : all) {
        if (token.glyph == Glyph::Unknown) return CoordinateProblem::UnknownCharacter;
    }
    std::vector<Token> tokens;
    for (const Token& token : all) {
        if (!IsBlankToken(token) || !tokens.empty()) tokens.push_back(token);
    }
    while (!tokens.empty() && IsBlankToken(tokens.back())) tokens.pop_back();
    if (tokens.empty()) return CoordinateProblem::Empty;

    const auto is_letter = [](const Token& token) { return token.glyph == Glyph::Letter; };
    if (std::count_if(tokens.begin(), tokens.end(), is_letter) > 1) {
        return CoordinateProblem::TwoLetters;
    }
    std::optional<char> letter;
    bool letter_first = false;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (!is_letter(tokens[i])) continue;
        if (i != 0 && i + 1 != tokens.size()) return CoordinateProblem::Malformed;
        letter = tokens[i].letter;
        letter_first = i == 0;
    }
    if (letter) {
        const bool north_south = *letter == 'N' || *letter == 'S';
        if (north_south != (axis == Axis::Latitude)) {
            return CoordinateProblem::OtherAxisLetter;
        }
        if (letter_first) {
            tokens.erase(tokens.begin());
        } else {
            tokens.pop_back();
        }
    }

    std::optional<Glyph> sign;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const Glyph glyph = tokens[i].glyph;
        if (glyph != Glyph::Plus && glyph != Glyph::Minus) continue;
        if (letter) return CoordinateProblem::SignAndLetter;
        if (i != 0) return CoordinateProblem::Malformed;
        sign = glyph;
    }
    if (sign) tokens.erase(tokens.begin());
    while (!tokens.empty() && IsBlankToken(tokens.front())) tokens.erase(tokens.begin());
    while (!tokens.empty() && IsBlankToken(tokens.back())) tokens.pop_back();

    const std::optional<Components> components = ReadBody(tokens);
    if (!components) return CoordinateProblem::Malformed;
    if (components->minutes >= 60) return CoordinateProblem::MinutesOf60;
    if (components->seconds >= 60) return CoordinateProblem::SecondsOf60;
    const double magnitude =
        components->degrees + components->minutes / 60 + components->seconds / 3600;
    if (axis == Axis::Latitude && magnitude > 90) return CoordinateProblem::BeyondLatitude;
    if (axis == Axis::Longitude && magnitude > 180) {
        return CoordinateProblem::BeyondLongitude;
    }
    const bool negative = sign == Glyph::Minus || letter == 'S' || letter == 'W';
    return negative ? -magnitude : magnitude;
}

std::string_view AxisName(Axis axis) {
    return axis == Axis::Latitude ? "latitude" : "longitude";
}

template <class... Parts>
std::string Join(const Parts&... parts) {
    std::string text;
    (text.append(std::string_view(parts)), ...);
    return text;
}

std::string_view FirstUnknownCharacter(std::string_view text) {
    for (const Token& token : Scan(text)) {
        if (token.glyph == Glyph::Unknown) return token.text;
    }
    return {};
}

}  // namespace

AngleReading ReadAngle(std::string_view text, Axis axis) {
    const std::variant<double, CoordinateProblem> reading = Read(text, axis);
    if (const auto* problem = std::get_if<CoordinateProblem>(&reading)) {
        return AngleReading{0.0, CoordinateError{*problem, axis, std::string(text)}};
    }
    return AngleReading{std::get<double>(reading), std::nullopt};
}

std::optional<double> ShortFormAngle(std::string_view text, Axis axis) {
    if (!ReadAngle(text, axis).ok()) return std::nullopt;
    // The degrees' digits, one decimal separator and exactly two digits after it, with nothing
    // but blanks, a sign or a letter around them.
    std::size_t separator = std::string_view::npos;
    std::size_t digits_before = 0, digits_after = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char c = text[at];
        if (c >= '0' && c <= '9') {
            (separator == std::string_view::npos ? digits_before : digits_after) += 1;
        } else if (c == '.' || c == ',') {
            if (separator != std::string_view::npos || digits_before == 0) return std::nullopt;
            separator = at;
        } else if (digits_after > 0 || separator == std::string_view::npos) {
            continue;  // a sign, a letter or a blank, before or after the number
        } else {
            return std::nullopt;  // anything else right after the separator
        }
    }
    if (separator == std::string_view::npos || digits_before > 3 || digits_after != 2) {
        return std::nullopt;
    }
    // The same text with the separator as the space between degrees and minutes.
    std::string minutes_form(text);
    minutes_form[separator] = ' ';
    const AngleReading short_form = ReadAngle(minutes_form, axis);
    if (!short_form.ok()) return std::nullopt;
    return short_form.degrees;
}

std::string CoordinateMessage(const CoordinateError& error) {
    const std::string_view axis = AxisName(error.axis);
    const std::string_view text = error.text;
    switch (error.problem) {
        case CoordinateProblem::Empty:
            return Join("The ", axis, " is empty.");
        case CoordinateProblem::UnknownCharacter:
            return Join("\"", FirstUnknownCharacter(text), "\" in the ", axis, " \"", text,
                        "\" is not part of any notation of degrees, minutes and seconds.");
        case CoordinateProblem::Malformed:
            return Join("The ", axis, " \"", text,
                        "\" is in no notation read: write degrees, minutes and seconds "
                        "(52 34 20.5, 52°34'20.5\", 52:34:20.5 or 52.34.20.5), degrees and "
                        "decimal minutes (52 34.342) or decimal degrees (52.5724).");
        case CoordinateProblem::MinutesOf60:
            return Join("Minutes must be below 60 in the ", axis, " \"", text, "\".");
        case CoordinateProblem::SecondsOf60:
            return Join("Seconds must be below 60 in the ", axis, " \"", text, "\".");
        case CoordinateProblem::BeyondLatitude:
            return Join("A latitude is at most 90 degrees, north or south: \"", text, "\".");
        case CoordinateProblem::BeyondLongitude:
            return Join("A longitude is at most 180 degrees, east or west: \"", text, "\".");
        case CoordinateProblem::OtherAxisLetter:
            return error.axis == Axis::Latitude
                       ? Join("The latitude \"", text,
                              "\" has a longitude's letter: a latitude is N or S.")
                       : Join("The longitude \"", text,
                              "\" has a latitude's letter: a longitude is E (or O) or W.");
        case CoordinateProblem::SignAndLetter:
            return Join("The ", axis, " \"", text,
                        "\" has both a sign and a hemisphere letter: give one or the other.");
        case CoordinateProblem::TwoLetters:
            return Join("The ", axis, " \"", text, "\" has two hemisphere letters: give one.");
    }
    return {};
}

std::string WriteAngle(double degrees, Axis axis) {
    // Whole tenths of a second first, so that 59.96 seconds carries into the next minute rather
    // than being written as 60.0.
    const auto tenths = static_cast<std::int64_t>(std::llround(std::fabs(degrees) * 36000));
    const char letter = axis == Axis::Latitude ? (degrees < 0 && tenths > 0 ? 'S' : 'N')
                                               : (degrees < 0 && tenths > 0 ? 'W' : 'E');
    char text[40];
    std::snprintf(text, sizeof text, "%lld\u00B0%02lld'%02lld.%lld\"%c",
                  static_cast<long long>(tenths / 36000), static_cast<long long>(tenths / 600 % 60),
                  static_cast<long long>(tenths / 10 % 60), static_cast<long long>(tenths % 10),
                  letter);
    return text;
}

}  // namespace distance
