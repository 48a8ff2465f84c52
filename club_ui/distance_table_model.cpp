#include "club_ui/distance_table_model.h"

#include <QLocale>

#include "club_ui/place_list_model.h"

namespace club_ui {

DistanceTableModel::DistanceTableModel(const PlaceListModel& lofts,
                                       const PlaceListModel& race_points, QObject* parent)
    : QAbstractTableModel(parent), lofts_(lofts), race_points_(race_points) {
    Follow(lofts_, Qt::Vertical);
    Follow(race_points_, Qt::Horizontal);
}

// A list's rows are the table's rows (lofts) or columns (race points): each change to the list
// is the same change to the table, so that an edit does not reset it.
void DistanceTableModel::Follow(const PlaceListModel& list, Qt::Orientation orientation) {
    const bool rows = orientation == Qt::Vertical;
    connect(&list, &QAbstractItemModel::modelAboutToBeReset, this,
            &DistanceTableModel::beginResetModel);
    connect(&list, &QAbstractItemModel::modelReset, this, &DistanceTableModel::endResetModel);
    connect(&list, &QAbstractItemModel::rowsAboutToBeInserted, this,
            [this, rows](const QModelIndex&, int first, int last) {
                if (rows) {
                    beginInsertRows({}, first, last);
                } else {
                    beginInsertColumns({}, first, last);
                }
            });
    connect(&list, &QAbstractItemModel::rowsInserted, this, [this, rows] {
        if (rows) {
            endInsertRows();
        } else {
            endInsertColumns();
        }
    });
    connect(&list, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this, rows](const QModelIndex&, int first, int last) {
                if (rows) {
                    beginRemoveRows({}, first, last);
                } else {
                    beginRemoveColumns({}, first, last);
                }
            });
    connect(&list, &QAbstractItemModel::rowsRemoved, this, [this, rows] {
        if (rows) {
            endRemoveRows();
        } else {
            endRemoveColumns();
        }
    });
    connect(&list, &QAbstractItemModel::dataChanged, this,
            [this, orientation](const QModelIndex& top_left, const QModelIndex& bottom_right) {
                const int first = top_left.row();
                const int last = bottom_right.row();
                emit headerDataChanged(orientation, first, last);
                if (rowCount() == 0 || columnCount() == 0) return;
                if (orientation == Qt::Vertical) {
                    emit dataChanged(index(first, 0), index(last, columnCount() - 1));
                } else {
                    emit dataChanged(index(0, first), index(rowCount() - 1, last));
                }
            });
}

void DistanceTableModel::AllChanged() {
    if (rowCount() > 0 && columnCount() > 0) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::DisplayRole});
    }
}

void DistanceTableModel::ShowKilometres(bool kilometres) {
    if (kilometres == kilometres_) return;
    kilometres_ = kilometres;
    AllChanged();
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

QStringList DistanceTableModel::Figures(const QModelIndex& index) const {
    const std::optional<distance::RaceDistance> distance = DistanceAt(index);
    if (!distance) return QStringList(kilometres_ ? 1 : 2);
    if (kilometres_) {
        return {QString::fromStdString(distance::KilometresText(distance->metres))
                    .replace(QLatin1Char('.'), QLocale().decimalPoint())};
    }
    const distance::MilesYards miles_yards = distance::ToMilesYards(distance->metres);
    return {QString::number(miles_yards.miles), QString::number(miles_yards.yards)};
}

QStringList DistanceTableModel::FigureHeadings(int column) const {
    const QString race_point = race_points_.NameAt(column);
    if (kilometres_) return {tr("%1 km").arg(race_point)};
    return {tr("%1 miles").arg(race_point), tr("%1 yards").arg(race_point)};
}

}  // namespace club_ui
