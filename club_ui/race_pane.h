#pragma once

#include <QWidget>
#include <cstdint>
#include <string>

#include "club_ui/pane.h"

class QCheckBox;
class QLabel;
class QSortFilterProxyModel;
class QTableView;

namespace club_ui {

class ClubDocument;
class ListPane;
class ResultModel;
class TableView;

// The race's result as it grows, with a switch for each loft's first bird only and, under it, the
// bird selected in full: the calculator's figures and what to give the calculator to check them.
class ResultPane : public Pane {
    Q_OBJECT

  public:
    ResultPane(ClubDocument& document, QWidget* parent = nullptr);

    QCheckBox& firstBirdSwitch() { return *first_bird_; }

  protected:
    bool event(QEvent* event) override;

  private slots:
    void ShowFirstBirdsOnly(bool first_birds);
    void ShowSelectedBird();
    void CopySelectedCells();
    void Select(const QModelIndex& bird);

  private:
    ClubDocument& document_;
    ResultModel& result_;
    QCheckBox* first_bird_;
    QSortFilterProxyModel* ranked_;
    QSortFilterProxyModel* problems_;
    TableView* view_;
    TableView* problem_view_;
    QLabel* selected_;
    // The bird selected, kept selected as the result is worked out again.
    std::int64_t selected_loft_ = 0;
    std::string selected_ring_;
};

// Race night: the season's races, and for the race picked its clocks, the birds clocked and the
// result, beside each other so that the result is seen growing as the birds are typed in.
class RacePane : public QWidget {
    Q_OBJECT

  public:
    explicit RacePane(ClubDocument& document, QWidget* parent = nullptr);

    ListPane& races() { return *races_; }
    ListPane& clocks() { return *clocks_; }
    ListPane& birds() { return *birds_; }
    ResultPane& result() { return *result_; }

  signals:
    void CellProblemShown(const QString& problem);

  private slots:
    void ShowRaceOpen();

  private:
    ClubDocument& document_;
    ListPane* races_;
    QLabel* race_open_;
    ListPane* clocks_;
    ListPane* birds_;
    ResultPane* result_;
};

}  // namespace club_ui
