// Feeds arbitrary bytes to the distance library as a secretary's spreadsheet or a typed
// coordinate might give them: as one latitude and one longitude, and as a whole places file.
// Nothing may crash or trip a sanitizer; an angle read must lie on its axis, and its written form
// must read back to the same tenth of a second.
#include <cmath>
#include <cstddef>
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "distance/coordinate.h"
#include "distance/places_csv.h"

namespace {

void FuzzAngle(std::string_view text, distance::Axis axis) {
    const distance::AngleReading reading = distance::ReadAngle(text, axis);
    if (!reading.ok()) {
        if (distance::CoordinateMessage(*reading.error).empty()) __builtin_trap();
        return;
    }
    const double limit = axis == distance::Axis::Latitude ? 90.0 : 180.0;
    if (!std::isfinite(reading.degrees) || std::fabs(reading.degrees) > limit) __builtin_trap();
    const distance::AngleReading back =
        distance::ReadAngle(distance::WriteAngle(reading.degrees, axis), axis);
    // A tenth of a second, with room for the rounding of the written tenth itself.
    if (!back.ok() || std::fabs(back.degrees - reading.degrees) * 3600.0 > 0.05 + 1e-9) {
        __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    FuzzAngle(bytes, distance::Axis::Latitude);
    FuzzAngle(bytes, distance::Axis::Longitude);

    const distance::PlacesFile file = distance::ReadPlaces(bytes);
    // Every loft of the file against the first few places as race points, as the tool tables
    // them, and written as its CSV.
    const std::vector<distance::Place> race_points(
        file.places.begin(),
        file.places.begin() +
            std::min<std::ptrdiff_t>(3, static_cast<std::ptrdiff_t>(file.places.size())));
    const auto rows = distance::DistanceTable(file.places, race_points);
    if (rows.size() != file.places.size() * race_points.size()) __builtin_trap();
    static_cast<void>(distance::DistanceCsv(rows));
    return 0;
}
