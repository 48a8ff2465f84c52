#pragma once

#include <QString>
#include <array>
#include <cstddef>

#include "club_ui/table_printer.h"
#include "core/race.h"
#include "distance/geodesic.h"

// What the printed sheets say alike, said in one place: their titles, their columns of names and
// of distances, and their notes.
namespace sheets {

// A count as Qt's plural forms take it.
int Count(std::size_t count);

// "What – club" for a sheet's printed title and its PDF's title; what alone for a club with no
// name yet.
QString TitleWithClub(const QString& what, const QString& club);

// The sentences of a note, either of which may be empty.
QString Sentences(const QString& first, const QString& second);

// The column of members' names, with the loft's name where a member has more than one.
printing::PrintedColumn MemberAndLoftColumn();

// A distance in two columns, the miles and the yards each a figure of its own, as a spreadsheet
// or an eye reads them alike; under a heading line (a race point's name) when one is given.
std::array<printing::PrintedColumn, 2> MilesAndYardsColumns(const QString& over = {});
std::array<QString, 2> MilesAndYards(const distance::MilesYards& way);

// "3 h 5 min 4.86 s": the calculator's own hours, minutes and seconds, the seconds to hundredths:
// a clock's share of its variation leaves digits in them that no reader of a result needs, and a
// time half a second short of a minute keeps its negative seconds as the calculator shows them.
QString FlyingTimeText(const race::RaceResult& figures);

}  // namespace sheets
