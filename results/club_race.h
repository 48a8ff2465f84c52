#pragma once

#include <optional>
#include <vector>

#include "club/club_file.h"
#include "results/race_result.h"

namespace results {

// A race kept in a club file, as its result is worked out from: the race with its race point's
// position, every loft with a clock or a bird in it (its distance from its position), and their
// clocks and clockings in the order they were typed.
struct ClubRaceReturn {
    RaceReturn race_return;
    std::optional<club::ClubProblem> problem;  // the club file could not be read
};

ClubRaceReturn ReturnOfClubRace(const club::ClubFile& file, const club::Race& race);

}  // namespace results
