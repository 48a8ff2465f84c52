#pragma once

#include <string>
#include <string_view>

#include "core/race_error.h"
#include "core/text_rules.h"

namespace race {

// The words a club member reads when a calculation has no result: what is wrong and, when one
// entry is at fault, its row and unit in the calculator ("Clock Check, minutes: ..."). The
// separator is the one the entries were read with, for the example of a number it gives.
std::string RaceMessage(const RaceError& error, std::string_view separator = kDefaultSeparator);

}  // namespace race
