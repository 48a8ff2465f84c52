#pragma once

#include <QDialog>
#include <QString>
#include <vector>

#include "club/place_import.h"
#include "club_ui/place_list_model.h"
#include "club_ui/race_lists.h"
#include "results/return_csv.h"

namespace club_ui {

// One line of an import's preview: the file's row, what becomes of it, the member or race point
// it is, and the details (the position as read, a change's old and new positions, what is wrong).
struct PreviewLine {
    std::size_t row = 0;
    QString outcome;
    QString name;
    QString details;
};

// What importing a places file would do to a list, worked out before anything is changed.
struct ImportSummary {
    std::vector<PreviewLine> lines;
    int to_add = 0;
    int to_change = 0;
    int already_there = 0;
    int bad = 0;
};

template <typename Record>
struct ImportPlan : ImportSummary {
    std::vector<Record> rows_to_add;  // ids not yet given
    // A loft already in the club at another position: the row as it is and as it will be.
    std::vector<std::pair<Record, Record>> changes;
};

// A place of the same name as one in the list is the same place: at the same position (to a
// tenth of a second, whatever notation either is written in) it is not added again, at another
// it is that row's position changed, never a second row.
template <typename Record>
ImportPlan<Record> PlanImport(const PlaceList<Record>& list, const club::ImportFile<Record>& file);

// A race's return (the CSV race-result reads) taken into the race open: its birds, and the clocks
// of lofts that have none in the race yet, for the club's own lofts matched by name. A loft the
// club does not have, and a row that does not read, are named and not taken.
struct ReturnImportPlan : ImportSummary {
    std::vector<club::Clock> clocks_to_add;
    std::vector<club::Clocking> clockings_to_add;
};
ReturnImportPlan PlanReturnImport(const LoftList& lofts, const ClockList& clocks,
                                  const ClockingList& clockings, club::Id race,
                                  const results::ReturnFile& file);

// Shows what an import would do, row by row; nothing is changed unless the user accepts.
class ImportPreviewDialog : public QDialog {
    Q_OBJECT

  public:
    ImportPreviewDialog(const ImportSummary& plan, const QString& file_name, const QString& items,
                        QWidget* parent = nullptr);
};

}  // namespace club_ui
