#pragma once

#include <QUndoCommand>
#include <vector>

#include "club/club_file.h"

namespace club_ui {

class PlaceListModel;

// The changes the undo stack takes back and makes again. Each writes the club file as it is
// done or undone; one the file refuses marks itself obsolete, so the stack drops it instead of
// showing as made a change that is not in the file.

// Lofts or race points added (one typed in, or a whole import as one step).
class AddRowsCommand : public QUndoCommand {
  public:
    AddRowsCommand(PlaceListModel& model, std::vector<club::Row> rows, const QString& text);
    void redo() override;
    void undo() override;

  private:
    PlaceListModel& model_;
    std::vector<club::Row> rows_;  // with the ids the file gave them, kept when added again
};

// Lofts or race points deleted; undoing brings them back under their ids, in their places.
class DeleteRowsCommand : public QUndoCommand {
  public:
    DeleteRowsCommand(PlaceListModel& model, std::vector<club::Row> rows, const QString& text);
    void redo() override;
    void undo() override;

  private:
    PlaceListModel& model_;
    std::vector<club::Row> rows_;
};

// One cell typed over.
class EditRowCommand : public QUndoCommand {
  public:
    EditRowCommand(PlaceListModel& model, club::Row before, club::Row after, const QString& text);
    void redo() override;
    void undo() override;

  private:
    PlaceListModel& model_;
    club::Row before_;
    club::Row after_;
};

}  // namespace club_ui
