#include "club_ui/race_lists.h"

#include <QApplication>
#include <QBrush>
#include <QColor>
#include <QCoreApplication>
#include <QDate>
#include <QStyle>
#include <algorithm>
#include <array>
#include <span>

#include "club_ui/club_document.h"
#include "results/result_messages.h"

namespace club_ui {
namespace {

QString Text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

QString Translated(const char* text) {
    return QCoreApplication::translate("club_ui::RaceList", text);
}

// The pale red of a cell that does not read, as the places' lists mark a coordinate.
const QColor kUnreadableBackground(255, 205, 205);

template <typename Record>
struct RaceListOf;

template <>
struct RaceListOf<club::Race> {
    static constexpr std::array<RaceColumn<club::Race>, 5> kColumns{{
        {QT_TRANSLATE_NOOP("club_ui::RaceList", "Race"), RaceCell::Name, &club::Race::name},
        {QT_TRANSLATE_NOOP("club_ui::RaceList", "Race point"), RaceCell::RacePoint, nullptr},
        {QT_TRANSLATE_NOOP("club_ui::RaceList", "Liberation"), RaceCell::Liberation,
         &club::Race::liberation},
        {QT_TRANSLATE_NOOP("club_ui::RaceList", "Darkness from"), RaceCell::Darkness,
         &club::Race::darkness_evening},
        {QT_TRANSLATE_NOOP("club_ui::RaceList", "Darkness to"), RaceCell::Darkness,
         &club::Race::darkness_morning},
    }};
    static ListTexts Texts() {
        return {.frame_title = Translated("Ra&ces"),
                .items = Translated("Races"),
                .add_button = Translated("&New race"),
                .delete_button = Translated("Delete races"),
                .name_column = Translated("Race")};
    }
    static QString AddText() { return Translated("Add race"); }
    static QString DeleteText(int count, const QString& name) {
        if (count == 1) return Translated("Delete race %1").arg(name);
        return QCoreApplication::translate("club_ui::RaceList", "Delete %n races", nullptr, count);
    }
};

template <>
struct RaceListOf<club::Clock> {
    static constexpr std::array<RaceColumn<club::Clock>, 5> kColumns{{
        {QT_TRANSLATE_NOOP("club_ui::RaceList", "Loft"), RaceCell::Loft, nullptr},
        {QT_TRANSLATE_NOOP("club_ui::RaceList", "Clock set"), RaceCell::Reading,
         &club::Clock::clock_set, DayOfReading::DayBefore},
        {QT_TRANSLATE_NOOP("club_ui::RaceList", "Master set"), RaceCell::Reading,
         &club::Clock::master_set, DayOfReading::DayBefore},
        {QT_TRANSLATE_NOOP("club_ui::RaceList", "Clock check"), RaceCell::Reading,
         &club::Clock::clock_check, DayOfReading::RaceDay},
        {QT_TRANSLATE_NOOP("club_ui::RaceList", "Master check"), RaceCell::Reading,
         &club::Clock::master_check, DayOfReading::RaceDay},
    }};
    static ListTexts Texts() {
        return {.frame_title = Translated("C&locks"),
                .items = Translated("Clocks"),
                .add_button = Translated("Add cloc&k"),
                .delete_button = Translated("Delete clocks"),
                .name_column = Translated("Loft")};
    }
    static QString AddText() { return Translated("Add clock"); }
    static QString DeleteText(int count, const QString& name) {
        if (count == 1) return Translated("Delete the clock of %1").arg(name);
        return QCoreApplication::translate("club_ui::RaceList", "Delete %n clocks", nullptr, count);
    }
};

template <>
struct RaceListOf<club::Clocking> {
    static constexpr std::array<RaceColumn<club::Clocking>, 3> kColumns{{
        {QT_TRANSLATE_NOOP("club_ui::RaceList", "Loft"), RaceCell::Loft, nullptr},
        {QT_TRANSLATE_NOOP("club_ui::RaceList", "Ring"), RaceCell::Name, &club::Clocking::ring},
        {QT_TRANSLATE_NOOP("club_ui::RaceList", "Clocked"), RaceCell::Reading,
         &club::Clocking::clocked, DayOfReading::RaceDay},
    }};
    static ListTexts Texts() {
        return {.frame_title = Translated("&Birds clocked"),
                .items = Translated("Birds clocked"),
                .add_button = Translated("Add b&ird"),
                .delete_button = Translated("Delete birds"),
                .name_column = Translated("Loft")};
    }
    static QString AddText() { return Translated("Add bird"); }
    static QString DeleteText(int count, const QString& name) {
        if (count == 1) return Translated("Delete bird %1").arg(name);
        return QCoreApplication::translate("club_ui::RaceList", "Delete %n birds", nullptr, count);
    }
};

template <typename Record>
const RaceColumn<Record>& ColumnAt(int column) {
    return RaceListOf<Record>::kColumns.at(static_cast<std::size_t>(column));
}

// The loft a clock or a bird belongs to, or the race point a race is flown from.
club::Id ReferenceOf(const club::Race& race) {
    return race.race_point;
}
template <typename Record>
club::Id ReferenceOf(const Record& record) {
    return record.loft;
}
void SetReference(club::Race& race, club::Id id) {
    race.race_point = id;
}
template <typename Record>
void SetReference(Record& record, club::Id id) {
    record.loft = id;
}

}  // namespace

CellReading ReadCell(RaceCell cell, const std::string& typed) {
    using results::Seconds;
    switch (cell) {
        case RaceCell::Liberation:
        case RaceCell::Reading: {
            const results::DateTimeReading reading = results::ReadDateTime(
                typed, cell == RaceCell::Reading ? Seconds::Required : Seconds::Optional);
            if (!reading.ok()) return {reading.problem, {}};
            return {std::nullopt, Text(results::WriteDateTime(reading.value))};
        }
        case RaceCell::Darkness: {
            // Both left empty: a race with no hours of darkness.
            if (typed.find_first_not_of(' ') == std::string::npos) return {};
            const results::TimeReading reading = results::ReadTime(typed, Seconds::Refused);
            if (!reading.ok()) return {reading.problem, {}};
            return {std::nullopt, Text(results::WriteTime(reading.value, Seconds::Refused))};
        }
        case RaceCell::Name:
        case RaceCell::Loft:
        case RaceCell::RacePoint:
            break;
    }
    return {std::nullopt, Text(typed)};
}

template <typename Record>
RaceList<Record>::RaceList(ClubDocument& document)
    : document_(document), texts_(RaceListOf<Record>::Texts()) {}

template <typename Record>
QString RaceList<Record>::NameAt(int row) const {
    if constexpr (std::is_same_v<Record, club::Race>) {
        return Text(At(row).name);
    } else if constexpr (std::is_same_v<Record, club::Clock>) {
        return ReferenceName(ColumnAt<Record>(0), At(row));
    } else {
        return Text(At(row).ring);
    }
}

template <typename Record>
QString RaceList<Record>::ColumnTitle(int column) const {
    return Translated(ColumnAt<Record>(column).title);
}

template <typename Record>
QString RaceList<Record>::ReferenceName(const RaceColumn<Record>& column,
                                        const Record& record) const {
    const PlaceListModel& places = column.cell == RaceCell::Loft
                                       ? static_cast<const PlaceListModel&>(document_.lofts())
                                       : document_.racePoints();
    const club::Id id = ReferenceOf(record);
    if (id == 0) return {};
    const int row = column.cell == RaceCell::Loft ? document_.lofts().RowOf(id)
                                                  : document_.racePoints().RowOf(id);
    return row < 0 ? Translated("(deleted)") : places.NameAt(row);
}

template <typename Record>
std::optional<club::Id> RaceList<Record>::ReferenceTo(const RaceColumn<Record>& column,
                                                      const QString& name) const {
    const PlaceListModel* places = ChoicesFor(column.cell == RaceCell::Loft ? 0 : 1);
    if (places == nullptr) return std::nullopt;
    const QString wanted = name.trimmed();
    if (wanted.isEmpty()) return club::Id{0};
    // The whole name first; else the one name that holds what was typed, as a picker offers it.
    std::optional<club::Id> containing;
    int found = 0;
    for (int row = 0; row < places->rowCount(); ++row) {
        const QString place = places->NameAt(row);
        if (place.compare(wanted, Qt::CaseInsensitive) == 0) return places->IdAt(row);
        if (place.contains(wanted, Qt::CaseInsensitive)) {
            containing = places->IdAt(row);
            ++found;
        }
    }
    if (found == 1) return containing;
    return std::nullopt;
}

template <typename Record>
const PlaceListModel* RaceList<Record>::ChoicesFor(int column) const {
    if (column < 0 || column >= columnCount()) return nullptr;
    switch (ColumnAt<Record>(column).cell) {
        case RaceCell::Loft:
            return &document_.lofts();
        case RaceCell::RacePoint:
            return &document_.racePoints();
        default:
            return nullptr;
    }
}

template <typename Record>
QStringList RaceList<Record>::SuggestionsFor(const QModelIndex& index) const {
    if constexpr (std::is_same_v<Record, club::Clocking>) {
        if (index.isValid() && ColumnAt<Record>(index.column()).text == &club::Clocking::ring) {
            return document_.RingsClockedBy(At(index.row()).loft);
        }
    }
    return {};
}

template <typename Record>
QString RaceList<Record>::Completed(const RaceColumn<Record>& column, const std::string& before,
                                    const QString& typed) const {
    // A time typed alone is on the race's day (or, for a clock's setting, the day before), or for
    // a liberation on the day it had; the day is written before the time, which stays as typed.
    const results::DateTimeReading reading =
        results::ReadDateTime(typed.toStdString(), results::Seconds::Optional);
    if (reading.problem != results::DateTimeProblem::NoDate) return typed;
    std::optional<QDate> day;
    if (column.cell == RaceCell::Liberation) {
        const std::string date = before.substr(0, before.find_first_of(" T"));
        const results::DateTimeReading had =
            results::ReadDateTime(date + " 00:00", results::Seconds::Optional);
        if (had.ok()) day = QDate(had.value.date.year, had.value.date.month, had.value.date.day);
    } else if (const std::optional<results::Date> race_day = document_.RaceDay();
               race_day && column.day != DayOfReading::None) {
        day = QDate(race_day->year, race_day->month, race_day->day);
        if (column.day == DayOfReading::DayBefore) day = day->addDays(-1);
    }
    if (!day) return typed;
    return day->toString(Qt::ISODate) + QLatin1Char(' ') + typed.trimmed();
}

template <typename Record>
int RaceList<Record>::AddRow() {
    if (!document_.AddNew<Record>(RaceListOf<Record>::AddText(), std::nullopt)) return -1;
    return this->rowCount() - 1;
}

template <typename Record>
int RaceList<Record>::AddRowLike(int row) {
    std::optional<Record> like;
    if (row >= 0 && row < this->rowCount()) like = At(row);
    if (!document_.AddNew<Record>(RaceListOf<Record>::AddText(), like)) return -1;
    return this->rowCount() - 1;
}

template <typename Record>
QString RaceList<Record>::WidestText(int column) const {
    switch (ColumnAt<Record>(column).cell) {
        case RaceCell::Liberation:
        case RaceCell::Reading:
            return QStringLiteral("2026-05-09 14:01:00");
        case RaceCell::Darkness:
            return QStringLiteral("22:00");
        case RaceCell::Name:
            // A ring; a race's name takes what its list leaves.
            if constexpr (std::is_same_v<Record, club::Clocking>) {
                return QStringLiteral("GB26N123456");
            }
            break;
        case RaceCell::Loft:
            return QStringLiteral("K. Jevons & Daughter");
        case RaceCell::RacePoint:
            break;
    }
    return {};
}

template <typename Record>
void RaceList<Record>::TakeBackIfBlank(int row) {
    if (row < 0 || row >= this->rowCount()) return;
    if constexpr (!std::is_same_v<Record, club::Race>) {
        // Blank but for the loft it was begun with.
        const Record& begun = At(row);
        const bool blank =
            std::all_of(RaceListOf<Record>::kColumns.begin(), RaceListOf<Record>::kColumns.end(),
                        [&begun](const RaceColumn<Record>& column) {
                            return column.text == nullptr || (begun.*column.text).empty();
                        });
        if (blank) document_.TakeBackRowBegun(begun);
    }
}

template <typename Record>
int RaceList<Record>::FirstColumnOfRowLike() const {
    // A bird of the same loft: its ring is typed next.
    return std::is_same_v<Record, club::Clocking> ? 1 : 0;
}

template <typename Record>
void RaceList<Record>::DeleteRows(std::vector<int> rows) {
    if (rows.empty()) return;
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    std::vector<Record> records;
    for (const int row : rows) records.push_back(At(row));
    const QString text =
        RaceListOf<Record>::DeleteText(static_cast<int>(records.size()), NameAt(rows.front()));
    document_.Delete(std::move(records), text);
}

template <typename Record>
int RaceList<Record>::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(RaceListOf<Record>::kColumns.size());
}

template <typename Record>
QVariant RaceList<Record>::data(const QModelIndex& index, int role) const {
    if (!this->checkIndex(index, QAbstractItemModel::CheckIndexOption::IndexIsValid)) return {};
    const Record& record = At(index.row());
    const RaceColumn<Record>& column = ColumnAt<Record>(index.column());
    if (column.text == nullptr) {
        if (role == Qt::DisplayRole || role == Qt::EditRole || role == kSortRole) {
            return ReferenceName(column, record);
        }
        return {};
    }
    const std::string& typed = record.*column.text;
    // A row just added is left unmarked until something is typed in it.
    const bool blank = typed.empty() && column.cell != RaceCell::Darkness;
    const CellReading reading = blank ? CellReading{} : ReadCell(column.cell, typed);
    const bool unreadable = reading.problem.has_value();
    switch (role) {
        case Qt::DisplayRole:
            // Read, it is shown in the one written form, so that 140100 and 14.01.00 look
            // alike; not read, exactly as typed, to be mended.
            return unreadable || blank ? Text(typed) : reading.written;
        case Qt::EditRole:
        case kSortRole:
            return Text(typed);
        case Qt::ToolTipRole:
            if (unreadable) return Text(results::DateTimeMessage(*reading.problem));
            if (column.cell != RaceCell::Name && !blank) {
                return Translated("Typed as: %1").arg(Text(typed));
            }
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

template <typename Record>
Qt::ItemFlags RaceList<Record>::flags(const QModelIndex& index) const {
    const Qt::ItemFlags flags = Base::flags(index);
    if (document_.WhyReadOnly()) return flags;
    return flags | Qt::ItemIsEditable;
}

template <typename Record>
bool RaceList<Record>::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole ||
        !this->checkIndex(index, QAbstractItemModel::CheckIndexOption::IndexIsValid)) {
        return false;
    }
    const Record before = At(index.row());
    Record after = before;
    const RaceColumn<Record>& column = ColumnAt<Record>(index.column());
    if (column.text == nullptr) {
        const std::optional<club::Id> id = ReferenceTo(column, value.toString());
        if (!id) {
            document_.SayNotFound(column.cell == RaceCell::Loft, value.toString());
            return false;
        }
        SetReference(after, *id);
    } else {
        after.*column.text = Completed(column, before.*column.text, value.toString()).toStdString();
    }
    if (after == before) return false;
    const QString text =
        Translated("Edit %1 of %2").arg(ColumnTitle(index.column()).toLower(), NameAt(index.row()));
    return document_.Edit(before, after, text);
}

template class RaceList<club::Race>;
template class RaceList<club::Clock>;
template class RaceList<club::Clocking>;

}  // namespace club_ui
