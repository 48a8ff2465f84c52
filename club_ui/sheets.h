#pragma once

#include <QString>
#include <vector>

#include "distance/geodesic.h"

class QPrinter;

// The sheets a club secretary prints from the lofts and race points: the season sheet for the
// club's wall and one sheet a member keeps. Both draw on the printer's own page size and
// resolution, with margins of at least 12 mm, so a PDF, A4 or Letter come out alike; a printer
// given no document name is given the sheet's title.
namespace sheets {

struct SheetLoft {
    QString member;
    QString loft;  // may be empty: most members have a single loft and no name for it
    distance::Position position;
};

struct SheetRacePoint {
    QString name;
    distance::Position position;
};

// A loft or race point left off the sheets, and why ("latitude to mend").
struct LeftOff {
    QString name;
    QString reason;
};

struct ClubSheets {
    QString club;
    std::vector<SheetLoft> lofts;
    std::vector<SheetRacePoint> race_points;
    // Named on the sheets' first page, so that no reader takes a missing line for a mistake.
    std::vector<LeftOff> lofts_left_off;
    std::vector<LeftOff> race_points_left_off;
};

// What each document is and whose, for its printed title and its PDF's title alike:
// "Season distances – Test Club".
QString SeasonSheetTitle(const QString& club);
QString MemberSheetsTitle(const QString& club);

// Every loft by every race point in miles and yards. Lofts run down the side and race points
// across the top of every page; what does not fit goes on further pages, all the lofts for the
// first race points before the next race points.
// False when the printer could not begin (a PDF that cannot be written, a printer gone): nothing
// was printed.
[[nodiscard]] bool PrintSeasonSheet(const ClubSheets& club, QPrinter& printer);

// A page for each loft (more when its race points do not fit on one): the member, the loft's
// coordinates and, for each race point, its coordinates, distance and bearing.
// False when the printer could not begin: nothing was printed.
[[nodiscard]] bool PrintMemberSheets(const ClubSheets& club, QPrinter& printer);

}  // namespace sheets
