// Every race of the reference table (tools/race_reference.py) through ComputeRace, each text
// compared exactly. RACE_TABLE=<file> runs another table written by the reference.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/race.h"

namespace race {
namespace {

// One line's columns: tab-separated, with \t, \n and \\ escaped inside a text.
std::vector<std::string> Columns(const std::string& line) {
    std::vector<std::string> columns(1);
    for (std::size_t at = 0; at < line.size(); ++at) {
        if (line[at] == '\t') {
            columns.emplace_back();
        } else if (line[at] == '\\' && at + 1 < line.size()) {
            const char escaped = line[++at];
            columns.back() += escaped == 't' ? '\t' : escaped == 'n' ? '\n' : escaped;
        } else {
            columns.back() += line[at];
        }
    }
    return columns;
}

// The table groups the problems by kind: a text that is no number, a value out of range, and
// nothing to divide by; in the order of Problem.
constexpr std::array<const char*, kProblemNames.size()> kKindOfProblem{
    "NotANumber", "NotANumber", "OutOfRange", "OutOfRange", "OutOfRange",
    "OutOfRange", "OutOfRange", "NoResult",   "NoResult"};

// The outcome columns ComputeRace gives for one race, in the table's form.
std::vector<std::string> Outcome(const RaceEntry& entry, const std::string& separator) {
    try {
        const RaceResult r = ComputeRace(entry, separator);
        return {"ok", r.variation, r.FTHrs, r.FTMins, r.FTSecs, r.velocity};
    } catch (const RaceError& error) {
        const std::string field(error.field() ? error.field()->name : "");
        return {kKindOfProblem[static_cast<std::size_t>(error.problem())], field,
                RaceMessage(error, separator)};
    }
}

std::string Joined(const std::vector<std::string>& texts, std::size_t from) {
    std::string joined;
    for (std::size_t i = from; i < texts.size(); ++i) joined += "[" + texts[i] + "] ";
    return joined;
}

TEST(RaceTable, EveryRaceGivesTheReferenceTextsExactly) {
    const char* const path = std::getenv("RACE_TABLE") ? std::getenv("RACE_TABLE") : RACE_TABLE;
    std::ifstream table(path);
    ASSERT_TRUE(table) << "cannot read " << path;
    std::string line;
    std::getline(table, line);
    const std::vector<std::string> header = Columns(line);
    constexpr std::size_t kFirstEntry = 2;
    const std::size_t outcomeColumn = kFirstEntry + EntryFields().size();
    ASSERT_EQ(header.size(), outcomeColumn + 1) << line;

    int rows = 0;
    int differing = 0;
    while (std::getline(table, line)) {
        const std::vector<std::string> row = Columns(line);
        ASSERT_GT(row.size(), outcomeColumn) << line;
        RaceEntry entry;
        for (std::size_t column = kFirstEntry; column < outcomeColumn; ++column) {
            const EntryField* const field = FindEntryField(header[column]);
            ASSERT_NE(field, nullptr) << header[column];
            entry.*field->member = row[column];
        }
        const std::vector<std::string> expected(row.begin() + outcomeColumn, row.end());
        const std::vector<std::string> actual = Outcome(entry, row[1]);
        ++rows;
        if (actual != expected && ++differing <= 20) {
            ADD_FAILURE() << "race " << row[0] << "\n  expected " << Joined(expected, 0)
                          << "\n  got      " << Joined(actual, 0);
        }
    }
    EXPECT_EQ(differing, 0) << "of " << rows << " races";
    EXPECT_GE(rows, 5000);
}

}  // namespace
}  // namespace race
