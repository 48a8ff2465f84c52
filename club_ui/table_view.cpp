#include "club_ui/table_view.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QSignalBlocker>

namespace club_ui {

namespace {

// The first columns shown over the table. A press on one of their cells makes it the table's
// current cell without scrolling the table back to its start: the cell is in view already, and
// the second click of a double click must land here too, to open it.
class KeptColumns : public QTableView {
  public:
    KeptColumns(QWidget& table, bool& pressing) : QTableView(&table), pressing_(pressing) {}

  protected:
    void mousePressEvent(QMouseEvent* event) override {
        const QScopedValueRollback pressing(pressing_, true);
        QTableView::mousePressEvent(event);
    }

  private:
    bool& pressing_;
};

}  // namespace

TableView::TableView(QWidget* parent) : QTableView(parent) {}

void TableView::KeepFirstColumnsInView(int count) {
    if (kept_ != nullptr || model() == nullptr) return;
    kept_count_ = count;
    // Scrolled a pixel at a time, so that a cell can be brought out from under the kept columns.
    setHorizontalScrollMode(ScrollPerPixel);
    kept_ = new KeptColumns(*this, pressing_kept_);
    kept_->setModel(model());
    kept_->setSelectionModel(selectionModel());
    kept_->setAccessibleName(tr("%1: the first columns, kept in view").arg(accessibleName()));
    // The table itself keeps the keyboard and its cells are typed in there.
    kept_->setFocusPolicy(Qt::NoFocus);
    kept_->setEditTriggers(NoEditTriggers);
    kept_->setSelectionBehavior(selectionBehavior());
    kept_->setSelectionMode(selectionMode());
    kept_->setWordWrap(wordWrap());
    kept_->setFrameShape(QFrame::NoFrame);
    kept_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    kept_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    kept_->setVerticalScrollMode(verticalScrollMode());
    kept_->verticalHeader()->hide();
    kept_->verticalHeader()->setDefaultSectionSize(verticalHeader()->defaultSectionSize());
    QHeaderView& header = *horizontalHeader();
    QHeaderView& kept_header = *kept_->horizontalHeader();
    kept_header.setSectionResizeMode(QHeaderView::Fixed);
    kept_header.setSortIndicatorShown(header.isSortIndicatorShown());
    kept_header.setSortIndicator(header.sortIndicatorSection(), header.sortIndicatorOrder());
    for (int column = 0; column < model()->columnCount(); ++column) {
        kept_->setColumnHidden(column, column >= count || isColumnHidden(column));
        if (column < count) kept_->setColumnWidth(column, columnWidth(column));
    }
    connect(&header, &QHeaderView::sectionResized, this, [this](int column, int, int size) {
        if (column >= kept_count_) return;
        kept_->setColumnWidth(column, size);
        PlaceKeptColumns();
    });
    connect(&header, &QHeaderView::sortIndicatorChanged, &kept_header,
            &QHeaderView::setSortIndicator);
    // A kept heading sorts as the table's own does.
    connect(&kept_header, &QHeaderView::sectionClicked, this, [this](int column) {
        if (isSortingEnabled()) SortAgainBy(column);
    });
    connect(verticalScrollBar(), &QScrollBar::valueChanged, kept_->verticalScrollBar(),
            &QScrollBar::setValue);
    connect(kept_->verticalScrollBar(), &QScrollBar::valueChanged, verticalScrollBar(),
            &QScrollBar::setValue);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, &TableView::PlaceKeptColumns);
    connect(kept_, &QAbstractItemView::pressed, this, [this] { setFocus(Qt::MouseFocusReason); });
    // A double click opens the cell in the table itself (edit() scrolls it into view).
    connect(kept_, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { edit(index, DoubleClicked, nullptr); });
    PlaceKeptColumns();
}

void TableView::SortAgainBy(int column) {
    const QHeaderView& header = *horizontalHeader();
    const bool again = header.sortIndicatorSection() == column &&
                       header.sortIndicatorOrder() == Qt::AscendingOrder;
    sortByColumn(column, again ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void TableView::scrollTo(const QModelIndex& index, ScrollHint hint) {
    if (pressing_kept_ && index.isValid() && index.column() < kept_count_) {
        // A kept cell pressed is in view over the table: only the rows scroll to it, and the
        // table is never seen to move sideways meanwhile.
        const QSignalBlocker still(horizontalScrollBar());
        const int sideways = horizontalScrollBar()->value();
        QTableView::scrollTo(index, hint);
        horizontalScrollBar()->setValue(sideways);
        return;
    }
    QTableView::scrollTo(index, hint);
    if (kept_ == nullptr || !index.isValid() || index.column() < kept_count_) return;
    // Scrolled so far that the cell would lie under the kept columns: back by what they cover.
    const int covered = KeptWidth() - visualRect(index).left();
    if (covered > 0) horizontalScrollBar()->setValue(horizontalScrollBar()->value() - covered);
}

bool TableView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    if (!QTableView::edit(index, trigger, event)) return false;
    // A kept cell is typed in where the table itself shows it, scrolled back into view.
    if (index.column() < kept_count_ && KeptWidth() > 0) {
        QTableView::scrollTo(index);
    }
    return true;
}

void TableView::updateGeometries() {
    QTableView::updateGeometries();
    PlaceKeptColumns();
}

int TableView::KeptWidth() const {
    if (kept_ == nullptr || horizontalScrollBar()->value() <= 0) return 0;
    int width = 0;
    for (int column = 0; column < kept_count_; ++column) {
        if (!isColumnHidden(column)) width += columnWidth(column);
    }
    return width;
}

void TableView::PlaceKeptColumns() {
    if (kept_ == nullptr) return;
    const int width = KeptWidth();
    // Unscrolled, the table's own first columns are where they always are.
    kept_->setVisible(width > 0);
    if (width == 0) return;
    const int header_height = horizontalHeader()->isVisible() ? horizontalHeader()->height() : 0;
    kept_->horizontalHeader()->setVisible(header_height > 0);
    kept_->horizontalHeader()->setFixedHeight(header_height);
    const int rows_header = verticalHeader()->isVisible() ? verticalHeader()->width() : 0;
    kept_->setGeometry(frameWidth() + rows_header, frameWidth(), width,
                       header_height + viewport()->height());
    kept_->verticalScrollBar()->setValue(verticalScrollBar()->value());
}

}  // namespace club_ui
