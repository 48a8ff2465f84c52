#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/race_error.h"
#include "core/race_messages.h"  // the words for a failure
#include "core/text_rules.h"

namespace race {

// The texts of the 26 entry fields of one bird's race, each named after its field.
struct RaceEntry {
    // Master timer and bird clock when the clock was set, and again when it was checked.
    std::string MTSetHr, MTSetMin, MTSetSec;
    std::string MTRakeHr, MTRakeMin, MTRakeSec;
    std::string CsHr, CsMin, CsSec;
    std::string CrHr, CrMin, CrSec;
    // Liberation and the bird's clocking time as its clock recorded it.
    std::string birdlibhrs, birdlibmins, birdlibsecs;
    std::string birdclockhrs, birdclockmins, birdclocksecs;
    // Midnights between setting and opening, and between liberation and opening.
    std::string Midnight, midnight2;
    // Hours of darkness: from HODhr:HODmin in the evening to HOLhr:HOLmin in the morning.
    std::string HODhr, HODmin, HOLhr, HOLmin;
    // Race distance.
    std::string miles, yards;
};

// The five result texts exactly as the Results frame shows them.
struct RaceResult {
    std::string variation;  // share of the clock's error at the moment of clocking, seconds
    std::string FTHrs;      // actual flying time: whole hours,
    std::string FTMins;     // whole minutes after the hours,
    std::string FTSecs;     // and seconds after the minutes, with any fraction
    std::string velocity;   // yards per minute

    bool operator==(const RaceResult&) const = default;
};

// One entry field: its member, and how a club member knows it (the row it stands on in the
// calculator and its unit), e.g. "Clock Check" and "minutes".
struct EntryField {
    std::string_view name;
    std::string RaceEntry::*member;
    std::string_view row;
    std::string_view unit;
};

// The 26 entry fields in the calculator's Tab order; constant, so that the window's own tables
// can be checked against it when the program is built.
inline constexpr std::array<EntryField, 26> kEntryFields{{
    {"Midnight", &RaceEntry::Midnight, "Set to Opening", "midnights"},
    {"midnight2", &RaceEntry::midnight2, "Lib to Opening", "midnights"},
    {"HODhr", &RaceEntry::HODhr, "Darkness from", "hours"},
    {"HODmin", &RaceEntry::HODmin, "Darkness from", "minutes"},
    {"HOLhr", &RaceEntry::HOLhr, "Darkness to", "hours"},
    {"HOLmin", &RaceEntry::HOLmin, "Darkness to", "minutes"},
    {"miles", &RaceEntry::miles, "Distance", "miles"},
    {"yards", &RaceEntry::yards, "Distance", "yards"},
    {"MTSetHr", &RaceEntry::MTSetHr, "Master Set", "hours"},
    {"MTSetMin", &RaceEntry::MTSetMin, "Master Set", "minutes"},
    {"MTSetSec", &RaceEntry::MTSetSec, "Master Set", "seconds"},
    {"MTRakeHr", &RaceEntry::MTRakeHr, "Master Check", "hours"},
    {"MTRakeMin", &RaceEntry::MTRakeMin, "Master Check", "minutes"},
    {"MTRakeSec", &RaceEntry::MTRakeSec, "Master Check", "seconds"},
    {"CsHr", &RaceEntry::CsHr, "Clock Set", "hours"},
    {"CsMin", &RaceEntry::CsMin, "Clock Set", "minutes"},
    {"CsSec", &RaceEntry::CsSec, "Clock Set", "seconds"},
    {"CrHr", &RaceEntry::CrHr, "Clock Check", "hours"},
    {"CrMin", &RaceEntry::CrMin, "Clock Check", "minutes"},
    {"CrSec", &RaceEntry::CrSec, "Clock Check", "seconds"},
    {"birdlibhrs", &RaceEntry::birdlibhrs, "Liberation", "hours"},
    {"birdlibmins", &RaceEntry::birdlibmins, "Liberation", "minutes"},
    {"birdlibsecs", &RaceEntry::birdlibsecs, "Liberation", "seconds"},
    {"birdclockhrs", &RaceEntry::birdclockhrs, "Bird Clocked", "hours"},
    {"birdclockmins", &RaceEntry::birdclockmins, "Bird Clocked", "minutes"},
    {"birdclocksecs", &RaceEntry::birdclocksecs, "Bird Clocked", "seconds"},
}};

const std::array<EntryField, 26>& EntryFields();

// Looks a field up by its name or its member; nullptr when there is none.
const EntryField* FindEntryField(std::string_view name);
const EntryField* FindEntryField(std::string RaceEntry::*member);

// Turns one race's entries into its results. Throws a RaceError (whose field() is the entry
// at fault, where one is) when an entry is not a number or there is no result to give;
// RaceMessage words it for the club member.
RaceResult ComputeRace(const RaceEntry& entry, std::string_view separator = kDefaultSeparator);

}  // namespace race
