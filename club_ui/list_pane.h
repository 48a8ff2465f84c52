#pragma once

#include "club_ui/pane.h"

class QSortFilterProxyModel;
class QMenu;

namespace club_ui {

class PlaceListModel;
class TableView;

// One of the club's lists in the window: the table to type into, sortable by any column, with
// Add and Delete below it. Built from the list's own description, so the lofts' pane and the race
// points' pane are the same pane.
class ListPane : public Pane {
    Q_OBJECT

  public:
    explicit ListPane(PlaceListModel& list, QWidget* parent = nullptr);

    // The list's sort commands, for the View menu: by each column, again the other way, or as
    // added.
    void AddSortActions(QMenu& menu);

    // Keeps the pane wide enough to show every column side by side, with row numbers of four
    // digits, so that going from cell to cell never scrolls the list sideways.
    void KeepEveryColumnInView();
    // Keeps the first column, what each row is of, in view while the list scrolls sideways.
    void KeepFirstColumnInView();

    // Takes back the row the user is at if it was just begun and nothing has been typed in it,
    // as Escape does.
    void TakeBackRowBegun();

    // The row of the list the user is at (in the list's own order), or -1.
    int CurrentRow() const;
    void SelectRow(int row);

  signals:
    // What is wrong with the cell the user is at, or an empty text when nothing is.
    void CellProblemShown(const QString& problem);
    // The row the user is at changed (-1 for none).
    void CurrentRowChanged(int row);
    // Enter or a double click on a row that is not being typed in.
    void RowActivated(int row);

  public slots:
    void AddRow();
    void DeleteSelectedRows();

  private:
    void MoveOnFromCell();
    void ShowCellProblem(const QModelIndex& index);

    PlaceListModel& list_;
    QSortFilterProxyModel* order_;
    TableView* view_;
    int columns_width_ = 0;  // the columns' own widths, added up
};

}  // namespace club_ui
