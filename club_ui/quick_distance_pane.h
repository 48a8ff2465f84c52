#pragma once

#include "club_ui/pane.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace club_ui {

class PlaceListModel;

// The distance between two positions typed or pasted in, or copied from a race point and a loft
// of the club's lists.
class QuickDistancePane : public Pane {
    Q_OBJECT

  public:
    QuickDistancePane(const PlaceListModel& lofts, const PlaceListModel& race_points,
                      QWidget* parent = nullptr);

  private slots:
    void WorkOutDistance();

  private:
    QComboBox* Picker(const PlaceListModel& list, const QString& name, const QString& prompt,
                      QLineEdit& latitude, QLineEdit& longitude);

    QLineEdit* from_latitude_;
    QLineEdit* from_longitude_;
    QLineEdit* to_latitude_;
    QLineEdit* to_longitude_;
    QLabel* result_;
};

}  // namespace club_ui
