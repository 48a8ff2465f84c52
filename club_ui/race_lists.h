#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <type_traits>
#include <vector>

#include "club/places.h"
#include "club_ui/list_model.h"
#include "club_ui/rows_by_id.h"
#include "results/date_time.h"

namespace club_ui {

// What a column of a race's lists holds, which says how it is read, shown and typed into.
enum class RaceCell {
    Name,        // a race's name, a bird's ring: kept as typed
    Liberation,  // a date and a time, its seconds optional
    Darkness,    // a time of day on the minute, or nothing for a race with no hours of darkness
    Reading,     // a clock's or the master timer's reading: a date and a time to the second
    Loft,        // the loft a clock or a bird belongs to, picked by its name
    RacePoint,   // the race point a race is flown from, picked by its name
};

// A reading typed as a time alone is taken on a day counted from the race's day: the clocks are
// set the evening before, struck and the birds clocked on the day.
enum class DayOfReading { None, DayBefore, RaceDay };

template <typename Record>
struct RaceColumn {
    const char* title;  // translated in the club_ui::RaceList context
    RaceCell cell;
    std::string Record::*text;  // for the typed columns
    DayOfReading day = DayOfReading::None;
};

// What a typed date and time cell reads as: a problem to mark it with, or its written form.
struct CellReading {
    std::optional<results::DateTimeProblem> problem;
    QString written;  // the one written form, where it reads
};
CellReading ReadCell(RaceCell cell, const std::string& typed);

// A list of the season's races, or of the clocks or birds of the race open, shown as the club
// file has it. A date and time that does not read is marked with why, and kept as typed.
template <typename Record>
class RaceList final : public RowsById<Record, RecordShown<Record>> {
    using Base = RowsById<Record, RecordShown<Record>>;

  public:
    explicit RaceList(ClubDocument& document);

    using Base::At;

    const ListTexts& texts() const override { return texts_; }
    QString NameAt(int row) const override;
    std::optional<distance::Position> PositionAt(int) const override { return std::nullopt; }
    club::Id IdAt(int row) const override { return At(row).id; }
    QString ColumnTitle(int column) const override;
    bool IsCoordinate(int) const override { return false; }
    int AddRow() override;
    void DeleteRows(std::vector<int> rows) override;
    const PlaceListModel* ChoicesFor(int column) const override;
    QStringList SuggestionsFor(const QModelIndex& index) const override;
    int AddRowLike(int row) override;
    int FirstColumnOfRowLike() const override;
    bool EnterMovesOn() const override { return true; }
    bool EnterBeginsRow() const override { return !std::is_same_v<Record, club::Race>; }
    void TakeBackIfBlank(int row) override;
    QString WidestText(int column) const override;

    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

  private:
    // Only the record: a date and time is read again as it is shown, which costs less than
    // keeping what was read for each of a race's thousands of birds.
    RecordShown<Record> Read(Record record) const override { return {std::move(record)}; }
    QString ReferenceName(const RaceColumn<Record>& column, const Record& record) const;
    std::optional<club::Id> ReferenceTo(const RaceColumn<Record>& column,
                                        const QString& name) const;
    QString Completed(const RaceColumn<Record>& column, const std::string& before,
                      const QString& typed) const;

    ClubDocument& document_;
    ListTexts texts_;
};

using RaceListModel = RaceList<club::Race>;
using ClockList = RaceList<club::Clock>;
using ClockingList = RaceList<club::Clocking>;

}  // namespace club_ui
