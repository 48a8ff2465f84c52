#include "distance/geodesic.h"

#include <GeographicLib/Geodesic.hpp>

#include <charconv>
#include <cmath>

#include "distance/number_text.h"

namespace distance {

// The Earth is flattened at the poles by about one part in 298, and a great circle on a sphere of
// any one radius is off the shortest way on that ellipsoid by up to half a percent, more or less
// by the direction flown: hundreds of yards over a race, enough to reorder a close finish. GPS
// coordinates are on WGS-84, so the distance is the geodesic on that ellipsoid, which Karney's
// series give to better than 15 nanometres at any distance, antipodes and poles included.
RaceDistance DistanceToLoft(Position race_point, Position loft) {
    double metres = 0.0;
    double bearing_at_race_point = 0.0;
    double bearing_at_loft = 0.0;
    GeographicLib::Geodesic::WGS84().Inverse(race_point.latitude, race_point.longitude,
                                             loft.latitude, loft.longitude, metres,
                                             bearing_at_race_point, bearing_at_loft);
    // GeographicLib gives azimuths from -180 to 180 degrees; a compass bearing runs 0 to 360.
    double bearing =
        bearing_at_race_point < 0 ? bearing_at_race_point + 360 : bearing_at_race_point;
    if (bearing >= 360) bearing = 0;
    return RaceDistance{metres, bearing};
}

MilesYards ToMilesYards(double metres) {
    // Micrometres first, far below anything a survey or the geodesic means, so that a distance
    // written as a decimal figure of exactly half a yard (914.8572 m is 1,000.5 yards) rounds up
    // as it reads, and not by the last binary digit the decimal figure happened to get. A yard is
    // 914,400 micrometres exactly.
    constexpr std::int64_t kMicrometresPerYard = 914'400;
    const auto micrometres = static_cast<std::int64_t>(std::llround(metres * 1e6));
    const std::int64_t yards = (micrometres + kMicrometresPerYard / 2) / kMicrometresPerYard;
    return MilesYards{yards / 1760, static_cast<std::int32_t>(yards % 1760)};
}

std::string MilesYardsText(MilesYards distance) {
    std::string text = std::to_string(distance.miles);
    text += distance.miles == 1 ? " mile " : " miles ";
    text += std::to_string(distance.yards);
    text += distance.yards == 1 ? " yard" : " yards";
    return text;
}

std::string KilometresText(double metres) {
    std::string text;
    AppendKilometres(text, metres);
    return text;
}

std::string BearingText(double bearing) {
    std::string text;
    AppendBearing(text, bearing);
    return text;
}

std::string MetresText(double metres) {
    std::string text;
    AppendMetres(text, metres);
    return text;
}

std::string DistanceText(const RaceDistance& distance) {
    return MilesYardsText(ToMilesYards(distance.metres)) + " (" + KilometresText(distance.metres) +
           " km), bearing " + BearingText(distance.bearing) + "\u00B0";
}

}  // namespace distance
