#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

#include "core/race_error.h"

namespace race::testing {

// Prints a row of a test table as its name, in test listings and failure messages.
template <class Row>
requires requires(const Row& row) {
    std::string(row.name);
}
void PrintTo(const Row& row, std::ostream* out) {
    *out << row.name;
}

// Names each row of a test table after its name member.
inline constexpr auto RowName = [](const auto& row) { return std::string(row.param.name); };

// The problem the call fails with; an empty optional when it does not fail.
template <class Call>
std::optional<Problem> ProblemOf(Call call) {
    try {
        call();
    } catch (const RaceError& error) {
        return error.problem();
    }
    return std::nullopt;
}

}  // namespace race::testing
