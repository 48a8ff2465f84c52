// Writes each worked race as a seed for the fuzzer, in the form it splits its input into: the
// 26 entry texts, one a line, in the field table's order. The races live with the tests, so the
// seeds are written at fuzzing time rather than kept as copies.
//
//   race-seeds <directory>

#include <cstdio>
#include <fstream>
#include <string>

#include "core/race.h"
#include "tests/common/worked_races.h"

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fputs("usage: race-seeds <directory>\n", stderr);
        return 2;
    }
    for (const race::worked::WorkedRace& worked : race::worked::WorkedRaces()) {
        const std::string path = std::string(argv[1]) + "/race-" + worked.name;
        const race::RaceEntry entry = worked.Entry();
        std::ofstream seed(path, std::ios::binary);
        const char* separator = "";
        for (const race::EntryField& field : race::kEntryFields) {
            seed << separator << entry.*field.member;
            separator = "\n";
        }
        if (!seed.flush()) {
            std::fprintf(stderr, "race-seeds: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
