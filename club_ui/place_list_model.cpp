#include "club_ui/place_list_model.h"

#include <QApplication>
#include <QBrush>
#include <QColor>
#include <QCoreApplication>
#include <QRegularExpression>
#include <QStyle>
#include <algorithm>
#include <limits>

#include "club_ui/club_document.h"

namespace club_ui {
namespace {

QString Text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

// A pale red that keeps black text readable, for a coordinate the library could not read; a pale
// yellow for one read one way that the clubs' short form would read another.
const QColor kUnreadableBackground(255, 205, 205);
const QColor kTwoWaysBackground(255, 243, 190);

// "52.34" written so that it can only mean degrees and minutes: "52.34.00".
QString ShortFormWritten(const QString& typed) {
    const qsizetype separator = typed.indexOf(QRegularExpression(QStringLiteral("[.,]")));
    return typed.left(separator + 3) + typed.at(separator) + QStringLiteral("00") +
           typed.mid(separator + 3);
}

QString Translated(const char* text) {
    return QCoreApplication::translate("club_ui::PlaceList", text);
}

template <typename Record>
ListTexts TextsOf();

template <>
ListTexts TextsOf<club::Loft>() {
    return {.frame_title = Translated("&Lofts"),
            .items = Translated("Lofts"),
            .add_button = Translated("&Add loft"),
            .delete_button = Translated("Delete lofts"),
            .name_column = Translated("Member")};
}

template <>
ListTexts TextsOf<club::RacePoint>() {
    return {.frame_title = Translated("&Race points"),
            .items = Translated("Race points"),
            .add_button = Translated("A&dd race point"),
            .delete_button = Translated("Delete race points"),
            .name_column = Translated("Race point")};
}

// The undo steps' names, whole sentences with their plurals.
template <typename Record>
QString AddText();
template <>
QString AddText<club::Loft>() {
    return Translated("Add loft");
}
template <>
QString AddText<club::RacePoint>() {
    return Translated("Add race point");
}

template <typename Record>
QString DeleteText(int count, const QString& name);
template <>
QString DeleteText<club::Loft>(int count, const QString& name) {
    if (count == 1) return Translated("Delete loft %1").arg(name);
    return QCoreApplication::translate("club_ui::PlaceList", "Delete %n lofts", nullptr, count);
}
template <>
QString DeleteText<club::RacePoint>(int count, const QString& name) {
    if (count == 1) return Translated("Delete race point %1").arg(name);
    return QCoreApplication::translate("club_ui::PlaceList", "Delete %n race points", nullptr,
                                       count);
}

template <typename Record>
const club::Column<Record>& ColumnAt(int column) {
    return club::ListOf<Record>::kColumns.at(static_cast<std::size_t>(column));
}

}  // namespace

template <typename Record>
PlaceList<Record>::PlaceList(ClubDocument& document)
    : document_(document), texts_(TextsOf<Record>()) {}

template <typename Record>
PlaceShown<Record> PlaceList<Record>::Read(Record record) const {
    const club::Reading reading = club::ReadCoordinates(record);
    const auto short_latitude = distance::ShortFormAngle(record.latitude, distance::Axis::Latitude);
    const auto short_longitude =
        distance::ShortFormAngle(record.longitude, distance::Axis::Longitude);
    return PlaceShown<Record>{.record = std::move(record),
                              .reading = reading,
                              .latitude_short_form = short_latitude,
                              .longitude_short_form = short_longitude};
}

template <typename Record>
QString PlaceList<Record>::NameAt(int row) const {
    return Text(club::NameOf(At(row)));
}

template <typename Record>
std::optional<distance::Position> PlaceList<Record>::PositionAt(int row) const {
    return ReadingAt(row).position();
}

template <typename Record>
QString PlaceList<Record>::ColumnTitle(int column) const {
    switch (ColumnAt<Record>(column).role) {
        case club::ColumnRole::Name:
            return texts_.name_column;
        case club::ColumnRole::LoftName:
            return Translated("Loft");
        case club::ColumnRole::Latitude:
            return Translated("Latitude");
        case club::ColumnRole::Longitude:
            return Translated("Longitude");
        case club::ColumnRole::Text:
            break;
    }
    return QString::fromUtf8(ColumnAt<Record>(column).name.data(),
                             static_cast<qsizetype>(ColumnAt<Record>(column).name.size()));
}

template <typename Record>
bool PlaceList<Record>::IsCoordinate(int column) const {
    return club::AxisOf(ColumnAt<Record>(column).role).has_value();
}

template <typename Record>
int PlaceList<Record>::AddRow() {
    std::vector<Record> rows(1);
    if (!document_.Add(std::move(rows), AddText<Record>())) return -1;
    // A new row has the largest id, so it is the last.
    return this->rowCount() - 1;
}

template <typename Record>
void PlaceList<Record>::DeleteRows(std::vector<int> rows) {
    if (rows.empty()) return;
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    std::vector<Record> records;
    for (const int row : rows) records.push_back(At(row));
    const QString text = DeleteText<Record>(static_cast<int>(records.size()), NameAt(rows.front()));
    document_.Delete(std::move(records), text);
}

template <typename Record>
int PlaceList<Record>::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(club::ListOf<Record>::kColumns.size());
}

template <typename Record>
QVariant PlaceList<Record>::data(const QModelIndex& index, int role) const {
    if (!this->checkIndex(index, QAbstractItemModel::CheckIndexOption::IndexIsValid)) return {};
    const PlaceShown<Record>& shown = this->ShownAt(index.row());
    const club::Column<Record>& column = ColumnAt<Record>(index.column());
    const QString typed = Text(shown.record.*column.text);
    const std::optional<distance::Axis> axis = club::AxisOf(column.role);
    const distance::AngleReading* reading =
        !axis ? nullptr
              : (*axis == distance::Axis::Latitude ? &shown.reading.latitude
                                                   : &shown.reading.longitude);
    const bool unreadable = reading != nullptr && !reading->ok();
    const std::optional<double>& short_form =
        !axis ? std::optional<double>()
              : (*axis == distance::Axis::Latitude ? shown.latitude_short_form
                                                   : shown.longitude_short_form);
    const bool two_ways = reading != nullptr && reading->ok() && short_form.has_value();
    switch (role) {
        case Qt::DisplayRole:
            // A coordinate read is shown in the one written form, so a mistyped one stands out
            // from its neighbours; one not read is shown exactly as typed, to be mended.
            if (reading != nullptr && reading->ok()) {
                return Text(distance::WriteAngle(reading->degrees, *axis));
            }
            return typed;
        case Qt::EditRole:
            return typed;
        case kSortRole:
            if (reading == nullptr) return typed;
            return reading->ok() ? reading->degrees : std::numeric_limits<double>::infinity();
        case Qt::ToolTipRole:
            if (unreadable) return Text(distance::CoordinateMessage(*reading->error));
            if (two_ways) {
                return Translated("Read as %1; for %2 write %3.")
                    .arg(Text(distance::WriteAngle(reading->degrees, *axis)),
                         Text(distance::WriteAngle(*short_form, *axis)), ShortFormWritten(typed));
            }
            if (reading != nullptr) return Translated("Typed as: %1").arg(typed);
            return {};
        case Qt::BackgroundRole:
            if (unreadable) return QBrush(kUnreadableBackground);
            if (two_ways) return QBrush(kTwoWaysBackground);
            return {};
        case Qt::ForegroundRole:
            if (unreadable || two_ways) return QBrush(Qt::black);
            return {};
        case Qt::DecorationRole:
            if (unreadable)
                return QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning);
            if (two_ways)
                return QApplication::style()->standardIcon(QStyle::SP_MessageBoxInformation);
            return {};
        default:
            return {};
    }
}

template <typename Record>
Qt::ItemFlags PlaceList<Record>::flags(const QModelIndex& index) const {
    const Qt::ItemFlags flags = Base::flags(index);
    // A club that cannot be written shows its cells as they are, not as editable.
    if (document_.WhyReadOnly()) return flags;
    return flags | Qt::ItemIsEditable;
}

template <typename Record>
bool PlaceList<Record>::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole ||
        !this->checkIndex(index, QAbstractItemModel::CheckIndexOption::IndexIsValid)) {
        return false;
    }
    const Record before = At(index.row());
    Record after = before;
    after.*ColumnAt<Record>(index.column()).text = value.toString().toStdString();
    if (after == before) return false;
    const QString text =
        Translated("Edit %1 of %2").arg(ColumnTitle(index.column()).toLower(), NameAt(index.row()));
    return document_.Edit(before, after, text);
}

template class PlaceList<club::Loft>;
template class PlaceList<club::RacePoint>;

}  // namespace club_ui
