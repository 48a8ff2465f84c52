#include "results/race_result.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "distance/coordinate.h"

namespace results {
namespace {

// A whole number as a field's text, written into the room the text already has: a result of
// 20,000 birds fills the same entry 20,000 times.
void SetWhole(std::string& field, std::int64_t value) {
    char digits[24];
    const auto written = std::to_chars(digits, digits + sizeof digits, value);
    field.assign(digits, written.ptr);
}

// The seconds field takes the fraction an electronic clock gives, as a decimal.
void SetSeconds(std::string& field, const TimeOfDay& time) {
    SetWhole(field, time.second);
    if (!time.fraction.empty()) field.append(".").append(time.fraction);
}

std::int64_t DaysBetween(const DateTime& from, const DateTime& to) {
    return DayNumber(to.date) - DayNumber(from.date);
}

BirdFault Unreadable(ReadingName reading, DateTimeProblem problem) {
    return BirdFault{BirdProblem::UnreadableReading, reading, problem, std::nullopt};
}

BirdFault Fault(BirdProblem problem) {
    return BirdFault{problem, std::nullopt, std::nullopt, std::nullopt};
}

BirdFault CalculatorFault(const race::RaceError& error) {
    switch (error.problem()) {
        case race::Problem::ClockDidNotRun:
            return Fault(BirdProblem::ClockDidNotRun);
        case race::Problem::NoFlyingTime:
            return Fault(BirdProblem::NoFlyingTime);
        default:
            return BirdFault{BirdProblem::CalculationFailed, std::nullopt, std::nullopt,
                             error.problem()};
    }
}

// What one loft brings to each of its birds: its distance and its clock's readings, read once.
struct LoftFacts {
    const Loft* loft = nullptr;
    std::optional<distance::MilesYards> distance;
    bool has_clock = false;
    DateTime clock_set, master_set, clock_check, master_check;
    std::optional<BirdFault> fault;  // a reading that does not read, or readings out of order
};

std::optional<distance::MilesYards> LoftDistance(const Loft& loft, const Race& race) {
    if (loft.distance) return loft.distance;
    if (!race.race_point) return std::nullopt;
    const distance::AngleReading latitude =
        distance::ReadAngle(loft.latitude, distance::Axis::Latitude);
    const distance::AngleReading longitude =
        distance::ReadAngle(loft.longitude, distance::Axis::Longitude);
    if (!latitude.ok() || !longitude.ok()) return std::nullopt;
    return distance::ToMilesYards(
        distance::DistanceToLoft(*race.race_point, {latitude.degrees, longitude.degrees}).metres);
}

void ReadClock(const LoftClock& clock, const std::optional<DateTime>& liberation,
               LoftFacts& facts) {
    facts.has_clock = true;
    const std::array<std::pair<const std::string*, DateTime*>, 4> readings{{
        {&clock.clock_set, &facts.clock_set},
        {&clock.master_set, &facts.master_set},
        {&clock.clock_check, &facts.clock_check},
        {&clock.master_check, &facts.master_check},
    }};
    constexpr std::array<ReadingName, 4> kNames{ReadingName::ClockSet, ReadingName::MasterSet,
                                                ReadingName::ClockCheck, ReadingName::MasterCheck};
    for (std::size_t i = 0; i < readings.size(); ++i) {
        const DateTimeReading reading = ReadDateTime(*readings[i].first, Seconds::Required);
        if (!reading.ok()) {
            facts.fault = Unreadable(kNames[i], *reading.problem);
            return;
        }
        *readings[i].second = reading.value;
    }
    if (Moment(facts.clock_check) < Moment(facts.clock_set)) {
        facts.fault = Fault(BirdProblem::CheckedBeforeSet);
    } else if (liberation && Moment(facts.master_set) > Moment(*liberation)) {
        // Both on the master timer: the clock must be set before the birds go.
        facts.fault = Fault(BirdProblem::SetAfterLiberation);
    }
}

// Equal velocities share a position and the next is skipped: 1, 2, 2, 4. The rows are in order,
// fastest first.
void Rank(std::vector<ResultRow>& ranked) {
    for (std::size_t i = 0; i < ranked.size(); ++i) {
        const bool tie = i > 0 && ranked[i].velocity == ranked[i - 1].velocity;
        ranked[i].position = tie ? ranked[i - 1].position : std::optional<std::size_t>(i + 1);
    }
}

Result Ranked(const Race& race, std::vector<ResultRow> ranked, std::vector<ResultRow> unplaced) {
    // The velocities are put in order rather than the rows, which are large; equal ones stay in
    // the order clocked.
    std::vector<std::pair<double, std::size_t>> order;
    order.reserve(ranked.size());
    for (std::size_t i = 0; i < ranked.size(); ++i) order.emplace_back(ranked[i].velocity, i);
    std::stable_sort(order.begin(), order.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    Result result{race, {}};
    result.rows.reserve(ranked.size() + unplaced.size());
    for (const auto& [velocity, index] : order) result.rows.push_back(std::move(ranked[index]));
    Rank(result.rows);
    result.rows.insert(result.rows.end(), std::make_move_iterator(unplaced.begin()),
                       std::make_move_iterator(unplaced.end()));
    return result;
}

// The entries the race gives every bird: liberation and the hours of darkness.
void SetRaceFields(race::RaceEntry& entry, const DateTime& liberation,
                   const std::optional<TimeOfDay>& darkness_evening,
                   const std::optional<TimeOfDay>& darkness_morning) {
    SetWhole(entry.birdlibhrs, liberation.time.hour);
    SetWhole(entry.birdlibmins, liberation.time.minute);
    SetSeconds(entry.birdlibsecs, liberation.time);
    // With no hours of darkness (a bird home the day it was liberated), a darkness of a whole
    // day from midnight, which no night is counted against.
    const TimeOfDay evening = darkness_evening.value_or(TimeOfDay{});
    const TimeOfDay morning = darkness_morning.value_or(TimeOfDay{});
    SetWhole(entry.HODhr, evening.hour);
    SetWhole(entry.HODmin, evening.minute);
    SetWhole(entry.HOLhr, morning.hour);
    SetWhole(entry.HOLmin, morning.minute);
}

// The entries a loft gives each of its birds: its clock as set, and its distance.
void SetLoftFields(race::RaceEntry& entry, const DateTime& clock_set, const DateTime& master_set,
                   const distance::MilesYards& distance) {
    SetWhole(entry.CsHr, clock_set.time.hour);
    SetWhole(entry.CsMin, clock_set.time.minute);
    SetSeconds(entry.CsSec, clock_set.time);
    // The set readings are times of the day the clock was set. A master timer read on another
    // day (set just before midnight: the clock showing 23:59:50 on the 9th, the master 00:00:05
    // on the 10th) is read on the clock-set day's hours, 24:00:05, so that the setting error is
    // the 15 seconds it was and not a day less them.
    SetWhole(entry.MTSetHr, master_set.time.hour + 24 * DaysBetween(clock_set, master_set));
    SetWhole(entry.MTSetMin, master_set.time.minute);
    SetSeconds(entry.MTSetSec, master_set.time);
    SetWhole(entry.miles, distance.miles);
    SetWhole(entry.yards, distance.yards);
}

// The bird's own entries: its clocking, the midnights to it, and the strike readings on its day.
void SetBirdFields(race::RaceEntry& entry, const DateTime& liberation, const DateTime& clock_set,
                   const DateTime& clock_check, const DateTime& master_check,
                   const DateTime& clocked) {
    SetWhole(entry.birdclockhrs, clocked.time.hour);
    SetWhole(entry.birdclockmins, clocked.time.minute);
    SetSeconds(entry.birdclocksecs, clocked.time);
    SetWhole(entry.Midnight, DaysBetween(clock_set, clocked));
    SetWhole(entry.midnight2, DaysBetween(liberation, clocked));
    // The calculator takes the bird as clocked on the day its clock was struck, the midnights
    // from setting counted to it. A bird clocked on an earlier day (a two-day race struck on the
    // second day) is counted to its own day, and the strike readings carry the extra days in
    // their hours, so the clock's error is still shared over the hours it really ran.
    const std::int64_t strike_days = DaysBetween(clocked, clock_check);
    SetWhole(entry.CrHr, clock_check.time.hour + 24 * strike_days);
    SetWhole(entry.CrMin, clock_check.time.minute);
    SetSeconds(entry.CrSec, clock_check.time);
    SetWhole(entry.MTRakeHr, master_check.time.hour + 24 * DaysBetween(clocked, master_check));
    SetWhole(entry.MTRakeMin, master_check.time.minute);
    SetSeconds(entry.MTRakeSec, master_check.time);
}

}  // namespace

race::RaceEntry CalculatorEntry(const BirdReadings& readings) {
    race::RaceEntry entry;
    SetRaceFields(entry, readings.liberation, readings.darkness_evening, readings.darkness_morning);
    SetLoftFields(entry, readings.clock_set, readings.master_set, readings.distance);
    SetBirdFields(entry, readings.liberation, readings.clock_set, readings.clock_check,
                  readings.master_check, readings.clocked);
    return entry;
}

Result ComputeResult(const RaceReturn& race_return) {
    const Race& race = race_return.race;
    std::optional<BirdFault> race_fault;
    const DateTimeReading liberation = ReadDateTime(race.liberation, Seconds::Optional);
    if (!liberation.ok()) race_fault = Unreadable(ReadingName::Liberation, *liberation.problem);
    std::optional<TimeOfDay> darkness_evening, darkness_morning;
    if (race.darkness) {
        const TimeReading evening = ReadTime(race.darkness->evening, Seconds::Refused);
        const TimeReading morning = ReadTime(race.darkness->morning, Seconds::Refused);
        if (!evening.ok()) {
            race_fault = Unreadable(ReadingName::DarknessEvening, *evening.problem);
        } else if (!morning.ok()) {
            race_fault = Unreadable(ReadingName::DarknessMorning, *morning.problem);
        }
        darkness_evening = evening.value;
        darkness_morning = morning.value;
    }

    std::unordered_map<std::int64_t, LoftFacts> lofts;
    lofts.reserve(race_return.lofts.size());
    for (const Loft& loft : race_return.lofts) {
        LoftFacts& facts = lofts[loft.loft_id];
        facts.loft = &loft;
        facts.distance = LoftDistance(loft, race);
    }
    const std::optional<DateTime> liberation_time =
        liberation.ok() ? std::optional<DateTime>(liberation.value) : std::nullopt;
    for (const LoftClock& clock : race_return.clocks) {
        const auto found = lofts.find(clock.loft_id);
        if (found != lofts.end()) ReadClock(clock, liberation_time, found->second);
    }

    // One entry for every bird: the race's fields written once, a loft's when its birds begin.
    race::RaceEntry entry;
    SetRaceFields(entry, liberation.value, darkness_evening, darkness_morning);
    const LoftFacts* entry_loft = nullptr;
    const double liberated = liberation.ok() ? Moment(liberation.value) : 0.0;

    std::vector<ResultRow> ranked, unplaced;
    ranked.reserve(race_return.clockings.size());
    std::unordered_set<std::string_view> rings;
    rings.reserve(race_return.clockings.size());
    for (const Clocking& clocking : race_return.clockings) {
        ResultRow row;
        row.loft_id = clocking.loft_id;
        row.ring = clocking.ring;
        const auto found = lofts.find(clocking.loft_id);
        const LoftFacts* facts = found == lofts.end() ? nullptr : &found->second;
        if (facts) {
            row.loft = facts->loft->name;
            row.distance = facts->distance;
        }
        const DateTimeReading clocked = ReadDateTime(clocking.clocked, Seconds::Required);
        row.clocked = clocked.ok() ? WriteDateTime(clocked.value) : clocking.clocked;
        const double clocked_at = clocked.ok() ? Moment(clocked.value) : 0.0;

        // The first clocking of a ring counts; any later one is listed with no result.
        if (!rings.insert(clocking.ring).second) {
            row.fault = Fault(BirdProblem::RingClockedAgain);
        } else if (race_fault) {
            row.fault = race_fault;
        } else if (!facts) {
            row.fault = Fault(BirdProblem::UnknownLoft);
        } else if (!facts->has_clock) {
            row.fault = Fault(BirdProblem::NoClock);
        } else if (facts->fault) {
            row.fault = facts->fault;
        } else if (!clocked.ok()) {
            row.fault = Unreadable(ReadingName::Clocked, *clocked.problem);
        } else if (!facts->distance) {
            row.fault = Fault(BirdProblem::NoDistance);
        } else if (clocked_at < liberated) {
            row.fault = Fault(BirdProblem::ClockedBeforeLiberation);
        } else if (clocked_at < Moment(facts->clock_set)) {
            row.fault = Fault(BirdProblem::ClockedBeforeClockSet);
        } else if (clocked_at > Moment(facts->clock_check)) {
            row.fault = Fault(BirdProblem::ClockedAfterCheck);
        } else if (!race.darkness && DaysBetween(liberation.value, clocked.value) > 0) {
            // Without hours of darkness a night out would be counted as flying time.
            row.fault = Fault(BirdProblem::OvernightWithoutDarkness);
        } else {
            if (facts != entry_loft) {
                SetLoftFields(entry, facts->clock_set, facts->master_set, *facts->distance);
                entry_loft = facts;
            }
            SetBirdFields(entry, liberation.value, facts->clock_set, facts->clock_check,
                          facts->master_check, clocked.value);
            try {
                row.figures = race::ComputeRace(entry);
                row.velocity = race::TextToNumber(row.figures.velocity);
            } catch (const race::RaceError& error) {
                row.fault = CalculatorFault(error);
                row.figures = {};
            }
        }
        (row.fault ? unplaced : ranked).push_back(std::move(row));
    }
    return Ranked(race, std::move(ranked), std::move(unplaced));
}

Result FirstBirdOnly(const Result& result) {
    std::vector<ResultRow> ranked, unplaced;
    std::unordered_set<std::int64_t> lofts;
    for (const ResultRow& row : result.rows) {
        if (!row.position) {
            unplaced.push_back(row);
        } else if (lofts.insert(row.loft_id).second) {
            ranked.push_back(row);
        }
    }
    return Ranked(result.race, std::move(ranked), std::move(unplaced));
}

}  // namespace results
