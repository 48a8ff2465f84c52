#include <gtest/gtest.h>

#include "distance/geodesic.h"

namespace distance {
namespace {

struct DistanceCase {
    const char* name;
    Position race_point;
    Position loft;
    double metres;
    double bearing;
};

class DistanceToLoftTest : public ::testing::TestWithParam<DistanceCase> {};

TEST_P(DistanceToLoftTest, OnTheEllipsoid) {
    const RaceDistance distance = DistanceToLoft(GetParam().race_point, GetParam().loft);
    EXPECT_NEAR(distance.metres, GetParam().metres, 1e-6);
    EXPECT_NEAR(distance.bearing, GetParam().bearing, 1e-9);
}

// A degree of the equator is the equatorial radius, 6,378,137 m, times pi/180; the quarter
// meridian and the others are GeographicLib's published figures (GeodSolve -i -p 9).
const DistanceCase kDistanceCases[] = {
    {"BerkeleyToPortMoresby",
     {37.87622, -122.23558},
     {-9.4047, 147.1597},
     10700471.955233702,
     360 - 96.91639942294974},
    {"AlongTheEquatorEast", {0, 0}, {0, 1}, 111319.490793274, 90},
    {"AlongTheEquatorWest", {0, 1}, {0, 0}, 111319.490793274, 270},
    {"AcrossTheDateLine", {0, 179.5}, {0, -179.5}, 111319.490793274, 90},
    {"EquatorToNorthPole", {0, 0}, {90, 0}, 10001965.729312724, 0},
    {"PoleToPole", {-90, 0}, {90, 0}, 20003931.458625447, 0},
    {"OverThePole", {89.9, 0}, {89.9, 180}, 22338.795682520, 0},
    {"NearlyAntipodal", {-30, 0}, {29.9, 179.8}, 19989832.827609532, 161.89052473632697},
};
INSTANTIATE_TEST_SUITE_P(Geodesics, DistanceToLoftTest, ::testing::ValuesIn(kDistanceCases),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(ToMilesYardsTest, RoundsToTheNearestYardThenSplits) {
    const struct {
        double metres;
        MilesYards expected;
    } cases[] = {
        {0, {0, 0}},
        {914.8571, {0, 1000}},  // just under 1,000.5 yards
        {914.8572, {0, 1001}},  // 1,000.5 yards: a half yard rounds up
        {1609.344, {1, 0}},     // a mile exactly
        {3218.2308, {2, 0}},    // 3,519.5 yards round up into the next mile
        {139291.326, {86, 971}},
    };
    for (const auto& row : cases) EXPECT_EQ(ToMilesYards(row.metres), row.expected) << row.metres;
}

TEST(DistanceTextTest, AsClubsWriteThem) {
    EXPECT_EQ(MilesYardsText({86, 971}), "86 miles 971 yards");
    EXPECT_EQ(MilesYardsText({1, 1}), "1 mile 1 yard");
    EXPECT_EQ(KilometresText(139290.5), "139.291");
    EXPECT_EQ(KilometresText(999.4), "0.999");
    EXPECT_EQ(MetresText(139291.3265), "139291.327");
    EXPECT_EQ(BearingText(109.449), "109.4");
    EXPECT_EQ(BearingText(359.96), "0.0");
}

}  // namespace
}  // namespace distance
