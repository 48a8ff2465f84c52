// A federation's race: 20,000 birds from 2,000 lofts. race-result's whole work on its return
// (the CSV read, every bird worked out and ranked, the result written as CSV) is set against the
// 20,000 calculations alone, which it cannot do without.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/race.h"
#include "results/race_result.h"
#include "results/result_writers.h"
#include "results/return_csv.h"

namespace {

constexpr int kLofts = 2000;
constexpr int kBirdsPerLoft = 10;
constexpr int kBirds = kLofts * kBirdsPerLoft;
const char* const kLiberation = "2026-05-09 07:00";

// The lofts' clock readings and distance on each loft's first row only, as a secretary fills
// them in; the birds in the order they were clocked, loft by loft.
const std::string& ReturnFile() {
    static const std::string file = [] {
        std::mt19937 random(9);
        const auto pick = [&](int low, int high) {
            return std::uniform_int_distribution<int>(low, high)(random);
        };
        std::string csv =
            "loft,ring,clocked,clock set,master set,clock check,master check,"
            "miles,yards\n";
        char line[256];
        for (int loft = 0; loft < kLofts; ++loft) {
            for (int bird = 0; bird < kBirdsPerLoft; ++bird) {
                const int clocked = pick(3 * 3600, 10 * 3600 - 1);
                std::snprintf(line, sizeof line, "Loft %d,GB26N%05d,2026-05-09 %02d:%02d:%02d",
                              loft, loft * kBirdsPerLoft + bird, 7 + clocked / 3600,
                              clocked / 60 % 60, clocked % 60);
                csv += line;
                if (bird == 0) {
                    std::snprintf(line, sizeof line,
                                  ",2026-05-08 18:%02d:%02d,2026-05-08 18:%02d:00,"
                                  "2026-05-09 20:%02d:%02d,2026-05-09 20:%02d:00,%d,%d\n",
                                  pick(0, 59), pick(0, 59), pick(0, 59), pick(0, 59), pick(0, 59),
                                  pick(0, 59), pick(50, 600), pick(0, 1759));
                    csv += line;
                } else {
                    csv += ",,,,,,\n";
                }
            }
        }
        return csv;
    }();
    return file;
}

// The race as race-result is told it on its command line.
results::Race TheRace() {
    results::Race race;
    race.liberation = kLiberation;
    race.darkness = results::Darkness{"22:00", "05:00"};
    return race;
}

// The calculator's entries for the same birds, made beforehand as race-result makes them (each
// bird in a race of its own loft's clock alone, so that making them stays quick), each checked to
// give the figures the tool gives its bird.
std::vector<race::RaceEntry> Entries(benchmark::State& state) {
    const results::ReturnFile file = results::ReadReturn(ReturnFile());
    std::vector<race::RaceEntry> entries;
    entries.reserve(file.clockings.size());
    for (const results::Clocking& clocking : file.clockings) {
        const std::size_t loft = static_cast<std::size_t>(clocking.loft_id - 1);
        const results::RaceReturn bird{
            TheRace(), {file.lofts[loft]}, {file.clocks[loft]}, {clocking}};
        entries.push_back(results::CalculatorEntryOf(bird, clocking.loft_id, clocking.ring)
                              .value_or(race::RaceEntry{}));
    }
    std::unordered_map<std::string, race::RaceResult> tools_figures;
    for (const results::ResultRow& row : results::ComputeResult(TheRace(), file).rows) {
        tools_figures.emplace(row.ring, row.figures);
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (race::ComputeRace(entries[i]) != tools_figures[file.clockings[i].ring]) {
            state.SkipWithError("an entry gives other figures than race-result's");
        }
    }
    return entries;
}

void BM_CalculationsAlone(benchmark::State& state) {
    const std::vector<race::RaceEntry> entries = Entries(state);
    for (auto _ : state) {
        for (const race::RaceEntry& entry : entries) {
            benchmark::DoNotOptimize(race::ComputeRace(entry).velocity.data());
        }
    }
    state.SetItemsProcessed(state.iterations() * kBirds);
}
BENCHMARK(BM_CalculationsAlone)->Unit(benchmark::kMillisecond);

// What race-result does between reading the file and writing standard output, the return and
// the result let go of as the tool lets go of them.
void BM_FederationResult(benchmark::State& state) {
    const results::Race race = TheRace();
    for (auto _ : state) {
        const results::ReturnFile file = results::ReadReturn(ReturnFile());
        const results::Result result = results::ComputeResult(race, file);
        if (result.rows.size() != kBirds || !result.rows.back().position) {
            state.SkipWithError("not every bird ranked");
        }
        benchmark::DoNotOptimize(results::ResultCsv(result, {}).data());
    }
    state.SetItemsProcessed(state.iterations() * kBirds);
}
BENCHMARK(BM_FederationResult)->Unit(benchmark::kMillisecond);

// Its parts: the return read, the result worked out, and the CSV written.
void BM_ReadReturn(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(results::ReadReturn(ReturnFile()).lofts.data());
}
BENCHMARK(BM_ReadReturn)->Unit(benchmark::kMillisecond);

void BM_ComputeResult(benchmark::State& state) {
    const results::Race race = TheRace();
    const results::ReturnFile file = results::ReadReturn(ReturnFile());
    for (auto _ : state) {
        benchmark::DoNotOptimize(results::ComputeResult(race, file).rows.data());
    }
}
BENCHMARK(BM_ComputeResult)->Unit(benchmark::kMillisecond);

void BM_ResultCsv(benchmark::State& state) {
    const results::Result result =
        results::ComputeResult(TheRace(), results::ReadReturn(ReturnFile()));
    for (auto _ : state) benchmark::DoNotOptimize(results::ResultCsv(result, {}).data());
}
BENCHMARK(BM_ResultCsv)->Unit(benchmark::kMillisecond);

}  // namespace
