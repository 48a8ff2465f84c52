#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <utility>

#include "core/text_rules.h"
#include "tests/core/race_fixtures.h"

namespace race {
namespace {

using testing::PrintTo;
using testing::ProblemOf;

struct ReadCase {
    const char* name;
    const char* text;
    const char* separator;
    double value;
};

class TextToNumberTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(TextToNumberTest, Reads) {
    const ReadCase& row = GetParam();
    EXPECT_EQ(TextToNumber(row.text, row.separator), row.value);
}

const ReadCase kReadCases[] = {
    {"Plain", "7", ".", 7},
    {"BlanksAround", "  7 ", ".", 7},
    {"TabsAround", "\t7\t", ".", 7},
    {"LeadingZero", "07", ".", 7},
    {"Fraction", "7.5", ".", 7.5},
    {"Negative", "-3", ".", -3},
    {"PlusSign", "+3", ".", 3},
    {"NoIntegerPart", ".5", ".", 0.5},
    {"NoFractionDigits", "5.", ".", 5},
    {"Exponent", "1.5e3", ".", 1500},
    {"ExponentCapitalNegative", "25E-1", ".", 2.5},
    {"ExponentPlus", "1e+15", ".", 1e15},
    {"CommaSeparator", "7,5", ",", 7.5},
    {"LongSeparator", "7\u066B5", "\u066B", 7.5},  // Arabic decimal separator
    {"BelowSmallestDouble", "1e-400", ".", 0},
    {"LargestDouble", "1.7976931348623157e308", ".", std::numeric_limits<double>::max()},
    {"SeventeenDigits", "0.33333333333333331", ".", 1.0 / 3},
    {"FifteenDigitWhole", "-999999999999999", ".", -999999999999999.0},
    {"WholeBeyondExactDoubles", "9007199254740993", ".", 9007199254740992.0},  // ties to even
    {"NegativeZero", "-0", ".", 0},
};

INSTANTIATE_TEST_SUITE_P(Accepted, TextToNumberTest, ::testing::ValuesIn(kReadCases),
                         testing::RowName);

struct RefuseCase {
    const char* name;
    const char* text;
    const char* separator;
    Problem problem;
};

class TextToNumberRefusesTest : public ::testing::TestWithParam<RefuseCase> {};

TEST_P(TextToNumberRefusesTest, Refuses) {
    const RefuseCase& row = GetParam();
    EXPECT_EQ(ProblemOf([&row] { TextToNumber(row.text, row.separator); }), row.problem);
}

using enum Problem;

const RefuseCase kRefuseCases[] = {
    {"Empty", "", ".", EmptyEntry},
    {"BlanksOnly", "   ", ".", EmptyEntry},
    {"Letters", "abc", ".", NotANumber},
    {"DigitsThenLetter", "12a", ".", NotANumber},
    {"Infinity", "inf", ".", NotANumber},
    {"InfinityWord", "Infinity", ".", NotANumber},
    {"NotANumberWord", "nan", ".", NotANumber},
    {"Hexadecimal", "0x10", ".", NotANumber},
    {"HexadecimalFloat", "0x1p3", ".", NotANumber},
    {"GroupSeparator", "1,000", ".", NotANumber},
    {"TwoSeparators", "1.2.3", ".", NotANumber},
    {"LoneSign", "-", ".", NotANumber},
    {"LoneSeparator", ".", ".", NotANumber},
    {"SignAndSeparator", "-.", ".", NotANumber},
    {"TrailingExponent", "1e", ".", NotANumber},
    {"ExponentSignOnly", "1e-", ".", NotANumber},
    {"ExponentWithoutDigits", "e5", ".", NotANumber},
    {"TwoSigns", "--1", ".", NotANumber},
    {"BlankAfterSign", "- 1", ".", NotANumber},
    {"BlankInside", "1 2", ".", NotANumber},
    {"PointUnderComma", "7.5", ",", NotANumber},
    {"BeyondDouble", "1e999", ".", NumberTooLarge},
    {"BeyondDoubleNegative", "-1e999", ".", NumberTooLarge},
    {"BeyondDoubleByDigits", "2e308", ".", NumberTooLarge},
};

INSTANTIATE_TEST_SUITE_P(NotNumbers, TextToNumberRefusesTest, ::testing::ValuesIn(kRefuseCases),
                         testing::RowName);

TEST(TextToNumberEmbeddedNul, RefusesTextAfterANul) {
    const std::string withNul("1\0002", 3);
    EXPECT_EQ(ProblemOf([&withNul] { TextToNumber(withNul); }), NotANumber);
}

struct WriteCase {
    const char* name;
    double value;
    const char* separator;
    const char* text;
};

class NumberToTextTest : public ::testing::TestWithParam<WriteCase> {};

TEST_P(NumberToTextTest, Writes) {
    const WriteCase& row = GetParam();
    EXPECT_EQ(NumberToText(row.value, row.separator), row.text);
}

const WriteCase kWriteCases[] = {
    {"Whole", 2, ".", "2"},
    {"WholeDifference", 7.5 - 5.5, ".", "2"},
    {"OneAndAHalf", 1.5, ".", "1.5"},
    {"OneThird", 1.0 / 3, ".", "0.333333333333333"},
    {"TwoThirds", 2.0 / 3, ".", "0.666666666666667"},
    {"MinusFourTenths", -0.4, ".", "-0.4"},
    {"MinusTwoHours", -7200, ".", "-7200"},
    {"Zero", 0.0, ".", "0"},
    {"NegativeZero", -0.0, ".", "0"},
    {"FifteenDigits", 20.873654980909407, ".", "20.8736549809094"},
    {"SmallestPlain", 1e-4, ".", "0.0001"},
    {"BelowSmallestPlain", 1.5e-5, ".", "1.5e-05"},
    {"LargestPlain", 999999999999999, ".", "999999999999999"},
    {"FromOneE15", 1e15, ".", "1e+15"},
    {"RoundsUpToOneE15", 999999999999999.9, ".", "1e+15"},
    {"CommaHalf", 0.5, ",", "0,5"},
    {"CommaExponent", 1.5e-5, ",", "1,5e-05"},
};

INSTANTIATE_TEST_SUITE_P(Rendered, NumberToTextTest, ::testing::ValuesIn(kWriteCases),
                         testing::RowName);

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(NumberToTextNotFinite, Refuses) {
    for (const double value : {kInfinity, -kInfinity, kNaN}) {
        EXPECT_EQ(ProblemOf([value] { NumberToText(value); }), Problem::CannotShow) << value;
    }
}

struct QuotientCase {
    const char* name;
    double value;
    std::int32_t quotient;
};

class WholeQuotientTest : public ::testing::TestWithParam<QuotientCase> {};

TEST_P(WholeQuotientTest, RoundsHalfToEvenThenTruncates) {
    EXPECT_EQ(WholeQuotient(GetParam().value, 60), GetParam().quotient);
}

const QuotientCase kQuotientCases[] = {
    {"HalfBelowMinuteCarries", 59.5, 1},
    {"HalfAboveMinuteRoundsDown", 60.5, 1},
    {"HalfToEvenUp", 119.5, 2},
    {"HalfToEvenDown", 118.5, 1},  // 118.5 rounds to 118: still the first minute
    {"NegativeHalfCarries", -59.5, -1},
    {"NegativeTruncatesTowardZero", -90, -1},
    {"NegativeUnderAMinute", -30, 0},
    {"MinusHalfIsZero", -0.5, 0},
    {"JustBelowAnHour", 3599.6, 60},
    {"LargestWhole", 2147483647.4, 35791394},
    {"LowestWhole", -2147483648.5, -35791394},
};

INSTANTIATE_TEST_SUITE_P(ByMinutes, WholeQuotientTest, ::testing::ValuesIn(kQuotientCases),
                         testing::RowName);

TEST(WholeQuotientNested, JustBelowAnHourCountsAsAnHour) {
    EXPECT_EQ(WholeQuotient(WholeQuotient(3599.6, 60), 60), 1);
}

// Beyond 32 bits once rounded, and the lowest value divided by -1.
const std::pair<double, std::int32_t> kBeyondThirtyTwoBits[] = {
    {2147483647.5, 60}, {-2147483649.0, 60}, {1e300, 60},
    {kInfinity, 60},    {kNaN, 60},          {std::numeric_limits<std::int32_t>::min(), -1}};

TEST(WholeQuotientRange, RefusesWhatDoesNotFitThirtyTwoBits) {
    for (const auto& [value, divisor] : kBeyondThirtyTwoBits) {
        EXPECT_EQ(ProblemOf([=] { WholeQuotient(value, divisor); }), Problem::CannotSplit) << value;
    }
    EXPECT_EQ(ProblemOf([] { WholeQuotient(1, 0); }), Problem::ZeroDivisor);
}

struct ClockCase {
    const char* name;
    const char* hours;
    const char* minutes;
    const char* seconds;
    const char* days;  // nullptr: the form without a day count
    double value;
};

class ClockSecondsTest : public ::testing::TestWithParam<ClockCase> {};

TEST_P(ClockSecondsTest, AddsUp) {
    const ClockCase& row = GetParam();
    const double value = row.days ? ClockSeconds(row.hours, row.minutes, row.seconds, row.days)
                                  : ClockSeconds(row.hours, row.minutes, row.seconds);
    EXPECT_EQ(value, row.value);
}

const ClockCase kClockCases[] = {
    {"SetAtSevenInTheEvening", "19", "0", "0", nullptr, 68400},
    {"CheckedNextEvening", "19", "0", "0", "1", 154800},
    {"ClockedNextMorning", "10", "0", "0", "1", 122400},
    {"OutOfRangeValuesPassThrough", "30", "75", "-5", nullptr, 112495},
    {"FractionalSeconds", "0", "0", "59.6", nullptr, 59.6},
    {"NegativeMinutes", "8", "-5", "64826", nullptr, 93326},
};

INSTANTIATE_TEST_SUITE_P(Readings, ClockSecondsTest, ::testing::ValuesIn(kClockCases),
                         testing::RowName);

TEST(ClockSecondsSeparator, ReadsWithTheGivenSeparator) {
    EXPECT_EQ(ClockSeconds("1", "0", "0,5", std::nullopt, ","), 3600.5);
    EXPECT_EQ(ProblemOf([] { ClockSeconds("1", "0", "0.5", "1", ","); }), NotANumber);
}

}  // namespace
}  // namespace race
