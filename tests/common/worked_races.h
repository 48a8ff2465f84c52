#pragma once

// The worked races, each with the texts the calculator must give for it: the one home of these
// races for the core's tests, the window's tests, the benchmarks, the fuzzer's seeds and the
// README's pictures. Standard library only, so that every one of them can use it.

#include <string>
#include <string_view>
#include <vector>

#include "core/race.h"

namespace race::worked {

// The calculator's entries as it opens: a clock set and checked at 19:00 one midnight apart,
// liberation at 8:00, clocked at 10:00, 60 miles.
inline RaceEntry OpeningEntry() {
    RaceEntry entry;
    entry.MTSetHr = entry.MTRakeHr = entry.CsHr = entry.CrHr = "19";
    entry.MTSetMin = entry.MTSetSec = entry.MTRakeMin = entry.MTRakeSec = "0";
    entry.CsMin = entry.CsSec = entry.CrMin = entry.CrSec = "0";
    entry.birdlibhrs = "8";
    entry.birdlibmins = entry.birdlibsecs = entry.birdclockmins = entry.birdclocksecs = "0";
    entry.birdclockhrs = "10";
    entry.Midnight = "1";
    entry.midnight2 = entry.yards = "0";
    entry.HODhr = "22";
    entry.HODmin = entry.HOLmin = "30";
    entry.HOLhr = "4";
    entry.miles = "60";
    return entry;
}

// One entry as a club member types it over the opening text.
struct Typed {
    std::string RaceEntry::*member;
    std::string text;
};

struct WorkedRace {
    std::string name;            // a test row's or a benchmark's name
    std::vector<Typed> changes;  // typed over the opening entries, in this order
    RaceResult result;           // variation, flying hours, minutes and seconds, velocity

    RaceEntry Entry() const {
        RaceEntry entry = OpeningEntry();
        for (const Typed& change : changes) entry.*change.member = change.text;
        return entry;
    }
};

using E = RaceEntry;

inline WorkedRace OpeningRace() {
    return {"OpeningEntries", {}, {"0", "2", "0", "0", "880"}};
}

// A clock that gained 30 seconds in a day, on a same-day race.
inline WorkedRace GainingClockRace() {
    WorkedRace race{"ClockGainedThirtySeconds", {}, {}};
    race.changes = {{&E::CrSec, "30"},         {&E::birdclockhrs, "11"}, {&E::birdclockmins, "42"},
                    {&E::birdclocksecs, "17"}, {&E::birdlibhrs, "7"},    {&E::birdlibmins, "15"},
                    {&E::miles, "92"},         {&E::yards, "1000"}};
    race.result = {"20.8736549809094", "4", "26", "56.1263450190909", "610.334845606411"};
    return race;
}

// The same race checked a second earlier and clocked three seconds later: the flying time
// comes to a fraction of a second under 4 hours 27 minutes, so its seconds are negative and as
// long as a result gets.
inline WorkedRace NegativeSecondsRace() {
    WorkedRace race = GainingClockRace();
    race.name = "NegativeFlyingSeconds";
    race.changes.insert(race.changes.end(), {{&E::CrSec, "29"}, {&E::birdclocksecs, "20"}});
    race.result = {"20.1791065498849", "4", "27", "-0.179106549885546", "610.194087999867"};
    return race;
}

// An overnight race with a clock that was slow at setting.
inline WorkedRace OvernightRace() {
    WorkedRace race{"OvernightClockSlowAtSetting", {}, {}};
    race.changes = {{&E::MTSetSec, "2"},      {&E::Midnight, "2"},       {&E::CrSec, "30"},
                    {&E::birdclockhrs, "14"}, {&E::birdclockmins, "25"}, {&E::birdclocksecs, "41"},
                    {&E::birdlibhrs, "6"},    {&E::birdlibmins, "30"},   {&E::birdlibsecs, "15"},
                    {&E::midnight2, "1"},     {&E::miles, "312"},        {&E::yards, "1234"}};
    race.result = {"28.9470115142047", "25", "54", "59.052988485797", "353.928994371199"};
    return race;
}

inline std::vector<WorkedRace> WorkedRaces() {
    return {OpeningRace(), GainingClockRace(), NegativeSecondsRace(), OvernightRace()};
}

}  // namespace race::worked
