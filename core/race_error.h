#pragma once

#include <array>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace race {

struct EntryField;

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

// The developer's names for the problems, in the enum's order, for logs and test failures.
inline constexpr std::array<std::string_view, 9> kProblemNames{
    "empty entry", "not a number", "number too large",  "beyond range",  "cannot split",
    "cannot show", "zero divisor", "clock did not run", "no flying time"};
static_assert(kProblemNames.size() == static_cast<std::size_t>(Problem::NoFlyingTime) + 1,
              "every problem needs its name, and every name its problem");

// Every failure of a calculation: its problem, the text at fault where there is one, and the
// entry field it was read from, where one entry is at fault (nullptr where none is, or where
// the text did not come from a field).
class RaceError : public std::runtime_error {
  public:
    explicit RaceError(Problem problem, std::string text = {}, const EntryField* field = nullptr)
        : std::runtime_error(Describe(problem, text)),
          problem_(problem),
          text_(std::move(text)),
          field_(field) {}

    Problem problem() const noexcept { return problem_; }
    const std::string& text() const noexcept { return text_; }
    const EntryField* field() const noexcept { return field_; }

    // The same failure, found in the given field's text by a caller that knows where the text
    // came from.
    RaceError In(const EntryField* field) const { return RaceError(problem_, text_, field); }

  private:
    static std::string Describe(Problem problem, const std::string& text) {
        std::string description(kProblemNames[static_cast<std::size_t>(problem)]);
        if (!text.empty()) description += ": \"" + text + "\"";
        return description;
    }

    Problem problem_;
    std::string text_;
    const EntryField* field_;
};

}  // namespace race
