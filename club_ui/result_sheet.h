#pragma once

#include <QString>
#include <cstddef>

#include "results/race_result.h"
#include "results/result_writers.h"

class QPrinter;

// A race's result as the club prints it for the clubroom's wall and the members: the race's
// details, every ranked bird with its figures, then the birds with no result and why. Drawn on
// the table printer, so A4, Letter and a PDF come out alike.
namespace sheets {

struct RaceSheet {
    QString club;                     // the club's name
    QString race_point;               // the race point's name
    results::Result result;           // as worked out (FirstBirdOnly already applied when chosen)
    results::ResultOptions options;   // unit and decimals as shown
    std::size_t lofts_competing = 0;  // lofts with a clock in the race
    std::size_t birds_clocked = 0;
};

// A race's sheet from what its result is worked out from: every loft with a clock counted as
// competing and every clocking as a bird clocked, whether it has a result or not.
RaceSheet RaceSheetOf(const QString& club, const QString& race_point,
                      const results::RaceReturn& race_return,
                      const results::ResultOptions& options);

// "Cheltenham YB result – Test Club", for the printed title and the PDF's title alike.
QString RaceResultTitle(const QString& club, const QString& race);

// The heading of every page names the race, where from and when the birds were released, with
// the hours of darkness where the race has any, and counts the lofts competing and the birds
// clocked; the ranked birds follow under headings repeated on every page, then the birds with no
// result, each with what stops it having one.
// False when the printer could not begin (a PDF that cannot be written, a printer gone): nothing
// was printed.
[[nodiscard]] bool PrintRaceResult(const RaceSheet& sheet, QPrinter& printer);

}  // namespace sheets
