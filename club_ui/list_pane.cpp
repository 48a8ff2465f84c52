#include "club_ui/list_pane.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMenu>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "club_ui/place_list_model.h"

namespace club_ui {
namespace {

// Room around a cell's text for the style's margins and the focus frame.
constexpr int kCellPadding = 24;

}  // namespace

ListPane::ListPane(PlaceListModel& list, QWidget* parent)
    : QGroupBox(list.texts().frame_title, parent),
      list_(list),
      order_(new QSortFilterProxyModel(this)),
      view_(new QTableView) {
    order_->setSourceModel(&list_);
    order_->setSortRole(kSortRole);
    order_->setSortCaseSensitivity(Qt::CaseInsensitive);
    order_->setSortLocaleAware(true);
    view_->setModel(order_);
    view_->setAccessibleName(list_.texts().items);
    view_->setSortingEnabled(true);
    // The order they were added until a header is clicked.
    view_->sortByColumn(-1, Qt::AscendingOrder);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed);
    view_->setTabKeyNavigation(false);  // Tab leaves the list for the next field
    // The member's or race point's name has what is left once the coordinates have room for
    // their written form and the mark of one that cannot be read, and a loft's name room for a
    // usual one: most members have a single loft and leave it empty, while a member's name such
    // as "K. Jevons & Daughter" needs the width.
    const int coordinate_width =
        view_->fontMetrics().horizontalAdvance(QStringLiteral("188°88'88.8\"W")) +
        view_->iconSize().width() + kCellPadding;
    const int other_width =
        view_->fontMetrics().horizontalAdvance(QStringLiteral("Young birds")) + kCellPadding;
    QHeaderView& header = *view_->horizontalHeader();
    for (int column = 0; column < list_.columnCount(); ++column) {
        header.setSectionResizeMode(column,
                                    column == 0 ? QHeaderView::Stretch : QHeaderView::Interactive);
        if (column > 0) {
            header.resizeSection(column,
                                 list_.IsCoordinate(column) ? coordinate_width : other_width);
        }
    }
    view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + 8);
    connect(view_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { ShowCellProblem(order_->mapToSource(current)); });
    // A cell just mended, or just mistyped, says so where the user is looking: the change comes
    // while the cell's editor still has the focus, inside the list.
    connect(&list_, &QAbstractItemModel::dataChanged, this, [this] {
        const QWidget* focus = QApplication::focusWidget();
        if (focus == view_ || view_->isAncestorOf(focus)) {
            ShowCellProblem(order_->mapToSource(view_->currentIndex()));
        }
    });

    auto* add = new QPushButton(list_.texts().add_button);
    auto* remove = new QPushButton(list_.texts().delete_button);
    connect(add, &QPushButton::clicked, this, &ListPane::AddRow);
    connect(remove, &QPushButton::clicked, this, &ListPane::DeleteSelectedRows);
    // Delete in the list deletes the selected rows, as the button does; while a cell is being
    // typed in, the key belongs to the cell.
    auto* delete_key = new QAction(list_.texts().delete_button, view_);
    delete_key->setShortcut(QKeySequence::Delete);
    delete_key->setShortcutContext(Qt::WidgetShortcut);
    connect(delete_key, &QAction::triggered, this, &ListPane::DeleteSelectedRows);
    view_->addAction(delete_key);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(remove);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view_);
    layout->addLayout(buttons);
}

void ListPane::AddSortActions(QMenu& menu) {
    // The headers sort with a click; these sort from the keyboard, a second time the other way.
    for (int column = 0; column < list_.columnCount(); ++column) {
        menu.addAction(list_.ColumnTitle(column), this, [this, column] {
            const QHeaderView& header = *view_->horizontalHeader();
            const bool again = header.sortIndicatorSection() == column &&
                               header.sortIndicatorOrder() == Qt::AscendingOrder;
            view_->sortByColumn(column, again ? Qt::DescendingOrder : Qt::AscendingOrder);
        });
    }
    menu.addSeparator();
    menu.addAction(tr("The order they were added"), this,
                   [this] { view_->sortByColumn(-1, Qt::AscendingOrder); });
}

void ListPane::AddRow() {
    const int row = list_.AddRow();
    if (row < 0) return;
    // The new row's first cell is ready for typing.
    const QModelIndex cell = order_->mapFromSource(list_.index(row, 0));
    view_->setFocus();
    view_->setCurrentIndex(cell);
    view_->edit(cell);
}

void ListPane::DeleteSelectedRows() {
    std::vector<int> rows;
    for (const QModelIndex& index : view_->selectionModel()->selectedRows()) {
        rows.push_back(order_->mapToSource(index).row());
    }
    if (rows.empty() && view_->currentIndex().isValid()) {
        rows.push_back(order_->mapToSource(view_->currentIndex()).row());
    }
    list_.DeleteRows(std::move(rows));
}

void ListPane::ShowCellProblem(const QModelIndex& index) {
    const bool marked = index.isValid() && index.data(Qt::BackgroundRole).isValid();
    emit CellProblemShown(marked ? index.data(Qt::ToolTipRole).toString() : QString());
}

}  // namespace club_ui
