// Race night in Club Secretary with a season's club: 200 lofts and 20 races of 3,000 birds each.
// Opening a race shows its ranked result; a bird typed (its row begun, its ring, its time, each
// written to the club file and the result worked out again) is shown in the result at once.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <string>

#include "club_ui/club_document.h"
#include "tools/demo_club.h"

namespace {

constexpr int kLofts = 200;
constexpr int kRaces = 20;
constexpr int kBirds = 3000;

// The season's club, written once for every benchmark.
const QString& SeasonClub() {
    static QTemporaryDir folder;
    static const QString path = [] {
        const QString file = folder.filePath("Season.club");
        const std::string problem =
            demo_club::WriteSeason(file.toStdU16String(), kLofts, kRaces, kBirds);
        if (!problem.empty()) std::fprintf(stderr, "%s\n", problem.c_str());
        return file;
    }();
    return path;
}

void BM_OpenRaceAndShowResult(benchmark::State& state) {
    club_ui::ClubDocument document;
    document.Open(SeasonClub());
    const int races = document.races().rowCount();
    int next = 0;
    for (auto _ : state) {
        document.OpenRace(document.races().IdAt(next++ % races));
        benchmark::DoNotOptimize(document.result().rowCount());
    }
    state.counters["birds shown"] = document.result().rowCount();
}
BENCHMARK(BM_OpenRaceAndShowResult)->Unit(benchmark::kMillisecond);

// As the window types a bird: Add bird like the last one (same loft), then its ring and its time
// through the list's cells, each one step of Undo merged into the bird's.
void BM_AddTypedBird(benchmark::State& state) {
    club_ui::ClubDocument document;
    document.Open(SeasonClub());
    document.OpenRace(document.races().IdAt(document.races().rowCount() - 1));
    club_ui::ClockingList& birds = document.clockings();
    int ring = 0;
    for (auto _ : state) {
        const int row = birds.AddRowLike(birds.rowCount() - 1);
        birds.setData(birds.index(row, 1), QStringLiteral("NL26-%1").arg(++ring));
        birds.setData(birds.index(row, 2),
                      QStringLiteral("10%1%2").arg(ring % 60 / 10).arg(ring % 10) + "17");
        benchmark::DoNotOptimize(document.result().rowCount());
    }
    state.counters["birds shown"] = document.result().rowCount();
}
BENCHMARK(BM_AddTypedBird)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
