#include "core/race.h"

#include <cmath>
#include <initializer_list>

namespace race {
namespace {

constexpr double kSecondsPerDay = 86400;
constexpr double kYardsPerMile = 1760;

// Every value the calculation goes on with must be finite: an overflow would otherwise reach a
// field as "inf" or "nan". One check at the end of a step covers the values worked out in it,
// since infinities and NaNs carry through the arithmetic that follows.
double Finite(double value) {
    if (!std::isfinite(value)) throw RaceError(Problem::BeyondRange);
    return value;
}

// Reads the entry texts as numbers, naming the field at fault when one is not a number.
class EntryReader {
  public:
    EntryReader(const RaceEntry& entry, std::string_view separator)
        : entry_(entry), separator_(separator) {}

    double operator()(std::string RaceEntry::*member) const {
        try {
            return TextToNumber(entry_.*member, separator_);
        } catch (const RaceError& error) {
            throw error.In(FindEntryField(member));
        }
    }

    // A clock reading, with the midnights of a day count where there is one.
    double Clock(std::string RaceEntry::*hours, std::string RaceEntry::*minutes,
                 std::string RaceEntry::*seconds, std::string RaceEntry::*days = nullptr) const {
        const ClockParts<std::string RaceEntry::*> members{hours, minutes, seconds, days};
        return Finite(
            ReadClock([&](ClockPart part) { return (*this)(members[part]); }, days != nullptr));
    }

    // Hours and minutes of a time of day, in seconds.
    double TimeOfDay(std::string RaceEntry::*hours, std::string RaceEntry::*minutes) const {
        const double hourValue = (*this)(hours);
        return Finite(hourValue * 3600 + (*this)(minutes)*60);
    }

    // One entry less another, left minus right.
    double Difference(std::string RaceEntry::*left, std::string RaceEntry::*right) const {
        const double leftValue = (*this)(left);
        return Finite(leftValue - (*this)(right));
    }

  private:
    const RaceEntry& entry_;
    std::string_view separator_;
};

// The calculator passes some values through the text of a result field before it uses them
// again: what the next step sees is the value as shown, to 15 significant digits, read back.
class ShownThenReadBack {
  public:
    explicit ShownThenReadBack(std::string_view separator) : separator_(separator) {}

    std::string Shown(double value) const { return NumberToText(value, separator_); }
    double ReadBack(const std::string& shown) const { return TextToNumber(shown, separator_); }
    double ShownAndReadBack(double value) const { return ReadBack(Shown(value)); }

  private:
    std::string_view separator_;
};

}  // namespace

const std::array<EntryField, 26>& EntryFields() {
    return kEntryFields;
}

const EntryField* FindEntryField(std::string_view name) {
    for (const EntryField& field : EntryFields()) {
        if (field.name == name) return &field;
    }
    return nullptr;
}

const EntryField* FindEntryField(std::string RaceEntry::*member) {
    for (const EntryField& field : EntryFields()) {
        if (field.member == member) return &field;
    }
    return nullptr;
}

RaceResult ComputeRace(const RaceEntry& entry, std::string_view separator) {
    using E = RaceEntry;
    const EntryReader number(entry, separator);
    const ShownThenReadBack field(separator);
    RaceResult result;

    // The clock readings. Only the readings taken at opening carry the midnights between
    // setting and opening: the bird is taken to be clocked on the day the clock was opened.
    const double clockSet = number.Clock(&E::CsHr, &E::CsMin, &E::CsSec);
    const double masterSet = number.Clock(&E::MTSetHr, &E::MTSetMin, &E::MTSetSec);
    const double clockCheck = number.Clock(&E::CrHr, &E::CrMin, &E::CrSec, &E::Midnight);
    const double masterCheck =
        number.Clock(&E::MTRakeHr, &E::MTRakeMin, &E::MTRakeSec, &E::Midnight);
    const double clocked =
        number.Clock(&E::birdclockhrs, &E::birdclockmins, &E::birdclocksecs, &E::Midnight);

    // The clock's gain (negative for a loss) is shared out over the hours it ran, in proportion
    // to the hours that had passed on it when the bird was clocked.
    const double settingError = clockSet - masterSet;
    const double checkError = clockCheck - masterCheck;
    const double gain = checkError - settingError;
    const double hoursToClocking = (clocked - clockSet) / 3600;
    const double hoursRun = ((clockCheck - clockSet) / 60) / 60;
    // An overflow of either error carries into the gain.
    for (const double value : {gain, hoursToClocking, hoursRun}) Finite(value);
    if (hoursRun == 0) throw RaceError(Problem::ClockDidNotRun);
    result.variation = field.Shown(Finite(hoursToClocking * (gain / hoursRun)));

    // Hours of darkness. A darkness that ends later in the day than it begins (1:00 to 5:00)
    // lies within one day; otherwise it runs past midnight into the next morning.
    const double darknessEnd = number.TimeOfDay(&E::HOLhr, &E::HOLmin);
    const double darknessBegin = number.TimeOfDay(&E::HODhr, &E::HODmin);
    const double darkness =
        Finite(darknessEnd > darknessBegin ? darknessEnd - darknessBegin
                                           : (darknessEnd + kSecondsPerDay) - darknessBegin);

    // Each midnight between liberation and opening adds one day less its hours of darkness.
    const double nights = number(&E::midnight2);
    const double nightAllowance = Finite(nights * kSecondsPerDay - nights * darkness);

    // The raw flying time, taken unit by unit and shown; the night allowance lands in the
    // seconds.
    const double rawHours = number.Difference(&E::birdclockhrs, &E::birdlibhrs);
    const double rawMinutes = number.Difference(&E::birdclockmins, &E::birdlibmins);
    const double rawSeconds =
        Finite(number.Difference(&E::birdclocksecs, &E::birdlibsecs) + nightAllowance);
    // Read back in a fixed order, minutes first as a clock reading reads its texts, rather than
    // in whatever order the compiler evaluates a call's arguments.
    const double shownMinutes = field.ShownAndReadBack(rawMinutes);
    const double shownHours = field.ShownAndReadBack(rawHours);
    const double shownSeconds = field.ShownAndReadBack(rawSeconds);
    const double rawFlying = Finite(ClockSecondsOf(shownHours, shownMinutes, shownSeconds));

    // Corrected by the clock's error at setting and by the variation as shown.
    const double corrected = Finite(rawFlying - settingError);
    const double flying = Finite(corrected - field.ReadBack(result.variation));

    // Split into hours, minutes and seconds. Rounding to whole seconds before each split means
    // half a second or less below a whole minute counts as that minute, leaving the seconds
    // negative; the three still add up to the flying time.
    result.FTHrs = field.Shown(WholeQuotient(WholeQuotient(flying, 60), 60));
    const double afterHours = flying - (field.ReadBack(result.FTHrs) * 60) * 60;
    result.FTMins = field.Shown(WholeQuotient(afterHours, 60));
    result.FTSecs = field.Shown(afterHours - field.ReadBack(result.FTMins) * 60);

    // Velocity in yards per minute, from the flying time exactly as shown.
    const double yards = number(&E::yards);
    const double miles = number(&E::miles);
    const double distanceFigure = Finite(yards * 60 + (miles * kYardsPerMile) * 60);
    const double flyingSeconds = ClockSecondsOf(
        field.ReadBack(result.FTHrs), field.ReadBack(result.FTMins), field.ReadBack(result.FTSecs));
    if (flyingSeconds == 0) throw RaceError(Problem::NoFlyingTime);
    result.velocity = field.Shown(Finite(distanceFigure / flyingSeconds));
    return result;
}

}  // namespace race
