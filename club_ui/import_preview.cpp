#include "club_ui/import_preview.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <map>
#include <set>
#include <tuple>

#include "distance/coordinate.h"
#include "distance/geodesic.h"
#include "results/result_messages.h"

namespace club_ui {
namespace {

QString Translated(const char* text, int count = -1) {
    return QCoreApplication::translate("club_ui::ImportPreviewDialog", text, nullptr, count);
}

QString PositionText(const distance::Position& position) {
    return QString::fromStdString(
        distance::WriteAngle(position.latitude, distance::Axis::Latitude) + "  " +
        distance::WriteAngle(position.longitude, distance::Axis::Longitude));
}

}  // namespace

template <typename Record>
ImportPlan<Record> PlanImport(const PlaceList<Record>& list, const club::ImportFile<Record>& file) {
    ImportPlan<Record> plan;
    for (const club::ImportCellProblem& problem : file.problems) {
        const QString column = QString::fromStdString(problem.column);
        const QString message = QString::fromStdString(club::ImportMessage(problem));
        plan.lines.push_back(
            {problem.row, Translated("Bad: not taken"), QString::fromStdString(problem.name),
             column.isEmpty() ? message : column + QStringLiteral(": ") + message});
        ++plan.bad;
    }
    for (const club::ImportRow<Record>& imported : file.rows) {
        const std::string name = club::NameOf(imported.record);
        int row = -1;
        for (int at = 0; at < list.rowCount() && row < 0; ++at) {
            if (club::NameOf(list.At(at)) == name) row = at;
        }
        const QString shown_name = QString::fromStdString(name);
        const QString read_as = PositionText(imported.position);
        if (row < 0) {
            plan.rows_to_add.push_back(imported.record);
            plan.lines.push_back({imported.row, Translated("To be added"), shown_name, read_as});
            ++plan.to_add;
            continue;
        }
        const std::optional<distance::Position> now = list.PositionAt(row);
        if (now && club::SamePosition(*now, imported.position)) {
            plan.lines.push_back(
                {imported.row, Translated("Already there: skipped"), shown_name, read_as});
            ++plan.already_there;
            continue;
        }
        // The same loft at a new position: its coordinates change, its id and races stay.
        Record after = list.At(row);
        after.latitude = imported.record.latitude;
        after.longitude = imported.record.longitude;
        plan.changes.emplace_back(list.At(row), after);
        const QString details =
            now ? Translated("from %1 to %2, %3 apart")
                      .arg(PositionText(*now), read_as,
                           QString::fromStdString(distance::MilesYardsText(distance::ToMilesYards(
                               distance::DistanceToLoft(*now, imported.position).metres))))
                : Translated("to %1, from a position that did not read").arg(read_as);
        plan.lines.push_back({imported.row, Translated("Position changed"), shown_name, details});
        ++plan.to_change;
    }
    std::sort(plan.lines.begin(), plan.lines.end(),
              [](const PreviewLine& a, const PreviewLine& b) { return a.row < b.row; });
    return plan;
}

template ImportPlan<club::Loft> PlanImport(const LoftList&, const club::ImportFile<club::Loft>&);
template ImportPlan<club::RacePoint> PlanImport(const RacePointList&,
                                                const club::ImportFile<club::RacePoint>&);

ReturnImportPlan PlanReturnImport(const LoftList& lofts, const ClockList& clocks,
                                  const ClockingList& clockings, club::Id race,
                                  const results::ReturnFile& file) {
    ReturnImportPlan plan;
    for (const results::ReturnCellProblem& problem : file.problems) {
        plan.lines.push_back({problem.row, Translated("Bad: not taken"), QString(),
                              QString::fromStdString(problem.column) + QStringLiteral(": ") +
                                  QString::fromStdString(results::ReturnCellMessage(problem))});
        ++plan.bad;
    }
    // The return's lofts are the club's by their names, "Member, loft" as the club lists them.
    std::map<std::int64_t, club::Id> club_loft;
    std::map<std::int64_t, QString> name_of;
    for (const results::Loft& loft : file.lofts) {
        const QString name = QString::fromStdString(loft.name).trimmed();
        name_of[loft.loft_id] = name;
        for (int row = 0; row < lofts.rowCount(); ++row) {
            if (lofts.NameAt(row).compare(name, Qt::CaseInsensitive) == 0) {
                club_loft[loft.loft_id] = lofts.IdAt(row);
                break;
            }
        }
    }
    std::map<std::int64_t, std::size_t> first_row;
    for (std::size_t index = 0; index < file.clockings.size(); ++index) {
        first_row.try_emplace(file.clockings[index].loft_id, file.clocking_rows.at(index));
    }
    std::set<club::Id> clocked_lofts;
    for (int row = 0; row < clocks.rowCount(); ++row) clocked_lofts.insert(clocks.At(row).loft);
    for (const results::LoftClock& clock : file.clocks) {
        const auto loft = club_loft.find(clock.loft_id);
        // A clock whose readings did not all read is named among the bad rows, not taken.
        const bool whole = !clock.clock_set.empty() && !clock.master_set.empty() &&
                           !clock.clock_check.empty() && !clock.master_check.empty();
        if (loft == club_loft.end() || !whole) continue;
        const QString name = name_of[clock.loft_id];
        if (!clocked_lofts.insert(loft->second).second) {
            plan.lines.push_back({first_row[clock.loft_id],
                                  Translated("Clock already there: kept as it is"),
                                  name,
                                  {}});
            ++plan.already_there;
            continue;
        }
        plan.clocks_to_add.push_back({.id = 0,
                                      .race = race,
                                      .loft = loft->second,
                                      .clock_set = clock.clock_set,
                                      .master_set = clock.master_set,
                                      .clock_check = clock.clock_check,
                                      .master_check = clock.master_check});
        plan.lines.push_back({first_row[clock.loft_id], Translated("Clock to be added"), name, {}});
        ++plan.to_add;
    }
    std::set<std::tuple<club::Id, std::string, std::string>> there;
    for (int row = 0; row < clockings.rowCount(); ++row) {
        const club::Clocking& clocking = clockings.At(row);
        there.emplace(clocking.loft, clocking.ring, clocking.clocked);
    }
    for (std::size_t index = 0; index < file.clockings.size(); ++index) {
        const results::Clocking& clocking = file.clockings[index];
        const std::size_t row = file.clocking_rows.at(index);
        const QString name = name_of[clocking.loft_id];
        const QString details = Translated("ring %1, clocked %2")
                                    .arg(QString::fromStdString(clocking.ring),
                                         QString::fromStdString(clocking.clocked));
        const auto loft = club_loft.find(clocking.loft_id);
        if (loft == club_loft.end()) {
            plan.lines.push_back(
                {row, Translated("No such loft in the club: not taken"), name, details});
            ++plan.bad;
            continue;
        }
        if (!there.emplace(loft->second, clocking.ring, clocking.clocked).second) {
            plan.lines.push_back({row, Translated("Already there: skipped"), name, details});
            ++plan.already_there;
            continue;
        }
        plan.clockings_to_add.push_back({.id = 0,
                                         .race = race,
                                         .loft = loft->second,
                                         .ring = clocking.ring,
                                         .clocked = clocking.clocked});
        plan.lines.push_back({row, Translated("To be added"), name, details});
        ++plan.to_add;
    }
    std::stable_sort(plan.lines.begin(), plan.lines.end(),
                     [](const PreviewLine& a, const PreviewLine& b) { return a.row < b.row; });
    return plan;
}

ImportPreviewDialog::ImportPreviewDialog(const ImportSummary& plan, const QString& file_name,
                                         const QString& items, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(tr("Import %1 from %2").arg(items, file_name));
    auto* layout = new QVBoxLayout(this);
    const QStringList counts{tr("%n row(s) to add.", nullptr, plan.to_add),
                             tr("%n position(s) to change.", nullptr, plan.to_change),
                             tr("%n row(s) already in the club.", nullptr, plan.already_there),
                             tr("%n bad row(s), not taken.", nullptr, plan.bad)};
    auto* summary = new QLabel(counts.join(QLatin1Char(' ')), this);
    summary->setWordWrap(true);
    layout->addWidget(summary);

    auto* table = new QTableWidget(static_cast<int>(plan.lines.size()), 4, this);
    table->setAccessibleName(tr("Rows of the file"));
    table->setHorizontalHeaderLabels({tr("Row"), tr("What happens"), tr("Name"), tr("Details")});
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    for (std::size_t index = 0; index < plan.lines.size(); ++index) {
        const PreviewLine& line = plan.lines[index];
        const int at = static_cast<int>(index);
        auto* number = new QTableWidgetItem;
        number->setData(Qt::DisplayRole, static_cast<qulonglong>(line.row));  // sorts as a number
        table->setItem(at, 0, number);
        table->setItem(at, 1, new QTableWidgetItem(line.outcome));
        table->setItem(at, 2, new QTableWidgetItem(line.name));
        auto* details = new QTableWidgetItem(line.details);
        details->setToolTip(line.details);
        table->setItem(at, 3, details);
    }
    table->resizeColumnsToContents();
    layout->addWidget(table, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* accept = buttons->button(QDialogButtonBox::Ok);
    accept->setText(tr("&Import"));
    accept->setEnabled(plan.to_add + plan.to_change > 0);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    // Most of the screen, so that a club's whole list can be checked with little scrolling.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize room = screen->availableGeometry().size();
        resize(room.width() * 4 / 5, room.height() * 4 / 5);
    }
}

}  // namespace club_ui
