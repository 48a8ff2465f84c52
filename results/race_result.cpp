#include "results/race_result.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <functional>
#include <span>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "distance/coordinate.h"
#include "results/prefetch.h"

namespace results {
namespace {

// A whole number as a field's text, written into the room the text already has: a result of
// 20,000 birds fills the same entry 20,000 times.
void SetWhole(std::string& field, std::int64_t value) {
    char digits[24];
    const auto written = std::to_chars(digits, digits + sizeof digits, value);
    field.clear();
    field.append(digits, static_cast<std::size_t>(written.ptr - digits));
}

// The seconds field takes the fraction an electronic clock gives, as a decimal.
void SetSeconds(std::string& field, const TimeOfDay& time) {
    SetWhole(field, time.second);
    if (!time.fraction.empty()) field.append(".").append(time.fraction);
}

// A reading with its day and its moment, counted once for all the birds measured against it.
struct Dated : DateTime {
    std::int64_t day = 0;
    double moment = 0;
};

Dated Dating(const DateTime& value) {
    const std::int64_t day = DayNumber(value.date);
    return Dated{value, day, Moment(day, value.time)};
}

std::int64_t DaysBetween(const Dated& from, const Dated& to) {
    return to.day - from.day;
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
    Dated clock_set, master_set, clock_check, master_check;
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

// The clock's readings, from its texts or as they were read already.
void ReadClock(const LoftClock& clock, const std::array<DateTime, 4>* read,
               const std::optional<Dated>& liberation, LoftFacts& facts) {
    facts.has_clock = true;
    const std::array<std::pair<const std::string*, Dated*>, 4> readings{{
        {&clock.clock_set, &facts.clock_set},
        {&clock.master_set, &facts.master_set},
        {&clock.clock_check, &facts.clock_check},
        {&clock.master_check, &facts.master_check},
    }};
    constexpr std::array<ReadingName, 4> kNames{ReadingName::ClockSet, ReadingName::MasterSet,
                                                ReadingName::ClockCheck, ReadingName::MasterCheck};
    for (std::size_t i = 0; i < readings.size(); ++i) {
        if (read) {
            *readings[i].second = Dating((*read)[i]);
            continue;
        }
        const DateTimeReading reading = ReadDateTime(*readings[i].first, Seconds::Required);
        if (!reading.ok()) {
            facts.fault = Unreadable(kNames[i], *reading.problem);
            return;
        }
        *readings[i].second = Dating(reading.value);
    }
    if (facts.clock_check.moment < facts.clock_set.moment) {
        facts.fault = Fault(BirdProblem::CheckedBeforeSet);
    } else if (liberation && facts.master_set.moment > liberation->moment) {
        // Both on the master timer: the clock must be set before the birds go.
        facts.fault = Fault(BirdProblem::SetAfterLiberation);
    }
}

// Equal velocities share a position and the next is skipped: 1, 2, 2, 4. The rows are in order,
// fastest first.
void Rank(std::span<ResultRow> ranked) {
    for (std::size_t i = 0; i < ranked.size(); ++i) {
        const bool tie = i > 0 && ranked[i].velocity == ranked[i - 1].velocity;
        ranked[i].position = tie ? ranked[i - 1].position : std::optional<std::size_t>(i + 1);
    }
}

// The ranked rows' indices, fastest first, equal velocities in the order given: a stable radix
// sort, a byte at a time, of keys whose order as whole numbers is the velocities' order, fastest
// first (a velocity is never NaN; 0 and -0, equal, are given the one key).
std::vector<std::size_t> FastestFirst(const std::vector<ResultRow>& rows,
                                      const std::vector<std::size_t>& ranked) {
    struct Keyed {
        std::uint64_t key;
        std::size_t index;
    };
    std::vector<Keyed> keyed, spare(ranked.size());
    keyed.reserve(ranked.size());
    for (const std::size_t index : ranked) {
        const auto bits = std::bit_cast<std::uint64_t>(rows[index].velocity + 0.0);
        const std::uint64_t slowest_first = bits >> 63 ? ~bits : bits | std::uint64_t{1} << 63;
        keyed.push_back({~slowest_first, index});
    }
    for (int shift = 0; shift < 64; shift += 8) {
        std::array<std::size_t, 257> starts{};
        for (const Keyed& each : keyed) ++starts[((each.key >> shift) & 0xFF) + 1];
        // A byte every key has alike leaves the order as it is.
        if (std::find(starts.begin(), starts.end(), keyed.size()) != starts.end()) continue;
        for (std::size_t digit = 1; digit < starts.size(); ++digit) {
            starts[digit] += starts[digit - 1];
        }
        for (const Keyed& each : keyed) spare[starts[(each.key >> shift) & 0xFF]++] = each;
        keyed.swap(spare);
    }
    std::vector<std::size_t> order;
    order.reserve(keyed.size());
    for (const Keyed& each : keyed) order.push_back(each.index);
    return order;
}

// The rows in their order: the ranked birds by velocity, fastest first, then those with no
// result; `ranked` and `unplaced` between them name every row once. The velocities are sorted
// with the rows' indices rather than the rows, which are large, and each row is then moved once,
// to its place; equal velocities stay in the order given.
Result Ranked(const Race& race, std::vector<ResultRow> rows, const std::vector<std::size_t>& ranked,
              const std::vector<std::size_t>& unplaced) {
    // The row each place takes, followed round each cycle of places.
    std::vector<std::size_t> taken_from = FastestFirst(rows, ranked);
    taken_from.insert(taken_from.end(), unplaced.begin(), unplaced.end());
    for (std::size_t start = 0; start < taken_from.size(); ++start) {
        if (taken_from[start] == start) continue;
        ResultRow held = std::move(rows[start]);
        std::size_t place = start;
        while (taken_from[place] != start) {
            const std::size_t from = taken_from[place];
            if (taken_from[from] != start) PrefetchRow(rows[taken_from[from]]);
            rows[place] = std::move(rows[from]);
            taken_from[place] = place;
            place = from;
        }
        rows[place] = std::move(held);
        taken_from[place] = place;
    }
    Rank(std::span(rows).first(ranked.size()));
    return Result{race, std::move(rows)};
}

// The rings clocked so far, to tell a ring's first clocking from a later one. Open addressing in
// one small block, each slot holding a clocking's index and part of its ring's hash, so that a
// slot another ring holds is mostly passed without looking at that ring: a node for each ring
// would be an allocation a bird, and each ring looked at a trip to wherever its clocking lies.
class RingsClocked {
  public:
    // Indices fit 32 bits: four billion clockings would not fit in memory.
    explicit RingsClocked(const std::vector<Clocking>& clockings)
        : clockings_(clockings),
          slots_(std::bit_ceil(clockings.size() + clockings.size() / 2 + 1)),
          mask_(slots_.size() - 1) {
        hashes_.reserve(clockings.size());
        for (const Clocking& clocking : clockings) {
            hashes_.push_back(std::hash<std::string_view>{}(clocking.ring));
        }
    }

    // Asks for the slot a later clocking's ring is looked for at.
    void Expect(std::size_t index) const {
        if (index < hashes_.size()) Prefetch(&slots_[hashes_[index] & mask_]);
    }

    // Whether this clocking is its ring's first.
    bool First(std::size_t index) {
        const std::string& ring = clockings_[index].ring;
        const std::size_t hash = hashes_[index];
        const auto part = static_cast<std::uint32_t>(hash >> 32);
        std::size_t at = hash & mask_;
        for (; slots_[at].index_after != 0; at = (at + 1) & mask_) {
            if (slots_[at].hash_part == part &&
                clockings_[slots_[at].index_after - 1].ring == ring) {
                return false;
            }
        }
        slots_[at] = {static_cast<std::uint32_t>(index + 1), part};
        return true;
    }

  private:
    struct Slot {
        std::uint32_t index_after = 0;  // the clocking's index and one; 0 for an empty slot
        std::uint32_t hash_part = 0;
    };
    const std::vector<Clocking>& clockings_;
    std::vector<std::size_t> hashes_;
    std::vector<Slot> slots_;
    std::size_t mask_;
};

// The entries the race gives every bird: liberation and the hours of darkness.
void SetRaceFields(race::RaceEntry& entry, const Dated& liberation,
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

// The entries a loft gives each of its birds: its clock as set and the minutes and seconds it
// was struck at, and its distance.
void SetLoftFields(race::RaceEntry& entry, const Dated& clock_set, const Dated& master_set,
                   const Dated& clock_check, const Dated& master_check,
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
    SetWhole(entry.CrMin, clock_check.time.minute);
    SetSeconds(entry.CrSec, clock_check.time);
    SetWhole(entry.MTRakeMin, master_check.time.minute);
    SetSeconds(entry.MTRakeSec, master_check.time);
    SetWhole(entry.miles, distance.miles);
    SetWhole(entry.yards, distance.yards);
}

// The entries of a bird's day: the midnights to it, and the strike hours on it. The calculator
// takes the bird as clocked on the day its clock was struck, the midnights from setting counted
// to it. A bird clocked on an earlier day (a two-day race struck on the second day) is counted to
// its own day, and the strike readings carry the extra days in their hours, so the clock's error
// is still shared over the hours it really ran.
void SetDayFields(race::RaceEntry& entry, const Dated& liberation, const Dated& clock_set,
                  const Dated& clock_check, const Dated& master_check, const Dated& clocked) {
    SetWhole(entry.Midnight, DaysBetween(clock_set, clocked));
    SetWhole(entry.midnight2, DaysBetween(liberation, clocked));
    const std::int64_t strike_days = DaysBetween(clocked, clock_check);
    SetWhole(entry.CrHr, clock_check.time.hour + 24 * strike_days);
    SetWhole(entry.MTRakeHr, master_check.time.hour + 24 * DaysBetween(clocked, master_check));
}

// The bird's own clocking.
void SetClockedFields(race::RaceEntry& entry, const Dated& clocked) {
    SetWhole(entry.birdclockhrs, clocked.time.hour);
    SetWhole(entry.birdclockmins, clocked.time.minute);
    SetSeconds(entry.birdclocksecs, clocked.time);
}

}  // namespace

race::RaceEntry CalculatorEntry(const BirdReadings& readings) {
    race::RaceEntry entry;
    const Dated liberation = Dating(readings.liberation);
    const Dated clock_set = Dating(readings.clock_set);
    const Dated clock_check = Dating(readings.clock_check);
    const Dated master_check = Dating(readings.master_check);
    SetRaceFields(entry, liberation, readings.darkness_evening, readings.darkness_morning);
    SetLoftFields(entry, clock_set, Dating(readings.master_set), clock_check, master_check,
                  readings.distance);
    const Dated clocked = Dating(readings.clocked);
    SetDayFields(entry, liberation, clock_set, clock_check, master_check, clocked);
    SetClockedFields(entry, clocked);
    return entry;
}

Result ComputeResult(const RaceReturn& race_return) {
    return ComputeResult(race_return.race, race_return.lofts, race_return.clocks,
                         race_return.clockings, ReadingsRead{});
}

Result ComputeResult(const Race& race, const std::vector<Loft>& loft_list,
                     const std::vector<LoftClock>& clocks, const std::vector<Clocking>& clockings,
                     const ReadingsRead& read) {
    std::optional<BirdFault> race_fault;
    const DateTimeReading liberation_reading = ReadDateTime(race.liberation, Seconds::Optional);
    if (!liberation_reading.ok()) {
        race_fault = Unreadable(ReadingName::Liberation, *liberation_reading.problem);
    }
    const Dated liberation = Dating(liberation_reading.value);
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

    // A loft listed twice is the one loft, as listed last.
    std::vector<LoftFacts> lofts;
    lofts.reserve(loft_list.size());
    std::unordered_map<std::int64_t, std::size_t> loft_index;
    loft_index.reserve(loft_list.size());
    for (const Loft& loft : loft_list) {
        const auto [found, added] = loft_index.try_emplace(loft.loft_id, lofts.size());
        if (added) lofts.emplace_back();
        LoftFacts& facts = lofts[found->second];
        facts.loft = &loft;
        facts.distance = LoftDistance(loft, race);
    }
    const auto facts_of = [&](std::int64_t loft_id) -> LoftFacts* {
        const auto found = loft_index.find(loft_id);
        return found == loft_index.end() ? nullptr : &lofts[found->second];
    };
    const std::optional<Dated> liberation_time =
        liberation_reading.ok() ? std::optional<Dated>(liberation) : std::nullopt;
    const bool clocks_read = read.clocks.size() == clocks.size();
    for (std::size_t c = 0; c < clocks.size(); ++c) {
        if (LoftFacts* facts = facts_of(clocks[c].loft_id)) {
            ReadClock(clocks[c], clocks_read ? &read.clocks[c] : nullptr, liberation_time, *facts);
        }
    }

    // One entry for every bird: the race's fields written once, a loft's when its birds begin.
    race::RaceEntry entry;
    SetRaceFields(entry, liberation, darkness_evening, darkness_morning);
    const LoftFacts* entry_loft = nullptr;
    std::optional<std::int64_t> entry_day;
    const double liberated = liberation_reading.ok() ? liberation.moment : 0.0;

    // Each row is made where it stays until it is ranked; the clockings of a loft mostly come
    // together, so the last one's loft is tried first.
    const std::size_t count = clockings.size();
    const bool read_here = read.clockings.size() != count;
    std::vector<ResultRow> rows;
    rows.reserve(count);
    std::vector<std::size_t> ranked, unplaced;
    ranked.reserve(count);
    RingsClocked rings(clockings);
    constexpr std::size_t kRingsAhead = 8;
    std::int64_t last_loft_id = 0;
    const LoftFacts* last_facts = nullptr;
    for (std::size_t index = 0; index < count; ++index) {
        const Clocking& clocking = clockings[index];
        ResultRow& row = rows.emplace_back();
        row.loft_id = clocking.loft_id;
        row.ring = clocking.ring;
        if (last_facts == nullptr || clocking.loft_id != last_loft_id) {
            last_facts = facts_of(clocking.loft_id);
            last_loft_id = clocking.loft_id;
        }
        const LoftFacts* const facts = last_facts;
        if (facts) {
            row.loft = facts->loft->name;
            row.distance = facts->distance;
        }
        DateTimeReading reading;
        if (read_here) reading = ReadDateTime(clocking.clocked, Seconds::Required);
        const DateTime& clocked_value = read_here ? reading.value : read.clockings[index];
        const bool clocked_reads = reading.ok();
        row.clocked = clocked_reads ? WriteDateTime(clocked_value) : clocking.clocked;
        const Dated clocked = clocked_reads ? Dating(clocked_value) : Dated{};

        // The first clocking of a ring counts; any later one is listed with no result.
        rings.Expect(index + kRingsAhead);
        if (!rings.First(index)) {
            row.fault = Fault(BirdProblem::RingClockedAgain);
        } else if (race_fault) {
            row.fault = race_fault;
        } else if (!facts) {
            row.fault = Fault(BirdProblem::UnknownLoft);
        } else if (!facts->has_clock) {
            row.fault = Fault(BirdProblem::NoClock);
        } else if (facts->fault) {
            row.fault = facts->fault;
        } else if (!clocked_reads) {
            row.fault = Unreadable(ReadingName::Clocked, *reading.problem);
        } else if (!facts->distance) {
            row.fault = Fault(BirdProblem::NoDistance);
        } else if (clocked.moment < liberated) {
            row.fault = Fault(BirdProblem::ClockedBeforeLiberation);
        } else if (clocked.moment < facts->clock_set.moment) {
            row.fault = Fault(BirdProblem::ClockedBeforeClockSet);
        } else if (clocked.moment > facts->clock_check.moment) {
            row.fault = Fault(BirdProblem::ClockedAfterCheck);
        } else if (!race.darkness && DaysBetween(liberation, clocked) > 0) {
            // Without hours of darkness a night out would be counted as flying time.
            row.fault = Fault(BirdProblem::OvernightWithoutDarkness);
        } else {
            if (facts != entry_loft) {
                SetLoftFields(entry, facts->clock_set, facts->master_set, facts->clock_check,
                              facts->master_check, *facts->distance);
                entry_loft = facts;
                entry_day.reset();
            }
            if (entry_day != clocked.day) {
                SetDayFields(entry, liberation, facts->clock_set, facts->clock_check,
                             facts->master_check, clocked);
                entry_day = clocked.day;
            }
            SetClockedFields(entry, clocked);
            try {
                row.figures = race::ComputeRace(entry);
                row.velocity = race::TextToNumber(row.figures.velocity);
            } catch (const race::RaceError& error) {
                row.fault = CalculatorFault(error);
                row.figures = {};
            }
        }
        (row.fault ? unplaced : ranked).push_back(rows.size() - 1);
    }
    return Ranked(race, std::move(rows), ranked, unplaced);
}

Result FirstBirdOnly(const Result& result) {
    std::vector<ResultRow> rows;
    std::vector<std::size_t> ranked, unplaced;
    std::unordered_set<std::int64_t> lofts;
    for (const ResultRow& row : result.rows) {
        if (!row.position) {
            unplaced.push_back(rows.size());
            rows.push_back(row);
        } else if (lofts.insert(row.loft_id).second) {
            ranked.push_back(rows.size());
            rows.push_back(row);
        }
    }
    return Ranked(result.race, std::move(rows), ranked, unplaced);
}

}  // namespace results
