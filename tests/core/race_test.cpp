#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/race.h"
#include "tests/core/race_fixtures.h"

namespace race {
namespace {

using testing::PrintTo;

using testing::GainingClockEntry;
using testing::InitialEntry;
using testing::OvernightEntry;

// Starts from the initial entries, the bird clocked at 8:mm:ss after an 8:00:00 liberation, so
// that the actual flying time is the clocked minutes and seconds exactly.
RaceEntry FlyingTime(const std::string& hours, const std::string& minutes,
                     const std::string& seconds) {
    RaceEntry entry = InitialEntry();
    entry.birdclockhrs = hours;
    entry.birdclockmins = minutes;
    entry.birdclocksecs = seconds;
    return entry;
}

RaceEntry WithDarkness(RaceEntry entry, const char* fromHours, const char* fromMinutes,
                       const char* toHours, const char* toMinutes) {
    entry.HODhr = fromHours;
    entry.HODmin = fromMinutes;
    entry.HOLhr = toHours;
    entry.HOLmin = toMinutes;
    return entry;
}

struct RaceCase {
    const char* name;
    std::function<RaceEntry()> entry;
    RaceResult expected;
};

class ComputeRaceTest : public ::testing::TestWithParam<RaceCase> {};

TEST_P(ComputeRaceTest, GivesTheClubsFiguresToTheLastDigit) {
    EXPECT_EQ(ComputeRace(GetParam().entry()), GetParam().expected);
}

// Results are listed as {variation, hours, minutes, seconds, velocity}.
const RaceCase kRaceCases[] = {
    {"InitialEntries", InitialEntry, {"0", "2", "0", "0", "880"}},
    {"ClockGainedThirtySeconds",
     GainingClockEntry,
     {"20.8736549809094", "4", "26", "56.1263450190909", "610.334845606411"}},
    {"OvernightClockSlowAtSetting",
     OvernightEntry,
     {"28.9470115142047", "25", "54", "59.052988485797", "353.928994371199"}},

    // Rounding to whole seconds before each split carries the minute or hour and leaves the
    // seconds negative.
    {"Split59_5",
     [] { return FlyingTime("8", "0", "59.5"); },
     {"0", "0", "1", "-0.5", "106487.394957983"}},
    {"Split3599_5",
     [] { return FlyingTime("8", "59", "59.5"); },
     {"0", "1", "0", "-0.5", "1760.24447839978"}},
    {"Split3600_5",
     [] { return FlyingTime("9", "0", "0.5"); },
     {"0", "1", "0", "0.5", "1759.75558950146"}},
    {"Split7199_6",
     [] { return FlyingTime("9", "59", "59.6"); },
     {"0", "2", "0", "-0.399999999999636", "880.048891605089"}},

    // Darkness that ends later on the same day than it begins lies within that day: four
    // hours from 1:00 to 5:00, so the night adds twenty hours to the flying time.
    {"DarknessWithinOneDay",
     [] { return WithDarkness(OvernightEntry(), "1", "0", "5", "0"); },
     {"28.9470115142047", "27", "54", "59.052988485797", "328.572648378918"}},
    // A darkness that begins and ends at the same time counts a whole day: the night adds
    // nothing.
    {"DarknessBeginningWhereItEnds",
     [] { return WithDarkness(OvernightEntry(), "22", "0", "22", "0"); },
     {"28.9470115142047", "7", "54", "59.052988485797", "1158.67850111866"}},

    // A clock that lost 30 seconds: negative variation, added to the flying time.
    {"ClockLostThirtySeconds",
     [] {
         RaceEntry entry = InitialEntry();
         entry.CrHr = "18";
         entry.CrMin = "59";
         entry.CrSec = "30";
         return entry;
     },
     {"-18.7565126780132", "2", "0", "18.7565126780128", "877.713493850684"}},

    // Blanks around entries and leading zeros read as the plain numbers.
    {"BlanksAndLeadingZeros",
     [] {
         RaceEntry entry = GainingClockEntry();
         entry.CrSec = " 30 ";
         entry.birdclockhrs = "011";
         entry.birdclocksecs = "\t17";
         return entry;
     },
     {"20.8736549809094", "4", "26", "56.1263450190909", "610.334845606411"}},

    // A distance of minus zero never shows as "-0".
    {"NegativeZeroDistance",
     [] {
         RaceEntry entry = InitialEntry();
         entry.miles = "-0";
         entry.yards = "-0";
         return entry;
     },
     {"0", "2", "0", "0", "0"}},
};

INSTANTIATE_TEST_SUITE_P(WorkedRaces, ComputeRaceTest, ::testing::ValuesIn(kRaceCases),
                         testing::RowName{});

TEST(ComputeRaceSeparator, CommaLocaleReadsAndWritesWithComma) {
    RaceEntry entry = GainingClockEntry();
    entry.birdclocksecs = "17,0";
    EXPECT_EQ(ComputeRace(entry, ","),
              (RaceResult{"20,8736549809094", "4", "26", "56,1263450190909", "610,334845606411"}));
}

TEST(ComputeRaceSeparator, CommaLocaleRefusesAPoint) {
    RaceEntry entry = GainingClockEntry();
    entry.birdclocksecs = "17.0";
    EXPECT_THROW(ComputeRace(entry, ","), NotANumberError);
}

}  // namespace
}  // namespace race
