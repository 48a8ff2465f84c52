#pragma once

// A result as it is published: CSV for spreadsheets and federations, an aligned text table, and
// one HTML page that reads on a phone and prints.

#include <string>
#include <string_view>

#include "results/race_result.h"

namespace results {

enum class VelocityUnit { YardsPerMinute, MetresPerMinute };

struct ResultOptions {
    VelocityUnit unit = VelocityUnit::YardsPerMinute;
    int decimals = 3;  // the velocity's decimals on the text and HTML forms (4 as Dutch and
                       // Belgian results print them); CSV carries the full figure
    bool first_bird_only = false;  // each loft's fastest bird only
};

// "yd/min", "m/min": the unit as a result's headings name it.
std::string VelocityUnitName(VelocityUnit unit);

// "Liberated 2026-05-09 07:15:00, darkness 21:00 to 05:00": when the birds were released (as
// written back where it reads, else as typed), and the hours of darkness where the race has any.
std::string RaceDetails(const Race& race);

// The velocity in the unit, to 15 significant digits: the calculator's own text in yards per
// minute; in metres per minute, that figure times 0.9144. Empty for a bird with no result.
std::string VelocityText(const ResultRow& row, VelocityUnit unit);

// A decimal text to so many decimals, rounded half away from zero on its digits (so 1234.5675
// is 1234.568 at three, which binary arithmetic would make 1234.567).
std::string RoundDecimals(std::string_view decimal_text, int decimals);

// position,loft,ring,miles,yards,clocked,variation,hours,minutes,seconds,velocity,problem
std::string ResultCsv(const Result& result, const ResultOptions& options);
// Columns aligned with blanks, a line a bird.
std::string ResultTextTable(const Result& result, const ResultOptions& options);
// A page with nothing outside it: no script, no style sheet or picture to fetch.
std::string ResultHtml(const Result& result, const ResultOptions& options);

// & < > " ' as HTML's character references.
std::string HtmlEscaped(std::string_view text);

}  // namespace results
