// Cost of one Calculate, set against the text conversions it cannot avoid: 26 entries read
// and 8 texts written (the variation, the three raw flying-time texts, the hours, minutes and
// seconds, and the velocity).
#include <benchmark/benchmark.h>

#include <string>

#include "core/race.h"
#include "core/text_rules.h"
#include "tests/common/worked_races.h"

namespace {

void BM_ComputeRace(benchmark::State& state, const race::RaceEntry& entry) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(race::ComputeRace(entry));
    }
}
BENCHMARK_CAPTURE(BM_ComputeRace, InitialEntries, race::worked::OpeningRace().Entry());
BENCHMARK_CAPTURE(BM_ComputeRace, ClockGainedThirtySeconds,
                  race::worked::GainingClockRace().Entry());
BENCHMARK_CAPTURE(BM_ComputeRace, OvernightClockSlowAtSetting,
                  race::worked::OvernightRace().Entry());

// The conversions of the overnight race alone: its 26 entries read, its 8 texts written.
void BM_ConversionsAlone(benchmark::State& state) {
    const race::RaceEntry entry = race::worked::OvernightRace().Entry();
    const double written[8] = {28.947011514204725, 8, -5, 64826, 25, 54, 59.052988485797,
                               353.9289943711995};
    for (auto _ : state) {
        for (const race::EntryField& field : race::EntryFields()) {
            benchmark::DoNotOptimize(race::TextToNumber(entry.*field.member));
        }
        for (const double value : written) {
            benchmark::DoNotOptimize(race::NumberToText(value));
        }
    }
}
BENCHMARK(BM_ConversionsAlone);

void BM_TextToNumber(benchmark::State& state, const std::string& text) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(race::TextToNumber(text));
    }
}
BENCHMARK_CAPTURE(BM_TextToNumber, Whole, std::string("19"));
BENCHMARK_CAPTURE(BM_TextToNumber, FifteenDigits, std::string("28.9470115142047"));

void BM_NumberToText(benchmark::State& state, double value) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(race::NumberToText(value));
    }
}
BENCHMARK_CAPTURE(BM_NumberToText, Whole, 25.0);
BENCHMARK_CAPTURE(BM_NumberToText, FifteenDigits, 353.9289943711995);

}  // namespace
