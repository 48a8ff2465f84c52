#pragma once

#include <QString>
#include <vector>

#include "distance/geodesic.h"

class QPrinter;

// The sheets a club secretary prints from the lofts and race points: the season sheet for the
// club's wall and one sheet a member keeps. Both draw on the printer's own page size, margins and
// resolution, so a PDF, A4 or Letter come out alike.
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
    std::vector<LeftOff> lofts_left_off;
    std::vector<LeftOff> race_points_left_off;
};

// Every loft by every race point in miles and yards. Lofts run down the side and race points
// across the top of every page; what does not fit goes on further pages, all the lofts for the
// first race points before the next race points.
[[nodiscard]] bool PrintSeasonSheet(const ClubSheets& club, QPrinter& printer);

// A page for each loft (more when its race points do not fit on one): the member, the loft's
// coordinates and, for each race point, its coordinates, distance and bearing.
[[nodiscard]] bool PrintMemberSheets(const ClubSheets& club, QPrinter& printer);

}  // namespace sheets
