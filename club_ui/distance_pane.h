#pragma once

#include "club_ui/pane.h"

class QCheckBox;
class QLabel;
class QTableView;

namespace club_ui {

class DistanceTableModel;

// The distance table with its kilometres switch and, under it, the selected cell in full with
// the bearing. Its shortcut always lands in the table: a plain group box goes back to the widget
// in it that had the focus last, so after In kilometres Alt+T would stay on that switch.
class DistancePane : public Pane {
    Q_OBJECT

  public:
    explicit DistancePane(DistanceTableModel& distances, QWidget* parent = nullptr);

    QCheckBox& kilometresSwitch() { return *kilometres_; }

  protected:
    bool event(QEvent* event) override;

  private slots:
    void ShowInKilometres(bool kilometres);
    void ShowSelectedDistance();
    void CopySelectedDistances();

  private:
    DistanceTableModel& distances_;
    QCheckBox* kilometres_;
    QTableView* view_;
    QLabel* selected_;
};

}  // namespace club_ui
