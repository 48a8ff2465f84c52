#pragma once

// Dates and times as clubs write them on their sheets and in their spreadsheets, read in one
// place for every caller, and the one form they are written in again.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace results {

// What is wrong with the text of a date or a time.
enum class DateTimeProblem {
    Empty,         // nothing there but blanks
    Letter,        // a letter where figures belong
    Malformed,     // figures and marks in no form read (two-figure years, 7:5, 14:01.00)
    NoDate,        // a time without the date it falls on
    NoTime,        // a date without the time of day
    NoSeconds,     // a clock reading without its seconds
    SecondsGiven,  // seconds where only hours and minutes are taken (hours of darkness)
    NoSuchMonth,   // month 0 or 13 and over
    NoSuchDay,     // a day the month does not have (31/02/2026, 29/02/2027), or year 0
    HourOf24,      // hour 24 or more
    MinuteOf60,    // minute 60 or more
    SecondOf60,    // second 60 or more
};

struct Date {
    int year = 0;
    int month = 0;
    int day = 0;
    bool operator==(const Date&) const = default;
};

// A time of day, with the fraction of a second electronic clocks give kept as its digits, as
// typed (so "25" for 14:01:00,25): what is written again is what was read.
struct TimeOfDay {
    int hour = 0;
    int minute = 0;
    int second = 0;
    std::string fraction;
    bool operator==(const TimeOfDay&) const = default;
};

struct DateTime {
    Date date;
    TimeOfDay time;
    bool operator==(const DateTime&) const = default;
};

// Whether a time must give its seconds (a clock reading), may (liberation), or must not (the
// hours of darkness, which begin and end on the minute).
enum class Seconds { Required, Optional, Refused };

template <class Value>
struct Reading {
    Value value;
    std::optional<DateTimeProblem> problem;
    bool ok() const { return !problem.has_value(); }
};
using DateTimeReading = Reading<DateTime>;
using TimeReading = Reading<TimeOfDay>;

// A date and a time of day, joined by blanks or a T. Dates: 2026-05-09 (year first, also with
// slashes) or 09/05/2026, 09.05.2026, 09-05-2026 (day first; a month-first date reads as day
// first, so 05/31/2026 is refused as month 31). Times: 14:01:00, 14.01.00, 14-01-00, 140100,
// the hour in one figure or two; without seconds 14:01 or 1401 where seconds are optional; and a
// fraction of a second after them, 14:01:00.25 or 14:01:00,25.
DateTimeReading ReadDateTime(std::string_view text, Seconds seconds);
// A time of day alone, in the forms above.
TimeReading ReadTime(std::string_view text, Seconds seconds);

// The one written form, 2026-05-09 14:01:00 (14:01:00.25 with a fraction), which reads back to
// the same value.
std::string WriteDateTime(const DateTime& value);
// 22:00 where seconds are refused, 14:01:00 (with any fraction) otherwise.
std::string WriteTime(const TimeOfDay& value, Seconds seconds);

// Days since 1970-01-01 (negative before), for counting the midnights between two dates.
std::int64_t DayNumber(const Date& date);
// Seconds from the start of the day, the fraction included.
double SecondsOfDay(const TimeOfDay& time);
// A moment as a count of seconds, for putting readings of different days in order.
double Moment(const DateTime& value);
// The same for a time on the day of that number.
double Moment(std::int64_t day_number, const TimeOfDay& time);

}  // namespace results
