#include <gtest/gtest.h>

#include "results/date_time.h"

namespace results {
namespace {

using P = DateTimeProblem;

struct DateTimeCase {
    const char* text;
    Seconds seconds;
    std::optional<DateTime> value;  // or
    std::optional<DateTimeProblem> problem;
};

// Every form read, each read back from the one form written; every refusal with its own code.
TEST(ReadDateTimeTest, FormsAndRefusals) {
    const DateTime clocked{{2026, 5, 9}, {14, 1, 0, ""}};
    const DateTime fraction{{2026, 5, 9}, {14, 1, 0, "25"}};
    const DateTime seven{{2026, 5, 9}, {7, 0, 0, ""}};
    const DateTimeCase cases[] = {
        {"2026-05-09 14:01:00", Seconds::Required, clocked, {}},
        {"  09/05/2026   14.01.00 ", Seconds::Required, clocked, {}},
        {"9.5.2026 14-01-00", Seconds::Required, clocked, {}},
        {"09-05-2026 140100", Seconds::Required, clocked, {}},
        {"2026/05/09T14:01:00", Seconds::Required, clocked, {}},
        {"2026-05-09 14:01:00.25", Seconds::Required, fraction, {}},
        {"09/05/2026 14:01:00,25", Seconds::Required, fraction, {}},
        {"09/05/2026 140100,25", Seconds::Required, fraction, {}},
        {"2026-05-09 07:00", Seconds::Optional, seven, {}},
        {"2026-05-09 7:00", Seconds::Optional, seven, {}},
        {"2026-05-09 0700", Seconds::Optional, seven, {}},
        {"2028-02-29 00:00:00", Seconds::Required, DateTime{{2028, 2, 29}, {}}, {}},
        {"", Seconds::Required, {}, P::Empty},
        {"   ", Seconds::Optional, {}, P::Empty},
        {"2026-05-O9 14:01:00", Seconds::Required, {}, P::Letter},
        {"2026-05-09 14:01:00 pm", Seconds::Required, {}, P::Letter},
        {"2026-05-09 14:01", Seconds::Required, {}, P::NoSeconds},
        {"2026-05-09 1401", Seconds::Required, {}, P::NoSeconds},
        {"14:01:00", Seconds::Required, {}, P::NoDate},
        {"09/05/2026", Seconds::Optional, {}, P::NoTime},
        {"31/02/2026 14:01:00", Seconds::Required, {}, P::NoSuchDay},
        {"29/02/2027 14:01:00", Seconds::Required, {}, P::NoSuchDay},
        {"09/13/2026 14:01:00", Seconds::Required, {}, P::NoSuchMonth},
        {"05/31/2026 14:01:00", Seconds::Required, {}, P::NoSuchMonth},  // month first
        {"2026-05-09 24:00:00", Seconds::Required, {}, P::HourOf24},
        {"2026-05-09 14:60:00", Seconds::Required, {}, P::MinuteOf60},
        {"2026-05-09 14:01:60", Seconds::Required, {}, P::SecondOf60},
        {"09/05/26 14:01:00", Seconds::Required, {}, P::Malformed},
        {"2026-05-09 14:01.00", Seconds::Required, {}, P::Malformed},
        {"2026-05-09 14:1:00", Seconds::Required, {}, P::Malformed},
        {"2026-05-09 14:01,5", Seconds::Optional, {}, P::Malformed},
        {"2026-05-09 14:01:00.", Seconds::Required, {}, P::Malformed},
    };
    for (const DateTimeCase& row : cases) {
        SCOPED_TRACE(row.text);
        const DateTimeReading reading = ReadDateTime(row.text, row.seconds);
        EXPECT_EQ(reading.problem, row.problem);
        if (!row.value) continue;
        EXPECT_EQ(reading.value, *row.value);
        const std::string written = WriteDateTime(reading.value);
        EXPECT_EQ(ReadDateTime(written, Seconds::Required).value, *row.value) << written;
    }
    EXPECT_EQ(WriteDateTime(fraction), "2026-05-09 14:01:00.25");
}

// The hours of darkness begin and end on the minute.
TEST(ReadTimeTest, DarknessOnTheMinute) {
    const TimeReading evening = ReadTime("22.30", Seconds::Refused);
    ASSERT_TRUE(evening.ok());
    EXPECT_EQ(evening.value, (TimeOfDay{22, 30, 0, ""}));
    EXPECT_EQ(WriteTime(evening.value, Seconds::Refused), "22:30");
    EXPECT_EQ(ReadTime("22:30:00", Seconds::Refused).problem, P::SecondsGiven);
    EXPECT_EQ(ReadTime("2230", Seconds::Refused).value, evening.value);
}

TEST(DayNumberTest, MidnightsAcrossMonthsAndLeapDays) {
    EXPECT_EQ(DayNumber({2026, 3, 1}) - DayNumber({2026, 2, 28}), 1);
    EXPECT_EQ(DayNumber({2028, 3, 1}) - DayNumber({2028, 2, 28}), 2);
    EXPECT_EQ(DayNumber({1970, 1, 1}), 0);
}

}  // namespace
}  // namespace results
