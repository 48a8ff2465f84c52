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

struct ClubSheets {
    QString club;
    std::vector<SheetLoft> lofts;
    std::vector<SheetRacePoint> race_points;
};

// Every loft by every race point in miles and yards. Lofts run down the side and race points
// across the top of every page; what does not fit goes on further pages, all the lofts for the
// first race points before the next race points.
void PrintSeasonSheet(const ClubSheets& club, QPrinter& printer);

// A page for each loft (more when its race points do not fit on one): the member, the loft's
// coordinates and, for each race point, its coordinates, distance and bearing.
void PrintMemberSheets(const ClubSheets& club, QPrinter& printer);

}  // namespace sheets
