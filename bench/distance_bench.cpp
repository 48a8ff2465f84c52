// A season's distance sheet for a large federation: 1,000 lofts by 100 race points, 100,000
// distances. The tool's whole work on it (both files read, the table worked out and written as
// CSV) is set against GeographicLib's inverse geodesic alone on the same pairs, which it cannot
// do without.
#include <benchmark/benchmark.h>

#include <GeographicLib/Geodesic.hpp>

#include <random>
#include <string>
#include <vector>

#include "distance/coordinate.h"
#include "distance/places_csv.h"

namespace {

// Lofts across Britain and race points from Britain to Spain, in the notations of a places file.
std::string PlacesFile(const char* prefix, int count, double south, double north, double west,
                       double east, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> latitude(south, north);
    std::uniform_real_distribution<double> longitude(west, east);
    std::string file = "name,latitude,longitude\n";
    for (int i = 0; i < count; ++i) {
        file += prefix + std::to_string(i) + ",";
        file += distance::WriteAngle(latitude(random), distance::Axis::Latitude) + ",";
        file += distance::WriteAngle(longitude(random), distance::Axis::Longitude) + "\n";
    }
    return file;
}

const std::string& LoftsFile() {
    static const std::string file = PlacesFile("Loft ", 1000, 50.0, 58.5, -5.5, 1.7, 1);
    return file;
}
const std::string& RacePointsFile() {
    static const std::string file = PlacesFile("Point ", 100, 37.0, 58.0, -8.0, 4.0, 2);
    return file;
}

void BM_GeodesicsAlone(benchmark::State& state) {
    const std::vector<distance::Place> lofts = distance::ReadPlaces(LoftsFile()).places;
    const std::vector<distance::Place> race_points = distance::ReadPlaces(RacePointsFile()).places;
    const GeographicLib::Geodesic& wgs84 = GeographicLib::Geodesic::WGS84();
    for (auto _ : state) {
        for (const distance::Place& loft : lofts) {
            for (const distance::Place& race_point : race_points) {
                double metres = 0, bearing = 0, bearing_at_loft = 0;
                wgs84.Inverse(race_point.position.latitude, race_point.position.longitude,
                              loft.position.latitude, loft.position.longitude, metres, bearing,
                              bearing_at_loft);
                benchmark::DoNotOptimize(metres);
                benchmark::DoNotOptimize(bearing);
            }
        }
    }
    state.SetItemsProcessed(state.iterations() * 100'000);
}
BENCHMARK(BM_GeodesicsAlone)->Unit(benchmark::kMillisecond);

// What race-distance --table does between reading the files and writing standard output.
void BM_DistanceSheet(benchmark::State& state) {
    for (auto _ : state) {
        const distance::PlacesFile lofts = distance::ReadPlaces(LoftsFile());
        const distance::PlacesFile race_points = distance::ReadPlaces(RacePointsFile());
        const std::string csv =
            distance::DistanceCsv(distance::DistanceTable(lofts.places, race_points.places));
        benchmark::DoNotOptimize(csv.data());
    }
    state.SetItemsProcessed(state.iterations() * 100'000);
}
BENCHMARK(BM_DistanceSheet)->Unit(benchmark::kMillisecond);

// Its parts: the table alone, and the CSV written from it.
void BM_DistanceTable(benchmark::State& state) {
    const std::vector<distance::Place> lofts = distance::ReadPlaces(LoftsFile()).places;
    const std::vector<distance::Place> race_points = distance::ReadPlaces(RacePointsFile()).places;
    for (auto _ : state) {
        benchmark::DoNotOptimize(distance::DistanceTable(lofts, race_points).data());
    }
}
BENCHMARK(BM_DistanceTable)->Unit(benchmark::kMillisecond);

void BM_DistanceCsv(benchmark::State& state) {
    const std::vector<distance::DistanceRow> rows = distance::DistanceTable(
        distance::ReadPlaces(LoftsFile()).places, distance::ReadPlaces(RacePointsFile()).places);
    for (auto _ : state) benchmark::DoNotOptimize(distance::DistanceCsv(rows).data());
}
BENCHMARK(BM_DistanceCsv)->Unit(benchmark::kMillisecond);

}  // namespace
