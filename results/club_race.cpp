#include "results/club_race.h"

#include <algorithm>
#include <set>

namespace results {

ClubRaceReturn ReturnOfClubRace(const club::ClubFile& file, const club::Race& race) {
    ClubRaceReturn found;
    club::Rows<club::RacePoint> race_points = file.Read<club::RacePoint>();
    club::Rows<club::Loft> lofts = file.Read<club::Loft>();
    club::Rows<club::Clock> clocks = file.ReadOfRace<club::Clock>(race.id);
    club::Rows<club::Clocking> clockings = file.ReadOfRace<club::Clocking>(race.id);
    for (const auto* problem :
         {&race_points.problem, &lofts.problem, &clocks.problem, &clockings.problem}) {
        if (*problem) {
            found.problem = *problem;
            return found;
        }
    }
    std::optional<distance::Position> race_point;
    const auto point =
        std::find_if(race_points.rows.begin(), race_points.rows.end(),
                     [&race](const club::RacePoint& place) { return place.id == race.race_point; });
    if (point != race_points.rows.end()) race_point = club::ReadCoordinates(*point).position();
    found.race_return = ReturnOfRace(race, race_point, lofts.rows, clocks.rows, clockings.rows);
    return found;
}

RaceReturn ReturnOfRace(const club::Race& race, const std::optional<distance::Position>& race_point,
                        std::span<const club::Loft> lofts, std::span<const club::Clock> clocks,
                        std::span<const club::Clocking> clockings) {
    RaceReturn race_return;
    race_return.race.name = race.name;
    race_return.race.liberation = race.liberation;
    // A race with no hours of darkness leaves both times empty.
    if (!race.darkness_evening.empty() || !race.darkness_morning.empty()) {
        race_return.race.darkness = Darkness{race.darkness_evening, race.darkness_morning};
    }
    race_return.race.race_point = race_point;
    std::set<club::Id> competing;
    race_return.clocks.reserve(clocks.size());
    for (const club::Clock& clock : clocks) {
        competing.insert(clock.loft);
        race_return.clocks.push_back({.loft_id = clock.loft,
                                      .clock_set = clock.clock_set,
                                      .master_set = clock.master_set,
                                      .clock_check = clock.clock_check,
                                      .master_check = clock.master_check});
    }
    race_return.clockings.reserve(clockings.size());
    for (const club::Clocking& clocking : clockings) {
        competing.insert(clocking.loft);
        race_return.clockings.push_back(
            {.loft_id = clocking.loft, .ring = clocking.ring, .clocked = clocking.clocked});
    }
    for (const club::Loft& loft : lofts) {
        if (!competing.contains(loft.id)) continue;
        race_return.lofts.push_back({.loft_id = loft.id,
                                     .name = club::NameOf(loft),
                                     .distance = std::nullopt,
                                     .latitude = loft.latitude,
                                     .longitude = loft.longitude});
    }
    return race_return;
}

}  // namespace results
