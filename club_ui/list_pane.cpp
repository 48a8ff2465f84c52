#include "club_ui/list_pane.h"

#include <QAction>
#include <QApplication>
#include <QCompleter>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStyleOptionHeader>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "club_ui/list_model.h"
#include "club_ui/table_view.h"

namespace club_ui {
namespace {

// Room around a cell's text for the style's margins and the focus frame.
constexpr int kCellPadding = 24;

// The editors of a list's cells: a name picked from another list by typing any part of it (a
// clock's loft by its member's name), and a cell offered what was typed there before (a loft's
// rings).
class TypingDelegate : public QStyledItemDelegate {
  public:
    TypingDelegate(const PlaceListModel& list, const QSortFilterProxyModel& order, QObject* parent)
        : QStyledItemDelegate(parent), list_(list), order_(order) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        auto* line = qobject_cast<QLineEdit*>(editor);
        if (line == nullptr) return editor;
        const QModelIndex source = order_.mapToSource(index);
        QStringList offered;
        bool anywhere = false;
        if (const PlaceListModel* choices = list_.ChoicesFor(source.column())) {
            for (int row = 0; row < choices->rowCount(); ++row) offered << choices->NameAt(row);
            anywhere = true;
        } else {
            offered = list_.SuggestionsFor(source);
        }
        if (offered.isEmpty()) return editor;
        auto* completer = new QCompleter(offered, line);
        completer->setCaseSensitivity(Qt::CaseInsensitive);
        completer->setFilterMode(anywhere ? Qt::MatchContains : Qt::MatchStartsWith);
        line->setCompleter(completer);
        // Enter in the list offered takes the name and the cell at once, as Enter in the cell
        // does: a loft's first match when picking one, what was typed when offered rings.
        QAbstractItemView* popup = completer->popup();
        popup->setProperty(kPicking, anywhere);
        popup->setProperty(kEditor, QVariant::fromValue(static_cast<QObject*>(line)));
        popup->installEventFilter(const_cast<TypingDelegate*>(this));
        return editor;
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* popup = qobject_cast<QAbstractItemView*>(watched);
        if (popup == nullptr) return QStyledItemDelegate::eventFilter(watched, event);
        if (event->type() != QEvent::KeyPress) return false;
        const int key = static_cast<const QKeyEvent*>(event)->key();
        auto* line = qobject_cast<QLineEdit*>(popup->property(kEditor).value<QObject*>());
        const QCompleter* completer = line == nullptr ? nullptr : line->completer();
        if ((key != Qt::Key_Return && key != Qt::Key_Enter) || completer == nullptr) return false;
        if (popup->currentIndex().isValid()) {
            line->setText(popup->currentIndex().data().toString());
        } else if (popup->property(kPicking).toBool()) {
            line->setText(completer->currentCompletion());
        }
        popup->hide();
        emit const_cast<TypingDelegate*>(this)->commitData(line);
        emit const_cast<TypingDelegate*>(this)->closeEditor(
            line, QAbstractItemDelegate::SubmitModelCache);
        return true;
    }

  private:
    static constexpr const char* kPicking = "picking";
    static constexpr const char* kEditor = "editor";

    const PlaceListModel& list_;
    const QSortFilterProxyModel& order_;
};

}  // namespace

ListPane::ListPane(PlaceListModel& list, QWidget* parent)
    : Pane(list.texts().frame_title, parent),
      list_(list),
      order_(new QSortFilterProxyModel(this)),
      view_(new TableView) {
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
    // A list whose first column has a usual width of its own (a clock's loft) keeps it, and its
    // last column takes what is left.
    const bool names_first = !list_.WidestText(0).isEmpty() && list_.columnCount() > 2;
    header.setStretchLastSection(names_first);
    for (int column = 0; column < list_.columnCount(); ++column) {
        const bool stretched = column == 0 && !names_first;
        header.setSectionResizeMode(column,
                                    stretched ? QHeaderView::Stretch : QHeaderView::Interactive);
        if (stretched) {
            columns_width_ += header.sectionSizeHint(column);
            continue;
        }
        const QString widest = list_.WidestText(column);
        const int width = list_.IsCoordinate(column) ? coordinate_width
                          : widest.isEmpty()
                              ? other_width
                              : view_->fontMetrics().horizontalAdvance(widest) + kCellPadding;
        const int own_width = std::max(width, header.sectionSizeHint(column));
        header.resizeSection(column, own_width);
        columns_width_ += own_width;
    }
    view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + 8);
    view_->setItemDelegate(new TypingDelegate(list_, *order_, view_));
    if (list_.EnterMovesOn()) {
        // A clock's tape typed in: Enter takes the cell typed and goes on to the next, and from a
        // row's last cell to a new row of the same loft. Queued, so that the cell is written and
        // its editor gone first.
        connect(view_->itemDelegate(), &QAbstractItemDelegate::closeEditor, this,
                [this](QWidget*, QAbstractItemDelegate::EndEditHint hint) {
                    if (hint == QAbstractItemDelegate::RevertModelCache) {
                        // Escape in a bird just begun: it is taken back, once its editor is
                        // gone and the list done with closing it.
                        QTimer::singleShot(0, this,
                                           [this] { list_.TakeBackIfBlank(CurrentRow()); });
                        return;
                    }
                    if (hint != QAbstractItemDelegate::SubmitModelCache) return;
                    QTimer::singleShot(0, this, &ListPane::MoveOnFromCell);
                });
    }
    connect(view_, &QAbstractItemView::activated, this, [this](const QModelIndex& index) {
        emit RowActivated(order_->mapToSource(index).row());
    });
    connect(view_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current, const QModelIndex& previous) {
                ShowCellProblem(order_->mapToSource(current));
                if (current.row() != previous.row() || !previous.isValid()) {
                    emit CurrentRowChanged(order_->mapToSource(current).row());
                }
            });
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
        menu.addAction(list_.ColumnTitle(column), this,
                       [this, column] { view_->SortAgainBy(column); });
    }
    menu.addSeparator();
    menu.addAction(tr("The order they were added"), this,
                   [this] { view_->sortByColumn(-1, Qt::AscendingOrder); });
}

void ListPane::AddRow() {
    // In a list typed from a tape, a new row is like the one the user is at (a bird of the same
    // loft), ready for typing where such a row begins.
    const int current = CurrentRow();
    const bool like = list_.EnterMovesOn() && current >= 0;
    const int row = like ? list_.AddRowLike(current) : list_.AddRow();
    if (row < 0) return;
    const QModelIndex cell =
        order_->mapFromSource(list_.index(row, like ? list_.FirstColumnOfRowLike() : 0));
    view_->setFocus();
    view_->setCurrentIndex(cell);
    view_->edit(cell);
}

void ListPane::MoveOnFromCell() {
    const QModelIndex current = order_->mapToSource(view_->currentIndex());
    if (!current.isValid()) return;
    QModelIndex next;
    if (current.column() + 1 < list_.columnCount()) {
        next = list_.index(current.row(), current.column() + 1);
    } else {
        if (!list_.EnterBeginsRow()) return;
        const int row = list_.AddRowLike(current.row());
        if (row < 0) return;
        next = list_.index(row, list_.FirstColumnOfRowLike());
    }
    const QModelIndex cell = order_->mapFromSource(next);
    // The focus comes back to the list from a list of names offered, which took it.
    view_->setFocus();
    view_->setCurrentIndex(cell);
    view_->scrollTo(cell);
    view_->edit(cell);
}

void ListPane::SelectRow(int row) {
    const QModelIndex cell = order_->mapFromSource(list_.index(row, 0));
    view_->setCurrentIndex(cell);
    view_->scrollTo(cell);
}

void ListPane::TakeBackRowBegun() {
    list_.TakeBackIfBlank(CurrentRow());
}

void ListPane::KeepEveryColumnInView() {
    // The columns as wide as they were made, before a stretched one took what the list had over.
    int width = columns_width_;
    // The row numbers' header as wide as it is at row 9999, measured as the header measures it:
    // in bold, as the number of the row the user is at is shown.
    QHeaderView& rows = *view_->verticalHeader();
    QStyleOptionHeader row_number;
    row_number.initFrom(&rows);
    row_number.orientation = Qt::Vertical;
    row_number.text = QStringLiteral("9999");
    QFont bold = rows.font();
    bold.setBold(true);
    row_number.fontMetrics = QFontMetrics(bold);
    width += rows.style()
                 ->sizeFromContents(QStyle::CT_HeaderSection, &row_number, QSize(), &rows)
                 .width();
    width += view_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, view_);
    width += 2 * view_->frameWidth();
    const QMargins around = contentsMargins() + layout()->contentsMargins();
    setMinimumWidth(width + around.left() + around.right());
}

void ListPane::KeepFirstColumnInView() {
    view_->KeepFirstColumnsInView(1);
}

int ListPane::CurrentRow() const {
    return order_->mapToSource(view_->currentIndex()).row();
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
