#include "club_ui/distance_pane.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "club_ui/distance_table_model.h"
#include "club_ui/wrapping_label.h"

namespace club_ui {
namespace {

// Room around a cell's text for the style's margins and the focus frame.
constexpr int kCellPadding = 24;

QString NothingSelected() {
    return DistancePane::tr("Select a cell to see its distance in full and the bearing.");
}

}  // namespace

DistancePane::DistancePane(DistanceTableModel& distances, QWidget* parent)
    : Pane(tr("Dis&tances from race points to lofts"), parent),
      distances_(distances),
      kilometres_(new QCheckBox(tr("In &kilometres"))),
      view_(new QTableView),
      selected_(new WrappingLabel(NothingSelected())) {
    kilometres_->setAccessibleName(tr("Distances in kilometres"));
    view_->setModel(&distances_);
    view_->setAccessibleName(tr("Distances"));
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setTabKeyNavigation(false);
    view_->setWordWrap(false);
    // Fixed widths: fitting the columns to their contents would work out every distance.
    ShowInKilometres(false);
    view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + 8);
    view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view_->verticalHeader()->setMaximumWidth(
        view_->fontMetrics().horizontalAdvance(QStringLiteral("M")) * 22);
    connect(view_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &DistancePane::ShowSelectedDistance);
    connect(&distances_, &QAbstractItemModel::modelReset, this,
            &DistancePane::ShowSelectedDistance);
    connect(&distances_, &QAbstractItemModel::dataChanged, this,
            &DistancePane::ShowSelectedDistance);
    connect(kilometres_, &QCheckBox::toggled, this, &DistancePane::ShowInKilometres);
    // Ctrl+C in the table: the selected distances as a spreadsheet pastes them.
    auto* copy = new QAction(tr("Copy distances"), view_);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    connect(copy, &QAction::triggered, this, &DistancePane::CopySelectedDistances);
    view_->addAction(copy);
    selected_->setAccessibleName(tr("Selected distance"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(kilometres_);
    layout->addWidget(view_, 1);
    layout->addWidget(selected_);
    // The frame's shortcut lands in the table itself; the switch above it comes next.
    setTabOrder(view_, kilometres_);
}

bool DistancePane::event(QEvent* event) {
    if (event->type() != QEvent::Shortcut) return Pane::event(event);
    view_->setFocus(Qt::ShortcutFocusReason);
    return true;
}

void DistancePane::ShowInKilometres(bool kilometres) {
    distances_.ShowKilometres(kilometres);
    // Fixed widths for the longest figure: fitting the columns to their contents would work out
    // every distance in the table.
    const QString widest =
        kilometres ? QStringLiteral("8888.888 km") : QStringLiteral("1888 miles 1888 yards");
    const int width = view_->fontMetrics().horizontalAdvance(widest) + kCellPadding;
    view_->horizontalHeader()->setDefaultSectionSize(width);
    for (int column = 0; column < distances_.columnCount(); ++column) {
        view_->horizontalHeader()->resizeSection(column, width);
    }
}

void DistancePane::ShowSelectedDistance() {
    const QModelIndex current = view_->currentIndex();
    selected_->setText(current.isValid() ? distances_.Description(current) : NothingSelected());
}

void DistancePane::CopySelectedDistances() {
    QModelIndexList cells = view_->selectionModel()->selectedIndexes();
    if (cells.isEmpty() && view_->currentIndex().isValid()) cells.append(view_->currentIndex());
    if (cells.isEmpty()) return;
    // The rectangle around the selection, tab-separated as spreadsheets paste it; a cell inside it
    // but not selected is left empty, keeping the columns.
    int top = cells.first().row(), bottom = top, left = cells.first().column(), right = left;
    for (const QModelIndex& cell : cells) {
        top = std::min(top, cell.row());
        bottom = std::max(bottom, cell.row());
        left = std::min(left, cell.column());
        right = std::max(right, cell.column());
    }
    // A heading row, then a row a loft with its name first; each distance is a number in a cell
    // of its own (miles and yards, or kilometres), so that a spreadsheet can calculate with it.
    const int figures = distances_.showsKilometres() ? 1 : 2;
    QList<QStringList> rows(bottom - top + 2, QStringList((right - left + 1) * figures + 1));
    rows[0][0] = tr("Loft");
    for (int column = left; column <= right; ++column) {
        const QStringList headings = distances_.FigureHeadings(column);
        for (int figure = 0; figure < figures; ++figure) {
            rows[0][1 + (column - left) * figures + figure] = headings.value(figure);
        }
    }
    for (int row = top; row <= bottom; ++row) {
        rows[row - top + 1][0] = distances_.headerData(row, Qt::Vertical).toString();
    }
    for (const QModelIndex& cell : cells) {
        const QStringList values = distances_.Figures(cell);
        for (int figure = 0; figure < figures; ++figure) {
            rows[cell.row() - top + 1][1 + (cell.column() - left) * figures + figure] =
                values.value(figure);
        }
    }
    QString text;
    for (const QStringList& row : rows) text += row.join('\t') + '\n';
    QApplication::clipboard()->setText(text);
}

}  // namespace club_ui
