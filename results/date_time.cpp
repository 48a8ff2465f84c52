#include "results/date_time.h"

#include <algorithm>
#include <charconv>
#include <chrono>

namespace results {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// The figures at the front of a text, taken off it, and the number they make where a date or a
// time can use it (a longer run is refused by its length).
struct Figures {
    std::string_view text;
    int value = 0;
    std::size_t size() const { return text.size(); }
    bool empty() const { return text.empty(); }
};

Figures TakeFigures(std::string_view& text) {
    std::size_t count = 0;
    unsigned value = 0;  // wraps harmlessly for a run too long to be used
    while (count < text.size() && IsDigit(text[count])) {
        value = value * 10 + static_cast<unsigned>(text[count] - '0');
        ++count;
    }
    const Figures figures{text.substr(0, count), static_cast<int>(value & 0x7FFFFFFF)};
    text.remove_prefix(count);
    return figures;
}

// The figures of a time written without marks, two at a time.
int Number(std::string_view digits) {
    int value = 0;
    for (const char digit : digits) value = value * 10 + (digit - '0');
    return value;
}

// A letter is named as such, since "O" for a nought or "l" for a one is the commonest slip; the
// one letter a date and time may hold is the T that joins them.
std::optional<DateTimeProblem> CharacterProblem(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (!IsLetter(c)) continue;
        const bool joining_t = (c == 'T' || c == 't') && i > 0 && i + 1 < text.size() &&
                               IsDigit(text[i - 1]) && IsDigit(text[i + 1]);
        if (!joining_t) return DateTimeProblem::Letter;
    }
    return std::nullopt;
}

std::optional<DateTimeProblem> ParseDate(std::string_view text, Date& date) {
    std::string_view rest = text;
    const Figures first = TakeFigures(rest);
    if (first.empty() || rest.empty()) return DateTimeProblem::Malformed;
    const char mark = rest.front();
    if (mark != '-' && mark != '/' && mark != '.') return DateTimeProblem::Malformed;
    rest.remove_prefix(1);
    const Figures second = TakeFigures(rest);
    if (second.empty() || second.size() > 2 || rest.empty() || rest.front() != mark) {
        return DateTimeProblem::Malformed;
    }
    rest.remove_prefix(1);
    const Figures third = TakeFigures(rest);
    if (!rest.empty()) return DateTimeProblem::Malformed;
    if (first.size() == 4 && mark != '.' && !third.empty() && third.size() <= 2) {
        date = {first.value, second.value, third.value};
    } else if (first.size() <= 2 && third.size() == 4) {
        date = {third.value, second.value, first.value};
    } else {
        return DateTimeProblem::Malformed;
    }
    if (date.month < 1 || date.month > 12) return DateTimeProblem::NoSuchMonth;
    const std::chrono::year_month_day calendar{std::chrono::year(date.year),
                                               std::chrono::month(unsigned(date.month)),
                                               std::chrono::day(unsigned(date.day))};
    if (date.year == 0 || !calendar.ok()) return DateTimeProblem::NoSuchDay;
    return std::nullopt;
}

std::optional<DateTimeProblem> ParseTime(std::string_view text, Seconds seconds_rule,
                                         TimeOfDay& time) {
    std::string_view rest = text;
    const Figures first = TakeFigures(rest);
    int hour = 0, minute = 0, second = 0;
    bool has_seconds = false;
    if (first.size() == 4 || first.size() == 6) {
        // Written without marks: 1401 or 140100.
        hour = Number(first.text.substr(0, 2));
        minute = Number(first.text.substr(2, 2));
        has_seconds = first.size() == 6;
        if (has_seconds) second = Number(first.text.substr(4, 2));
    } else if (first.size() == 1 || first.size() == 2) {
        if (rest.empty()) return DateTimeProblem::Malformed;
        const char mark = rest.front();
        if (mark != ':' && mark != '.' && mark != '-') return DateTimeProblem::Malformed;
        rest.remove_prefix(1);
        hour = first.value;
        const Figures minutes = TakeFigures(rest);
        if (minutes.size() != 2) return DateTimeProblem::Malformed;
        minute = minutes.value;
        if (!rest.empty() && rest.front() == mark) {
            rest.remove_prefix(1);
            const Figures seconds = TakeFigures(rest);
            if (seconds.size() != 2) return DateTimeProblem::Malformed;
            second = seconds.value;
            has_seconds = true;
        }
    } else {
        return DateTimeProblem::Malformed;
    }
    std::string_view fraction;
    if (!rest.empty() && has_seconds && (rest.front() == '.' || rest.front() == ',')) {
        rest.remove_prefix(1);
        fraction = TakeFigures(rest).text;
        if (fraction.empty()) return DateTimeProblem::Malformed;
    }
    if (!rest.empty()) return DateTimeProblem::Malformed;
    time.hour = hour;
    time.minute = minute;
    time.second = second;
    if (fraction.empty()) {
        time.fraction.clear();  // most clocks give none
    } else {
        time.fraction.assign(fraction);
    }
    if (time.hour >= 24) return DateTimeProblem::HourOf24;
    if (time.minute >= 60) return DateTimeProblem::MinuteOf60;
    if (time.second >= 60) return DateTimeProblem::SecondOf60;
    if (!has_seconds && seconds_rule == Seconds::Required) return DateTimeProblem::NoSeconds;
    if (has_seconds && seconds_rule == Seconds::Refused) return DateTimeProblem::SecondsGiven;
    return std::nullopt;
}

// What joins a date to its time.
bool IsJoin(char c) {
    return IsBlank(c) || c == 'T' || c == 't';
}

// The written forms are put together in a buffer of their own and made a string at once.
char* TwoDigits(char* at, int value) {
    *at++ = static_cast<char>('0' + value / 10 % 10);
    *at++ = static_cast<char>('0' + value % 10);
    return at;
}

char* WrittenTime(char* at, const TimeOfDay& value, Seconds seconds) {
    at = TwoDigits(at, value.hour);
    *at++ = ':';
    at = TwoDigits(at, value.minute);
    if (seconds == Seconds::Refused) return at;
    *at++ = ':';
    return TwoDigits(at, value.second);
}

std::string WithFraction(const char* written, const char* end, const TimeOfDay& value,
                         Seconds seconds) {
    const auto length = static_cast<std::size_t>(end - written);
    if (seconds == Seconds::Refused || value.fraction.empty()) return std::string(written, length);
    std::string text;
    text.reserve(length + 1 + value.fraction.size());
    text.append(written, length).append(".").append(value.fraction);
    return text;
}

}  // namespace

DateTimeReading ReadDateTime(std::string_view text, Seconds seconds) {
    DateTimeReading reading;
    text = Trim(text);
    if (text.empty()) {
        reading.problem = DateTimeProblem::Empty;
    } else if (const std::size_t join = static_cast<std::size_t>(
                   std::find_if(text.begin(), text.end(), IsJoin) - text.begin());
               join == text.size()) {
        // One part only: say which half is missing where the part is a whole date or time.
        Date date;
        TimeOfDay time;
        const auto date_problem = ParseDate(text, date);
        if (date_problem != DateTimeProblem::Malformed) {
            reading.problem = date_problem ? *date_problem : DateTimeProblem::NoTime;
        } else if (ParseTime(text, Seconds::Optional, time) != DateTimeProblem::Malformed) {
            reading.problem = DateTimeProblem::NoDate;
        } else {
            reading.problem = DateTimeProblem::Malformed;
        }
    } else {
        const std::string_view time_text = Trim(text.substr(join + 1));
        const bool t_joined = text[join] == 'T' || text[join] == 't';
        if (t_joined && time_text.size() != text.size() - join - 1) {
            reading.problem = DateTimeProblem::Malformed;
        } else {
            reading.problem = ParseDate(text.substr(0, join), reading.value.date);
            if (!reading.problem)
                reading.problem = ParseTime(time_text, seconds, reading.value.time);
        }
    }
    // A text that reads holds no letter but the T that may join its date to its time between
    // their figures, so only one that does not read is looked at for letters.
    if (reading.problem) {
        if (const auto letter = CharacterProblem(text)) reading = {{}, letter};
    }
    return reading;
}

TimeReading ReadTime(std::string_view text, Seconds seconds) {
    TimeReading reading;
    text = Trim(text);
    if (text.empty()) {
        reading.problem = DateTimeProblem::Empty;
    } else {
        reading.problem = ParseTime(text, seconds, reading.value);
        // A time that reads has figures and marks only.
        if (reading.problem) {
            if (const auto letter = CharacterProblem(text)) reading = {{}, letter};
        }
    }
    return reading;
}

std::string WriteTime(const TimeOfDay& value, Seconds seconds) {
    char written[8];
    return WithFraction(written, WrittenTime(written, value, seconds), value, seconds);
}

std::string WriteDateTime(const DateTime& value) {
    char written[19];
    char* at = TwoDigits(written, value.date.year / 100);
    at = TwoDigits(at, value.date.year % 100);
    *at++ = '-';
    at = TwoDigits(at, value.date.month);
    *at++ = '-';
    at = TwoDigits(at, value.date.day);
    *at++ = ' ';
    at = WrittenTime(at, value.time, Seconds::Required);
    return WithFraction(written, at, value.time, Seconds::Required);
}

std::int64_t DayNumber(const Date& date) {
    const std::chrono::sys_days days = std::chrono::year_month_day{
        std::chrono::year(date.year), std::chrono::month(unsigned(date.month)),
        std::chrono::day(unsigned(date.day))};
    return days.time_since_epoch().count();
}

double SecondsOfDay(const TimeOfDay& time) {
    double seconds = time.hour * 3600.0 + time.minute * 60.0 + time.second;
    if (!time.fraction.empty()) {
        // Read as a decimal whatever the locale's separator.
        const std::string decimal = "0." + time.fraction;
        double fraction = 0;
        std::from_chars(decimal.data(), decimal.data() + decimal.size(), fraction);
        seconds += fraction;
    }
    return seconds;
}

double Moment(const DateTime& value) {
    return Moment(DayNumber(value.date), value.time);
}

double Moment(std::int64_t day_number, const TimeOfDay& time) {
    return static_cast<double>(day_number) * 86400.0 + SecondsOfDay(time);
}

}  // namespace results
