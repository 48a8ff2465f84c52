// A race kept in a club file, worked out as the same race given as a return.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "club/club_file.h"
#include "results/club_race.h"

namespace {

// The club the tool's tests read (tests/results/data/club.club): three lofts, two of which sent
// birds to the one race, and a race point. WRITE_CLUB_FIXTURE=<path> writes it again.
struct ClubFixture {
    std::vector<club::Loft> lofts{
        {0, "Smith & Son", "", "52 35 31 N", "2 10 44 W"},
        {0, "Lef\u00e8vre", "Young birds", "52 34 48 N", "2 11 50 W"},
        {0, "Stayed home", "", "52 36 02.4 N", "2 09 12.6 W"},
    };
    std::vector<club::RacePoint> race_points{{0, "Cheltenham", "51 53 56 N", "2 04 42 W"}};
    std::vector<club::Race> races;
    std::vector<club::Clock> clocks;
    std::vector<club::Clocking> clockings;

    // Written in the order a secretary types: lofts and race point, the race, then the clocks
    // and the birds of each.
    std::string Write(const std::filesystem::path& path) {
        club::Opening made = club::ClubFile::Create(path);
        if (!made.file) return club::ProblemMessage(*made.problem);
        club::ClubFile& file = *made.file;
        if (auto problem = file.Insert(lofts)) return club::ProblemMessage(*problem);
        if (auto problem = file.Insert(race_points)) return club::ProblemMessage(*problem);
        races = {{0, race_points[0].id, "Cheltenham YB", "2026-05-09 07:15", "21:00", "05:00"}};
        if (auto problem = file.Insert(races)) return club::ProblemMessage(*problem);
        const club::Id race = races[0].id;
        clocks = {
            {0, race, lofts[0].id, "2026-05-08 19:00:00", "2026-05-08 19:00:00",
             "2026-05-09 19:00:30", "2026-05-09 19:00:00"},
            {0, race, lofts[1].id, "08/05/2026 19:00:00", "08/05/2026 19:00:00",
             "10/05/2026 19:00:00", "10/05/2026 18:59:12"},
        };
        clockings = {
            {0, race, lofts[0].id, "GB26N01234", "2026-05-09 09:02:17"},
            {0, race, lofts[1].id, "NL26-1234567", "09/05/2026 09:00:00"},
            {0, race, lofts[1].id, "NL26-1234999", "10/05/2026 06:13:05.25"},
            {0, race, lofts[0].id, "GB26N01234", "2026-05-09 09:30:00"},
        };
        if (auto problem = file.Insert(clocks)) return club::ProblemMessage(*problem);
        if (auto problem = file.Insert(clockings)) return club::ProblemMessage(*problem);
        return {};
    }
};

TEST(ClubRace, IsWorkedOutFromTheClubsOwnRows) {
    const std::filesystem::path folder = testing::TempDir();
    const std::filesystem::path path = folder / "club race test.club";
    std::filesystem::remove(path);
    ClubFixture fixture;
    ASSERT_EQ(fixture.Write(path), "");
    if (const char* fixture_path = std::getenv("WRITE_CLUB_FIXTURE")) {
        std::filesystem::remove(fixture_path);
        ASSERT_EQ(ClubFixture().Write(fixture_path), "");
    }
    club::Opening opening = club::ClubFile::Open(path);
    ASSERT_TRUE(opening.file);

    const results::ClubRaceReturn found =
        results::ReturnOfClubRace(*opening.file, fixture.races.front());

    ASSERT_FALSE(found.problem);
    const results::RaceReturn& race = found.race_return;
    EXPECT_EQ(race.race.liberation, "2026-05-09 07:15");
    ASSERT_TRUE(race.race.darkness);
    EXPECT_EQ(race.race.darkness->morning, "05:00");
    ASSERT_TRUE(race.race.race_point);
    EXPECT_NEAR(race.race.race_point->latitude, 51.0 + 53.0 / 60 + 56.0 / 3600, 1e-12);
    // Only the lofts that sent birds, each named as the lists name it and placed to be measured.
    ASSERT_EQ(race.lofts.size(), 2u);
    EXPECT_EQ(race.lofts[1].name, "Lef\u00e8vre, Young birds");
    EXPECT_EQ(race.lofts[1].loft_id, fixture.lofts[1].id);
    EXPECT_EQ(race.lofts[1].latitude, "52 34 48 N");
    ASSERT_EQ(race.clocks.size(), 2u);
    EXPECT_EQ(race.clocks[1].master_check, "10/05/2026 18:59:12");
    ASSERT_EQ(race.clockings.size(), 4u);
    EXPECT_EQ(race.clockings[2].clocked, "10/05/2026 06:13:05.25");
    EXPECT_EQ(race.clockings[3].loft_id, fixture.lofts[0].id);

    // Ranked as a return of the same birds would be: three with a result, the ring clocked
    // again after them.
    const results::Result result = results::ComputeResult(race);
    ASSERT_EQ(result.rows.size(), 4u);
    EXPECT_EQ(result.rows[0].position, std::optional<std::size_t>(1));
    EXPECT_FALSE(result.rows[3].position);
    EXPECT_EQ(result.rows[3].fault->problem, results::BirdProblem::RingClockedAgain);
}

TEST(ClubRace, ALoftWithBirdsInARaceIsNotDeleted) {
    const std::filesystem::path path =
        std::filesystem::path(testing::TempDir()) / "club race delete.club";
    std::filesystem::remove(path);
    ClubFixture fixture;
    ASSERT_EQ(fixture.Write(path), "");
    club::Opening opening = club::ClubFile::Open(path);
    ASSERT_TRUE(opening.file);

    for (const club::Loft& loft : {fixture.lofts[0], fixture.lofts[1]}) {
        const club::WriteProblem refused =
            opening.file->Remove(std::span<const club::Loft>(&loft, 1));
        ASSERT_TRUE(refused);
        EXPECT_EQ(refused->problem, club::Problem::InRaces);
    }
    const club::WriteProblem race_point =
        opening.file->Remove(std::span<const club::RacePoint>(&fixture.race_points[0], 1));
    ASSERT_TRUE(race_point);
    EXPECT_EQ(race_point->problem, club::Problem::InRaces);
    // The loft that stayed at home goes.
    EXPECT_FALSE(opening.file->Remove(std::span<const club::Loft>(&fixture.lofts[2], 1)));
}

}  // namespace
