#include <gtest/gtest.h>

#include <random>
#include <tuple>

#include "results/race_result.h"
#include "results/two_cores.h"
#include "tests/common/worked_races.h"

namespace results {
namespace {

// One bird's race with each reading on its day, as a return gives it.
struct DatedBird {
    std::string liberation, clock_set, master_set, clock_check, master_check, clocked;
    std::optional<Darkness> darkness;
    distance::MilesYards distance;
};

RaceReturn OneBird(const DatedBird& bird) {
    RaceReturn race_return;
    race_return.race = {"", bird.liberation, bird.darkness, std::nullopt};
    race_return.lofts = {Loft{1, "Loft", bird.distance, "", ""}};
    race_return.clocks = {
        LoftClock{1, bird.clock_set, bird.master_set, bird.clock_check, bird.master_check}};
    race_return.clockings = {Clocking{1, "R1", bird.clocked}};
    return race_return;
}

// A field's figures with the seconds' whole part in two figures: "7" is "07", "5.25" "05.25".
std::string Two(const std::string& text) {
    const std::size_t point = text.find('.');
    const std::string whole = text.substr(0, point);
    return std::string(2 - std::min<std::size_t>(2, whole.size()), '0') + text;
}
std::string At(int day, const std::string& h, const std::string& m, const std::string& s) {
    return "2026-05-" + Two(std::to_string(day)) + " " + Two(h) + ":" + Two(m) + ":" + Two(s);
}

// The readings a calculator entry stands for: the clock set on 1 May, struck and the bird
// clocked the entry's midnights later, the birds liberated its second count of midnights
// before that.
DatedBird FromEntry(const race::RaceEntry& e, bool with_darkness = true) {
    const int opened = 1 + std::stoi(e.Midnight);
    DatedBird bird;
    bird.clock_set = At(1, e.CsHr, e.CsMin, e.CsSec);
    bird.master_set = At(1, e.MTSetHr, e.MTSetMin, e.MTSetSec);
    bird.clock_check = At(opened, e.CrHr, e.CrMin, e.CrSec);
    bird.master_check = At(opened, e.MTRakeHr, e.MTRakeMin, e.MTRakeSec);
    bird.clocked = At(opened, e.birdclockhrs, e.birdclockmins, e.birdclocksecs);
    bird.liberation =
        At(opened - std::stoi(e.midnight2), e.birdlibhrs, e.birdlibmins, e.birdlibsecs);
    if (with_darkness) {
        bird.darkness = Darkness{Two(e.HODhr) + ":" + Two(e.HODmin), Two(e.HOLhr) + Two(e.HOLmin)};
    }
    bird.distance = {std::stoll(e.miles), std::stoi(e.yards)};
    return bird;
}

race::RaceResult FiguresOf(const DatedBird& bird) {
    const Result result = ComputeResult(OneBird(bird));
    EXPECT_EQ(result.rows.size(), 1u);
    EXPECT_FALSE(result.rows.at(0).fault.has_value());
    return result.rows.at(0).figures;
}

// The entry the result shows the bird was worked out from, field by field; none where it has none.
std::vector<std::string> EntryShown(const DatedBird& bird) {
    const std::optional<race::RaceEntry> entry = CalculatorEntryOf(OneBird(bird), 1, "R1");
    std::vector<std::string> texts;
    for (const race::EntryField& field : race::EntryFields()) {
        if (entry) texts.push_back((*entry).*field.member);
    }
    return texts;
}

std::vector<std::string> Texts(const race::RaceEntry& entry) {
    std::vector<std::string> texts;
    for (const race::EntryField& field : race::EntryFields()) texts.push_back(entry.*field.member);
    return texts;
}

// Whatever the calculator can be given, the result gives its texts to the last digit.
TEST(CalculatorMappingTest, SameDayBirdsAreTheCalculatorsFigures) {
    for (const race::worked::WorkedRace& worked : race::worked::WorkedRaces()) {
        SCOPED_TRACE(worked.name);
        EXPECT_EQ(FiguresOf(FromEntry(worked.Entry())), worked.result);
    }
    std::mt19937 random(20260509);
    const auto pick = [&](int low, int high) {
        return std::to_string(std::uniform_int_distribution<int>(low, high)(random));
    };
    for (int i = 0; i < 3000; ++i) {
        race::RaceEntry e;
        const int midnights = std::stoi(pick(1, 3));
        e.Midnight = std::to_string(midnights);
        e.midnight2 = pick(0, midnights - 1);
        e.CsHr = pick(16, 20), e.CsMin = pick(0, 59), e.CsSec = pick(0, 59);
        e.MTSetHr = e.CsHr, e.MTSetMin = pick(0, 59), e.MTSetSec = pick(0, 59);
        e.birdlibhrs = pick(4, 9), e.birdlibmins = pick(0, 59), e.birdlibsecs = pick(0, 59);
        e.birdclockhrs = e.midnight2 == "0" ? pick(10, 21) : pick(0, 21);
        e.birdclockmins = pick(0, 59);
        e.birdclocksecs = pick(0, 59) + (i % 3 == 0 ? "." + pick(1, 99) : "");
        e.CrHr = pick(22, 23), e.CrMin = pick(0, 59), e.CrSec = pick(0, 59);
        e.MTRakeHr = pick(22, 23), e.MTRakeMin = pick(0, 59), e.MTRakeSec = pick(0, 59);
        const bool with_darkness = e.midnight2 != "0" || i % 2 == 0;
        e.HODhr = with_darkness ? pick(20, 23) : "0", e.HODmin = with_darkness ? pick(0, 59) : "0";
        e.HOLhr = with_darkness ? pick(3, 6) : "0", e.HOLmin = with_darkness ? pick(0, 59) : "0";
        e.miles = pick(50, 700), e.yards = pick(0, 1759);
        const race::RaceResult figures = FiguresOf(FromEntry(e, with_darkness));
        ASSERT_EQ(figures, race::ComputeRace(e)) << i;
        // And the entry shown for the bird is the one the calculator was given.
        ASSERT_EQ(EntryShown(FromEntry(e, with_darkness)), Texts(e)) << i;
    }
}

// A two-day race struck on the second day, the bird home on the first. The clock was set with
// the master at 19:00:00 on the 8th and struck at 19:00:00 on the 10th, when the master showed
// 18:59:12: it gained 48 seconds in the 48 hours it ran, a second an hour. The bird was clocked
// at 19:00:00 on the 9th, 24 hours after setting, so its variation is 24 seconds. Liberated at
// 07:00:00 on the 9th, it flew 12 hours by the clock, 11:59:36 corrected: 43,176 seconds, or
// 719.6 minutes, over 500 miles (880,000 yards): 880000 / 719.6 = 1222.90161200667 yards a
// minute. Taken as clocked on the day it was struck, it would have had all 48 seconds.
TEST(CalculatorMappingTest, TwoDayBirdSharesTheVariationOverTheHoursTheClockRan) {
    DatedBird bird{"2026-05-09 07:00",         "2026-05-08 19:00:00",
                   "2026-05-08 19:00:00",      "2026-05-10 19:00:00",
                   "2026-05-10 18:59:12",      "2026-05-09 19:00:00",
                   Darkness{"21:00", "05:00"}, {500, 0}};
    EXPECT_EQ(FiguresOf(bird), (race::RaceResult{"24", "11", "59", "36", "1222.90161200667"}));
    // A clock set just before midnight by a master read just after: it was 15 seconds slow, and
    // still 15 seconds slow when struck, so it kept time; the bird flew 12:00:15.
    bird.clock_set = "2026-05-08 23:59:50";
    bird.master_set = "2026-05-09 00:00:05";
    bird.master_check = "2026-05-10 19:00:15";
    EXPECT_EQ(FiguresOf(bird), (race::RaceResult{"0", "12", "0", "15", "1221.79798681014"}));
}

// A working race: Smith's clock gained 30 seconds in a day, liberation 07:15 on the 9th.
DatedBird GoodBird() {
    return {"2026-05-09 07:15",         "2026-05-08 19:00:00",
            "2026-05-08 19:00:00",      "2026-05-09 19:00:30",
            "2026-05-09 19:00:00",      "2026-05-09 11:42:17",
            Darkness{"22:30", "04:30"}, {92, 1000}};
}

struct ProblemCase {
    const char* name;
    void (*change)(RaceReturn&);
    BirdFault fault;
};

BirdFault Code(BirdProblem problem) {
    return {problem, std::nullopt, std::nullopt, std::nullopt};
}

// What has no result is said, bird by bird, and kept after the ranked birds with no position.
TEST(BirdProblemTest, EachProblemItsOwnCode) {
    using B = BirdProblem;
    const ProblemCase cases[] = {
        {"clocked before liberation",
         [](RaceReturn& r) { r.clockings[0].clocked = "2026-05-09 07:14:59"; },
         Code(B::ClockedBeforeLiberation)},
        {"clocked before the clock was set (a clock set far ahead)",
         [](RaceReturn& r) { r.clocks[0].clock_set = "2026-05-09 12:00:00"; },
         Code(B::ClockedBeforeClockSet)},
        {"clocked after the strike",
         [](RaceReturn& r) { r.clockings[0].clocked = "2026-05-09 19:00:31"; },
         Code(B::ClockedAfterCheck)},
        {"struck before set",
         [](RaceReturn& r) { r.clocks[0].clock_check = "2026-05-08 18:00:00"; },
         Code(B::CheckedBeforeSet)},
        {"a master set reading without its seconds",
         [](RaceReturn& r) { r.clocks[0].master_set = "2026-05-09 07:16"; },
         BirdFault{B::UnreadableReading, ReadingName::MasterSet, DateTimeProblem::NoSeconds, {}}},
        {"set after liberation",
         [](RaceReturn& r) { r.clocks[0].master_set = "2026-05-09 07:16:00"; },
         Code(B::SetAfterLiberation)},
        {"out overnight with no darkness",
         [](RaceReturn& r) {
             r.race.darkness.reset();
             r.clockings[0].clocked = "2026-05-10 06:00:00";
             r.clocks[0].clock_check = r.clocks[0].master_check = "2026-05-10 19:00:00";
         },
         Code(B::OvernightWithoutDarkness)},
        {"a loft position that does not read",
         [](RaceReturn& r) {
             r.race.race_point = distance::Position{49.0, -2.0};
             r.lofts[0].distance.reset();
             r.lofts[0].latitude = "91 N";
             r.lofts[0].longitude = "1 W";
         },
         Code(B::NoDistance)},
        {"a clocking that does not read",
         [](RaceReturn& r) { r.clockings[0].clocked = "2026-05-09 11:42"; },
         BirdFault{B::UnreadableReading, ReadingName::Clocked, DateTimeProblem::NoSeconds, {}}},
        {"a liberation that does not read", [](RaceReturn& r) { r.race.liberation = "07:15"; },
         BirdFault{B::UnreadableReading, ReadingName::Liberation, DateTimeProblem::NoDate, {}}},
        {"an unknown loft", [](RaceReturn& r) { r.clockings[0].loft_id = 99; },
         Code(B::UnknownLoft)},
        {"no clock", [](RaceReturn& r) { r.clocks.clear(); }, Code(B::NoClock)},
        {"set, struck and clocked at liberation",
         [](RaceReturn& r) {
             r.clocks[0] = LoftClock{1, "2026-05-09 07:15:00", "2026-05-09 07:15:00",
                                     "2026-05-09 07:15:00", "2026-05-09 07:15:00"};
             r.clockings[0].clocked = "2026-05-09 07:15:00";
         },
         Code(B::ClockDidNotRun)},
        {"clocked at liberation by a true clock",
         [](RaceReturn& r) {
             r.clocks[0].clock_check = r.clocks[0].master_check;
             r.clockings[0].clocked = "2026-05-09 07:15:00";
         },
         Code(B::NoFlyingTime)},
        {"out a hundred and twenty-six years: more seconds than a flying time can split into",
         [](RaceReturn& r) {
             r.race.liberation = "1900-05-09 07:15";
             r.clocks[0].clock_set = r.clocks[0].master_set = "1900-05-08 19:00:00";
         },
         BirdFault{B::CalculationFailed, {}, {}, race::Problem::CannotSplit}},
    };
    for (const ProblemCase& row : cases) {
        SCOPED_TRACE(row.name);
        RaceReturn race_return = OneBird(GoodBird());
        row.change(race_return);
        // The same ring clocked again, and another loft's bird clocked first.
        race_return.clockings.push_back(race_return.clockings[0]);
        race_return.clockings.insert(race_return.clockings.begin(),
                                     Clocking{2, "Other", "2026-05-09 11:00:00"});
        race_return.lofts.push_back(Loft{2, "Other loft", distance::MilesYards{90, 0}, "", ""});
        race_return.clocks.push_back(LoftClock{2, "2026-05-08 19:00:00", "2026-05-08 19:00:00",
                                               "2026-05-09 19:00:00", "2026-05-09 19:00:00"});
        const Result result = ComputeResult(race_return);
        ASSERT_EQ(result.rows.size(), 3u);
        const ResultRow& bird = result.rows[1];
        EXPECT_EQ(bird.ring, "R1");
        EXPECT_EQ(bird.fault, row.fault);
        EXPECT_FALSE(bird.position.has_value());
        EXPECT_EQ(bird.figures, race::RaceResult{});
        EXPECT_EQ(result.rows[2].fault, Code(B::RingClockedAgain));
        // The entry is shown only for a bird the calculator itself was given.
        const bool given = row.fault.problem == B::ClockDidNotRun ||
                           row.fault.problem == B::NoFlyingTime ||
                           row.fault.problem == B::CalculationFailed;
        EXPECT_EQ(CalculatorEntryOf(race_return, 1, "R1").has_value(), given);
    }
}

// Equal velocities share a position and the next is skipped; one to a loft ranks the lofts'
// first birds again among themselves.
TEST(RankingTest, TiesAndFirstBirdOnly) {
    RaceReturn race_return;
    race_return.race.liberation = "2026-05-09 07:00:00";
    for (std::int64_t id = 1; id <= 3; ++id) {
        race_return.lofts.push_back(Loft{id, "L" + std::to_string(id),
                                         distance::MilesYards{id == 3 ? 90 : 100, 0}, "", ""});
        race_return.clocks.push_back(LoftClock{id, "2026-05-08 19:00:00", "2026-05-08 19:00:00",
                                               "2026-05-09 19:00:00", "2026-05-09 19:00:00"});
    }
    race_return.clockings = {{3, "late", "2026-05-09 06:00:00"},  // before liberation
                             {3, "d", "2026-05-09 10:00:00"},
                             {1, "b", "2026-05-09 09:30:00"},
                             {2, "c", "2026-05-09 09:30:00"},
                             {1, "a", "2026-05-09 09:00:00"}};
    const auto positions = [](const Result& result) {
        std::vector<std::pair<std::string, std::size_t>> rings;
        for (const ResultRow& row : result.rows)
            rings.emplace_back(row.ring, row.position.value_or(0));
        return rings;
    };
    const Result result = ComputeResult(race_return);
    using Ranks = std::vector<std::pair<std::string, std::size_t>>;
    EXPECT_EQ(positions(result), (Ranks{{"a", 1}, {"b", 2}, {"c", 2}, {"d", 4}, {"late", 0}}));
    EXPECT_EQ(positions(FirstBirdOnly(result)), (Ranks{{"a", 1}, {"c", 2}, {"d", 3}, {"late", 0}}));
}

// A federation's race: every ranked bird in velocity order, fastest first, equal velocities (the
// same loft's birds clocked at the same second) in the order clocked and sharing a position.
TEST(RankingTest, ManyBirdsFastestFirstAsASortOfTheirVelocities) {
    std::mt19937 random(9);
    const auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    // Birds enough for the race to be worked out a half on each core.
    RaceReturn race_return;
    race_return.race.liberation = "2026-05-09 07:00:00";
    for (std::int64_t id = 1; id <= 1000; ++id) {
        race_return.lofts.push_back(
            Loft{id, "", distance::MilesYards{pick(1, 900), pick(0, 1759)}, "", ""});
        race_return.clocks.push_back(LoftClock{id, "2026-05-08 19:00:00", "2026-05-08 19:00:00",
                                               "2026-05-09 23:00:00",
                                               "2026-05-09 23:00:0" + std::to_string(pick(0, 9))});
        for (int bird = pick(1, 4); bird > 0; --bird) {
            const int clocked = pick(7 * 3600 + 60, 15 * 3600);
            char text[32];
            std::snprintf(text, sizeof text, "2026-05-09 %02d:%02d:%02d", clocked / 3600,
                          clocked / 60 % 60, clocked % 60);
            for (int again = bird % 3 == 0 ? 2 : 1; again > 0; --again) {
                race_return.clockings.push_back(
                    {id, std::to_string(race_return.clockings.size()), text});
            }
        }
    }
    std::vector<std::pair<double, std::string>> expected;  // velocity, ring, in the order clocked
    for (const ResultRow& row : ComputeResult(race_return).rows) {
        if (row.position) expected.emplace_back(row.velocity, row.ring);
    }
    std::sort(expected.begin(), expected.end(), [](const auto& a, const auto& b) {
        return std::stoi(a.second) < std::stoi(b.second);
    });
    std::stable_sort(expected.begin(), expected.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    const Result result = ComputeResult(race_return);
    ASSERT_GE(result.rows.size(), kLongList);
    ASSERT_EQ(expected.size(), result.rows.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const ResultRow& row = result.rows[i];
        ASSERT_EQ(row.ring, expected[i].second) << i;
        const bool tie = i > 0 && row.velocity == result.rows[i - 1].velocity;
        EXPECT_EQ(row.position, tie ? result.rows[i - 1].position : i + 1) << i;
    }
}

// A race worked out again after each change, with the figures kept from each time before, is the
// race worked out afresh: no bird keeps figures from an entry that is no longer its own.
TEST(KeptFiguresTest, WorkedOutAgainIsWorkedOutAfresh) {
    using Change = void (*)(RaceReturn&);
    const std::vector<std::pair<const char*, Change>> changes{
        {"a bird typed",
         [](RaceReturn& r) {
             r.clockings.push_back({1, "R2", "2026-05-09 11:50:00"});
         }},
        {"its time typed again",
         [](RaceReturn& r) { r.clockings.back().clocked = "2026-05-09 11:50:01"; }},
        {"a fraction of a second", [](RaceReturn& r) { r.clockings.back().clocked += ".5"; }},
        {"the clock struck later",
         [](RaceReturn& r) { r.clocks[0].clock_check = "2026-05-09 19:00:40"; }},
        {"the master set later",
         [](RaceReturn& r) { r.clocks[0].master_set = "2026-05-08 19:00:01"; }},
        {"the yards", [](RaceReturn& r) { r.lofts[0].distance->yards += 1; }},
        {"the miles", [](RaceReturn& r) { r.lofts[0].distance->miles += 1; }},
        {"the liberation", [](RaceReturn& r) { r.race.liberation = "2026-05-09 07:15:30"; }},
        {"the darkness", [](RaceReturn& r) { r.race.darkness->evening = "21:30"; }},
        {"a loft moved", [](RaceReturn& r) { r.lofts[1].latitude = "52.2"; }},
        {"the race point moved", [](RaceReturn& r) { r.race.race_point->longitude = -2.5; }},
        {"a ring clocked again", [](RaceReturn& r) { r.clockings.push_back(r.clockings.front()); }},
        {"the same time the next morning",
         [](RaceReturn& r) {
             r.clocks[0].clock_check = "2026-05-10 19:00:40";
             r.clocks[0].master_check = "2026-05-10 19:00:00";
             r.clockings.push_back({1, "R3", "2026-05-10 11:50:01.5"});
         }},
    };
    const auto figures = [](const Result& result) {
        std::vector<std::tuple<std::string, std::optional<std::size_t>, race::RaceResult>> rows;
        for (const ResultRow& row : result.rows)
            rows.emplace_back(row.ring, row.position, row.figures);
        return rows;
    };
    RaceReturn race_return = OneBird(GoodBird());
    race_return.race.race_point = distance::Position{50.7, -2.4};
    race_return.lofts.push_back(Loft{2, "Far", std::nullopt, "52.1", "-1.3"});
    race_return.clocks.push_back(race_return.clocks[0]);
    race_return.clocks[1].loft_id = 2;
    race_return.clockings.push_back({2, "F1", "2026-05-09 09:40:00"});
    KeptFigures kept;
    ComputeResult(race_return, &kept);
    for (const auto& [name, change] : changes) {
        change(race_return);
        EXPECT_EQ(figures(ComputeResult(race_return, &kept)), figures(ComputeResult(race_return)))
            << name;
    }
}

}  // namespace
}  // namespace results
