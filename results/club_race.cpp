#include "results/club_race.h"

#include <algorithm>
#include <set>

namespace results {

ClubRaceReturn ReturnOfClubRace(const club::ClubFile& file, const club::Race& race) {
    ClubRaceReturn found;
    RaceReturn& race_return = found.race_return;
    race_return.race.name = race.name;
    race_return.race.liberation = race.liberation;
    // A race with no hours of darkness leaves both times empty.
    if (!race.darkness_evening.empty() || !race.darkness_morning.empty()) {
        race_return.race.darkness = Darkness{race.darkness_evening, race.darkness_morning};
    }
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
    const auto race_point =
        std::find_if(race_points.rows.begin(), race_points.rows.end(),
                     [&race](const club::RacePoint& point) { return point.id == race.race_point; });
    if (race_point != race_points.rows.end()) {
        race_return.race.race_point = club::ReadCoordinates(*race_point).position();
    }
    std::set<club::Id> competing;
    for (const club::Clock& clock : clocks.rows) {
        competing.insert(clock.loft);
        race_return.clocks.push_back({.loft_id = clock.loft,
                                      .clock_set = clock.clock_set,
                                      .master_set = clock.master_set,
                                      .clock_check = clock.clock_check,
                                      .master_check = clock.master_check});
    }
    for (const club::Clocking& clocking : clockings.rows) {
        competing.insert(clocking.loft);
        race_return.clockings.push_back(
            {.loft_id = clocking.loft, .ring = clocking.ring, .clocked = clocking.clocked});
    }
    for (const club::Loft& loft : lofts.rows) {
        if (!competing.contains(loft.id)) continue;
        race_return.lofts.push_back({.loft_id = loft.id,
                                     .name = club::NameOf(loft),
                                     .distance = std::nullopt,
                                     .latitude = loft.latitude,
                                     .longitude = loft.longitude});
    }
    return found;
}

}  // namespace results
