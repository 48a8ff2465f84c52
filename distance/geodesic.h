#pragma once

#include <cstdint>
#include <string>

namespace distance {

// A point on the WGS-84 ellipsoid, in signed degrees (north and east positive).
struct Position {
    double latitude = 0.0;
    double longitude = 0.0;
    bool operator==(const Position&) const = default;
};

// The shortest way on the ellipsoid from a race point to a loft: its length, and the bearing the
// birds set off on, in degrees clockwise from north, from 0 up to but not including 360.
struct RaceDistance {
    double metres = 0.0;
    double bearing = 0.0;
};

// Karney's geodesic on WGS-84 (GeographicLib), accurate to better than 15 nanometres.
RaceDistance DistanceToLoft(Position race_point, Position loft);

// A distance as clubs state it: rounded to the nearest yard (1 yard = 0.9144 m exactly, a half
// yard rounds up), then split into miles of 1,760 yards and the yards left over.
struct MilesYards {
    std::int64_t miles = 0;
    std::int32_t yards = 0;
    bool operator==(const MilesYards&) const = default;
};
MilesYards ToMilesYards(double metres);

// "86 miles 971 yards" (singular "1 mile", "1 yard").
std::string MilesYardsText(MilesYards distance);
// Kilometres to the metre: "139.291".
std::string KilometresText(double metres);
// Degrees to a tenth: "109.4"; 359.96 is "0.0".
std::string BearingText(double bearing);
// Metres to the millimetre: "139290.512".
std::string MetresText(double metres);
// The distance and bearing as a person reads them: "86 miles 971 yards (139.291 km), bearing
// 109.4°" (UTF-8).
std::string DistanceText(const RaceDistance& distance);

}  // namespace distance
