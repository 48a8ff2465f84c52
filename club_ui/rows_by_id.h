#pragma once

#include <algorithm>
#include <set>
#include <vector>

#include "club/places.h"
#include "club_ui/list_model.h"

namespace club_ui {

// A row that is shown as it is typed, with nothing read from it kept beside it.
template <typename Record>
struct RecordShown {
    Record record;
};

// A list shown as the club file has it, in the order of the rows' ids, and kept so as the file
// changes: the rows gone are taken out and the rows new put in where they belong, one by one, so
// that the views keep their current cell, selection and scroll. Shown is what a row holds as
// shown (its record, and what was read of it); Read makes it from a record.
template <typename Record, typename Shown>
class RowsById : public PlaceListModel {
  public:
    using PlaceListModel::PlaceListModel;

    const Record& At(int row) const { return rows_.at(static_cast<std::size_t>(row)).record; }
    int RowOf(club::Id id) const {
        const auto found = std::lower_bound(rows_.begin(), rows_.end(), id, ById);
        return found == rows_.end() || found->record.id != id
                   ? -1
                   : static_cast<int>(found - rows_.begin());
    }
    std::vector<Record> Records() const {
        std::vector<Record> records;
        records.reserve(rows_.size());
        for (const Shown& shown : rows_) records.push_back(shown.record);
        return records;
    }
    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(rows_.size());
    }

    // A list as it opens.
    void Reset(std::vector<Record> rows) {
        beginResetModel();
        rows_.clear();
        rows_.reserve(rows.size());
        for (Record& record : rows) rows_.push_back(Read(std::move(record)));
        endResetModel();
    }

    // The list read from the file again.
    void Show(std::vector<Record> rows) {
        std::set<club::Id> kept;
        for (const Record& record : rows) kept.insert(record.id);
        for (int row = static_cast<int>(rows_.size()) - 1; row >= 0; --row) {
            if (kept.contains(rows_[static_cast<std::size_t>(row)].record.id)) continue;
            beginRemoveRows({}, row, row);
            rows_.erase(rows_.begin() + row);
            endRemoveRows();
        }
        for (std::size_t index = 0; index < rows.size(); ++index) {
            Record& record = rows[index];
            const int at = static_cast<int>(index);
            if (index < rows_.size() && rows_[index].record.id == record.id) {
                if (rows_[index].record == record) continue;
                rows_[index] = Read(std::move(record));
                emit dataChanged(this->index(at, 0), this->index(at, columnCount() - 1));
                continue;
            }
            beginInsertRows({}, at, at);
            rows_.insert(rows_.begin() + at, Read(std::move(record)));
            endInsertRows();
        }
    }

    // Kept in the order of the ids, so a row deleted and brought back returns to its place.
    void Inserted(const std::vector<Record>& rows) {
        if (rows.size() == 1) {
            const auto place = std::lower_bound(rows_.begin(), rows_.end(), rows.front().id, ById);
            const int at = static_cast<int>(place - rows_.begin());
            beginInsertRows({}, at, at);
            rows_.insert(place, Read(rows.front()));
            endInsertRows();
            return;
        }
        // An import of hundreds of rows is shown once, not once a row.
        beginResetModel();
        for (const Record& record : rows) {
            rows_.insert(std::lower_bound(rows_.begin(), rows_.end(), record.id, ById),
                         Read(record));
        }
        endResetModel();
    }

    void Removed(const std::vector<Record>& rows) {
        if (rows.size() == 1) {
            const int row = RowOf(rows.front().id);
            if (row < 0) return;
            beginRemoveRows({}, row, row);
            rows_.erase(rows_.begin() + row);
            endRemoveRows();
            return;
        }
        std::set<club::Id> removed;
        for (const Record& record : rows) removed.insert(record.id);
        beginResetModel();
        std::erase_if(rows_,
                      [&removed](const Shown& shown) { return removed.contains(shown.record.id); });
        endResetModel();
    }

    void Replaced(const Record& record) {
        const int row = RowOf(record.id);
        if (row < 0) return;
        rows_[static_cast<std::size_t>(row)] = Read(record);
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    }

  protected:
    virtual Shown Read(Record record) const = 0;
    const Shown& ShownAt(int row) const { return rows_.at(static_cast<std::size_t>(row)); }
    const std::vector<Shown>& AllShown() const { return rows_; }

  private:
    static bool ById(const Shown& shown, club::Id id) { return shown.record.id < id; }

    std::vector<Shown> rows_;  // in the order of their ids, as the file lists them
};

}  // namespace club_ui
