#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "club/places.h"
#include "club_ui/list_model.h"
#include "club_ui/rows_by_id.h"
#include "distance/geodesic.h"

namespace club_ui {

// A list of lofts or of race points: each row as typed, with its coordinates as read.
template <typename Record>
struct PlaceShown {
    Record record;
    club::Reading reading;
    // What the clubs' short form would read each coordinate as, where it could mean it.
    std::optional<double> latitude_short_form;
    std::optional<double> longitude_short_form;
};

// A list of lofts or of race points, shown as the club file has it. Every change goes through
// the document, which writes it to the file and only then shows it here.
template <typename Record>
class PlaceList final : public RowsById<Record, PlaceShown<Record>> {
    using Base = RowsById<Record, PlaceShown<Record>>;

  public:
    explicit PlaceList(ClubDocument& document);

    using Base::At;
    const club::Reading& ReadingAt(int row) const { return this->ShownAt(row).reading; }

    const ListTexts& texts() const override { return texts_; }
    QString NameAt(int row) const override;
    std::optional<distance::Position> PositionAt(int row) const override;
    club::Id IdAt(int row) const override { return At(row).id; }
    QString ColumnTitle(int column) const override;
    bool IsCoordinate(int column) const override;
    int AddRow() override;
    void DeleteRows(std::vector<int> rows) override;

    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // An edit typed into a cell: made a step of Undo by the document, which writes it.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

  private:
    PlaceShown<Record> Read(Record record) const override;

    ClubDocument& document_;
    ListTexts texts_;
};

using LoftList = PlaceList<club::Loft>;
using RacePointList = PlaceList<club::RacePoint>;

}  // namespace club_ui
