#include "club_ui/list_commands.h"

#include "club_ui/place_list_model.h"

namespace club_ui {
namespace {

std::vector<std::int64_t> Ids(const std::vector<club::Row>& rows) {
    std::vector<std::int64_t> ids;
    ids.reserve(rows.size());
    for (const club::Row& row : rows) ids.push_back(row.id);
    return ids;
}

}  // namespace

AddRowsCommand::AddRowsCommand(PlaceListModel& model, std::vector<club::Row> rows,
                               const QString& text)
    : QUndoCommand(text), model_(model), rows_(std::move(rows)) {}

void AddRowsCommand::redo() {
    if (!model_.Insert(rows_)) setObsolete(true);
}

void AddRowsCommand::undo() {
    if (!model_.Remove(Ids(rows_))) setObsolete(true);
}

DeleteRowsCommand::DeleteRowsCommand(PlaceListModel& model, std::vector<club::Row> rows,
                                     const QString& text)
    : QUndoCommand(text), model_(model), rows_(std::move(rows)) {}

void DeleteRowsCommand::redo() {
    if (!model_.Remove(Ids(rows_))) setObsolete(true);
}

void DeleteRowsCommand::undo() {
    if (!model_.Insert(rows_)) setObsolete(true);
}

EditRowCommand::EditRowCommand(PlaceListModel& model, club::Row before, club::Row after,
                               const QString& text)
    : QUndoCommand(text), model_(model), before_(std::move(before)), after_(std::move(after)) {}

void EditRowCommand::redo() {
    if (!model_.Replace(after_)) setObsolete(true);
}

void EditRowCommand::undo() {
    if (!model_.Replace(before_)) setObsolete(true);
}

}  // namespace club_ui
