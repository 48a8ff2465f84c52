#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/race.h"

// The calculator window's own data: every control with its place, its first text and, for an
// entry field, how many characters it takes. Places are in twips (1/1440 inch), as the window
// was drawn; at 96 dots per inch 15 twips make one pixel.
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

// The faces the window was drawn with, each of which is mapped to the nearest installed kind.
enum class FontKind {
    System,      // "System" 9.75 pt bold: the clock, darkness and midnight fields
    SmallSans,   // "MS Sans Serif" 8.25 pt bold: labels and the distance fields
    ButtonSans,  // "MS Sans Serif" 9.75 pt bold: the three buttons
    Century,     // "Century" 14.25 pt bold: the results
    Arial,       // "Arial" 8.25 pt regular: the note
};

inline constexpr std::string_view kCaption = "Velocity  Calculator ";
inline constexpr std::string_view kMessageTitle = "The Club Calculator";
inline constexpr int kClientWidth = 3960;
inline constexpr int kClientHeight = 7725;

struct FrameRow {
    std::string_view name;
    std::string_view caption;
    Twips place;
    bool shown;
};

// Front to back: the Results frame lies over the midnights, darkness and distance frames.
inline constexpr std::array<FrameRow, 6> kFrames{{
    {"Frame1", "Results", {120, 0, 3735, 3015}, false},
    {"Frame8", "", {120, 6000, 3735, 795}, true},
    {"Frame4", "Enter Clock Details", {120, 3120, 3735, 2775}, true},
    {"Frame3", "Set Hours of Darkness", {120, 1200, 3735, 855}, true},
    {"Frame2", "Set Midnights between", {120, 0, 3735, 1095}, true},
    {"Frame6", "Enter Distance", {120, 2160, 3735, 855}, true},
}};

struct LabelRow {
    std::string_view name;
    std::string_view frame;
    std::string_view caption;
    Twips place;
    bool centred;
};

// Back to front within each frame (the empty Label21 lies behind its frame's fields).
inline constexpr std::array<LabelRow, 10> kLabels{{
    {"Label35", "Frame2", "Set to Opening ...........", {360, 360, 2175, 285}, false},
    {"Label34", "Frame2", "Lib to Opening ...........", {360, 720, 2295, 285}, false},
    {"Label21", "Frame3", "", {120, 240, 1815, 285}, false},
    {"Label1", "Frame3", "From ..", {240, 480, 735, 285}, true},
    {"Label22", "Frame3", "To ..", {2040, 480, 495, 285}, true},
    {"Label2", "Frame6", "Miles ..", {240, 480, 735, 285}, true},
    {"Label3", "Frame6", "Yards ..", {1920, 480, 735, 285}, true},
    {"Label4", "Frame1", "Velocity .....", {240, 720, 1095, 285}, false},
    {"Label6", "Frame1", "Variation ...", {240, 1560, 1095, 285}, false},
    {"Label5", "Frame1", "A.F.T ........", {240, 2400, 1095, 285}, false},
}};

struct EntryRow {
    std::string_view name;
    std::string_view frame;
    std::string_view initial;
    Twips place;
    int longest;  // characters the user may type
    FontKind font;
};

// The entry fields outside the clock details.
inline constexpr std::array<EntryRow, 8> kEntries{{
    {"Midnight", "Frame2", "1", {3000, 240, 375, 285}, 1, FontKind::System},
    {"midnight2", "Frame2", "0", {3000, 600, 375, 285}, 1, FontKind::System},
    {"HODhr", "Frame3", "22", {960, 360, 375, 285}, 2, FontKind::System},
    {"HODmin", "Frame3", "30", {1440, 360, 375, 285}, 2, FontKind::System},
    {"HOLhr", "Frame3", "4", {2520, 360, 375, 285}, 2, FontKind::System},
    {"HOLmin", "Frame3", "30", {3000, 360, 375, 285}, 2, FontKind::System},
    {"miles", "Frame6", "60", {1080, 360, 615, 285}, 3, FontKind::SmallSans},
    {"yards", "Frame6", "0", {2760, 360, 615, 285}, 4, FontKind::SmallSans},
}};

// A clock field refuses values beyond a clock face: the largest value it takes, what it says
// when it refuses one, and the text it then falls back to.
struct ClockLimit {
    double limit;
    std::string_view message;
    std::string_view reset;
};

inline constexpr ClockLimit kHoursLimit{23, "Sorry but you can't enter a number higher than 23",
                                        "19"};
inline constexpr ClockLimit kMinutesLimit{59, "Sorry but you can't enter a number higher than 59",
                                          "0"};

// One reading of the clock details: its label and its hours, minutes and seconds fields.
struct ClockRow {
    std::string_view label;
    std::string_view caption;
    int labelTop;
    std::array<std::string_view, 3> fields;
    int fieldsTop;
    std::array<std::string_view, 3> initial;
};

inline constexpr std::string_view kClockFrame = "Frame4";
inline constexpr std::array<int, 3> kClockColumnLeft{1920, 2520, 3120};
inline constexpr std::array<const ClockLimit*, 3> kClockColumnLimit{&kHoursLimit, &kMinutesLimit,
                                                                    &kMinutesLimit};
inline constexpr int kClockFieldWidth = 375;
inline constexpr int kClockFieldHeight = 285;
inline constexpr int kClockFieldLongest = 2;
inline constexpr int kClockLabelLeft = 240;
inline constexpr int kClockLabelWidth = 1575;
inline constexpr int kClockLabelHeight = 285;

inline constexpr std::array<ClockRow, 6> kClockRows{{
    {"Label29",
     "Master Set .........",
     480,
     {"MTSetHr", "MTSetMin", "MTSetSec"},
     360,
     {"19", "0", "0"}},
    {"Label28",
     "Master Check ......",
     840,
     {"MTRakeHr", "MTRakeMin", "MTRakeSec"},
     720,
     {"19", "0", "0"}},
    {"Label32", "Clock Set ..........", 1200, {"CsHr", "CsMin", "CsSec"}, 1080, {"19", "0", "0"}},
    {"Label31", "Clock Check ........", 1560, {"CrHr", "CrMin", "CrSec"}, 1440, {"19", "0", "0"}},
    {"Label30",
     "Liberation ..........",
     1920,
     {"birdlibhrs", "birdlibmins", "birdlibsecs"},
     1800,
     {"8", "0", "0"}},
    {"Label33",
     "Bird Clocked ......",
     2280,
     {"birdclockhrs", "birdclockmins", "birdclocksecs"},
     2160,
     {"10", "0", "0"}},
}};

struct ResultRow {
    std::string_view name;
    std::string race::RaceResult::*text;  // the calculation's text the field shows
    Twips place;
    bool centred;
    std::string_view spoken;  // what a screen reader calls the field
};

inline constexpr std::string_view kResultsFrame = "Frame1";

inline constexpr std::array<ResultRow, 5> kResults{{
    {"velocity",
     &race::RaceResult::velocity,
     {1320, 480, 2100, 450},
     false,
     "Velocity, yards per minute"},
    {"variation",
     &race::RaceResult::variation,
     {1320, 1320, 2100, 450},
     false,
     "Variation, seconds"},
    {"FTHrs", &race::RaceResult::FTHrs, {1320, 2160, 540, 450}, true, "Flying time, hours"},
    {"FTMins", &race::RaceResult::FTMins, {1920, 2160, 540, 450}, true, "Flying time, minutes"},
    {"FTSecs", &race::RaceResult::FTSecs, {2520, 2160, 885, 450}, true, "Flying time, seconds"},
}};

struct ButtonRow {
    std::string_view name;
    std::string_view caption;
    std::string_view toolTip;
    Twips place;
    std::string_view description;  // what a screen reader says the button does
};

inline constexpr std::string_view kButtonFrame = "Frame8";

inline constexpr std::array<ButtonRow, 3> kButtons{{
    {"CmdVel",
     "Calc",
     "Calculate",
     {120, 240, 1695, 435},
     "Calculate the flying time and velocity"},
    {"Command2", "Clear", "", {1920, 240, 735, 435}, "Hide the results"},
    {"Command1", "Exit", "", {2760, 240, 735, 435}, "Close the calculator"},
}};

// The note at the foot of the window, three lines.
inline constexpr std::string_view kNoteName = "Text1";
inline constexpr std::string_view kNoteSpoken = "Note";
inline constexpr Twips kNotePlace{120, 6840, 3735, 735};
inline constexpr std::array<std::string_view, 3> kNoteLines{
    "The Velocity Calculator", "Please contact me with any comments etc.",
    "Email: velocity-calculator@example.org"};

// The Tab key's round, after the 26 entry fields (which follow the race computation's own
// order of entry fields): the buttons, the results between them, and the note.
inline constexpr std::array<std::string_view, 9> kTabOrderAfterEntries{
    "CmdVel", "Command1", "velocity", "Command2", "variation",
    "FTHrs",  "FTMins",   "FTSecs",   "Text1"};

}  // namespace calculator
