#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <optional>
#include <vector>

#include "distance/geodesic.h"
#include "distance/places_csv.h"

namespace club_ui {

class PlaceListModel;

// Every loft's distance from every race point: lofts down, race points across, in the lists'
// own order. A distance is worked out when a cell is shown (a microsecond each), so a club of a
// thousand lofts by a hundred race points costs only the cells on the screen, and a change to
// either list only resets the table.
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

    // The lofts and race points whose coordinates read, as the library's places, in list order.
    std::vector<distance::Place> Lofts() const;
    std::vector<distance::Place> RacePoints() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

  private:
    std::optional<distance::RaceDistance> DistanceAt(const QModelIndex& index) const;
    void Refill();

    const PlaceListModel& lofts_;
    const PlaceListModel& race_points_;
    bool kilometres_ = false;
};

}  // namespace club_ui
