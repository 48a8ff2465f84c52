#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "distance/coordinate.h"
#include "distance/geodesic.h"

namespace club {

// A row's key in the club file. Never given to two rows, even after one is deleted: a club's
// races point at its lofts by these.
using Id = std::int64_t;

// A member's loft. Most members have one and leave its name empty; the coordinates are kept as
// the secretary typed them, so a slip is kept to be mended, never lost.
struct Loft {
    Id id = 0;
    std::string member;
    std::string loft;
    std::string latitude;
    std::string longitude;
    bool operator==(const Loft&) const = default;
};

// A place the birds are liberated from.
struct RacePoint {
    Id id = 0;
    std::string name;
    std::string latitude;
    std::string longitude;
    bool operator==(const RacePoint&) const = default;
};

// What a column holds, which says how it is shown, read and checked.
enum class ColumnRole { Name, LoftName, Latitude, Longitude };

// One column of a list: its name in the club file and in spreadsheets, and the record's text.
template <typename Record>
struct Column {
    std::string_view name;
    std::string Record::*text;
    ColumnRole role;
};

// The one description of each list: its table and its columns, in the order they are shown.
// Everything that goes through a list's columns (the file, the lists shown, the import, the
// export and the sheets) goes through this.
template <typename Record>
struct ListOf;

template <>
struct ListOf<Loft> {
    static constexpr std::string_view kTable = "lofts";
    static constexpr std::array<Column<Loft>, 4> kColumns{{
        {"member", &Loft::member, ColumnRole::Name},
        {"loft", &Loft::loft, ColumnRole::LoftName},
        {"latitude", &Loft::latitude, ColumnRole::Latitude},
        {"longitude", &Loft::longitude, ColumnRole::Longitude},
    }};
    // "Member, loft" where the member has named the loft, else the member.
    static std::string Name(const Loft& loft) {
        return loft.loft.empty() ? loft.member : loft.member + ", " + loft.loft;
    }
};

template <>
struct ListOf<RacePoint> {
    static constexpr std::string_view kTable = "race_points";
    static constexpr std::array<Column<RacePoint>, 3> kColumns{{
        {"name", &RacePoint::name, ColumnRole::Name},
        {"latitude", &RacePoint::latitude, ColumnRole::Latitude},
        {"longitude", &RacePoint::longitude, ColumnRole::Longitude},
    }};
    static std::string Name(const RacePoint& race_point) { return race_point.name; }
};

template <typename Record>
std::string NameOf(const Record& record) {
    return ListOf<Record>::Name(record);
}

// The axis a coordinate column is read on; nothing for a column that holds no coordinate.
inline std::optional<distance::Axis> AxisOf(ColumnRole role) {
    if (role == ColumnRole::Latitude) return distance::Axis::Latitude;
    if (role == ColumnRole::Longitude) return distance::Axis::Longitude;
    return std::nullopt;
}

// A place's two coordinates as read from the texts typed.
struct Reading {
    distance::AngleReading latitude;
    distance::AngleReading longitude;

    // Where the place is: nothing while either coordinate does not read, so that no distance is
    // ever worked out from a mistyped coordinate. This is the one place that rule is made.
    std::optional<distance::Position> position() const {
        if (!latitude.ok() || !longitude.ok()) return std::nullopt;
        return distance::Position{latitude.degrees, longitude.degrees};
    }
};

template <typename Record>
Reading ReadCoordinates(const Record& record) {
    return {distance::ReadAngle(record.latitude, distance::Axis::Latitude),
            distance::ReadAngle(record.longitude, distance::Axis::Longitude)};
}

}  // namespace club
