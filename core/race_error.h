#pragma once

#include <stdexcept>
#include <string>

namespace race {

// What went wrong with a calculation. The calculation says what and where; the words a club
// member reads are RaceMessage's (core/race_messages.h).
enum class Problem {
    EmptyEntry,      // a text with nothing but blanks in it
    NotANumber,      // a text that is not a number
    NumberTooLarge,  // a text whose number is beyond the range of a double
    BeyondRange,     // the arithmetic went beyond the range of a double
    CannotSplit,     // a time too large to split into 32-bit whole seconds
    CannotShow,      // a value with no text: infinite or not a number
    ZeroDivisor,     // a whole quotient by 0
    ClockDidNotRun,  // the clock check reading is the clock set reading: hours run of 0
    NoFlyingTime,    // the flying time comes to 0 seconds: nothing to divide the distance by
};

// Every failure of a calculation is one of these: its problem, the text at fault where there is
// one, and the field: the RaceEntry member at fault, or empty when no single entry is.
class RaceError : public std::runtime_error {
  public:
    explicit RaceError(Problem problem, std::string text = {})
        : std::runtime_error(Describe(problem, text)), problem_(problem), text_(std::move(text)) {}

    Problem problem() const noexcept { return problem_; }
    const std::string& text() const noexcept { return text_; }
    const std::string& field() const noexcept { return field_; }

    // Names the field at fault, for a caller that knows which field the text came from.
    void SetField(std::string field) { field_ = std::move(field); }

  private:
    // A developer's description; the club member reads RaceMessage's words instead.
    static std::string Describe(Problem problem, const std::string& text) {
        const char* const names[] = {"empty entry",  "not a number",      "number too large",
                                     "beyond range", "cannot split",      "cannot show",
                                     "zero divisor", "clock did not run", "no flying time"};
        std::string description = names[static_cast<int>(problem)];
        if (!text.empty()) description += ": \"" + text + "\"";
        return description;
    }

    Problem problem_;
    std::string text_;
    std::string field_;
};

// A text that is not a number: empty, blanks only, letters, or a form the rules refuse.
class NotANumberError : public RaceError {
  public:
    using RaceError::RaceError;
};

// A value the arithmetic cannot carry: beyond a double, not finite, or too large to split
// into whole minutes and hours.
class OutOfRangeError : public RaceError {
  public:
    using RaceError::RaceError;
};

// A division with nothing to divide by: hours run of 0 or flying seconds of 0.
class NoResultError : public RaceError {
  public:
    using RaceError::RaceError;
};

}  // namespace race
