#include "club_ui/sheets.h"

#include <QChar>
#include <QCoreApplication>
#include <QLocale>
#include <QPrinter>
#include <QStringList>
#include <cstddef>
#include <utility>

#include "club_ui/sheet_texts.h"
#include "club_ui/table_printer.h"
#include "distance/coordinate.h"

namespace sheets {
namespace {

QString Angle(double degrees, distance::Axis axis) {
    return QString::fromStdString(distance::WriteAngle(degrees, axis));
}

// "Müller (latitude to mend) and Hoek (longitude to mend)", as the reader's language lists.
QString NamesAndReasons(const std::vector<LeftOff>& left_off) {
    QStringList named;
    for (const LeftOff& place : left_off)
        named.push_back(
            QCoreApplication::translate("sheets", "%1 (%2)").arg(place.name, place.reason));
    return QLocale().createSeparatedList(named);
}

// Said once, on the first page, so that a missing loft or race point is never taken for a slip
// of the printer or of the secretary.
QString LoftsLeftOff(const ClubSheets& club) {
    if (club.lofts_left_off.empty()) return {};
    return QCoreApplication::translate("sheets", "Lofts left off (%n): %1.", nullptr,
                                       Count(club.lofts_left_off.size()))
        .arg(NamesAndReasons(club.lofts_left_off));
}
QString RacePointsLeftOff(const ClubSheets& club) {
    if (club.race_points_left_off.empty()) return {};
    return QCoreApplication::translate("sheets", "Race points left off (%n): %1.", nullptr,
                                       Count(club.race_points_left_off.size()))
        .arg(NamesAndReasons(club.race_points_left_off));
}
// "No lofts": said rather than a blank sheet, and with the lofts left off counted.
QString NoLofts(const ClubSheets& club) {
    if (club.lofts_left_off.empty())
        return QCoreApplication::translate("sheets", "The club has no lofts.");
    return QCoreApplication::translate("sheets", "No loft can be shown (%n left off).", nullptr,
                                       Count(club.lofts_left_off.size()));
}

// A member's name with the loft's below it, when the member has more than one.
QString MemberAndLoft(const SheetLoft& loft) {
    return loft.loft.isEmpty() ? loft.member : loft.member + QChar::LineSeparator + loft.loft;
}

// Which race points and lofts a page of the season sheet shows, of how many: the lofts counted
// against the whole club, so that one left off is seen to be missing.
QString SeasonPageInfo(const ClubSheets& club, const printing::PagePlace& place) {
    const std::size_t club_lofts = club.lofts.size() + club.lofts_left_off.size();
    if (club.lofts_left_off.empty()) {
        return QCoreApplication::translate("sheets", "Race points %1–%2 of %3, lofts %4–%5 of %n",
                                           nullptr, Count(club_lofts))
            .arg(place.first_column / 2 + 1)
            .arg(place.end_column / 2)
            .arg(club.race_points.size())
            .arg(place.first_row + 1)
            .arg(place.end_row);
    }
    return QCoreApplication::translate(
               "sheets", "Race points %1–%2 of %3, lofts %4–%5 of %6 shown (%n in the club)",
               nullptr, Count(club_lofts))
        .arg(place.first_column / 2 + 1)
        .arg(place.end_column / 2)
        .arg(club.race_points.size())
        .arg(place.first_row + 1)
        .arg(place.end_row)
        .arg(club.lofts.size());
}

}  // namespace

QString SeasonSheetTitle(const QString& club) {
    return TitleWithClub(QCoreApplication::translate("sheets", "Season distances"), club);
}

QString MemberSheetsTitle(const QString& club) {
    return TitleWithClub(QCoreApplication::translate("sheets", "Member sheets"), club);
}

bool PrintSeasonSheet(const ClubSheets& club, QPrinter& printer) {
    if (printer.docName().isEmpty()) printer.setDocName(SeasonSheetTitle(club.club));
    printing::Section section{
        .heading = {.title = SeasonSheetTitle(club.club),
                    .note = QCoreApplication::translate(
                        "sheets",
                        "Miles and yards from each race point to each loft on the "
                        "WGS-84 ellipsoid."),
                    .first_page_note = Sentences(LoftsLeftOff(club), RacePointsLeftOff(club))}};
    if (club.lofts.empty() || club.race_points.empty()) {
        section.heading.info = club.lofts.empty() ? NoLofts(club)
                                                  : QCoreApplication::translate(
                                                        "sheets", "The club has no race points.");
        return printing::PrintSections(printer, {section});
    }
    // Each race point's miles and yards in two columns, numbers a spreadsheet or an eye reads
    // alike, headed by the race point's name over "Miles" and "Yards".
    printing::PrintedTable table{.columns = {MemberAndLoftColumn()},
                                 .too_wide = printing::TooWide::SplitIntoGroups,
                                 .kept_together = 2};
    for (const SheetRacePoint& race_point : club.race_points) {
        for (printing::PrintedColumn& column : MilesAndYardsColumns(race_point.name))
            table.columns.push_back(std::move(column));
    }
    for (const SheetLoft& loft : club.lofts) {
        std::vector<QString>& row = table.rows.emplace_back(std::vector{MemberAndLoft(loft)});
        for (const SheetRacePoint& race_point : club.race_points) {
            for (QString& figure : MilesAndYards(distance::ToMilesYards(
                     distance::DistanceToLoft(race_point.position, loft.position).metres)))
                row.push_back(std::move(figure));
        }
    }
    section.tables.push_back(std::move(table));
    section.info_of_page = [&club](const printing::PagePlace& place) {
        return SeasonPageInfo(club, place);
    };
    return printing::PrintSections(printer, {section});
}

bool PrintMemberSheets(const ClubSheets& club, QPrinter& printer) {
    if (printer.docName().isEmpty()) printer.setDocName(MemberSheetsTitle(club.club));
    const QString loft_note = LoftsLeftOff(club);
    const QString race_point_note = RacePointsLeftOff(club);
    if (club.lofts.empty()) {
        return printing::PrintSections(
            printer, {{.heading = {.title = MemberSheetsTitle(club.club),
                                   .info = NoLofts(club),
                                   .first_page_note = Sentences(loft_note, race_point_note)}}});
    }

    // Coordinates read from the left like the loft's own; amounts line up on their units.
    const auto [miles, yards] = MilesAndYardsColumns();
    const std::vector<printing::PrintedColumn> columns{
        {QCoreApplication::translate("sheets", "Race point"), Qt::AlignLeft},
        {QCoreApplication::translate("sheets", "Latitude"), Qt::AlignLeft},
        {QCoreApplication::translate("sheets", "Longitude"), Qt::AlignLeft},
        miles,
        yards,
        {QCoreApplication::translate("sheets", "Kilometres"), Qt::AlignRight},
        {QCoreApplication::translate("sheets", "Bearing"), Qt::AlignRight}};
    std::vector<printing::Section> sections;
    for (const SheetLoft& loft : club.lofts) {
        printing::PrintedTable table{.columns = columns};
        for (const SheetRacePoint& race_point : club.race_points) {
            const distance::RaceDistance way =
                distance::DistanceToLoft(race_point.position, loft.position);
            const auto [miles_text, yards_text] = MilesAndYards(distance::ToMilesYards(way.metres));
            table.rows.push_back(
                {race_point.name, Angle(race_point.position.latitude, distance::Axis::Latitude),
                 Angle(race_point.position.longitude, distance::Axis::Longitude), miles_text,
                 yards_text, QString::fromStdString(distance::KilometresText(way.metres)),
                 QString::fromStdString(distance::BearingText(way.bearing)) + QChar(0x00B0)});
        }
        // Each member's first page says which race points are missing from the member's table;
        // the stack's first page also says whose sheets are missing from it.
        const QString first_page_note =
            sections.empty() ? Sentences(loft_note, race_point_note) : race_point_note;
        sections.push_back(
            {.heading = {.above = club.club,
                         .title = loft.member,
                         .below = loft.loft,
                         .info =
                             QCoreApplication::translate("sheets", "Loft at %1  %2")
                                 .arg(Angle(loft.position.latitude, distance::Axis::Latitude),
                                      Angle(loft.position.longitude, distance::Axis::Longitude)),
                         .note = QCoreApplication::translate(
                             "sheets",
                             "Distances from each race point to the loft on the "
                             "WGS-84 ellipsoid. The bearing is the way the birds "
                             "set off, in degrees clockwise from true north."),
                         .first_page_note = first_page_note},
             .tables = {std::move(table)}});
    }
    return printing::PrintSections(printer, sections);
}

}  // namespace sheets
