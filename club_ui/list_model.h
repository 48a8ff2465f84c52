#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>
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
// table and the pickers need of a list, whichever it is (lofts, race points, races, a race's
// clocks and birds; those that are not places have no positions).
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

    // The columns' titles, as the header shows them and a screen reader names them; the rows
    // numbered.
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override {
        if (orientation == Qt::Horizontal &&
            (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)) {
            return ColumnTitle(section);
        }
        if (orientation == Qt::Vertical && role == Qt::DisplayRole) return section + 1;
        return {};
    }

    // For typing a clock's tape in: Enter moves on to the next cell, and from a row's last cell
    // to a new row like it (a bird of the same loft), at the column where typing it begins.
    virtual bool EnterMovesOn() const { return false; }
    // Whether Enter in a row's last cell begins a new row (a clock's birds, the next member's
    // clock), rather than staying (a race: one a week).
    virtual bool EnterBeginsRow() const { return EnterMovesOn(); }
    // A row just begun and left with nothing typed in it: taken back, as if never begun.
    virtual void TakeBackIfBlank(int /*row*/) {}
    virtual int AddRowLike(int /*row*/) { return AddRow(); }
    virtual int FirstColumnOfRowLike() const { return 0; }
    // A column's usual longest text, for its width; empty for the usual name.
    virtual QString WidestText(int /*column*/) const { return {}; }
    // The list a column's value is picked from by its name (a clock's loft), or nothing.
    virtual const PlaceListModel* ChoicesFor(int /*column*/) const { return nullptr; }
    // What to offer as a cell is typed (the rings a loft has clocked before).
    virtual QStringList SuggestionsFor(const QModelIndex& /*index*/) const { return {}; }
};

}  // namespace club_ui
