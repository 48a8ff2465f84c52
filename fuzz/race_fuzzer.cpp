// Feeds arbitrary bytes to the text rules and, split at line feeds into the 26 entry texts, to
// the race computation. Any failure must be a RaceError; anything else, a crash or a sanitizer
// report, or a result text that is not a plain number, is a finding.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/race.h"
#include "core/text_rules.h"

namespace {

// A result text must read back and never show "inf", "nan" or "-0".
void CheckResultText(const std::string& text, std::string_view separator) {
    if (text == "-0" || text.find("inf") != std::string::npos ||
        text.find("nan") != std::string::npos) {
        __builtin_trap();
    }
    if (!std::isfinite(race::TextToNumber(text, separator))) __builtin_trap();
}

void FuzzTextRules(std::string_view text, std::string_view separator) {
    try {
        const double value = race::TextToNumber(text, separator);
        if (!std::isfinite(value)) __builtin_trap();
        const std::string written = race::NumberToText(value, separator);
        const double back = race::TextToNumber(written, separator);
        const double scale = std::fmax(std::fabs(value), 1e-300);
        if (std::fabs(back - value) > 1e-14 * scale) __builtin_trap();
        (void)race::WholeQuotient(value, 60);
    } catch (const race::RaceError&) {
    }
}

void FuzzRace(std::string_view bytes, std::string_view separator) {
    race::RaceEntry entry;
    for (const race::EntryField& field : race::EntryFields()) {
        const std::size_t end = bytes.find('\n');
        entry.*field.member = std::string(bytes.substr(0, end));
        bytes = end == std::string_view::npos ? std::string_view{} : bytes.substr(end + 1);
    }
    try {
        const race::RaceResult result = race::ComputeRace(entry, separator);
        for (const std::string* text :
             {&result.variation, &result.FTHrs, &result.FTMins, &result.FTSecs, &result.velocity}) {
            CheckResultText(*text, separator);
        }
    } catch (const race::RaceError& error) {
        // A field at fault is one of the table's.
        const race::EntryField* const field = error.field();
        if (field != nullptr && race::FindEntryField(field->member) != field) __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    FuzzTextRules(bytes, ".");
    FuzzTextRules(bytes, ",");
    FuzzRace(bytes, ".");
    FuzzRace(bytes, ",");
    return 0;
}
