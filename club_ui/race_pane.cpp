#include "club_ui/race_pane.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "club_ui/club_document.h"
#include "club_ui/list_pane.h"
#include "club_ui/result_model.h"
#include "club_ui/table_view.h"
#include "club_ui/wrapping_label.h"
#include "results/result_messages.h"

namespace club_ui {
namespace {

constexpr int kCellPadding = 24;

}  // namespace

ResultPane::ResultPane(ClubDocument& document, QWidget* parent)
    : Pane(tr("Res&ult"), parent),
      document_(document),
      result_(document.result()),
      first_bird_(new QCheckBox(tr("Each loft's first bird &only"))),
      ranked_(new QSortFilterProxyModel(this)),
      problems_(new QSortFilterProxyModel(this)),
      view_(new TableView),
      problem_view_(new TableView),
      selected_(new WrappingLabel) {
    // The ranked birds, and under them the birds with no result and why: one result, two tables.
    for (auto [proxy, standing] : {std::pair{ranked_, "ranked"}, std::pair{problems_, "problem"}}) {
        proxy->setSourceModel(&result_);
        proxy->setFilterRole(ResultModel::kStandingRole);
        proxy->setFilterFixedString(QLatin1String(standing));
    }
    view_->setModel(ranked_);
    view_->setAccessibleName(tr("Result"));
    view_->setColumnHidden(ResultModel::Problem, true);
    problem_view_->setModel(problems_);
    problem_view_->setAccessibleName(tr("Birds with no result"));
    for (const int column : {ResultModel::Position, ResultModel::Velocity, ResultModel::Distance,
                             ResultModel::FlyingTime}) {
        problem_view_->setColumnHidden(column, true);
    }
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setTabKeyNavigation(false);
    view_->setWordWrap(false);
    view_->verticalHeader()->hide();
    view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + 8);
    // Widths for the longest usual figures, not fitted to the contents, which would measure every
    // bird of the race each time one is typed.
    const QFontMetrics metrics = view_->fontMetrics();
    const auto width = [&metrics](const char* text) {
        return metrics.horizontalAdvance(QLatin1String(text)) + kCellPadding;
    };
    QHeaderView& header = *view_->horizontalHeader();
    header.resizeSection(ResultModel::Position, width("8888"));
    header.resizeSection(ResultModel::Loft, width("K. Jevons & Daughter"));
    header.resizeSection(ResultModel::Ring, width("GB26N123456"));
    header.resizeSection(ResultModel::Distance, width("888 mi 1888 yd"));
    header.resizeSection(ResultModel::Clocked, width("2026-05-09 14:01:00"));
    header.resizeSection(ResultModel::FlyingTime, width("88 h 88 min 88.88 s"));
    header.resizeSection(ResultModel::Velocity, width("Velocity (yd/min)"));
    header.resizeSection(ResultModel::Problem, width("Clocked before its clock was set."));
    header.setStretchLastSection(true);
    // The bird's place and member stay beside its figures further along the row.
    view_->KeepFirstColumnsInView(ResultModel::Loft + 1);
    for (QTableView* problem_view : {problem_view_}) {
        problem_view->setSelectionBehavior(QAbstractItemView::SelectRows);
        problem_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        problem_view->setTabKeyNavigation(false);
        problem_view->setWordWrap(false);
        problem_view->verticalHeader()->hide();
        problem_view->verticalHeader()->setDefaultSectionSize(metrics.height() + 8);
        QHeaderView& problem_header = *problem_view->horizontalHeader();
        for (const int column : {ResultModel::Loft, ResultModel::Ring, ResultModel::Clocked}) {
            problem_header.resizeSection(column, header.sectionSize(column));
        }
        problem_header.setStretchLastSection(true);
    }
    connect(first_bird_, &QCheckBox::toggled, this, &ResultPane::ShowFirstBirdsOnly);
    for (QTableView* table : {view_, problem_view_}) {
        connect(table->selectionModel(), &QItemSelectionModel::currentChanged, this,
                [this, table](const QModelIndex& current) {
                    const auto* proxy = static_cast<const QSortFilterProxyModel*>(table->model());
                    Select(proxy->mapToSource(current));
                });
    }
    connect(&result_, &QAbstractItemModel::modelReset, this, [this] {
        const int row = result_.RowOf(selected_loft_, selected_ring_);
        if (row >= 0) {
            for (QTableView* table : {view_, problem_view_}) {
                const auto* proxy = static_cast<const QSortFilterProxyModel*>(table->model());
                const QModelIndex shown = proxy->mapFromSource(result_.index(row, 0));
                if (!shown.isValid()) continue;
                const QSignalBlocker quiet(table->selectionModel());
                table->setCurrentIndex(shown.siblingAtColumn(ResultModel::Loft));
            }
        }
        ShowSelectedBird();
    });
    // Ctrl+C in the result: the selected birds as a spreadsheet pastes them, headings first.
    auto* copy = new QAction(tr("Copy birds"), view_);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    connect(copy, &QAction::triggered, this, &ResultPane::CopySelectedCells);
    view_->addAction(copy);
    selected_->setAccessibleName(tr("Selected bird"));
    selected_->setTextFormat(Qt::PlainText);
    auto* problems_title = new QLabel(tr("Birds with no result"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(first_bird_);
    layout->addWidget(view_, 4);
    layout->addWidget(problems_title);
    layout->addWidget(problem_view_, 1);
    layout->addWidget(selected_);
    setTabOrder(view_, problem_view_);
    setTabOrder(problem_view_, first_bird_);
    ShowSelectedBird();
}

void ResultPane::Select(const QModelIndex& bird) {
    if (!bird.isValid()) return;
    const results::ResultRow& row = result_.RowAt(bird.row());
    selected_loft_ = row.loft_id;
    selected_ring_ = row.ring;
    ShowSelectedBird();
}

bool ResultPane::event(QEvent* event) {
    // The frame's shortcut lands in the result itself, not on the switch above it.
    if (event->type() != QEvent::Shortcut) return Pane::event(event);
    view_->setFocus(Qt::ShortcutFocusReason);
    return true;
}

void ResultPane::ShowFirstBirdsOnly(bool first_birds) {
    results::ResultOptions options = result_.options();
    options.first_bird_only = first_birds;
    document_.SetResultOptions(options);
}

void ResultPane::ShowSelectedBird() {
    const int row = result_.RowOf(selected_loft_, selected_ring_);
    if (row < 0) {
        selected_->setText(result_.rowCount() == 0
                               ? tr("The birds clocked are ranked here as they are typed in.")
                               : tr("Select a bird to see its figures in full."));
        return;
    }
    selected_->setText(document_.BirdInFull(result_.RowAt(row)));
}

void ResultPane::CopySelectedCells() {
    QModelIndexList cells = view_->selectionModel()->selectedIndexes();
    if (cells.isEmpty() && view_->currentIndex().isValid()) cells.append(view_->currentIndex());
    if (cells.isEmpty()) return;
    std::sort(cells.begin(), cells.end());
    int left = cells.first().column(), right = left;
    for (const QModelIndex& cell : cells) {
        left = std::min(left, cell.column());
        right = std::max(right, cell.column());
    }
    QStringList headings;
    for (int column = left; column <= right; ++column) {
        if (view_->isColumnHidden(column)) continue;
        headings << result_.headerData(column, Qt::Horizontal).toString();
    }
    QString text = headings.join('\t') + '\n';
    int row = cells.first().row();
    QStringList line(right - left + 1);
    const auto shown_line = [this, left](const QStringList& cells_of_row) {
        QStringList shown;
        for (qsizetype at = 0; at < cells_of_row.size(); ++at) {
            if (!view_->isColumnHidden(left + static_cast<int>(at))) shown << cells_of_row[at];
        }
        return shown.join('\t') + '\n';
    };
    for (const QModelIndex& cell : cells) {
        if (cell.row() != row) {
            text += shown_line(line);
            line = QStringList(right - left + 1);
            row = cell.row();
        }
        // The velocity in full, as the calculator gives it, not cut to the club's decimals.
        line[cell.column() - left] = cell.column() == ResultModel::Velocity
                                         ? cell.data(Qt::ToolTipRole).toString()
                                         : cell.data().toString();
    }
    text += shown_line(line);
    QApplication::clipboard()->setText(text);
}

RacePane::RacePane(ClubDocument& document, QWidget* parent)
    : QWidget(parent),
      document_(document),
      races_(new ListPane(document.races())),
      race_open_(new QLabel),
      clocks_(new ListPane(document.clocks())),
      birds_(new ListPane(document.clockings())),
      result_(new ResultPane(document)) {
    race_open_->setAccessibleName(tr("Race open"));
    race_open_->setWordWrap(true);
    race_open_->setTextFormat(Qt::PlainText);
    QFont bold = race_open_->font();
    bold.setBold(true);
    race_open_->setFont(bold);
    // A tape is typed into the birds from loft to ring to time: all three stay in view.
    birds_->KeepEveryColumnInView();
    // A clock's loft stays in view beside the readings at the far end of its row.
    clocks_->KeepFirstColumnInView();
    auto* typed = new QSplitter(Qt::Vertical);
    typed->setObjectName(QStringLiteral("clocks-and-birds"));
    typed->addWidget(clocks_);
    typed->addWidget(birds_);
    // Half each: a clock is struck and its tape's birds typed in turn, loft after loft.
    typed->setStretchFactor(0, 1);
    typed->setStretchFactor(1, 1);
    typed->setSizes({1, 1});
    auto* typed_and_result = new QSplitter(Qt::Horizontal);
    typed_and_result->setObjectName(QStringLiteral("typed-and-result"));
    typed_and_result->addWidget(typed);
    typed_and_result->addWidget(result_);
    typed_and_result->setStretchFactor(0, 2);
    typed_and_result->setStretchFactor(1, 3);
    auto* page = new QWidget;
    auto* page_layout = new QVBoxLayout(page);
    page_layout->setContentsMargins(0, 0, 0, 0);
    page_layout->addWidget(race_open_);
    page_layout->addWidget(typed_and_result, 1);
    auto* whole = new QSplitter(Qt::Vertical);
    whole->setObjectName(QStringLiteral("races-and-race"));
    whole->addWidget(races_);
    whole->addWidget(page);
    whole->setStretchFactor(0, 1);
    whole->setStretchFactor(1, 5);
    whole->setSizes({130, 600});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(whole);

    // The race the user is at in the list is the race open.
    connect(races_, &ListPane::CurrentRowChanged, this, [this](int row) {
        const club::Id picked = row < 0 ? 0 : document_.races().IdAt(row);
        const std::optional<club::Race> open = document_.OpenRaceRecord();
        if ((open ? open->id : 0) != picked) document_.OpenRace(picked);
    });
    // Enter on a race: its birds, to type them in.
    connect(races_, &ListPane::RowActivated, this, [this] { birds_->setFocus(); });
    connect(&document_, &ClubDocument::RaceOpened, this, &RacePane::ShowRaceOpen);
    // The lofts competing and the birds clocked, counted again as they are typed.
    connect(&document_.result(), &QAbstractItemModel::modelReset, this, &RacePane::ShowRaceOpen);
    connect(&document_.races(), &QAbstractItemModel::dataChanged, this, &RacePane::ShowRaceOpen);
    connect(&document_.racePoints(), &QAbstractItemModel::dataChanged, this,
            &RacePane::ShowRaceOpen);
    for (ListPane* pane : {races_, clocks_, birds_}) {
        connect(pane, &ListPane::CellProblemShown, this, &RacePane::CellProblemShown);
    }
    ShowRaceOpen();
}

void RacePane::ShowRaceOpen() {
    const std::optional<club::Race> race = document_.OpenRaceRecord();
    clocks_->setEnabled(race.has_value());
    birds_->setEnabled(race.has_value());
    if (!race) {
        race_open_->setText(
            tr("Pick a race in the list above, or add one, to type in its clocks "
               "and birds."));
        return;
    }
    if (const int row = document_.races().RowOf(race->id);
        row >= 0 && row != races_->CurrentRow()) {
        races_->SelectRow(row);
    }
    race_open_->setText(document_.RaceDescription());
}

}  // namespace club_ui
