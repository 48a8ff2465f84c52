#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "core/race.h"

// The calculator window's own data: every control with its place, its first text and, for an
// entry field, how many characters it takes and which entry of the race it holds. Places are in
// twips (1/1440 inch), as the window was drawn; at 96 dots per inch 15 twips make one pixel.
namespace calculator {

struct Twips {
    int left;
    int top;
    int width;
    int height;
};

inline constexpr int kTwipsPerPixel = 15;

constexpr int ToPixels(int twips) {
    return twips / kTwipsPerPixel;
}

// The fonts the window was drawn with, each mapped to the nearest installed face (ui/fonts.h).
enum class FontKind {
    System,      // "System" 9.75 pt bold: the clock, darkness and midnight fields
    SmallSans,   // "MS Sans Serif" 8.25 pt bold: labels and the distance fields
    ButtonSans,  // "MS Sans Serif" 9.75 pt bold: the three buttons
    Century,     // "Century" 14.25 pt bold: the results
    Arial,       // "Arial" 8.25 pt regular: the note
};

enum class TextAlign { Left, Centred };

inline constexpr std::string_view kCaption = "Velocity  Calculator ";
inline constexpr std::string_view kMessageTitle = "The Club Calculator";
// What the window says when the calculation fails in a way it does not word itself (out of
// memory), followed by the system's description.
inline constexpr std::string_view kCalculationFailed = "The calculation could not be completed: ";
inline constexpr int kClientWidth = 3960;
inline constexpr int kClientHeight = 7725;

// The frames by what they hold, front to back (the order of kFrames).
enum class FrameId { Results, Buttons, ClockDetails, Darkness, Midnights, Distance };

struct FrameRow {
    FrameId id;
    std::string_view name;
    std::string_view caption;
    Twips place;
    bool shown;  // as the window opens
};

// Front to back: the Results frame lies over the midnights, darkness and distance frames.
inline constexpr std::array<FrameRow, 6> kFrames{{
    {.id = FrameId::Results,
     .name = "Frame1",
     .caption = "Results",
     .place = {120, 0, 3735, 3015},
     .shown = false},
    {.id = FrameId::Buttons,
     .name = "Frame8",
     .caption = "",
     .place = {120, 6000, 3735, 795},
     .shown = true},
    {.id = FrameId::ClockDetails,
     .name = "Frame4",
     .caption = "Enter Clock Details",
     .place = {120, 3120, 3735, 2775},
     .shown = true},
    {.id = FrameId::Darkness,
     .name = "Frame3",
     .caption = "Set Hours of Darkness",
     .place = {120, 1200, 3735, 855},
     .shown = true},
    {.id = FrameId::Midnights,
     .name = "Frame2",
     .caption = "Set Midnights between",
     .place = {120, 0, 3735, 1095},
     .shown = true},
    {.id = FrameId::Distance,
     .name = "Frame6",
     .caption = "Enter Distance",
     .place = {120, 2160, 3735, 855},
     .shown = true},
}};

constexpr std::size_t IndexOf(FrameId frame) {
    return static_cast<std::size_t>(frame);
}

constexpr bool FramesListedInIdOrder() {
    for (std::size_t index = 0; index < kFrames.size(); ++index) {
        if (IndexOf(kFrames[index].id) != index) return false;
    }
    return true;
}

static_assert(FramesListedInIdOrder(), "each frame's row must stand at the place of its id");

struct LabelRow {
    std::string_view name;
    FrameId frame;
    std::string_view caption;
    Twips place;
    TextAlign align;
};

// Back to front within each frame (the empty Label21 lies behind its frame's fields).
inline constexpr std::array<LabelRow, 10> kLabels{{
    {"Label35",
     FrameId::Midnights,
     "Set to Opening ...........",
     {360, 360, 2175, 285},
     TextAlign::Left},
    {"Label34",
     FrameId::Midnights,
     "Lib to Opening ...........",
     {360, 720, 2295, 285},
     TextAlign::Left},
    {"Label21", FrameId::Darkness, "", {120, 240, 1815, 285}, TextAlign::Left},
    {"Label1", FrameId::Darkness, "From ..", {240, 480, 735, 285}, TextAlign::Centred},
    {"Label22", FrameId::Darkness, "To ..", {2040, 480, 495, 285}, TextAlign::Centred},
    {"Label2", FrameId::Distance, "Miles ..", {240, 480, 735, 285}, TextAlign::Centred},
    {"Label3", FrameId::Distance, "Yards ..", {1920, 480, 735, 285}, TextAlign::Centred},
    {"Label4", FrameId::Results, "Velocity .....", {240, 720, 1095, 285}, TextAlign::Left},
    {"Label6", FrameId::Results, "Variation ...", {240, 1560, 1095, 285}, TextAlign::Left},
    {"Label5", FrameId::Results, "A.F.T ........", {240, 2400, 1095, 285}, TextAlign::Left},
}};

using EntryMember = std::string race::RaceEntry::*;

// An entry field is named after the race entry it holds (the calculation's field table).
struct EntryRow {
    EntryMember member;
    FrameId frame;
    std::string_view initial;
    Twips place;
    int longest;  // characters the user may type
    FontKind font;
};

// The entry fields outside the clock details, in the Tab key's order.
inline constexpr std::array<EntryRow, 8> kEntries{{
    {.member = &race::RaceEntry::Midnight,
     .frame = FrameId::Midnights,
     .initial = "1",
     .place = {3000, 240, 375, 285},
     .longest = 1,
     .font = FontKind::System},
    {.member = &race::RaceEntry::midnight2,
     .frame = FrameId::Midnights,
     .initial = "0",
     .place = {3000, 600, 375, 285},
     .longest = 1,
     .font = FontKind::System},
    {.member = &race::RaceEntry::HODhr,
     .frame = FrameId::Darkness,
     .initial = "22",
     .place = {960, 360, 375, 285},
     .longest = 2,
     .font = FontKind::System},
    {.member = &race::RaceEntry::HODmin,
     .frame = FrameId::Darkness,
     .initial = "30",
     .place = {1440, 360, 375, 285},
     .longest = 2,
     .font = FontKind::System},
    {.member = &race::RaceEntry::HOLhr,
     .frame = FrameId::Darkness,
     .initial = "4",
     .place = {2520, 360, 375, 285},
     .longest = 2,
     .font = FontKind::System},
    {.member = &race::RaceEntry::HOLmin,
     .frame = FrameId::Darkness,
     .initial = "30",
     .place = {3000, 360, 375, 285},
     .longest = 2,
     .font = FontKind::System},
    {.member = &race::RaceEntry::miles,
     .frame = FrameId::Distance,
     .initial = "60",
     .place = {1080, 360, 615, 285},
     .longest = 3,
     .font = FontKind::SmallSans},
    {.member = &race::RaceEntry::yards,
     .frame = FrameId::Distance,
     .initial = "0",
     .place = {2760, 360, 615, 285},
     .longest = 4,
     .font = FontKind::SmallSans},
}};

// A clock field refuses values beyond a clock face: the largest value it takes, what it says
// when it refuses one, and the text it then falls back to.
struct ClockLimit {
    double limit;
    std::string_view message;
    std::string_view reset;
};

// A column of the clock details: where its fields stand and the limit they keep.
struct ClockColumn {
    int left;
    ClockLimit limit;
};

inline constexpr ClockColumn kHoursColumn{
    .left = 1920,
    .limit = {.limit = 23,
              .message = "Sorry but you can't enter a number higher than 23",
              .reset = "19"}};
inline constexpr ClockColumn kMinutesColumn{
    .left = 2520,
    .limit = {
        .limit = 59, .message = "Sorry but you can't enter a number higher than 59", .reset = "0"}};
inline constexpr ClockColumn kSecondsColumn{.left = 3120, .limit = kMinutesColumn.limit};

inline constexpr int kClockFieldWidth = 375;
inline constexpr int kClockFieldHeight = 285;
inline constexpr int kClockFieldLongest = 2;
inline constexpr int kClockLabelLeft = 240;
inline constexpr int kClockLabelWidth = 1575;
inline constexpr int kClockLabelHeight = 285;

struct ClockField {
    EntryMember member;
    std::string_view initial;
};

// One reading of the clock details: its label and its hours, minutes and seconds fields.
struct ClockRow {
    std::string_view label;
    std::string_view caption;
    int labelTop;
    int fieldsTop;
    ClockField hours;
    ClockField minutes;
    ClockField seconds;
};

// Top to bottom, which is also the Tab key's order.
inline constexpr std::array<ClockRow, 6> kClockRows{{
    {.label = "Label29",
     .caption = "Master Set .........",
     .labelTop = 480,
     .fieldsTop = 360,
     .hours = {&race::RaceEntry::MTSetHr, "19"},
     .minutes = {&race::RaceEntry::MTSetMin, "0"},
     .seconds = {&race::RaceEntry::MTSetSec, "0"}},
    {.label = "Label28",
     .caption = "Master Check ......",
     .labelTop = 840,
     .fieldsTop = 720,
     .hours = {&race::RaceEntry::MTRakeHr, "19"},
     .minutes = {&race::RaceEntry::MTRakeMin, "0"},
     .seconds = {&race::RaceEntry::MTRakeSec, "0"}},
    {.label = "Label32",
     .caption = "Clock Set ..........",
     .labelTop = 1200,
     .fieldsTop = 1080,
     .hours = {&race::RaceEntry::CsHr, "19"},
     .minutes = {&race::RaceEntry::CsMin, "0"},
     .seconds = {&race::RaceEntry::CsSec, "0"}},
    {.label = "Label31",
     .caption = "Clock Check ........",
     .labelTop = 1560,
     .fieldsTop = 1440,
     .hours = {&race::RaceEntry::CrHr, "19"},
     .minutes = {&race::RaceEntry::CrMin, "0"},
     .seconds = {&race::RaceEntry::CrSec, "0"}},
    {.label = "Label30",
     .caption = "Liberation ..........",
     .labelTop = 1920,
     .fieldsTop = 1800,
     .hours = {&race::RaceEntry::birdlibhrs, "8"},
     .minutes = {&race::RaceEntry::birdlibmins, "0"},
     .seconds = {&race::RaceEntry::birdlibsecs, "0"}},
    {.label = "Label33",
     .caption = "Bird Clocked ......",
     .labelTop = 2280,
     .fieldsTop = 2160,
     .hours = {&race::RaceEntry::birdclockhrs, "10"},
     .minutes = {&race::RaceEntry::birdclockmins, "0"},
     .seconds = {&race::RaceEntry::birdclocksecs, "0"}},
}};

// A field of the clock details with the column it stands in.
struct PlacedClockField {
    const ClockField& field;
    const ClockColumn& column;
};

// Hours, minutes and seconds, left to right.
constexpr std::array<PlacedClockField, 3> FieldsOf(const ClockRow& row) {
    return {
        {{row.hours, kHoursColumn}, {row.minutes, kMinutesColumn}, {row.seconds, kSecondsColumn}}};
}

// The window's entry fields are the calculation's, in its order (the Tab key's), so that each
// takes its name, row and unit from the calculation's field table.
constexpr bool EntriesMatchTheCalculation() {
    std::size_t next = 0;
    bool same = true;
    const auto check = [&](EntryMember member) {
        same =
            same && next < race::kEntryFields.size() && race::kEntryFields[next++].member == member;
    };
    for (const EntryRow& entry : kEntries) check(entry.member);
    for (const ClockRow& row : kClockRows) {
        for (const PlacedClockField& placed : FieldsOf(row)) check(placed.field.member);
    }
    return same && next == race::kEntryFields.size();
}

static_assert(EntriesMatchTheCalculation(),
              "the window's entry fields must be the calculation's, in the same order");

struct ResultRow {
    std::string_view name;
    std::string race::RaceResult::*text;  // the calculation's text the field shows
    Twips place;
    TextAlign align;
    std::string_view spoken;  // what a screen reader calls the field
};

inline constexpr std::array<ResultRow, 5> kResults{{
    {.name = "velocity",
     .text = &race::RaceResult::velocity,
     .place = {1320, 480, 2100, 450},
     .align = TextAlign::Left,
     .spoken = "Velocity, yards per minute"},
    {.name = "variation",
     .text = &race::RaceResult::variation,
     .place = {1320, 1320, 2100, 450},
     .align = TextAlign::Left,
     .spoken = "Variation, seconds"},
    {.name = "FTHrs",
     .text = &race::RaceResult::FTHrs,
     .place = {1320, 2160, 540, 450},
     .align = TextAlign::Centred,
     .spoken = "Flying time, hours"},
    {.name = "FTMins",
     .text = &race::RaceResult::FTMins,
     .place = {1920, 2160, 540, 450},
     .align = TextAlign::Centred,
     .spoken = "Flying time, minutes"},
    {.name = "FTSecs",
     .text = &race::RaceResult::FTSecs,
     .place = {2520, 2160, 885, 450},
     .align = TextAlign::Centred,
     .spoken = "Flying time, seconds"},
}};

// What a button does when pressed.
enum class Command {
    Calculate,  // works out the race and shows the results
    Clear,      // hides the results
    Exit,       // closes the window
};

struct ButtonRow {
    std::string_view name;
    std::string_view caption;
    std::string_view toolTip;
    Twips place;
    std::string_view description;  // what a screen reader says the button does
    Command command;
};

inline constexpr std::array<ButtonRow, 3> kButtons{{
    {.name = "CmdVel",
     .caption = "Calc",
     .toolTip = "Calculate",
     .place = {120, 240, 1695, 435},
     .description = "Calculate the flying time and velocity",
     .command = Command::Calculate},
    {.name = "Command2",
     .caption = "Clear",
     .toolTip = "",
     .place = {1920, 240, 735, 435},
     .description = "Hide the results",
     .command = Command::Clear},
    {.name = "Command1",
     .caption = "Exit",
     .toolTip = "",
     .place = {2760, 240, 735, 435},
     .description = "Close the calculator",
     .command = Command::Exit},
}};

// The note at the foot of the window, three lines.
inline constexpr std::string_view kNoteName = "Text1";
inline constexpr std::string_view kNoteSpoken = "Note";
inline constexpr Twips kNotePlace{120, 6840, 3735, 735};
inline constexpr std::array<std::string_view, 3> kNoteLines{
    "The Velocity Calculator", "Please contact me with any comments etc.",
    "Email: velocity-calculator@example.org"};

// The Tab key's round, after the 26 entry fields: the buttons, the results between them, and
// the note.
inline constexpr std::array<std::string_view, 9> kTabOrderAfterEntries{
    "CmdVel", "Command1", "velocity", "Command2", "variation",
    "FTHrs",  "FTMins",   "FTSecs",   "Text1"};

// A control's place in that round; past its end for a control that is not in it.
constexpr std::size_t TabPlaceAfterEntries(std::string_view name) {
    std::size_t place = 0;
    while (place < kTabOrderAfterEntries.size() && kTabOrderAfterEntries[place] != name) ++place;
    return place;
}

// Every button, every result and the note have a place of their own in the round.
constexpr bool TabRoundIsWhole() {
    std::array<int, kTabOrderAfterEntries.size()> taken{};
    bool whole = true;
    const auto take = [&](std::string_view name) {
        const std::size_t place = TabPlaceAfterEntries(name);
        if (place < taken.size()) {
            ++taken[place];
        } else {
            whole = false;
        }
    };
    for (const ButtonRow& button : kButtons) take(button.name);
    for (const ResultRow& result : kResults) take(result.name);
    take(kNoteName);
    for (const int times : taken) whole = whole && times == 1;
    return whole;
}

static_assert(TabRoundIsWhole(),
              "every button, result and the note must have one place in the Tab key's round");

}  // namespace calculator
