#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <optional>
#include <vector>

#include "club/places.h"
#include "distance/geodesic.h"

namespace club_ui {

class ClubDocument;

// The role a sorting proxy orders by: coordinates by their angle rather than by the text typed.
inline constexpr int kSortRole = Qt::UserRole;

// The words of one list, as its pane, menus and undo steps use them.
struct ListTexts {
    QString frame_title;  // with its Alt shortcut: "&Lofts"
    QString items;        // "Lofts", as a screen reader names the list
    QString add_button;   // "&Add loft"
    QString delete_button;
    QString name_column;  // the title of the list's name column: "Member", "Race point"
};

// One of the club's lists as the window shows and edits it: what a list pane, the distance
// table and the pickers need of either list, whichever it is.
class PlaceListModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    using QAbstractTableModel::QAbstractTableModel;

    virtual const ListTexts& texts() const = 0;
    // "Member, loft" for a loft with a loft name, the member or race point name otherwise.
    virtual QString NameAt(int row) const = 0;
    // Where the place is; nothing while either coordinate cannot be read.
    virtual std::optional<distance::Position> PositionAt(int row) const = 0;
    virtual club::Id IdAt(int row) const = 0;
    virtual QString ColumnTitle(int column) const = 0;
    virtual bool IsCoordinate(int column) const = 0;

    // What the user does to the list, each one step of Undo: a new empty row (its row, or -1
    // when it could not be written), and the rows deleted.
    virtual int AddRow() = 0;
    virtual void DeleteRows(std::vector<int> rows) = 0;
};

// A list of lofts or of race points, shown as the club file has it. Every change goes through
// the document, which writes it to the file and only then shows it here.
template <typename Record>
class PlaceList final : public PlaceListModel {
  public:
    explicit PlaceList(ClubDocument& document);

    const Record& At(int row) const { return rows_.at(static_cast<std::size_t>(row)).record; }
    const club::Reading& ReadingAt(int row) const {
        return rows_.at(static_cast<std::size_t>(row)).reading;
    }
    int RowOf(club::Id id) const;

    // A club's list as it opens.
    void Reset(std::vector<Record> rows);
    // The list read from the file again. Rows that stayed keep their place, so the views keep
    // their current cell and scroll.
    void Show(std::vector<Record> rows);
    void Inserted(const std::vector<Record>& rows);
    void Removed(const std::vector<Record>& rows);
    void Replaced(const Record& row);

    const ListTexts& texts() const override { return texts_; }
    QString NameAt(int row) const override;
    std::optional<distance::Position> PositionAt(int row) const override;
    club::Id IdAt(int row) const override { return At(row).id; }
    QString ColumnTitle(int column) const override;
    bool IsCoordinate(int column) const override;
    int AddRow() override;
    void DeleteRows(std::vector<int> rows) override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // An edit typed into a cell: made a step of Undo by the document, which writes it.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

  private:
    struct Shown {
        Record record;
        club::Reading reading;
        // What the clubs' short form would read each coordinate as, where it could mean it.
        std::optional<double> latitude_short_form;
        std::optional<double> longitude_short_form;
    };
    static Shown Read(Record record);

    ClubDocument& document_;
    ListTexts texts_;
    std::vector<Shown> rows_;  // in the order of their ids, as the file lists them
};

using LoftList = PlaceList<club::Loft>;
using RacePointList = PlaceList<club::RacePoint>;

}  // namespace club_ui
