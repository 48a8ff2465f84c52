#include "club_ui/result_sheet.h"

#include <QChar>
#include <QCoreApplication>
#include <QPrinter>
#include <cstdint>
#include <set>
#include <utility>
#include <vector>

#include "club_ui/sheet_texts.h"
#include "club_ui/table_printer.h"
#include "results/result_messages.h"

namespace sheets {
namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

printing::PrintedTable RankedTable(const RaceSheet& sheet) {
    const auto [miles, yards] = MilesAndYardsColumns();
    printing::PrintedTable table{
        .caption = sheet.options.first_bird_only
                       ? QCoreApplication::translate("sheets", "First bird of each loft")
                       : QCoreApplication::translate("sheets", "Every bird ranked"),
        .columns = {{QCoreApplication::translate("sheets", "Pos"), Qt::AlignRight},
                    MemberAndLoftColumn(),
                    {QCoreApplication::translate("sheets", "Ring"), Qt::AlignLeft},
                    miles,
                    yards,
                    {QCoreApplication::translate("sheets", "Clocked"), Qt::AlignLeft},
                    {QCoreApplication::translate("sheets", "Flying time"), Qt::AlignRight},
                    {QCoreApplication::translate("sheets", "Velocity") + QChar::LineSeparator +
                         Text(results::VelocityUnitName(sheet.options.unit)),
                     Qt::AlignRight}},
        .main_column = 1};
    for (const results::ResultRow& row : sheet.result.rows) {
        if (row.fault) continue;
        const auto [miles_text, yards_text] =
            MilesAndYards(row.distance.value_or(distance::MilesYards{}));
        table.rows.push_back(
            {QString::number(row.position.value_or(0)), Text(row.loft), Text(row.ring), miles_text,
             yards_text, Text(row.clocked), FlyingTimeText(row.figures),
             Text(results::RoundDecimals(results::VelocityText(row, sheet.options.unit),
                                         sheet.options.decimals))});
    }
    return table;
}

// The birds with no result, each with what stops it having one, so that the member whose bird it
// is can see why it is not placed.
printing::PrintedTable ProblemTable(const RaceSheet& sheet) {
    printing::PrintedTable table{
        .columns = {MemberAndLoftColumn(),
                    {QCoreApplication::translate("sheets", "Ring"), Qt::AlignLeft},
                    {QCoreApplication::translate("sheets", "Clocked"), Qt::AlignLeft},
                    {QCoreApplication::translate("sheets", "Why it has no result"), Qt::AlignLeft}},
        .main_column = 3};
    for (const results::ResultRow& row : sheet.result.rows) {
        if (!row.fault) continue;
        table.rows.push_back({Text(row.loft), Text(row.ring), Text(row.clocked),
                              Text(results::BirdFaultMessage(*row.fault))});
    }
    table.caption = QCoreApplication::translate("sheets", "Birds with no result (%n)", nullptr,
                                                Count(table.rows.size()));
    return table;
}

// Where from and when: on every page, so that a page pinned up alone still says which race it is.
QString RaceDetails(const RaceSheet& sheet) {
    const QString details = Text(results::RaceDetails(sheet.result.race));
    if (sheet.race_point.isEmpty()) return details + QChar('.');
    return QCoreApplication::translate("sheets", "From %1. %2.").arg(sheet.race_point, details);
}

}  // namespace

RaceSheet RaceSheetOf(const QString& club, const QString& race_point,
                      const results::RaceReturn& race_return,
                      const results::ResultOptions& options) {
    const results::Result result = results::ComputeResult(race_return);
    std::set<std::int64_t> competing;
    for (const results::LoftClock& clock : race_return.clocks) competing.insert(clock.loft_id);
    return {.club = club,
            .race_point = race_point,
            .result = options.first_bird_only ? results::FirstBirdOnly(result) : result,
            .options = options,
            .lofts_competing = competing.size(),
            .birds_clocked = race_return.clockings.size()};
}

QString RaceResultTitle(const QString& club, const QString& race) {
    return TitleWithClub(race.isEmpty()
                             ? QCoreApplication::translate("sheets", "Race result")
                             : QCoreApplication::translate("sheets", "%1 result").arg(race),
                         club);
}

bool PrintRaceResult(const RaceSheet& sheet, QPrinter& printer) {
    const QString title = RaceResultTitle(sheet.club, Text(sheet.result.race.name));
    if (printer.docName().isEmpty()) printer.setDocName(title);
    printing::PrintedTable ranked = RankedTable(sheet);
    printing::PrintedTable problems = ProblemTable(sheet);
    // Said on the first page, so that a bird missing from the ranks is looked for further on.
    const QString first_page_note =
        ranked.rows.empty() ? QCoreApplication::translate("sheets", "No bird has a result.")
        : problems.rows.empty()
            ? QString()
            : QCoreApplication::translate(
                  "sheets", "Birds with no result (%n): listed after the ranked birds.", nullptr,
                  Count(problems.rows.size()));
    std::vector<printing::PrintedTable> tables;
    if (!ranked.rows.empty()) tables.push_back(std::move(ranked));
    if (!problems.rows.empty()) tables.push_back(std::move(problems));
    return printing::PrintTables(
        printer,
        {.title = title,
         .below = RaceDetails(sheet),
         .info = QCoreApplication::translate("sheets", "Lofts competing: %1. Birds clocked: %2.")
                     .arg(sheet.lofts_competing)
                     .arg(sheet.birds_clocked),
         .first_page_note = first_page_note},
        std::move(tables));
}

}  // namespace sheets
