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
#include "results/two_cores.h"

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

// The key a loft's distance is kept under: its coordinates as typed, and the race point's
// position to the last bit.
std::string PlaceKey(const Loft& loft, const distance::Position& race_point) {
    std::string key = loft.latitude + '\x1f' + loft.longitude;
    for (const double degrees : {race_point.latitude, race_point.longitude}) {
        char digits[32];
        const auto written = std::to_chars(digits, digits + sizeof digits, degrees);
        key.push_back('\x1f');
        key.append(digits, written.ptr);
    }
    return key;
}

std::optional<distance::MilesYards> LoftDistance(const Loft& loft, const Race& race,
                                                 KeptFigures* kept) {
    if (loft.distance) return loft.distance;
    if (!race.race_point) return std::nullopt;
    std::string key;
    if (kept) {
        key = PlaceKey(loft, *race.race_point);
        if (const distance::MilesYards* found = kept->FindDistance(key)) return *found;
    }
    const distance::AngleReading latitude =
        distance::ReadAngle(loft.latitude, distance::Axis::Latitude);
    const distance::AngleReading longitude =
        distance::ReadAngle(loft.longitude, distance::Axis::Longitude);
    if (!latitude.ok() || !longitude.ok()) return std::nullopt;
    const distance::MilesYards worked_out = distance::ToMilesYards(
        distance::DistanceToLoft(*race.race_point, {latitude.degrees, longitude.degrees}).metres);
    if (kept) kept->KeepDistance(std::move(key), worked_out);
    return worked_out;
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

// The fields of a bird's clocked time; a loft's birds of one day share all the others.
bool IsClockedField(std::string race::RaceEntry::*member) {
    return member == &race::RaceEntry::birdclockhrs || member == &race::RaceEntry::birdclockmins ||
           member == &race::RaceEntry::birdclocksecs;
}

// The entry's texts of its clocked fields, or of all the others, each ended by a separator.
void AppendFieldTexts(std::string& key, const race::RaceEntry& entry, bool clocked_fields) {
    for (const race::EntryField& field : race::EntryFields()) {
        if (IsClockedField(field.member) == clocked_fields) {
            key.append(entry.*field.member).push_back('\x1f');
        }
    }
}

std::string SharedFieldsKey(const race::RaceEntry& entry) {
    std::string key;
    key.reserve(96);
    AppendFieldTexts(key, entry, false);
    return key;
}

// The key a bird's figures are kept under: the number its shared fields are kept under, and the
// texts of its clocked fields. Mostly short enough to need no room of its own.
std::string BirdKey(std::uint32_t shared_number, const race::RaceEntry& entry) {
    std::string key(reinterpret_cast<const char*>(&shared_number), sizeof shared_number);
    AppendFieldTexts(key, entry, true);
    return key;
}

// What every bird is measured against, read once: the race's liberation and darkness, and
// each loft's distance and clock.
class RaceFacts {
  public:
    RaceFacts(const Race& race, const std::vector<Loft>& loft_list,
              const std::vector<LoftClock>& clocks, const ReadingsRead& read, KeptFigures* kept)
        : race_(race) {
        const DateTimeReading liberation_reading = ReadDateTime(race.liberation, Seconds::Optional);
        if (!liberation_reading.ok()) {
            fault_ = Unreadable(ReadingName::Liberation, *liberation_reading.problem);
        }
        liberation_ = Dating(liberation_reading.value);
        liberated_ = liberation_reading.ok() ? liberation_.moment : 0.0;
        if (race.darkness) {
            const TimeReading evening = ReadTime(race.darkness->evening, Seconds::Refused);
            const TimeReading morning = ReadTime(race.darkness->morning, Seconds::Refused);
            if (!evening.ok()) {
                fault_ = Unreadable(ReadingName::DarknessEvening, *evening.problem);
            } else if (!morning.ok()) {
                fault_ = Unreadable(ReadingName::DarknessMorning, *morning.problem);
            }
            darkness_evening_ = evening.value;
            darkness_morning_ = morning.value;
        }

        // A loft listed twice is the one loft, as listed last.
        lofts_.reserve(loft_list.size());
        loft_index_.reserve(loft_list.size());
        for (const Loft& loft : loft_list) {
            const auto [found, added] = loft_index_.try_emplace(loft.loft_id, lofts_.size());
            if (added) lofts_.emplace_back();
            LoftFacts& facts = lofts_[found->second];
            facts.loft = &loft;
            facts.distance = LoftDistance(loft, race, kept);
        }
        const std::optional<Dated> liberation_time =
            liberation_reading.ok() ? std::optional<Dated>(liberation_) : std::nullopt;
        const bool clocks_read = read.clocks.size() == clocks.size();
        for (std::size_t c = 0; c < clocks.size(); ++c) {
            const auto found = loft_index_.find(clocks[c].loft_id);
            if (found == loft_index_.end()) continue;
            ReadClock(clocks[c], clocks_read ? &read.clocks[c] : nullptr, liberation_time,
                      lofts_[found->second]);
        }
    }

    const LoftFacts* Of(std::int64_t loft_id) const {
        const auto found = loft_index_.find(loft_id);
        return found == loft_index_.end() ? nullptr : &lofts_[found->second];
    }

    const Race& race_;
    std::optional<BirdFault> fault_;  // a race reading that does not read: no bird has a result
    Dated liberation_;
    double liberated_ = 0;
    std::optional<TimeOfDay> darkness_evening_, darkness_morning_;

  private:
    std::vector<LoftFacts> lofts_;
    std::unordered_map<std::int64_t, std::size_t> loft_index_;
};

// Works out birds one after another with one calculator entry of its own: the race's fields
// written once, a loft's when its birds begin, a day's when it changes. The clockings of a loft
// mostly come together, so the last one's loft is tried first.
class BirdWorker {
  public:
    BirdWorker(const RaceFacts& facts, KeptFigures* kept) : facts_(facts), kept_(kept) {
        SetRaceFields(entry_, facts.liberation_, facts.darkness_evening_, facts.darkness_morning_);
    }

    // The bird's row: its figures, or what stops it having any. `read` is its reading where it
    // has been read already.
    void Work(const Clocking& clocking, const DateTime* read, bool first_of_ring, ResultRow& row) {
        row.loft_id = clocking.loft_id;
        row.ring = clocking.ring;
        if (last_loft_ == nullptr || clocking.loft_id != last_loft_id_) {
            last_loft_ = facts_.Of(clocking.loft_id);
            last_loft_id_ = clocking.loft_id;
        }
        const LoftFacts* const loft = last_loft_;
        if (loft) {
            row.loft = loft->loft->name;
            row.distance = loft->distance;
        }
        DateTimeReading reading;
        if (!read) reading = ReadDateTime(clocking.clocked, Seconds::Required);
        const DateTime& clocked_value = read ? *read : reading.value;
        const bool clocked_reads = reading.ok();
        row.clocked = clocked_reads ? WriteDateTime(clocked_value) : clocking.clocked;
        const Dated clocked = clocked_reads ? Dating(clocked_value) : Dated{};

        if (!first_of_ring) {
            row.fault = Fault(BirdProblem::RingClockedAgain);
        } else if (facts_.fault_) {
            row.fault = facts_.fault_;
        } else if (!loft) {
            row.fault = Fault(BirdProblem::UnknownLoft);
        } else if (!loft->has_clock) {
            row.fault = Fault(BirdProblem::NoClock);
        } else if (loft->fault) {
            row.fault = loft->fault;
        } else if (!clocked_reads) {
            row.fault = Unreadable(ReadingName::Clocked, *reading.problem);
        } else if (!loft->distance) {
            row.fault = Fault(BirdProblem::NoDistance);
        } else if (clocked.moment < facts_.liberated_) {
            row.fault = Fault(BirdProblem::ClockedBeforeLiberation);
        } else if (clocked.moment < loft->clock_set.moment) {
            row.fault = Fault(BirdProblem::ClockedBeforeClockSet);
        } else if (clocked.moment > loft->clock_check.moment) {
            row.fault = Fault(BirdProblem::ClockedAfterCheck);
        } else if (!facts_.race_.darkness && DaysBetween(facts_.liberation_, clocked) > 0) {
            // Without hours of darkness a night out would be counted as flying time.
            row.fault = Fault(BirdProblem::OvernightWithoutDarkness);
        } else {
            Figure(*loft, clocked, row);
        }
    }

    // The entry a bird's figures are worked out from; none for a bird with no result.
    std::optional<race::RaceEntry> EntryFor(const Clocking& clocking) {
        ResultRow row;
        entry_only_ = true;
        Work(clocking, nullptr, true, row);
        entry_only_ = false;
        if (row.fault) return std::nullopt;
        return entry_;
    }

  private:
    // The entry's fields of this loft and this bird's day.
    void SetSharedFields(const LoftFacts& loft, const Dated& clocked) {
        if (&loft != entry_loft_) {
            SetLoftFields(entry_, loft.clock_set, loft.master_set, loft.clock_check,
                          loft.master_check, *loft.distance);
            entry_loft_ = &loft;
            entry_day_.reset();
        }
        if (entry_day_ != clocked.day) {
            SetDayFields(entry_, facts_.liberation_, loft.clock_set, loft.clock_check,
                         loft.master_check, clocked);
            entry_day_ = clocked.day;
        }
    }

    // The number the fields this loft's birds of the bird's day share are kept under, looked
    // up once a loft and day rather than once a bird.
    std::uint32_t SharedNumber(const LoftFacts& loft, const Dated& clocked) {
        const auto [found, added] = shared_numbers_.try_emplace(&loft);
        if (added || found->second.first != clocked.day) {
            SetSharedFields(loft, clocked);
            found->second = {clocked.day, kept_->SharedNumber(SharedFieldsKey(entry_))};
        }
        return found->second.second;
    }

    void Figure(const LoftFacts& loft, const Dated& clocked, ResultRow& row) {
        SetClockedFields(entry_, clocked);
        std::string key;
        if (kept_ && !entry_only_) {
            key = BirdKey(SharedNumber(loft, clocked), entry_);
            if (const KeptFigures::Figures* figures = kept_->Find(key)) {
                row.figures = figures->texts;
                row.velocity = figures->velocity;
                return;
            }
        }
        SetSharedFields(loft, clocked);
        if (entry_only_) return;
        try {
            row.figures = race::ComputeRace(entry_);
            row.velocity = race::TextToNumber(row.figures.velocity);
        } catch (const race::RaceError& error) {
            row.fault = CalculatorFault(error);
            row.figures = {};
            return;
        }
        if (kept_) kept_->Keep(std::move(key), {row.figures, row.velocity});
    }

    const RaceFacts& facts_;
    KeptFigures* kept_;
    bool entry_only_ = false;  // the entry made, its figures not worked out
    race::RaceEntry entry_;
    const LoftFacts* entry_loft_ = nullptr;
    std::optional<std::int64_t> entry_day_;
    // Each loft's last day of clocking, and the number its shared fields are kept under.
    std::unordered_map<const LoftFacts*, std::pair<std::int64_t, std::uint32_t>> shared_numbers_;
    std::int64_t last_loft_id_ = 0;
    const LoftFacts* last_loft_ = nullptr;
};

}  // namespace

const KeptFigures::Figures* KeptFigures::Find(const std::string& entry_key) const {
    const auto found = figures_.find(entry_key);
    return found == figures_.end() ? nullptr : &found->second;
}

void KeptFigures::Keep(std::string entry_key, Figures figures) {
    figures_.insert_or_assign(std::move(entry_key), std::move(figures));
}

const distance::MilesYards* KeptFigures::FindDistance(const std::string& place_key) const {
    const auto found = distances_.find(place_key);
    return found == distances_.end() ? nullptr : &found->second;
}

void KeptFigures::KeepDistance(std::string place_key, distance::MilesYards distance) {
    distances_.insert_or_assign(std::move(place_key), distance);
}

std::uint32_t KeptFigures::SharedNumber(std::string shared_fields_key) {
    const auto number = static_cast<std::uint32_t>(shared_numbers_.size());
    return shared_numbers_.try_emplace(std::move(shared_fields_key), number).first->second;
}

void KeptFigures::Clear() {
    shared_numbers_.clear();
    figures_.clear();
    distances_.clear();
}

Result ComputeResult(const RaceReturn& race_return, KeptFigures* kept) {
    return ComputeResult(race_return.race, race_return.lofts, race_return.clocks,
                         race_return.clockings, ReadingsRead{}, kept);
}

Result ComputeResult(const Race& race, const std::vector<Loft>& loft_list,
                     const std::vector<LoftClock>& clocks, const std::vector<Clocking>& clockings,
                     const ReadingsRead& read, KeptFigures* kept) {
    // A different race's kept figures are let go of rather than kept without end.
    const std::size_t count = clockings.size();
    if (kept && kept->size() > 2 * count + 64) kept->Clear();
    const RaceFacts facts(race, loft_list, clocks, read, kept);

    // The first clocking of a ring counts; any later one is listed with no result.
    std::vector<char> first_of_ring(count);
    {
        RingsClocked rings(clockings);
        constexpr std::size_t kRingsAhead = 8;
        for (std::size_t index = 0; index < count; ++index) {
            rings.Expect(index + kRingsAhead);
            first_of_ring[index] = rings.First(index);
        }
    }

    // Each bird is worked out on its own from what the race and its loft give it, each half of
    // a long list with a calculator entry of its own; figures kept from before, which both
    // halves would add to, are gone through on one.
    std::vector<ResultRow> rows(count);
    const bool read_here = read.clockings.size() != count;
    const auto work_out = [&](std::size_t begin, std::size_t end) {
        BirdWorker worker(facts, kept);
        for (std::size_t index = begin; index < end; ++index) {
            worker.Work(clockings[index], read_here ? nullptr : &read.clockings[index],
                        first_of_ring[index] != 0, rows[index]);
        }
    };
    if (kept) {
        work_out(0, count);
    } else {
        InTwoHalves(count, work_out);
    }

    std::vector<std::size_t> ranked, unplaced;
    ranked.reserve(count);
    for (std::size_t index = 0; index < count; ++index) {
        (rows[index].fault ? unplaced : ranked).push_back(index);
    }
    return Ranked(race, std::move(rows), ranked, unplaced);
}

std::optional<race::RaceEntry> CalculatorEntryOf(const RaceReturn& race_return,
                                                 std::int64_t loft_id, const std::string& ring) {
    // The ring's first clocking is the one that counts.
    const auto clocking = std::find_if(
        race_return.clockings.begin(), race_return.clockings.end(),
        [&](const Clocking& each) { return each.loft_id == loft_id && each.ring == ring; });
    if (clocking == race_return.clockings.end()) return std::nullopt;
    const RaceFacts facts(race_return.race, race_return.lofts, race_return.clocks, ReadingsRead{},
                          nullptr);
    return BirdWorker(facts, nullptr).EntryFor(*clocking);
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
