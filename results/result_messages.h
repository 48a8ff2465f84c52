#pragma once

// The words a secretary reads for every problem of a result or a return, in one place.

#include <string>

#include "results/date_time.h"
#include "results/race_result.h"
#include "results/return_csv.h"

namespace results {

// "The day is not in the month (31/02/2026)."-like words for what is wrong with a date or time.
std::string DateTimeMessage(DateTimeProblem problem);
// The reading's name as a secretary knows it: "clock set", "liberation".
std::string ReadingLabel(ReadingName reading);
// Why a bird has no result: "Clocked before liberation."
std::string BirdFaultMessage(const BirdFault& fault);
// What is wrong with a cell of a return.
std::string ReturnCellMessage(const ReturnCellProblem& problem);

}  // namespace results
