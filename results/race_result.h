#pragma once

// A race's result: every bird of every member, its clocked time corrected by its own clock's
// variation, flown over its own loft's distance, and ranked by velocity. The figures of each
// bird are the calculator's own (core/race.h); the dates of the readings give it the midnights
// it needs.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/race.h"
#include "distance/geodesic.h"
#include "results/date_time.h"

namespace results {

// The hours of darkness a race allows for each night a bird is out: from the evening time to the
// morning time, as typed ("22:00", "05:00").
struct Darkness {
    std::string evening;
    std::string morning;
};

// The texts are kept as typed; they are read when the result is worked out.
struct Race {
    std::string name;
    std::string liberation;  // date and time the birds were released, by the master timer
    std::optional<Darkness> darkness;
    std::optional<distance::Position> race_point;  // for lofts whose distance is worked out
};

// A member's loft. Its distance is the one given, in miles and yards, or else the one from the
// race point to its position; a loft with neither (or whose coordinates do not read) has none.
struct Loft {
    std::int64_t loft_id = 0;
    std::string name;
    std::optional<distance::MilesYards> distance;
    std::string latitude;   // as typed, used where no distance is given
    std::string longitude;  // as typed
};

// A loft's timing clock in one race: the clock and the master timer read (date and time) when
// the clock was set at basketing, and again when it was struck after the race.
struct LoftClock {
    std::int64_t loft_id = 0;
    std::string clock_set;
    std::string master_set;
    std::string clock_check;
    std::string master_check;
};

// One bird's clocking: its ring and the reading of its loft's clock when it was clocked.
struct Clocking {
    std::int64_t loft_id = 0;
    std::string ring;
    std::string clocked;
};

// Everything a race's result is worked out from.
struct RaceReturn {
    Race race;
    std::vector<Loft> lofts;
    std::vector<LoftClock> clocks;
    std::vector<Clocking> clockings;  // in the order the clocks recorded them
};

// Why a bird has no result.
enum class BirdProblem {
    UnreadableReading,         // one of its readings does not read (which, and why, beside it)
    UnknownLoft,               // clocked to a loft that is not listed
    NoClock,                   // its loft's clock readings are missing
    NoDistance,                // its loft has no distance
    ClockedBeforeLiberation,   // clocked before the birds were released
    ClockedBeforeClockSet,     // clocked before its clock was set
    ClockedAfterCheck,         // clocked after its clock was struck
    CheckedBeforeSet,          // its clock was struck before it was set
    SetAfterLiberation,        // its clock was set after the birds were released
    OvernightWithoutDarkness,  // out overnight in a race with no hours of darkness
    RingClockedAgain,          // its ring was clocked earlier in the race: the first one counts
    ClockDidNotRun,            // the clock was struck at the reading it was set to
    NoFlyingTime,              // the flying time comes to nothing
    CalculationFailed,         // some other figure beyond what can be worked out
};

// The reading a problem lies in.
enum class ReadingName {
    Liberation,
    DarknessEvening,
    DarknessMorning,
    ClockSet,
    MasterSet,
    ClockCheck,
    MasterCheck,
    Clocked,
};

struct BirdFault {
    BirdProblem problem = BirdProblem::CalculationFailed;
    std::optional<ReadingName> reading;            // for UnreadableReading
    std::optional<DateTimeProblem> reading_fault;  // for UnreadableReading
    std::optional<race::Problem> calculation;      // for CalculationFailed
    bool operator==(const BirdFault&) const = default;
};

// One bird on the result.
struct ResultRow {
    std::optional<std::size_t> position;  // none for a bird with no result
    std::int64_t loft_id = 0;
    std::string loft;
    std::string ring;
    std::optional<distance::MilesYards> distance;
    std::string clocked;       // written as 2026-05-09 14:01:00 where it reads, else as typed
    race::RaceResult figures;  // the calculator's texts; empty for a bird with no result
    double velocity = 0;       // yards per minute, the velocity text read back
    std::optional<BirdFault> fault;
};

// The ranked birds first, fastest first; then the birds with no result, in the order clocked.
struct Result {
    Race race;
    std::vector<ResultRow> rows;
};

// The readings of a race's clocks and clockings where they have been read already, as a return's
// reader reads them: one for each clock (as set, the master as set, as struck, the master as
// struck) and one for each clocking, in order. Either may be left empty, to be read from the texts.
struct ReadingsRead {
    std::vector<std::array<DateTime, 4>> clocks;
    std::vector<DateTime> clockings;
};

// Birds' figures and lofts' distances as worked out before. A race worked out again each time a
// bird is typed gives every other bird the calculator entry it had before, and every loft its
// coordinates: the calculator gives an entry the same figures every time, and a geodesic between
// the same two points is the same length, so they are taken from here instead of being worked
// out again. Keeps what the last race worked out with it needed, and the birds typed in it since.
class KeptFigures {
  public:
    struct Figures {
        race::RaceResult texts;
        double velocity = 0;
    };
    // The number the entry fields a loft's birds of one day share (all but the clocked time)
    // are kept under; the same texts are given the same number until Clear.
    std::uint32_t SharedNumber(std::string shared_fields_key);
    // A bird's figures, under that number and its clocked time: its whole calculator entry.
    const Figures* Find(const std::string& bird_key) const;
    void Keep(std::string bird_key, Figures figures);
    // A loft's distance, under its coordinates as typed and the race point's position.
    const distance::MilesYards* FindDistance(const std::string& place_key) const;
    void KeepDistance(std::string place_key, distance::MilesYards distance);
    void Clear();
    std::size_t size() const { return figures_.size(); }

  private:
    std::unordered_map<std::string, std::uint32_t> shared_numbers_;
    std::unordered_map<std::string, Figures> figures_;
    std::unordered_map<std::string, distance::MilesYards> distances_;
};

// Every bird of the race, each with its figures or what stops it having any; `kept`, where
// given, is looked in first and keeps what is worked out.
Result ComputeResult(const RaceReturn& race_return, KeptFigures* kept = nullptr);
// The same from the race's parts, with the readings already read.
Result ComputeResult(const Race& race, const std::vector<Loft>& lofts,
                     const std::vector<LoftClock>& clocks, const std::vector<Clocking>& clockings,
                     const ReadingsRead& read, KeptFigures* kept = nullptr);

// The calculator entry a bird of the race was worked out from, each field as the calculator
// takes it, so that a member can type it in and check the figures; none for a bird with no
// result. A ring clocked more than once is its first clocking.
std::optional<race::RaceEntry> CalculatorEntryOf(const RaceReturn& race_return,
                                                 std::int64_t loft_id, const std::string& ring);

// Only each loft's fastest bird, ranked again among themselves (prizes one to a loft); the birds
// with no result stay listed after them.
Result FirstBirdOnly(const Result& result);

}  // namespace results
