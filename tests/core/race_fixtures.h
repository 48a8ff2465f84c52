#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "core/race.h"

namespace race::testing {

// Names each row of a test table after its name member.
// Prints a row of a test table as its name, in test listings and failure messages.
template <class Row>
requires requires(const Row& row) {
    std::string(row.name);
}
void PrintTo(const Row& row, std::ostream* out) {
    *out << row.name;
}

struct RowName {
    template <class Row>
    std::string operator()(const ::testing::TestParamInfo<Row>& row) const {
        return row.param.name;
    }
};

// The calculator's entries as it opens: a clock set and checked at 19:00 one midnight apart,
// liberation at 8:00, clocked at 10:00, 60 miles.
inline RaceEntry InitialEntry() {
    RaceEntry entry;
    entry.MTSetHr = entry.MTRakeHr = entry.CsHr = entry.CrHr = "19";
    entry.MTSetMin = entry.MTSetSec = entry.MTRakeMin = entry.MTRakeSec = "0";
    entry.CsMin = entry.CsSec = entry.CrMin = entry.CrSec = "0";
    entry.birdlibhrs = "8";
    entry.birdlibmins = entry.birdlibsecs = "0";
    entry.birdclockhrs = "10";
    entry.birdclockmins = entry.birdclocksecs = "0";
    entry.Midnight = "1";
    entry.midnight2 = "0";
    entry.HODhr = "22";
    entry.HODmin = "30";
    entry.HOLhr = "4";
    entry.HOLmin = "30";
    entry.miles = "60";
    entry.yards = "0";
    return entry;
}

// A clock that gained 30 seconds in a day, same-day race.
inline RaceEntry GainingClockEntry() {
    RaceEntry entry = InitialEntry();
    entry.CrSec = "30";
    entry.birdclockhrs = "11";
    entry.birdclockmins = "42";
    entry.birdclocksecs = "17";
    entry.birdlibhrs = "7";
    entry.birdlibmins = "15";
    entry.birdlibsecs = "0";
    entry.miles = "92";
    entry.yards = "1000";
    return entry;
}

// An overnight race with a clock that was slow at setting.
inline RaceEntry OvernightEntry() {
    RaceEntry entry = InitialEntry();
    entry.MTSetSec = "2";
    entry.Midnight = "2";
    entry.CrSec = "30";
    entry.birdclockhrs = "14";
    entry.birdclockmins = "25";
    entry.birdclocksecs = "41";
    entry.birdlibhrs = "6";
    entry.birdlibmins = "30";
    entry.birdlibsecs = "15";
    entry.midnight2 = "1";
    entry.miles = "312";
    entry.yards = "1234";
    return entry;
}

}  // namespace race::testing
