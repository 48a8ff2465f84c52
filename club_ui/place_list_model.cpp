#include "club_ui/place_list_model.h"

#include <QApplication>
#include <QBrush>
#include <QColor>
#include <QStyle>
#include <QUndoStack>
#include <algorithm>
#include <limits>
#include <set>

#include "club_ui/list_commands.h"

namespace club_ui {
namespace {

QString Text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

// A pale red that keeps black text readable, for a coordinate the library could not read.
const QColor kUnreadableBackground(255, 205, 205);

}  // namespace

PlaceListModel::PlaceListModel(club::List list, QUndoStack& undo_stack, QObject* parent)
    : QAbstractTableModel(parent), list_(list), undo_stack_(undo_stack) {}

void PlaceListModel::ShowClub(club::ClubFile* file) {
    beginResetModel();
    file_ = file;
    rows_.clear();
    if (file_ != nullptr) {
        for (club::Row& texts : file_->Rows(list_)) rows_.push_back(Read(std::move(texts)));
    }
    endResetModel();
}

PlaceListModel::PlaceRow PlaceListModel::Read(club::Row texts) const {
    PlaceRow row{.texts = std::move(texts), .latitude = {}, .longitude = {}};
    row.latitude = distance::ReadAngle(row.texts.cells.at(club::LatitudeColumn(list_)),
                                       distance::Axis::Latitude);
    row.longitude = distance::ReadAngle(row.texts.cells.at(club::LongitudeColumn(list_)),
                                        distance::Axis::Longitude);
    return row;
}

std::optional<distance::Position> PlaceListModel::PositionAt(int row) const {
    const PlaceRow& place = rows_.at(static_cast<std::size_t>(row));
    if (!place.latitude.ok() || !place.longitude.ok()) return std::nullopt;
    return distance::Position{place.latitude.degrees, place.longitude.degrees};
}

QString PlaceListModel::NameAt(int row) const {
    const club::Row& texts = TextsAt(row);
    if (list_ == club::List::Lofts && !texts.cells.at(1).empty()) {
        return Text(texts.cells.at(0)) + ", " + Text(texts.cells.at(1));
    }
    return Text(texts.cells.at(0));
}

int PlaceListModel::RowOf(std::int64_t id) const {
    const auto found = std::find_if(rows_.begin(), rows_.end(),
                                    [id](const PlaceRow& row) { return row.texts.id == id; });
    return found == rows_.end() ? -1 : static_cast<int>(found - rows_.begin());
}

QString PlaceListModel::ColumnTitle(int column) const {
    const std::string_view name = club::ColumnNames(list_)[static_cast<std::size_t>(column)];
    if (name == "member") return tr("Member");
    if (name == "loft") return tr("Loft");
    if (name == "name") return tr("Race point");
    if (name == "latitude") return tr("Latitude");
    return tr("Longitude");
}

QString PlaceListModel::ItemName(std::size_t count) const {
    if (list_ == club::List::Lofts) return count == 1 ? tr("loft") : tr("lofts");
    return count == 1 ? tr("race point") : tr("race points");
}

bool PlaceListModel::Written(const club::WriteProblem& problem) {
    if (problem) emit WriteFailed(Text(*problem));
    return !problem;
}

bool PlaceListModel::Insert(std::vector<club::Row>& rows) {
    if (file_ == nullptr || !Written(file_->Insert(list_, rows))) return false;
    // Kept in the order of the ids, so a row deleted and brought back returns to its place.
    const auto by_id = [](const PlaceRow& row, std::int64_t id) { return row.texts.id < id; };
    if (rows.size() == 1) {
        const auto place = std::lower_bound(rows_.begin(), rows_.end(), rows.front().id, by_id);
        const int at = static_cast<int>(place - rows_.begin());
        beginInsertRows({}, at, at);
        rows_.insert(place, Read(rows.front()));
        endInsertRows();
        return true;
    }
    // An import of hundreds of rows is shown once, not once a row.
    beginResetModel();
    for (const club::Row& texts : rows) {
        rows_.insert(std::lower_bound(rows_.begin(), rows_.end(), texts.id, by_id), Read(texts));
    }
    endResetModel();
    return true;
}

bool PlaceListModel::Remove(std::span<const std::int64_t> ids) {
    if (file_ == nullptr || !Written(file_->Remove(list_, ids))) return false;
    if (ids.size() == 1) {
        const int row = RowOf(ids.front());
        if (row < 0) return true;
        beginRemoveRows({}, row, row);
        rows_.erase(rows_.begin() + row);
        endRemoveRows();
        return true;
    }
    beginResetModel();
    const std::set<std::int64_t> removed(ids.begin(), ids.end());
    std::erase_if(rows_,
                  [&removed](const PlaceRow& row) { return removed.contains(row.texts.id); });
    endResetModel();
    return true;
}

bool PlaceListModel::Replace(const club::Row& texts) {
    const int row = RowOf(texts.id);
    if (file_ == nullptr || row < 0 || !Written(file_->Update(list_, texts))) return false;
    rows_[static_cast<std::size_t>(row)] = Read(texts);
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    return true;
}

int PlaceListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int PlaceListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(club::ColumnNames(list_).size());
}

const distance::AngleReading* PlaceListModel::ReadingAt(const QModelIndex& index) const {
    const PlaceRow& row = rows_.at(static_cast<std::size_t>(index.row()));
    if (index.column() == club::LatitudeColumn(list_)) return &row.latitude;
    if (index.column() == club::LongitudeColumn(list_)) return &row.longitude;
    return nullptr;
}

QVariant PlaceListModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid)) return {};
    const QString typed = Text(rows_[static_cast<std::size_t>(index.row())].texts.cells.at(
        static_cast<std::size_t>(index.column())));
    const distance::AngleReading* reading = ReadingAt(index);
    const bool unreadable = reading != nullptr && !reading->ok();
    switch (role) {
        case Qt::DisplayRole:
            // A coordinate read is shown in the one written form, so a mistyped one stands out
            // from its neighbours; one not read is shown exactly as typed, to be mended.
            if (reading != nullptr && reading->ok()) {
                const distance::Axis axis = index.column() == club::LatitudeColumn(list_)
                                                ? distance::Axis::Latitude
                                                : distance::Axis::Longitude;
                return Text(distance::WriteAngle(reading->degrees, axis));
            }
            return typed;
        case Qt::EditRole:
            return typed;
        case kSortRole:
            if (reading == nullptr) return typed;
            return reading->ok() ? reading->degrees : std::numeric_limits<double>::infinity();
        case Qt::ToolTipRole:
            if (unreadable) return Text(distance::CoordinateMessage(*reading->error));
            if (reading != nullptr) return tr("Typed as: %1").arg(typed);
            return {};
        case Qt::BackgroundRole:
            if (unreadable) return QBrush(kUnreadableBackground);
            return {};
        case Qt::ForegroundRole:
            if (unreadable) return QBrush(Qt::black);
            return {};
        case Qt::DecorationRole:
            if (unreadable)
                return QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning);
            return {};
        default:
            return {};
    }
}

QVariant PlaceListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal &&
        (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)) {
        return ColumnTitle(section);
    }
    if (orientation == Qt::Vertical && role == Qt::DisplayRole) return section + 1;
    return {};
}

Qt::ItemFlags PlaceListModel::flags(const QModelIndex& index) const {
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

bool PlaceListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !checkIndex(index, CheckIndexOption::IndexIsValid)) return false;
    const club::Row& before = TextsAt(index.row());
    club::Row after = before;
    after.cells.at(static_cast<std::size_t>(index.column())) = value.toString().toStdString();
    if (after == before) return false;
    const QString text =
        tr("Edit %1 of %2").arg(ColumnTitle(index.column()).toLower(), NameAt(index.row()));
    undo_stack_.push(new EditRowCommand(*this, before, after, text));
    return TextsAt(index.row()) == after;
}

}  // namespace club_ui
