#include "core/race.h"

#include <cmath>

namespace race {
namespace {

constexpr double kSecondsPerDay = 86400;
constexpr double kYardsPerMile = 1760;

const char* const kTooLarge =
    "The entries are too large: the calculation goes beyond the range of numbers it can hold.";

// Every intermediate value must stay finite: an overflow would otherwise reach a field as
// "inf" or "nan".
double Finite(double value) {
    if (!std::isfinite(value)) throw OutOfRangeError(kTooLarge);
    return value;
}

// Reads entry texts as numbers, and says which field is at fault, in the words the calculator
// shows, when one is not a number.
class EntryReader {
  public:
    EntryReader(const RaceEntry& entry, std::string_view separator)
        : entry_(entry), separator_(separator) {}

    double operator()(std::string RaceEntry::*member) const {
        const std::string& text = entry_.*member;
        try {
            return TextToNumber(text, separator_);
        } catch (const NotANumberError&) {
            const EntryField& field = FieldOf(member);
            throw NotANumberError(Prefix(field) + NotANumberAdvice(text), std::string(field.name));
        } catch (const OutOfRangeError&) {
            const EntryField& field = FieldOf(member);
            throw OutOfRangeError(Prefix(field) + "\"" + text + "\" is too large a number.",
                                  std::string(field.name));
        }
    }

    // A clock reading, its texts read in the order the arithmetic takes them.
    double Clock(std::string RaceEntry::*hours, std::string RaceEntry::*minutes,
                 std::string RaceEntry::*seconds) const {
        const double minuteValue = (*this)(minutes);
        const double hourValue = (*this)(hours);
        return ClockSecondsOf(hourValue, minuteValue, (*this)(seconds));
    }

    double Clock(std::string RaceEntry::*hours, std::string RaceEntry::*minutes,
                 std::string RaceEntry::*seconds, std::string RaceEntry::*days) const {
        const double timeOfDay = Clock(hours, minutes, seconds);
        return (*this)(days)*kSecondsPerDay + timeOfDay;
    }

    // Hours and minutes of a time of day, in seconds.
    double TimeOfDay(std::string RaceEntry::*hours, std::string RaceEntry::*minutes) const {
        const double hourValue = (*this)(hours);
        return hourValue * 3600 + (*this)(minutes)*60;
    }

    // One entry less another, left minus right.
    double Difference(std::string RaceEntry::*left, std::string RaceEntry::*right) const {
        const double leftValue = (*this)(left);
        return Finite(leftValue - (*this)(right));
    }

  private:
    static const EntryField& FieldOf(std::string RaceEntry::*member) {
        for (const EntryField& field : EntryFields()) {
            if (field.member == member) return field;
        }
        throw RaceError("Unknown entry field.");  // unreachable: every member is listed
    }

    static std::string Prefix(const EntryField& field) {
        return std::string(field.row) + ", " + std::string(field.unit) + ": ";
    }

    std::string NotANumberAdvice(const std::string& text) const {
        if (text.find_first_not_of(" \t") == std::string::npos) {
            return "the entry is empty. Please enter a number.";
        }
        std::string advice =
            "\"" + text + "\" is not a number. Please enter a number such as 7 or 7";
        advice.append(separator_).append("5.");
        return advice;
    }

    const RaceEntry& entry_;
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

RaceResult ComputeRace(const RaceEntry& entry, std::string_view separator) {
    using E = RaceEntry;
    const EntryReader number(entry, separator);
    const auto text = [separator](double value) { return NumberToText(value, separator); };
    const auto read = [separator](const std::string& shown) {
        return TextToNumber(shown, separator);
    };
    RaceResult result;

    // The clock readings. Only the readings taken at opening carry the midnights between
    // setting and opening: the bird is taken to be clocked on the day the clock was opened.
    const double clockSet = Finite(number.Clock(&E::CsHr, &E::CsMin, &E::CsSec));
    const double masterSet = Finite(number.Clock(&E::MTSetHr, &E::MTSetMin, &E::MTSetSec));
    const double clockCheck = Finite(number.Clock(&E::CrHr, &E::CrMin, &E::CrSec, &E::Midnight));
    const double masterCheck =
        Finite(number.Clock(&E::MTRakeHr, &E::MTRakeMin, &E::MTRakeSec, &E::Midnight));
    const double clocked =
        Finite(number.Clock(&E::birdclockhrs, &E::birdclockmins, &E::birdclocksecs, &E::Midnight));

    // The clock's gain (negative for a loss) is shared out over the hours it ran, in proportion
    // to the hours that had passed on it when the bird was clocked.
    const double settingError = Finite(clockSet - masterSet);
    const double checkError = Finite(clockCheck - masterCheck);
    const double gain = Finite(checkError - settingError);
    const double hoursToClocking = Finite((clocked - clockSet) / 3600);
    const double hoursRun = Finite(((clockCheck - clockSet) / 60) / 60);
    if (hoursRun == 0) {
        throw NoResultError(
            "The Clock Check reading is the same as the Clock Set reading, so the clock's gain or "
            "loss cannot be shared out. Please check the Clock Check time and the midnights "
            "from Set to Opening.");
    }
    const double gainRate = Finite(gain / hoursRun);
    result.variation = text(Finite(hoursToClocking * gainRate));

    // Hours of darkness. A darkness that ends later in the day than it begins (1:00 to 5:00)
    // lies within one day; otherwise it runs past midnight into the next morning.
    const double darknessEnd = Finite(number.TimeOfDay(&E::HOLhr, &E::HOLmin));
    const double darknessBegin = Finite(number.TimeOfDay(&E::HODhr, &E::HODmin));
    const double darkness = darknessEnd > darknessBegin
                                ? darknessEnd - darknessBegin
                                : Finite((darknessEnd + kSecondsPerDay) - darknessBegin);

    // Each midnight between liberation and opening adds one day less its hours of darkness.
    const double nights = number(&E::midnight2);
    const double nightAllowance =
        Finite(Finite(nights * kSecondsPerDay) - Finite(nights * darkness));

    // The raw flying time, taken unit by unit; the night allowance lands in the seconds.
    const std::string rawHours = text(number.Difference(&E::birdclockhrs, &E::birdlibhrs));
    const std::string rawMinutes = text(number.Difference(&E::birdclockmins, &E::birdlibmins));
    const std::string rawSeconds =
        text(Finite(number.Difference(&E::birdclocksecs, &E::birdlibsecs) + nightAllowance));
    const double rawFlying =
        Finite(ClockSecondsOf(read(rawHours), read(rawMinutes), read(rawSeconds)));

    // Corrected by the clock's error at setting and by the variation as shown.
    const double corrected = Finite(rawFlying - settingError);
    const double flying = Finite(corrected - read(result.variation));

    // Split into hours, minutes and seconds. Rounding to whole seconds before each split means
    // half a second or less below a whole minute counts as that minute, leaving the seconds
    // negative; the three still add up to the flying time.
    result.FTHrs = text(WholeQuotient(WholeQuotient(flying, 60), 60));
    const double afterHours = Finite(flying - (read(result.FTHrs) * 60) * 60);
    result.FTMins = text(WholeQuotient(afterHours, 60));
    result.FTSecs = text(Finite(afterHours - read(result.FTMins) * 60));

    // Velocity in yards per minute, from the flying time exactly as shown.
    const double yards = number(&E::yards);
    const double miles = number(&E::miles);
    const double distanceFigure = Finite(yards * 60 + Finite(miles * kYardsPerMile) * 60);
    const double flyingSeconds =
        Finite(ClockSecondsOf(read(result.FTHrs), read(result.FTMins), read(result.FTSecs)));
    if (flyingSeconds == 0) {
        throw NoResultError(
            "The actual flying time comes to 0 seconds, so no velocity can be worked out. Please "
            "check the Liberation and Bird Clocked times.");
    }
    result.velocity = text(Finite(distanceFigure / flyingSeconds));
    return result;
}

}  // namespace race
