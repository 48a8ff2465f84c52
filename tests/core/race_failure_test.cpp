#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/race.h"
#include "tests/core/race_fixtures.h"

namespace race {
namespace {

using testing::PrintTo;

using testing::InitialEntry;

enum class Failure { NotANumber, OutOfRange, NoResult };

struct FailureCase {
    const char* name;
    std::string RaceEntry::*member;  // the entry changed
    const char* text;                // and the text put in it
    Failure failure;
    const char* field;    // the field the error names ("" when no single entry is at fault)
    const char* message;  // a part of what the club member is told
};

class ComputeRaceFailureTest : public ::testing::TestWithParam<FailureCase> {};

void ExpectKind(const RaceError& error, Failure failure) {
    switch (failure) {
        case Failure::NotANumber:
            EXPECT_NE(dynamic_cast<const NotANumberError*>(&error), nullptr) << error.what();
            break;
        case Failure::OutOfRange:
            EXPECT_NE(dynamic_cast<const OutOfRangeError*>(&error), nullptr) << error.what();
            break;
        case Failure::NoResult:
            EXPECT_NE(dynamic_cast<const NoResultError*>(&error), nullptr) << error.what();
            break;
    }
}

TEST_P(ComputeRaceFailureTest, ReportsTheCauseAndTheField) {
    const FailureCase& row = GetParam();
    RaceEntry entry = InitialEntry();
    entry.*row.member = row.text;
    try {
        ComputeRace(entry);
        FAIL() << "no error for " << row.name;
    } catch (const RaceError& error) {
        ExpectKind(error, row.failure);
        EXPECT_EQ(error.field(), row.field);
        EXPECT_NE(RaceMessage(error).find(row.message), std::string::npos) << RaceMessage(error);
    }
}

using E = RaceEntry;
const FailureCase kFailureCases[] = {
    {"Empty", &E::CrMin, "", Failure::NotANumber, "CrMin",
     "Clock Check, minutes: the entry is empty"},
    {"BlanksOnly", &E::miles, "   ", Failure::NotANumber, "miles",
     "Distance, miles: the entry is empty"},
    {"Letters", &E::yards, "abc", Failure::NotANumber, "yards",
     "Distance, yards: \"abc\" is not a number"},
    {"Infinity", &E::birdclocksecs, "inf", Failure::NotANumber, "birdclocksecs",
     "Bird Clocked, seconds"},
    {"NotANumberWord", &E::HODhr, "nan", Failure::NotANumber, "HODhr", "Darkness from, hours"},
    {"Hexadecimal", &E::HOLmin, "0x1A", Failure::NotANumber, "HOLmin", "Darkness to, minutes"},
    {"GroupSeparator", &E::miles, "1,0", Failure::NotANumber, "miles", "\"1,0\""},
    {"LoneSign", &E::Midnight, "-", Failure::NotANumber, "Midnight", "Set to Opening"},
    {"LoneSeparator", &E::midnight2, ".", Failure::NotANumber, "midnight2", "Lib to Opening"},
    {"TrailingExponent", &E::MTSetSec, "1e", Failure::NotANumber, "MTSetSec",
     "Master Set, seconds"},
    {"BeyondDouble", &E::MTRakeHr, "1e999", Failure::OutOfRange, "MTRakeHr",
     "Master Check, hours: \"1e999\" is too large"},

    // The clock check reading equals the clock set reading: hours run of 0.
    {"HoursRunZero", &E::Midnight, "0", Failure::NoResult, "", "same as the Clock Set reading"},
    // Clocked at the liberation time: nothing to divide the distance by.
    {"FlyingSecondsZero", &E::birdclockhrs, "8", Failure::NoResult, "", "0 seconds"},
    // 2147483647.5 rounds to 2147483648, one beyond a 32-bit integer.
    {"FlyingTimeBeyondWholeSeconds", &E::birdclocksecs, "2147476447.5", Failure::OutOfRange, "",
     "too large to split"},
    // Products beyond the range of a double.
    {"DistanceOverflows", &E::miles, "1e306", Failure::OutOfRange, "", "too large"},
    {"ClockReadingOverflows", &E::CsHr, "1e306", Failure::OutOfRange, "", "too large"},
};

INSTANTIATE_TEST_SUITE_P(BadEntries, ComputeRaceFailureTest, ::testing::ValuesIn(kFailureCases),
                         testing::RowName{});

TEST(ComputeRaceRange, LowestWholeSecondsStillSplit) {
    // -2147483648.5 rounds to -2147483648, the lowest 32-bit integer, and still splits.
    RaceEntry entry = InitialEntry();
    entry.birdclockhrs = "8";
    entry.birdclocksecs = "-2147483648.5";
    const RaceResult result = ComputeRace(entry);
    EXPECT_EQ(result.FTHrs, "-596523");
    EXPECT_EQ(result.FTMins, "-14");
    EXPECT_EQ(result.FTSecs, "-8.5");
}

TEST(ComputeRaceRange, FirstBadEntryInStepOrderIsReported) {
    // The clock set reading is read before the master set reading, minutes before hours.
    RaceEntry entry = InitialEntry();
    entry.MTSetHr = "x";
    entry.CsHr = "y";
    entry.CsMin = "z";
    try {
        ComputeRace(entry);
        FAIL();
    } catch (const NotANumberError& error) {
        EXPECT_EQ(error.field(), "CsMin");
    }
}

}  // namespace
}  // namespace race
