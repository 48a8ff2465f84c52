#include <gtest/gtest.h>

#include <cmath>

#include "distance/coordinate.h"

namespace distance {
namespace {

constexpr Axis kLat = Axis::Latitude;
constexpr Axis kLon = Axis::Longitude;

double Dms(double degrees, double minutes, double seconds) {
    return degrees + minutes / 60 + seconds / 3600;
}

struct ReadCase {
    const char* name;
    const char* text;
    Axis axis;
    double degrees;
};

class ReadAngleTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadAngleTest, Reads) {
    const AngleReading reading = ReadAngle(GetParam().text, GetParam().axis);
    ASSERT_TRUE(reading.ok()) << CoordinateMessage(*reading.error);
    EXPECT_NEAR(reading.degrees, GetParam().degrees, 1e-12);
}

const ReadCase kReadCases[] = {
    {"Spaces", "52 34 20.5", kLat, Dms(52, 34, 20.5)},
    {"Colons", "52:34:20.5", kLat, Dms(52, 34, 20.5)},
    {"UkClubDots", "52.34.20.5", kLat, Dms(52, 34, 20.5)},
    {"UkClubDotsWholeSeconds", "52.34.20", kLat, Dms(52, 34, 20)},
    {"UkClubDotsDecimalComma", "52.34.20,5", kLat, Dms(52, 34, 20.5)},
    {"AsciiMarks", "52°34'20.5\"N", kLat, Dms(52, 34, 20.5)},
    {"Primes", "52°34′20.5″ N", kLat, Dms(52, 34, 20.5)},
    {"WordProcessorQuotes", "52° 34’ 20.5” N", kLat, Dms(52, 34, 20.5)},
    {"TwoApostrophesForSeconds", "52°34'20.5''N", kLat, Dms(52, 34, 20.5)},
    {"NoBreakSpaces", "52\u00A034\u00A020", kLat, Dms(52, 34, 20)},
    {"DecimalMinutes", "52 34.342", kLat, Dms(52, 34.342, 0)},
    {"DecimalMinutesMarkedComma", "52°34,342'", kLat, Dms(52, 34.342, 0)},
    {"DecimalDegrees", "52.5724", kLat, 52.5724},
    {"DecimalDegreesComma", "52,5724", kLat, 52.5724},
    {"DecimalDegreesMarked", "52.5724°", kLat, 52.5724},
    {"LetterBefore", "N52 34 20.5", kLat, Dms(52, 34, 20.5)},
    {"LowercaseSouth", "52 34 20.5 s", kLat, -Dms(52, 34, 20.5)},
    {"West", "2 10 47 W", kLon, -Dms(2, 10, 47)},
    {"EastAsDutchO", "o 4 21 0", kLon, Dms(4, 21, 0)},
    {"MinusAppliesToAll", "-2 10 47", kLon, -Dms(2, 10, 47)},
    {"MinusSignOnZeroDegrees", "\u22120 30", kLon, -0.5},
    {"Plus", "+52.5", kLat, 52.5},
    {"NorthPole", "90 N", kLat, 90},
    {"DateLineWest", "180 W", kLon, -180},
    {"SecondsJustBelow60", "52 34 59.99", kLat, Dms(52, 34, 59.99)},
};
INSTANTIATE_TEST_SUITE_P(Notations, ReadAngleTest, ::testing::ValuesIn(kReadCases),
                         [](const auto& row) { return std::string(row.param.name); });

struct RefuseCase {
    const char* name;
    const char* text;
    Axis axis;
    CoordinateProblem problem;
};

class RefuseAngleTest : public ::testing::TestWithParam<RefuseCase> {};

TEST_P(RefuseAngleTest, SaysWhatIsWrong) {
    const AngleReading reading = ReadAngle(GetParam().text, GetParam().axis);
    ASSERT_FALSE(reading.ok()) << reading.degrees;
    EXPECT_EQ(*reading.error,
              (CoordinateError{GetParam().problem, GetParam().axis, GetParam().text}));
}

using P = CoordinateProblem;
const RefuseCase kRefuseCases[] = {
    {"Nothing", "", kLat, P::Empty},
    {"Blanks", " \t ", kLat, P::Empty},
    {"UnknownLetter", "52 34 20 X", kLat, P::UnknownCharacter},
    {"UnknownMark", "52#34", kLat, P::UnknownCharacter},
    {"FractionBeforeMinutes", "52.5 30", kLat, P::Malformed},
    {"FourNumbers", "52 34 20 10", kLat, P::Malformed},
    {"EmptyDottedPart", "52..34", kLat, P::Malformed},
    {"LetterInTheMiddle", "52 N 34", kLat, P::Malformed},
    {"MinuteMarkOnDegrees", "52'34", kLat, P::Malformed},
    {"SignInTheMiddle", "52 -34", kLat, P::Malformed},
    {"Minutes60", "52 60 00", kLat, P::MinutesOf60},
    {"Seconds60", "52 34 60", kLat, P::SecondsOf60},
    {"Seconds60Dotted", "52.34.60.0", kLat, P::SecondsOf60},
    {"LatitudeBeyond90", "90 00 00.1 N", kLat, P::BeyondLatitude},
    {"LongitudeBeyond180", "180.0001", kLon, P::BeyondLongitude},
    {"EastOnLatitude", "52 34 E", kLat, P::OtherAxisLetter},
    {"NorthOnLongitude", "2 10 N", kLon, P::OtherAxisLetter},
    {"SignAndLetter", "-52 34 S", kLat, P::SignAndLetter},
    {"TwoLetters", "N 52 34 S", kLat, P::TwoLetters},
    {"TwoLettersOneInTheMiddle", "52 N 34 S", kLat, P::TwoLetters},
};
INSTANTIATE_TEST_SUITE_P(Notations, RefuseAngleTest, ::testing::ValuesIn(kRefuseCases),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(CoordinateMessageTest, EachProblemHasItsOwnWords) {
    for (const RefuseCase& row : kRefuseCases) {
        const std::string message =
            CoordinateMessage(CoordinateError{row.problem, row.axis, row.text});
        if (row.problem != P::Empty) {
            EXPECT_NE(message.find(row.text), std::string::npos) << message;
        }
        for (const RefuseCase& other : kRefuseCases) {
            if (other.problem == row.problem) continue;
            EXPECT_NE(message,
                      CoordinateMessage(CoordinateError{other.problem, row.axis, row.text}));
        }
    }
    EXPECT_EQ(CoordinateMessage({P::UnknownCharacter, kLat, "52 34 20 X"}).substr(0, 4), "\"X\" ");
}

struct WriteCase {
    double degrees;
    Axis axis;
    const char* text;
};

TEST(WriteAngleTest, TenthsOfASecondWithTheLetter) {
    const WriteCase cases[] = {
        {Dms(52, 34, 20.5), kLat, "52°34'20.5\"N"},
        {-Dms(2, 10, 47), kLon, "2°10'47.0\"W"},
        {Dms(52, 34, 59.96), kLat, "52°35'00.0\"N"},  // carries into the minute
        {-Dms(0, 0, 0.04), kLat, "0°00'00.0\"N"},     // rounds to nothing: no south
        {-180, kLon, "180°00'00.0\"W"},
    };
    for (const WriteCase& row : cases) EXPECT_EQ(WriteAngle(row.degrees, row.axis), row.text);
}

TEST(WriteAngleTest, ReadsBackToTheSameTenth) {
    for (double degrees = -180; degrees <= 180; degrees += 0.0123457) {
        const std::string text = WriteAngle(degrees, kLon);
        const AngleReading reading = ReadAngle(text, kLon);
        ASSERT_TRUE(reading.ok()) << text;
        EXPECT_NEAR(reading.degrees, degrees, 0.05 / 3600 + 1e-12) << text;
        EXPECT_EQ(WriteAngle(reading.degrees, kLon), text);
    }
}

// Which texts the clubs' short form could also mean, and what it would mean by them.
TEST(ShortFormAngleTest, DegreesAndTwoDecimalsOnly) {
    struct Case {
        const char* text;
        Axis axis;
        std::optional<double> short_form;
    };
    const Case cases[] = {
        {"52.34", kLat, Dms(52, 34, 0)},
        {"52,34 N", kLat, Dms(52, 34, 0)},
        {"-1.58", kLon, -Dms(1, 58, 0)},
        {"1.58 W", kLon, -Dms(1, 58, 0)},
        {"N 52.05", kLat, Dms(52, 5, 0)},
        {"52.75", kLat, std::nullopt},     // 75 minutes: it can only be decimal degrees
        {"52.5", kLat, std::nullopt},      // one decimal
        {"52.572", kLat, std::nullopt},    // three decimals
        {"52.034", kLat, std::nullopt},    // three decimals, which as minutes would be below 60
        {"52.34.00", kLat, std::nullopt},  // written as the short form
        {"52 34.50", kLat, std::nullopt},  // degrees and decimal minutes
        {"52°34'", kLat, std::nullopt},    // degrees and minutes
        {"52", kLat, std::nullopt},        // whole degrees
        {"152.34", kLat, std::nullopt},    // no latitude at all
        {"152.34 E", kLon, Dms(152, 34, 0)},
    };
    for (const Case& row : cases) {
        const std::optional<double> short_form = ShortFormAngle(row.text, row.axis);
        ASSERT_EQ(short_form.has_value(), row.short_form.has_value()) << row.text;
        if (short_form) {
            EXPECT_NEAR(*short_form, *row.short_form, 1e-12) << row.text;
        }
    }
}

}  // namespace
}  // namespace distance
