#include "club_ui/distance_table_model.h"

#include "club_ui/place_list_model.h"

namespace club_ui {
namespace {

std::vector<distance::Place> Places(const PlaceListModel& list) {
    std::vector<distance::Place> places;
    for (int row = 0; row < list.rowCount(); ++row) {
        const std::optional<distance::Position> position = list.PositionAt(row);
        if (!position) continue;
        const club::Row& texts = list.TextsAt(row);
        places.push_back({.name = list.NameAt(row).toStdString(),
                          .latitude_text = texts.cells.at(club::LatitudeColumn(list.list())),
                          .longitude_text = texts.cells.at(club::LongitudeColumn(list.list())),
                          .position = *position,
                          .row = static_cast<std::size_t>(row) + 1});
    }
    return places;
}

}  // namespace

DistanceTableModel::DistanceTableModel(const PlaceListModel& lofts,
                                       const PlaceListModel& race_points, QObject* parent)
    : QAbstractTableModel(parent), lofts_(lofts), race_points_(race_points) {
    for (const PlaceListModel* list : {&lofts_, &race_points_}) {
        connect(list, &QAbstractItemModel::modelReset, this, &DistanceTableModel::Refill);
        connect(list, &QAbstractItemModel::rowsInserted, this, &DistanceTableModel::Refill);
        connect(list, &QAbstractItemModel::rowsRemoved, this, &DistanceTableModel::Refill);
        connect(list, &QAbstractItemModel::dataChanged, this, &DistanceTableModel::Refill);
    }
}

void DistanceTableModel::Refill() {
    beginResetModel();
    endResetModel();
}

void DistanceTableModel::ShowKilometres(bool kilometres) {
    if (kilometres == kilometres_) return;
    kilometres_ = kilometres;
    if (rowCount() > 0 && columnCount() > 0) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::DisplayRole});
    }
}

int DistanceTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : lofts_.rowCount();
}

int DistanceTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : race_points_.rowCount();
}

std::optional<distance::RaceDistance> DistanceTableModel::DistanceAt(
    const QModelIndex& index) const {
    const std::optional<distance::Position> loft = lofts_.PositionAt(index.row());
    const std::optional<distance::Position> race_point = race_points_.PositionAt(index.column());
    if (!loft || !race_point) return std::nullopt;
    return distance::DistanceToLoft(*race_point, *loft);
}

QVariant DistanceTableModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid)) return {};
    if (role == Qt::DisplayRole) {
        const std::optional<distance::RaceDistance> distance = DistanceAt(index);
        if (!distance) return {};
        if (kilometres_) {
            return QString::fromStdString(distance::KilometresText(distance->metres)) + " km";
        }
        return QString::fromStdString(
            distance::MilesYardsText(distance::ToMilesYards(distance->metres)));
    }
    if (role == Qt::TextAlignmentRole) return int{Qt::AlignRight | Qt::AlignVCenter};
    if (role == Qt::ToolTipRole) return Description(index);
    return {};
}

QVariant DistanceTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole) return {};
    return orientation == Qt::Horizontal ? race_points_.NameAt(section) : lofts_.NameAt(section);
}

QString DistanceTableModel::Description(const QModelIndex& index) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid)) return {};
    const QString loft = lofts_.NameAt(index.row());
    const QString race_point = race_points_.NameAt(index.column());
    if (!lofts_.PositionAt(index.row())) {
        return tr("No distance: mend the coordinates of the loft %1.").arg(loft);
    }
    if (!race_points_.PositionAt(index.column())) {
        return tr("No distance: mend the coordinates of the race point %1.").arg(race_point);
    }
    const distance::RaceDistance distance = *DistanceAt(index);
    return tr("%1 to %2: %3")
        .arg(race_point, loft, QString::fromStdString(distance::DistanceText(distance)));
}

std::vector<distance::Place> DistanceTableModel::Lofts() const {
    return Places(lofts_);
}
std::vector<distance::Place> DistanceTableModel::RacePoints() const {
    return Places(race_points_);
}

}  // namespace club_ui
