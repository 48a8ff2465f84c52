#pragma once

#include <QDialog>
#include <vector>

#include "club_ui/place_list_model.h"
#include "distance/places_csv.h"

namespace club_ui {

// What importing a places file would do to a list, worked out before anything is added.
struct ImportSummary {
    std::vector<distance::Place> places_to_add;    // as read from the file
    std::vector<distance::CellProblem> problems;   // cells that could not be read
    std::vector<distance::Place> already_present;  // same name and position as a row in the list
};

template <typename Record>
struct ImportPlan : ImportSummary {
    std::vector<Record> rows_to_add;  // the places to add as the list's rows, ids not yet given
};

// A place of the same name and position as one in the list, or as one earlier in the file, is
// not added again: a secretary who imports the same spreadsheet twice gets no duplicates.
template <typename Record>
ImportPlan<Record> PlanImport(const PlaceList<Record>& list, const distance::PlacesFile& file);

// Shows what an import would add, which rows are bad and why, and which are already in the list;
// nothing is added unless the user accepts.
class ImportPreviewDialog : public QDialog {
    Q_OBJECT

  public:
    ImportPreviewDialog(const ImportSummary& plan, const QString& file_name, const QString& items,
                        QWidget* parent = nullptr);
};

}  // namespace club_ui
