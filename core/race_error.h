#pragma once

#include <stdexcept>
#include <string>

namespace race {

// Every failure of a calculation is one of these. what() is a sentence fit to show a club
// member; field() names the RaceEntry member at fault, or is empty when no single entry is.
class RaceError : public std::runtime_error {
  public:
    explicit RaceError(const std::string& message, std::string field = {})
        : std::runtime_error(message), field_(std::move(field)) {}

    const std::string& field() const noexcept { return field_; }

  private:
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
