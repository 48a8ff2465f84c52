#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "core/race.h"
#include "tests/common/worked_races.h"

namespace race {
namespace {

// Fifteen significant digits of agreement, relative to the larger magnitude.
::testing::AssertionResult AgreeTo15Digits(double expected, double actual) {
    const double scale = std::max({std::fabs(expected), std::fabs(actual), 1e-300});
    if (std::fabs(expected - actual) <= 1e-14 * scale) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << std::to_string(actual) << " differs from " << std::to_string(expected);
}

// An ordinary race: a clock set in the evening and opened after one to three midnights, with
// errors of up to a minute either way, liberation in the morning and clocking later on.
class RandomRace {
  public:
    explicit RandomRace(unsigned seed) : random_(seed) {}

    RaceEntry Next() {
        RaceEntry entry = worked::OpeningEntry();
        const int midnights = Whole(1, 3);
        entry.Midnight = std::to_string(midnights);
        entry.midnight2 = std::to_string(Whole(0, midnights - 1));
        entry.MTSetHr = entry.CsHr = std::to_string(Whole(17, 21));
        entry.MTRakeHr = entry.CrHr = std::to_string(Whole(17, 21));
        entry.MTSetMin = std::to_string(Whole(0, 59));
        entry.CsMin = entry.MTSetMin;
        entry.MTSetSec = std::to_string(Whole(0, 59));
        entry.CsSec = std::to_string(Whole(0, 59));
        entry.MTRakeMin = entry.CrMin = std::to_string(Whole(0, 58));
        entry.MTRakeSec = std::to_string(Whole(0, 59));
        entry.CrSec = std::to_string(Whole(0, 59));
        entry.birdlibhrs = std::to_string(Whole(5, 9));
        entry.birdlibmins = std::to_string(Whole(0, 59));
        entry.birdlibsecs = std::to_string(Whole(0, 59));
        entry.birdclockhrs = std::to_string(Whole(10, 20));
        entry.birdclockmins = std::to_string(Whole(0, 59));
        entry.birdclocksecs = std::to_string(Whole(0, 59));
        entry.HODhr = std::to_string(Whole(19, 23));
        entry.HODmin = std::to_string(Whole(0, 59));
        entry.HOLhr = std::to_string(Whole(3, 6));
        entry.HOLmin = std::to_string(Whole(0, 59));
        entry.miles = std::to_string(Whole(20, 700));
        entry.yards = std::to_string(Whole(0, 1759));
        return entry;
    }

    double AnyValue() {
        const double magnitude = std::pow(10.0, std::uniform_real_distribution<>(-12, 18)(random_));
        return Whole(0, 1) ? magnitude : -magnitude;
    }

  private:
    int Whole(int lowest, int highest) {
        return std::uniform_int_distribution<>(lowest, highest)(random_);
    }

    std::mt19937 random_;
};

TEST(WorkedRaces, GiveTheirTextsExactly) {
    for (const worked::WorkedRace& race : worked::WorkedRaces()) {
        EXPECT_TRUE(ComputeRace(race.Entry()) == race.result) << race.name;
    }
}

TEST(RaceProperty, ResultTimesAddBackUpToTheActualFlyingTime) {
    RandomRace races(20261208);
    for (int i = 0; i < 5000; ++i) {
        const RaceEntry entry = races.Next();
        const RaceResult result = ComputeRace(entry);

        // The actual flying time from its definition: the unit-by-unit time, plus the night
        // allowance, corrected by the setting error and the variation shown.
        const auto n = [](const std::string& text) { return TextToNumber(text); };
        const double settingError = ClockSeconds(entry.CsHr, entry.CsMin, entry.CsSec) -
                                    ClockSeconds(entry.MTSetHr, entry.MTSetMin, entry.MTSetSec);
        const double darkness = (n(entry.HOLhr) * 3600 + n(entry.HOLmin) * 60 + 86400) -
                                (n(entry.HODhr) * 3600 + n(entry.HODmin) * 60);
        const double nights = n(entry.midnight2) * (86400 - darkness);
        const double flying = (n(entry.birdclockhrs) - n(entry.birdlibhrs)) * 3600 +
                              (n(entry.birdclockmins) - n(entry.birdlibmins)) * 60 +
                              (n(entry.birdclocksecs) - n(entry.birdlibsecs)) + nights -
                              settingError - n(result.variation);

        const double shown = n(result.FTHrs) * 3600 + n(result.FTMins) * 60 + n(result.FTSecs);
        ASSERT_TRUE(AgreeTo15Digits(flying, shown)) << "race " << i;
        const double yards = n(entry.miles) * 1760 + n(entry.yards);
        ASSERT_TRUE(AgreeTo15Digits(yards / (flying / 60), n(result.velocity))) << "race " << i;
        ASSERT_LT(std::fabs(n(result.FTSecs)), 60.5) << "race " << i;
    }
}

TEST(TextProperty, EveryRenderedNumberReadsBack) {
    RandomRace values(7);
    for (const char* separator : {".", ","}) {
        for (int i = 0; i < 20000; ++i) {
            const double value = values.AnyValue();
            const std::string text = NumberToText(value, separator);
            ASSERT_TRUE(AgreeTo15Digits(value, TextToNumber(text, separator))) << text;
        }
    }
}

}  // namespace
}  // namespace race
