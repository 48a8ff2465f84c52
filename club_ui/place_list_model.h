#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "distance/coordinate.h"
#include "distance/geodesic.h"
#include "club/club_file.h"

class QUndoStack;

namespace club_ui {

// The role a sorting proxy orders by: coordinates by their angle rather than by the text typed.
inline constexpr int kSortRole = Qt::UserRole;

// One of the club's two lists (lofts or race points) as the window shows and edits it. Every
// change is written to the club file before it is shown: one the file refuses is reported by
// WriteFailed and the list stays as the file has it. Edits typed into a cell go through the undo
// stack, so each one can be taken back.
class PlaceListModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    PlaceListModel(club::List list, QUndoStack& undo_stack, QObject* parent = nullptr);

    // Shows the list kept in this club file; nullptr shows an empty list.
    void ShowClub(club::ClubFile* file);

    club::List list() const { return list_; }
    std::int64_t IdAt(int row) const { return rows_.at(static_cast<std::size_t>(row)).texts.id; }
    const club::Row& TextsAt(int row) const {
        return rows_.at(static_cast<std::size_t>(row)).texts;
    }
    // Where the loft or race point is; nothing while either coordinate cannot be read.
    std::optional<distance::Position> PositionAt(int row) const;
    // "Member, loft" for a loft with a loft name, the member or race point name otherwise.
    QString NameAt(int row) const;
    // The row holding this id, or -1.
    int RowOf(std::int64_t id) const;
    // The title of a column, for headers, dialogs and undo texts.
    QString ColumnTitle(int column) const;
    // "loft" or "race point", "lofts" or "race points".
    QString ItemName(std::size_t count = 1) const;

    // The changes the undo commands make. Each is written first and shown only when written.
    bool Insert(std::vector<club::Row>& rows);
    bool Remove(std::span<const std::int64_t> ids);
    bool Replace(const club::Row& row);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // An edit typed into a cell: pushed onto the undo stack, which writes it.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

  signals:
    void WriteFailed(const QString& message);

  private:
    // A row's texts and its two coordinates as read from them.
    struct PlaceRow {
        club::Row texts;
        distance::AngleReading latitude;
        distance::AngleReading longitude;
    };
    PlaceRow Read(club::Row texts) const;
    // The coordinate reading of a cell, or nullptr for a column that holds no coordinate.
    const distance::AngleReading* ReadingAt(const QModelIndex& index) const;
    bool Written(const club::WriteProblem& problem);

    club::List list_;
    QUndoStack& undo_stack_;
    club::ClubFile* file_ = nullptr;
    std::vector<PlaceRow> rows_;  // in the order of their ids, as the file lists them
};

}  // namespace club_ui
