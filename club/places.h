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

// A race of the club's season: where from and when the birds were released, and the hours of
// darkness taken off for each night a bird is out (both empty for a race that has none). The
// date and time texts are kept as typed, like coordinates.
struct Race {
    Id id = 0;
    Id race_point = 0;
    std::string name;
    std::string liberation;
    std::string darkness_evening;
    std::string darkness_morning;
    bool operator==(const Race&) const = default;
};

// A loft's timing clock in a race: the clock and the master timer read when the clock was set at
// basketing and again when it was struck after the race, each a date and a time as typed.
struct Clock {
    Id id = 0;
    Id race = 0;
    Id loft = 0;
    std::string clock_set;
    std::string master_set;
    std::string clock_check;
    std::string master_check;
    bool operator==(const Clock&) const = default;
};

// A bird clocked in a race: its loft, its ring and its clock's reading as typed.
struct Clocking {
    Id id = 0;
    Id race = 0;
    Id loft = 0;
    std::string ring;
    std::string clocked;
    bool operator==(const Clocking&) const = default;
};

// What a column holds, which says how it is shown, read and checked.
enum class ColumnRole { Name, LoftName, Latitude, Longitude, Text };

// One column of a list: its name in the club file and in spreadsheets, and the record's text.
template <typename Record>
struct Column {
    std::string_view name;
    std::string Record::*text;
    ColumnRole role;
};

// A column holding another row's id: a race's race point, a clock's race and loft.
template <typename Record>
struct Reference {
    std::string_view name;
    Id Record::*id;
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
    static constexpr std::array<Reference<Loft>, 0> kReferences{};
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
    static constexpr std::array<Reference<RacePoint>, 0> kReferences{};
    static std::string Name(const RacePoint& race_point) { return race_point.name; }
};

template <>
struct ListOf<Race> {
    static constexpr std::string_view kTable = "races";
    static constexpr std::array<Column<Race>, 4> kColumns{{
        {"name", &Race::name, ColumnRole::Name},
        {"liberation", &Race::liberation, ColumnRole::Text},
        {"darkness_evening", &Race::darkness_evening, ColumnRole::Text},
        {"darkness_morning", &Race::darkness_morning, ColumnRole::Text},
    }};
    static constexpr std::array<Reference<Race>, 1> kReferences{
        {{"race_point", &Race::race_point}}};
    static std::string Name(const Race& race) { return race.name; }
};

template <>
struct ListOf<Clock> {
    static constexpr std::string_view kTable = "clocks";
    static constexpr std::array<Column<Clock>, 4> kColumns{{
        {"clock_set", &Clock::clock_set, ColumnRole::Text},
        {"master_set", &Clock::master_set, ColumnRole::Text},
        {"clock_check", &Clock::clock_check, ColumnRole::Text},
        {"master_check", &Clock::master_check, ColumnRole::Text},
    }};
    static constexpr std::array<Reference<Clock>, 2> kReferences{
        {{"race", &Clock::race}, {"loft", &Clock::loft}}};
    static std::string Name(const Clock& clock) {
        return "the clock of loft " + std::to_string(clock.loft);
    }
};

template <>
struct ListOf<Clocking> {
    static constexpr std::string_view kTable = "clockings";
    static constexpr std::array<Column<Clocking>, 2> kColumns{{
        {"ring", &Clocking::ring, ColumnRole::Name},
        {"clocked", &Clocking::clocked, ColumnRole::Text},
    }};
    static constexpr std::array<Reference<Clocking>, 2> kReferences{
        {{"race", &Clocking::race}, {"loft", &Clocking::loft}}};
    static std::string Name(const Clocking& clocking) { return "the bird " + clocking.ring; }
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

// A place whose coordinates read, with where it is.
template <typename Record>
struct Located {
    Record record;
    distance::Position position;
};

template <typename Record>
Reading ReadCoordinates(const Record& record) {
    return {distance::ReadAngle(record.latitude, distance::Axis::Latitude),
            distance::ReadAngle(record.longitude, distance::Axis::Longitude)};
}

}  // namespace club
