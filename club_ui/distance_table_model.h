#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>
#include <optional>

#include "distance/geodesic.h"

namespace club_ui {

class PlaceListModel;

// Every loft's distance from every race point: lofts down, race points across, in the lists'
// own order. A distance is worked out when a cell is shown (a microsecond each), so a club of a
// thousand lofts by a hundred race points costs only the cells on the screen. An edit changes
// only its row or column, so the views keep their current cell and scroll.
class DistanceTableModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    DistanceTableModel(const PlaceListModel& lofts, const PlaceListModel& race_points,
                       QObject* parent = nullptr);

    // Miles and yards, as clubs state distances, or kilometres.
    void ShowKilometres(bool kilometres);
    bool showsKilometres() const { return kilometres_; }

    // The cell's distance, bearing and the two places in full, for the line under the table; or
    // why the cell has no distance.
    QString Description(const QModelIndex& index) const;

    // A cell's distance as a spreadsheet takes it, each figure a number in a cell of its own (miles
    // and yards, or kilometres with the user's decimal separator), and their headings for a race
    // point's column. A cell with no distance has as many empty figures.
    QStringList Figures(const QModelIndex& index) const;
    QStringList FigureHeadings(int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

  private:
    std::optional<distance::RaceDistance> DistanceAt(const QModelIndex& index) const;
    void Follow(const PlaceListModel& list, Qt::Orientation orientation);
    void AllChanged();

    const PlaceListModel& lofts_;
    const PlaceListModel& race_points_;
    bool kilometres_ = false;
};

}  // namespace club_ui
