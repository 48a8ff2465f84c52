#pragma once

#include <optional>
#include <span>
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

// The same from rows already read (a window's lists): the race, where its race point is (nothing
// when it is not picked or does not read), the club's lofts, and the race's clocks and clockings.
RaceReturn ReturnOfRace(const club::Race& race, const std::optional<distance::Position>& race_point,
                        std::span<const club::Loft> lofts, std::span<const club::Clock> clocks,
                        std::span<const club::Clocking> clockings);

}  // namespace results
