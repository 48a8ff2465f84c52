#include "club_ui/race_pane.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "club_ui/club_document.h"
#include "club_ui/list_pane.h"
#include "club_ui/result_model.h"
#include "results/result_messages.h"

namespace club_ui {
namespace {

constexpr int kCellPadding = 24;

}  // namespace

ResultPane::ResultPane(ClubDocument& document, QWidget* parent)
    : QGroupBox(tr("Res&ult"), parent),
      document_(document),
      result_(document.result()),
      first_bird_(new QCheckBox(tr("Each loft's first bird &only"))),
      view_(new QTableView),
      selected_(new QLabel) {
    view_->setModel(&result_);
    view_->setAccessibleName(tr("Result"));
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
    header.setStretchLastSection(true);
    connect(first_bird_, &QCheckBox::toggled, this, &ResultPane::ShowFirstBirdsOnly);
    connect(view_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (!current.isValid()) return;
                const results::ResultRow& row = result_.RowAt(current.row());
                selected_loft_ = row.loft_id;
                selected_ring_ = row.ring;
                ShowSelectedBird();
            });
    connect(&result_, &QAbstractItemModel::modelReset, this, [this] {
        const int row = result_.RowOf(selected_loft_, selected_ring_);
        if (row >= 0) {
            const QSignalBlocker quiet(view_->selectionModel());
            view_->setCurrentIndex(result_.index(row, ResultModel::Position));
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
    selected_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    selected_->setWordWrap(true);
    selected_->setTextFormat(Qt::PlainText);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(first_bird_);
    layout->addWidget(view_, 1);
    layout->addWidget(selected_);
    setTabOrder(view_, first_bird_);
    ShowSelectedBird();
}

bool ResultPane::event(QEvent* event) {
    // The frame's shortcut lands in the result itself, not on the switch above it.
    if (event->type() != QEvent::Shortcut) return QGroupBox::event(event);
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
        headings << result_.headerData(column, Qt::Horizontal).toString();
    }
    QString text = headings.join('\t') + '\n';
    int row = cells.first().row();
    QStringList line(right - left + 1);
    for (const QModelIndex& cell : cells) {
        if (cell.row() != row) {
            text += line.join('\t') + '\n';
            line = QStringList(right - left + 1);
            row = cell.row();
        }
        // The velocity in full, as the calculator gives it, not cut to the club's decimals.
        line[cell.column() - left] = cell.column() == ResultModel::Velocity
                                         ? cell.data(Qt::ToolTipRole).toString()
                                         : cell.data().toString();
    }
    text += line.join('\t') + '\n';
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
    auto* typed = new QSplitter(Qt::Vertical);
    typed->addWidget(clocks_);
    typed->addWidget(birds_);
    typed->setStretchFactor(0, 1);
    typed->setStretchFactor(1, 2);
    auto* typed_and_result = new QSplitter(Qt::Horizontal);
    typed_and_result->addWidget(typed);
    typed_and_result->addWidget(result_);
    typed_and_result->setStretchFactor(0, 4);
    typed_and_result->setStretchFactor(1, 5);
    auto* page = new QWidget;
    auto* page_layout = new QVBoxLayout(page);
    page_layout->setContentsMargins(0, 0, 0, 0);
    page_layout->addWidget(race_open_);
    page_layout->addWidget(typed_and_result, 1);
    auto* whole = new QSplitter(Qt::Vertical);
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
