#pragma once

#include <QTableView>

namespace club_ui {

// A table of the window whose first columns can be kept in view while the others scroll
// sideways: a clock's loft stays beside its readings as the check readings are typed at the far
// end of the row, and a bird's member beside its flying time.
class TableView : public QTableView {
    Q_OBJECT

  public:
    explicit TableView(QWidget* parent = nullptr);

    // Once the table is scrolled sideways, its first `count` columns are shown over its left
    // edge, in step with the rows, and a cell gone to further right is never left under them.
    // Called once its model, widths and hidden columns are set.
    void KeepFirstColumnsInView(int count);

    // Sorts by the column, ascending, or descending if it is sorted ascending by it already:
    // the rule of a heading clicked again.
    void SortAgainBy(int column);

    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    using QTableView::edit;

  protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void updateGeometries() override;

  private:
    // How wide the columns kept in view are, 0 while the table is not scrolled sideways.
    int KeptWidth() const;
    void PlaceKeptColumns();

    QTableView* kept_ = nullptr;  // the first columns, shown over the table's own
    int kept_count_ = 0;
    bool pressing_kept_ = false;  // while a press on the kept columns is handled
};

}  // namespace club_ui
