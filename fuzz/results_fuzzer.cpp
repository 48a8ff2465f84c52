// Feeds arbitrary bytes to the results library as a secretary's spreadsheet or a typed reading
// might give them: as a date and time and as a time of day under each rule for seconds, and as a
// whole return worked out into a result and written in each form. Nothing may crash or trip a
// sanitizer, and every date and time read must write back to text that reads to the same value.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "results/date_time.h"
#include "results/race_result.h"
#include "results/result_messages.h"
#include "results/result_writers.h"
#include "results/return_csv.h"

namespace {

constexpr results::Seconds kRules[] = {results::Seconds::Required, results::Seconds::Optional,
                                       results::Seconds::Refused};

void FuzzReadings(std::string_view text) {
    for (const results::Seconds rule : kRules) {
        const results::DateTimeReading date_time = results::ReadDateTime(text, rule);
        if (date_time.ok()) {
            const std::string written = results::WriteDateTime(date_time.value);
            // Written with its seconds, so it reads wherever seconds may be given.
            const results::Seconds back_rule =
                rule == results::Seconds::Refused ? results::Seconds::Optional : rule;
            const results::DateTimeReading back = results::ReadDateTime(written, back_rule);
            if (!back.ok() || back.value != date_time.value) __builtin_trap();
        } else if (results::DateTimeMessage(*date_time.problem).empty()) {
            __builtin_trap();
        }
        const results::TimeReading time = results::ReadTime(text, rule);
        if (time.ok()) {
            const results::TimeReading back =
                results::ReadTime(results::WriteTime(time.value, rule), rule);
            if (!back.ok() || back.value != time.value) __builtin_trap();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    FuzzReadings(bytes);

    const results::ReturnFile file = results::ReadReturn(bytes);
    for (const results::ReturnCellProblem& problem : file.problems) {
        if (results::ReturnCellMessage(problem).empty()) __builtin_trap();
    }
    if (file.clockings.size() != file.clocking_rows.size()) __builtin_trap();
    results::RaceReturn race_return;
    race_return.race = {"Fuzz", "2026-05-09 07:00", results::Darkness{"22:00", "05:00"},
                        distance::Position{52.0, -1.0}};
    race_return.lofts = file.lofts;
    race_return.clocks = file.clocks;
    race_return.clockings = file.clockings;
    const results::Result result = results::ComputeResult(race_return);
    if (result.rows.size() != file.clockings.size()) __builtin_trap();
    results::ResultOptions options;
    options.first_bird_only = size % 2 == 1;
    options.unit = size % 3 == 0 ? results::VelocityUnit::MetresPerMinute
                                 : results::VelocityUnit::YardsPerMinute;
    // The clockings as the reader read them give the result their texts give.
    const std::string csv = results::ResultCsv(result, options);
    if (results::ResultCsv(results::ComputeResult(race_return.race, file), options) != csv) {
        __builtin_trap();
    }
    static_cast<void>(results::ResultTextTable(result, options));
    static_cast<void>(results::ResultHtml(result, options));
    return 0;
}
