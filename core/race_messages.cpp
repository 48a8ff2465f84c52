#include "core/race_messages.h"

#include "core/race.h"

namespace race {

std::string RaceMessage(const RaceError& error, std::string_view separator) {
    const EntryField* const field = error.field();
    const std::string quoted = "\"" + error.text() + "\"";
    std::string prefix;
    if (field != nullptr) prefix.append(field->row).append(", ").append(field->unit).append(": ");
    switch (error.problem()) {
        case Problem::EmptyEntry:
            if (field == nullptr) return "The entry is empty: a number is needed.";
            return prefix + "the entry is empty. Please enter a number.";
        case Problem::NotANumber:
            if (field == nullptr) return quoted + " is not a number.";
            return prefix + quoted + " is not a number. Please enter a number such as 7 or 7" +
                   std::string(separator) + "5.";
        case Problem::NumberTooLarge:
            return prefix + quoted + " is too large a number.";
        case Problem::BeyondRange:
            return "The entries are too large: the calculation goes beyond the range of numbers "
                   "it can hold.";
        case Problem::CannotSplit:
            return "The time is too large to split into hours, minutes and seconds.";
        case Problem::CannotShow:
            return "The result is beyond the range of numbers that can be shown.";
        case Problem::ZeroDivisor:
            return "A whole quotient cannot be taken by 0.";
        case Problem::ClockDidNotRun:
            return "The Clock Check reading is the same as the Clock Set reading, so the clock's "
                   "gain or loss cannot be shared out. Please check the Clock Check time and the "
                   "midnights from Set to Opening.";
        case Problem::NoFlyingTime:
            return "The actual flying time comes to 0 seconds, so no velocity can be worked out. "
                   "Please check the Liberation and Bird Clocked times.";
    }
    return error.what();  // unreachable: every problem is worded above
}

}  // namespace race
