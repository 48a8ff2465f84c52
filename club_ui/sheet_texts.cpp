#include "club_ui/sheet_texts.h"

#include <QChar>
#include <QCoreApplication>

#include "results/result_writers.h"

namespace sheets {

int Count(std::size_t count) {
    return static_cast<int>(count);
}

QString TitleWithClub(const QString& what, const QString& club) {
    return club.isEmpty() ? what : QCoreApplication::translate("sheets", "%1 – %2").arg(what, club);
}

QString Sentences(const QString& first, const QString& second) {
    return first.isEmpty() || second.isEmpty() ? first + second : first + QChar(' ') + second;
}

printing::PrintedColumn MemberAndLoftColumn() {
    return {QCoreApplication::translate("sheets", "Member and loft"), Qt::AlignLeft};
}

std::array<printing::PrintedColumn, 2> MilesAndYardsColumns(const QString& over) {
    const QString miles = QCoreApplication::translate("sheets", "Miles");
    const QString yards = QCoreApplication::translate("sheets", "Yards");
    // The yards heading takes a line of its own under the heading line, beside the miles.
    if (over.isEmpty()) return {{{miles, Qt::AlignRight}, {yards, Qt::AlignRight}}};
    return {{{over + QChar::LineSeparator + miles, Qt::AlignRight},
             {QChar::LineSeparator + yards, Qt::AlignRight}}};
}

std::array<QString, 2> MilesAndYards(const distance::MilesYards& way) {
    return {QString::number(way.miles), QString::number(way.yards)};
}

QString FlyingTimeText(const race::RaceResult& figures) {
    return QCoreApplication::translate("sheets", "%1 h %2 min %3 s")
        .arg(QString::fromStdString(figures.FTHrs), QString::fromStdString(figures.FTMins),
             QString::fromStdString(results::RoundDecimals(figures.FTSecs, 2)));
}

}  // namespace sheets
