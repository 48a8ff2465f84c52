#include "club_ui/club_document.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <QUndoCommand>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <set>
#include <span>
#include <type_traits>

#include "results/club_race.h"
#include "results/result_messages.h"
#include "results/result_writers.h"

namespace club_ui {
namespace {

std::filesystem::path FilePath(const QString& path) {
    return std::filesystem::path(path.toStdU16String());
}

QString PathText(const std::filesystem::path& path) {
    return QString::fromStdU16String(path.u16string());
}

QString Message(const club::ClubProblem& problem) {
    return QString::fromStdString(club::ProblemMessage(problem));
}

// The steps of Undo. Each writes the club file as it is done or undone, saying what the rows
// held before; one the file refuses, or one another window overtook, marks itself obsolete so
// the stack drops it rather than show as made a change that is not in the file.

// The steps that a new row's first cells, typed straight after it was added, merge into.
constexpr int kRowStep = 1;

template <typename Record>
class EditRow;

// Rows added: one typed in, or a whole import as one step. A row added and its cells typed in
// straight after are one step: Undo takes the whole row back, as the secretary typed it.
template <typename Record>
class AddRows : public QUndoCommand {
  public:
    AddRows(ClubDocument& document, std::vector<Record> rows, const QString& text)
        : QUndoCommand(text), document_(document), rows_(std::move(rows)) {}
    void redo() override {
        if (!document_.Insert(rows_)) setObsolete(true);
    }
    void undo() override {
        if (!document_.Remove(rows_)) setObsolete(true);
    }
    int id() const override { return rows_.size() == 1 ? kRowStep : -1; }
    bool IsOnly(const Record& row) const { return rows_.size() == 1 && rows_.front() == row; }
    bool mergeWith(const QUndoCommand* other) override {
        const auto* edit = dynamic_cast<const EditRow<Record>*>(other);
        if (edit == nullptr || edit->before() != rows_.front()) return false;
        rows_.front() = edit->after();
        return true;
    }

  private:
    ClubDocument& document_;
    std::vector<Record> rows_;  // with the ids the file gave them, kept when added again
};

// Rows deleted; undoing brings them back under their own ids, in their places.
template <typename Record>
class DeleteRows : public QUndoCommand {
  public:
    DeleteRows(ClubDocument& document, std::vector<Record> rows, const QString& text)
        : QUndoCommand(text), document_(document), rows_(std::move(rows)) {}
    void redo() override {
        if (!document_.Remove(rows_)) setObsolete(true);
    }
    void undo() override {
        if (!document_.Insert(rows_)) setObsolete(true);
    }

  private:
    ClubDocument& document_;
    std::vector<Record> rows_;
};

// One row's texts changed.
template <typename Record>
class EditRow : public QUndoCommand {
  public:
    EditRow(ClubDocument& document, Record before, Record after, const QString& text)
        : QUndoCommand(text),
          document_(document),
          before_(std::move(before)),
          after_(std::move(after)) {}
    void redo() override {
        if (!document_.Replace(before_, after_)) setObsolete(true);
    }
    void undo() override {
        if (!document_.Replace(after_, before_)) setObsolete(true);
    }
    int id() const override { return kRowStep; }
    const Record& before() const { return before_; }
    const Record& after() const { return after_; }

  private:
    ClubDocument& document_;
    Record before_;
    Record after_;
};

// A race's clocks and birds: read, shown and changed only for the race open.
template <typename Record>
constexpr bool kOfARace =
    std::is_same_v<Record, club::Clock> || std::is_same_v<Record, club::Clocking>;

// A row just begun, nothing typed in it yet: no bird nor clock, and nothing in the result.
bool JustBegun(const club::Clocking& clocking) {
    return clocking.ring.empty() && clocking.clocked.empty();
}
bool JustBegun(const club::Clock& clock) {
    return clock.loft == 0;
}
template <typename Record>
bool JustBegun(const Record&) {
    return false;
}
template <typename Record>
bool AllJustBegun(const std::vector<Record>& rows) {
    return std::all_of(rows.begin(), rows.end(), [](const Record& row) { return JustBegun(row); });
}

// Why a place is left off until it is mended.
QString ReasonLeftOff(const club::Reading& reading) {
    if (!reading.latitude.ok() && !reading.longitude.ok()) {
        return QCoreApplication::translate("club_ui::ClubDocument",
                                           "latitude and longitude to mend");
    }
    if (!reading.latitude.ok()) {
        return QCoreApplication::translate("club_ui::ClubDocument", "latitude to mend");
    }
    return QCoreApplication::translate("club_ui::ClubDocument", "longitude to mend");
}

template <typename Record>
void Locate(const PlaceList<Record>& list, std::vector<club::Located<Record>>& located,
            std::vector<sheets::LeftOff>& left_off) {
    for (int row = 0; row < list.rowCount(); ++row) {
        // The coordinates as the list read them when the row was shown, not read again.
        const Record& record = list.At(row);
        const club::Reading& reading = list.ReadingAt(row);
        if (const std::optional<distance::Position> position = reading.position()) {
            located.push_back({record, *position});
        } else {
            left_off.push_back({list.NameAt(row), ReasonLeftOff(reading)});
        }
    }
}

}  // namespace

ClubDocument::ClubDocument(QObject* parent)
    : QObject(parent),
      lofts_(*this),
      race_points_(*this),
      distances_(lofts_, race_points_),
      races_(*this),
      clocks_(*this),
      clockings_(*this),
      look_for_changes_(new QTimer(this)) {
    // Another window or program with the same club open writes to the same file; its changes are
    // read in when the file says it has some.
    connect(look_for_changes_, &QTimer::timeout, this, &ClubDocument::ReadChangesMadeElsewhere);
    look_for_changes_->start(std::chrono::seconds(2));
}

ClubDocument::~ClubDocument() {
    undo_stack_.clear();
}

template <>
LoftList& ClubDocument::ListOf<club::Loft>() {
    return lofts_;
}
template <>
RacePointList& ClubDocument::ListOf<club::RacePoint>() {
    return race_points_;
}
template <>
RaceListModel& ClubDocument::ListOf<club::Race>() {
    return races_;
}
template <>
ClockList& ClubDocument::ListOf<club::Clock>() {
    return clocks_;
}
template <>
ClockingList& ClubDocument::ListOf<club::Clocking>() {
    return clockings_;
}

bool ClubDocument::Report(const std::optional<club::ClubProblem>& problem) {
    if (problem) emit ProblemReported(*problem);
    return !problem;
}

QString ClubDocument::Path() const {
    return file_ ? PathText(file_->path()) : QString();
}

QString ClubDocument::Name() const {
    return file_ ? QFileInfo(Path()).completeBaseName() : QString();
}

bool ClubDocument::Open(const QString& path) {
    club::Opening opening = club::ClubFile::Open(FilePath(path));
    if (!Report(opening.problem)) return false;
    undo_stack_.clear();
    file_ = std::move(opening.file);
    read_only_ = file_->WhyReadOnly();
    ShowClub(true);
    emit Opened();
    if (file_->upgraded_from()) {
        emit Notice(tr("The club was written by an earlier version and has been brought up to "
                       "date; a copy of it as it was is kept as %1.")
                        .arg(QDir::toNativeSeparators(PathText(*file_->upgraded_from()))));
    } else if (read_only_) {
        emit Notice(Message({*read_only_}));
    } else {
        emit Notice(tr("Opened %1. Every change is written to the club file as it is made.")
                        .arg(QDir::toNativeSeparators(path)));
    }
    return true;
}

bool ClubDocument::Create(const QString& path) {
    club::Opening made = club::ClubFile::Create(FilePath(path));
    if (!Report(made.problem)) return false;
    made.file.reset();
    return Open(path);
}

bool ClubDocument::SaveCopy(const QString& path) {
    if (!file_) return false;
    if (!Report(file_->SaveCopy(FilePath(path)))) return false;
    emit Notice(tr("A copy of the club saved as %1.").arg(QDir::toNativeSeparators(path)));
    return true;
}

template <typename Record>
void ClubDocument::ReadList(bool opening) {
    club::Rows<Record> read;
    if constexpr (kOfARace<Record>) {
        if (open_race_) read = file_->ReadOfRace<Record>(*open_race_);
    } else {
        read = file_->Read<Record>();
    }
    // A list that cannot be read stays as it was shown, and the secretary is told.
    if (!Report(read.problem)) return;
    if (opening) {
        ListOf<Record>().Reset(std::move(read.rows));
    } else {
        ListOf<Record>().Show(std::move(read.rows));
    }
}

void ClubDocument::ShowClub(bool opening) {
    if (opening) open_race_.reset();
    ReadList<club::Loft>(opening);
    ReadList<club::RacePoint>(opening);
    ReadList<club::Race>(opening);
    // A club opens at its latest race: on race night, the one being typed in.
    if (opening && races_.rowCount() > 0) open_race_ = races_.IdAt(races_.rowCount() - 1);
    if (open_race_ && races_.RowOf(*open_race_) < 0) {
        // The race open was deleted in another window.
        OpenRace(0);
        return;
    }
    ReadList<club::Clock>(opening);
    ReadList<club::Clocking>(opening);
    ShowResult();
    if (opening) emit RaceOpened();
}

void ClubDocument::OpenRace(club::Id race) {
    if (!file_) return;
    open_race_ = race == 0 ? std::nullopt : std::optional<club::Id>(race);
    ReadList<club::Clock>(true);
    ReadList<club::Clocking>(true);
    ShowResult();
    emit RaceOpened();
}

std::optional<club::Race> ClubDocument::OpenRaceRecord() const {
    const int row = open_race_ ? races_.RowOf(*open_race_) : -1;
    if (row < 0) return std::nullopt;
    return races_.At(row);
}

std::optional<results::Date> ClubDocument::RaceDay() const {
    const std::optional<club::Race> race = OpenRaceRecord();
    if (!race) return std::nullopt;
    const results::DateTimeReading liberation =
        results::ReadDateTime(race->liberation, results::Seconds::Optional);
    if (!liberation.ok()) return std::nullopt;
    return liberation.value.date;
}

QStringList ClubDocument::RingsClockedBy(club::Id loft) const {
    QStringList rings;
    if (!file_) return rings;
    for (const std::string& ring : file_->RingsClockedBy(loft)) {
        rings << QString::fromStdString(ring);
    }
    return rings;
}

results::RaceReturn ClubDocument::ReturnOfOpenRace() const {
    const std::optional<club::Race> race = OpenRaceRecord();
    if (!race) return {};
    const int race_point = race_points_.RowOf(race->race_point);
    std::vector<club::Clocking> clockings = clockings_.Records();
    std::erase_if(clockings, [](const club::Clocking& clocking) { return JustBegun(clocking); });
    std::vector<club::Clock> clocks = clocks_.Records();
    std::erase_if(clocks, [](const club::Clock& clock) { return JustBegun(clock); });
    return results::ReturnOfRace(
        *race, race_point < 0 ? std::nullopt : race_points_.PositionAt(race_point),
        lofts_.Records(), clocks, clockings);
}

void ClubDocument::ShowResult() {
    if (!open_race_) {
        result_.Show({});
        return;
    }
    result_.Show(results::ComputeResult(ReturnOfOpenRace(), &kept_figures_));
}

void ClubDocument::SetResultOptions(const results::ResultOptions& options) {
    result_.SetOptions(options);
}

QByteArray ClubDocument::ResultCsv() const {
    return QByteArrayLiteral("\xEF\xBB\xBF") +
           QByteArray::fromStdString(results::ResultCsv(result_.whole(), result_.options()));
}

QByteArray ClubDocument::ResultHtml() const {
    return QByteArray::fromStdString(results::ResultHtml(result_.whole(), result_.options()));
}

QString ClubDocument::RaceDescription() const {
    const std::optional<club::Race> race = OpenRaceRecord();
    if (!race) return {};
    const int point = race_points_.RowOf(race->race_point);
    const QString from = point < 0 ? tr("no race point picked") : race_points_.NameAt(point);
    const CellReading liberation = ReadCell(RaceCell::Liberation, race->liberation);
    const QString liberated =
        liberation.problem ? QString::fromStdString(race->liberation) : liberation.written;
    const QString darkness = race->darkness_evening.empty() && race->darkness_morning.empty()
                                 ? tr("no hours of darkness")
                                 : tr("darkness %1 to %2")
                                       .arg(QString::fromStdString(race->darkness_evening),
                                            QString::fromStdString(race->darkness_morning));
    std::set<club::Id> lofts;
    for (int row = 0; row < clocks_.rowCount(); ++row) {
        if (clocks_.At(row).loft != 0) lofts.insert(clocks_.At(row).loft);
    }
    const QString name =
        race->name.empty() ? tr("A race not named yet") : QString::fromStdString(race->name);
    return tr("%1 from %2, liberated %3, %4: %5, %6.")
        .arg(name, from, liberated, darkness,
             tr("%n loft(s) competing", nullptr, static_cast<int>(lofts.size())),
             tr("%n bird(s) clocked", nullptr, static_cast<int>(result_.whole().rows.size())));
}

namespace {

// A calculator entry as a member types it in, its fields in the calculator's Tab order, each
// with the row it stands on and its unit: "Set to Opening 1 midnights; ...; Clock Set 19 h 0 min
// 0 s; ...".
QString EntryText(const race::RaceEntry& entry) {
    const auto unit = [](std::string_view name) {
        if (name == "hours") return ClubDocument::tr("h");
        if (name == "minutes") return ClubDocument::tr("min");
        if (name == "seconds") return ClubDocument::tr("s");
        return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    };
    // A row's figures kept on one line, as the calculator shows them.
    constexpr QChar kTogether(u'\u00A0');
    QStringList rows;
    std::string_view row_shown;
    for (const race::EntryField& field : race::EntryFields()) {
        const QString value =
            QString::fromStdString(entry.*field.member) + kTogether + unit(field.unit);
        if (field.row == row_shown) {
            rows.back() += kTogether + value;
            continue;
        }
        row_shown = field.row;
        rows << QString::fromUtf8(field.row.data(), static_cast<qsizetype>(field.row.size())) +
                    QLatin1Char(' ') + value;
    }
    return rows.join(QStringLiteral("; "));
}

}  // namespace

QString ClubDocument::BirdInFull(const results::ResultRow& row) const {
    const QString bird =
        tr("%1, ring %2").arg(QString::fromStdString(row.loft), QString::fromStdString(row.ring));
    if (row.fault) {
        return tr("%1: no result. %2")
            .arg(bird, QString::fromStdString(results::BirdFaultMessage(*row.fault)));
    }
    QString text =
        tr("%1, position %2: velocity %3 yards per minute (%4 metres per minute); flying time "
           "%5 h %6 min %7 s; variation %8 s; distance %9.")
            .arg(bird, QString::number(row.position.value_or(0)),
                 QString::fromStdString(row.figures.velocity),
                 QString::fromStdString(
                     results::VelocityText(row, results::VelocityUnit::MetresPerMinute)),
                 QString::fromStdString(row.figures.FTHrs),
                 QString::fromStdString(row.figures.FTMins),
                 QString::fromStdString(row.figures.FTSecs),
                 QString::fromStdString(row.figures.variation),
                 row.distance ? DistanceText(*row.distance) : QString());
    if (const std::optional<race::RaceEntry> entry =
            results::CalculatorEntryOf(ReturnOfOpenRace(), row.loft_id, row.ring)) {
        text += QLatin1Char('\n') +
                tr("Worked out from the calculator entry: %1.").arg(EntryText(*entry));
    }
    return text;
}

template <typename Record>
void ClubDocument::TakeBackRowBegun(const Record& row) {
    const int top = undo_stack_.index() - 1;
    if (top < 0 || undo_stack_.index() != undo_stack_.count()) return;
    const auto* added = dynamic_cast<const AddRows<Record>*>(undo_stack_.command(top));
    if (added == nullptr || !added->IsOnly(row)) return;
    undo_stack_.undo();
}

void ClubDocument::SayNotFound(bool loft, const QString& typed) {
    emit Notice(
        loft ? tr("No one loft of the club is named %1: type part of the member's name "
                  "and pick the loft from the list.")
                   .arg(typed)
             : tr("No one race point of the club is named %1: pick it from the list.").arg(typed));
}

template <typename Record>
bool ClubDocument::AddNew(const QString& text, const std::optional<Record>& like) {
    Record record;
    if constexpr (std::is_same_v<Record, club::Race>) {
        // Races are flown on Saturdays; the hours of darkness stay as the club's last race had
        // them through a season.
        QDate saturday = QDate::currentDate();
        while (saturday.dayOfWeek() != Qt::Saturday) saturday = saturday.addDays(1);
        record.liberation = saturday.toString(Qt::ISODate).toStdString();
        if (races_.rowCount() > 0) {
            const club::Race& last = races_.At(races_.rowCount() - 1);
            record.darkness_evening = last.darkness_evening;
            record.darkness_morning = last.darkness_morning;
        }
    } else {
        if (!open_race_) return false;
        record.race = *open_race_;
        // A bird like the one before is of the same loft; each clock is a loft's own.
        if constexpr (std::is_same_v<Record, club::Clocking>) {
            if (like) record.loft = like->loft;
        }
    }
    return Add(std::vector<Record>{record}, text);
}

bool ClubDocument::Push(QUndoCommand* step) {
    written_ = false;
    undo_stack_.push(step);
    return written_;
}

bool ClubDocument::Wrote(bool written) {
    written_ = written;
    return written;
}

void ClubDocument::ReadChangesMadeElsewhere() {
    if (!file_ || !file_->ChangedElsewhere()) return;
    ShowClub(false);
    emit Notice(tr("Changes made to the club in another window have been read in."));
}

template <typename Record>
bool ClubDocument::Add(std::vector<Record> rows, const QString& text) {
    if (!file_ || rows.empty()) return false;
    return Push(new AddRows<Record>(*this, std::move(rows), text));
}

template <typename Record>
bool ClubDocument::Edit(const Record& before, const Record& after, const QString& text) {
    if (!file_) return false;
    return Push(new EditRow<Record>(*this, before, after, text));
}

template <typename Record>
void ClubDocument::Delete(std::vector<Record> rows, const QString& text) {
    if (!file_ || rows.empty()) return;
    if constexpr (std::is_same_v<Record, club::Race>) {
        // A race goes with its clocks and birds, and Undo brings them all back.
        undo_stack_.beginMacro(text);
        for (const club::Race& race : rows) {
            club::Rows<club::Clocking> clockings = file_->ReadOfRace<club::Clocking>(race.id);
            club::Rows<club::Clock> clocks = file_->ReadOfRace<club::Clock>(race.id);
            if (!Report(clockings.problem) || !Report(clocks.problem)) {
                undo_stack_.endMacro();
                undo_stack_.undo();
                return;
            }
            if (!clockings.rows.empty()) {
                undo_stack_.push(
                    new DeleteRows<club::Clocking>(*this, std::move(clockings.rows), text));
            }
            if (!clocks.rows.empty()) {
                undo_stack_.push(new DeleteRows<club::Clock>(*this, std::move(clocks.rows), text));
            }
        }
        undo_stack_.push(new DeleteRows<Record>(*this, std::move(rows), text));
        undo_stack_.endMacro();
    } else {
        undo_stack_.push(new DeleteRows<Record>(*this, std::move(rows), text));
    }
}

template <typename Record>
bool ClubDocument::Import(std::vector<Record> added,
                          const std::vector<std::pair<Record, Record>>& changed,
                          const QString& text) {
    if (!file_ || (added.empty() && changed.empty())) return false;
    // After an Undo a new step takes the place of the one undone: the index tells, not the count.
    const int before = undo_stack_.index();
    undo_stack_.beginMacro(text);
    if (!added.empty()) undo_stack_.push(new AddRows<Record>(*this, std::move(added), text));
    for (const auto& [was, becomes] : changed) {
        undo_stack_.push(new EditRow<Record>(*this, was, becomes, text));
    }
    undo_stack_.endMacro();
    return undo_stack_.index() > before;
}

bool ClubDocument::ImportReturn(std::vector<club::Clock> clocks,
                                std::vector<club::Clocking> clockings, const QString& text) {
    if (!file_ || (clocks.empty() && clockings.empty())) return false;
    const int before = undo_stack_.index();
    undo_stack_.beginMacro(text);
    if (!clocks.empty()) undo_stack_.push(new AddRows<club::Clock>(*this, std::move(clocks), text));
    if (!clockings.empty()) {
        undo_stack_.push(new AddRows<club::Clocking>(*this, std::move(clockings), text));
    }
    undo_stack_.endMacro();
    return undo_stack_.index() > before;
}

template <typename Record>
bool ClubDocument::Insert(std::vector<Record>& rows) {
    if (!file_) return Wrote(false);
    const club::WriteProblem problem = file_->Insert(rows);
    if (problem) {
        Report(problem);
        ReadList<Record>(false);
        return Wrote(false);
    }
    // A step undone or redone in another race than the one open shows that race.
    if constexpr (kOfARace<Record>) {
        if (rows.front().race != open_race_) {
            OpenRace(rows.front().race);
            return Wrote(true);
        }
    }
    ListOf<Record>().Inserted(rows);
    if (!AllJustBegun(rows)) ShowResult();
    return Wrote(true);
}

template <typename Record>
bool ClubDocument::Replace(const Record& before, const Record& after) {
    if (!file_) return Wrote(false);
    const club::WriteProblem problem = file_->Update(before, after);
    if (problem) {
        Report(problem);
        ReadList<Record>(false);
        return Wrote(false);
    }
    if constexpr (kOfARace<Record>) {
        if (after.race != open_race_) {
            OpenRace(after.race);
            return Wrote(true);
        }
    }
    ListOf<Record>().Replaced(after);
    if (!JustBegun(before) || !JustBegun(after)) ShowResult();
    return Wrote(true);
}

template <typename Record>
bool ClubDocument::Remove(const std::vector<Record>& rows) {
    if (!file_) return Wrote(false);
    const club::WriteProblem problem = file_->Remove(std::span<const Record>(rows));
    if (problem) {
        Report(problem);
        ReadList<Record>(false);
        return Wrote(false);
    }
    ListOf<Record>().Removed(rows);
    if constexpr (std::is_same_v<Record, club::Race>) {
        for (const club::Race& race : rows) {
            if (race.id == open_race_) OpenRace(0);
        }
    }
    if (!AllJustBegun(rows)) ShowResult();
    return Wrote(true);
}

ClubPlaces ClubDocument::Places() const {
    ClubPlaces places;
    Locate(lofts_, places.lofts, places.lofts_left_off);
    Locate(race_points_, places.race_points, places.race_points_left_off);
    return places;
}

sheets::ClubSheets ClubDocument::Sheets() const {
    ClubPlaces places = Places();
    sheets::ClubSheets club{.club = Name(),
                            .lofts = {},
                            .race_points = {},
                            .lofts_left_off = std::move(places.lofts_left_off),
                            .race_points_left_off = std::move(places.race_points_left_off)};
    for (const club::Located<club::Loft>& loft : places.lofts) {
        club.lofts.push_back({.member = QString::fromStdString(loft.record.member),
                              .loft = QString::fromStdString(loft.record.loft),
                              .position = loft.position});
    }
    for (const club::Located<club::RacePoint>& race_point : places.race_points) {
        club.race_points.push_back({.name = QString::fromStdString(race_point.record.name),
                                    .position = race_point.position});
    }
    return club;
}

QByteArray ClubDocument::DistanceCsv(club::SpreadsheetForm form) const {
    const ClubPlaces places = Places();
    return QByteArray::fromStdString(
        club::DistanceSpreadsheet(places.lofts, places.race_points, form));
}

// Every kind of row a secretary changes.
#define CLUB_ROW(Record)                                                                     \
    template bool ClubDocument::Add(std::vector<Record>, const QString&);                    \
    template bool ClubDocument::Edit(const Record&, const Record&, const QString&);          \
    template void ClubDocument::Delete(std::vector<Record>, const QString&);                 \
    template bool ClubDocument::Import(                                                      \
        std::vector<Record>, const std::vector<std::pair<Record, Record>>&, const QString&); \
    template bool ClubDocument::Insert(std::vector<Record>&);                                \
    template bool ClubDocument::Replace(const Record&, const Record&);                       \
    template bool ClubDocument::Remove(const std::vector<Record>&);
CLUB_ROW(club::Loft)
CLUB_ROW(club::RacePoint)
CLUB_ROW(club::Race)
CLUB_ROW(club::Clock)
CLUB_ROW(club::Clocking)
#undef CLUB_ROW
template bool ClubDocument::AddNew(const QString&, const std::optional<club::Race>&);
template bool ClubDocument::AddNew(const QString&, const std::optional<club::Clock>&);
template bool ClubDocument::AddNew(const QString&, const std::optional<club::Clocking>&);
template void ClubDocument::TakeBackRowBegun(const club::Clock&);
template void ClubDocument::TakeBackRowBegun(const club::Clocking&);

}  // namespace club_ui
