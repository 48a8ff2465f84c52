#include "club_ui/club_document.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <QUndoCommand>
#include <chrono>
#include <filesystem>
#include <span>
#include <type_traits>

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
PlaceList<club::Loft>& ClubDocument::ListOf<club::Loft>() {
    return lofts_;
}
template <>
PlaceList<club::RacePoint>& ClubDocument::ListOf<club::RacePoint>() {
    return race_points_;
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
    club::Rows<Record> read = file_->Read<Record>();
    // A list that cannot be read stays as it was shown, and the secretary is told.
    if (!Report(read.problem)) return;
    if (opening) {
        ListOf<Record>().Reset(std::move(read.rows));
    } else {
        ListOf<Record>().Show(std::move(read.rows));
    }
}

void ClubDocument::ShowClub(bool opening) {
    ReadList<club::Loft>(opening);
    ReadList<club::RacePoint>(opening);
}

void ClubDocument::ReadChangesMadeElsewhere() {
    if (!file_ || !file_->ChangedElsewhere()) return;
    ShowClub(false);
    emit Notice(tr("Changes made to the club in another window have been read in."));
}

template <typename Record>
bool ClubDocument::Add(std::vector<Record> rows, const QString& text) {
    if (!file_ || rows.empty()) return false;
    const int before = undo_stack_.count();
    undo_stack_.push(new AddRows<Record>(*this, std::move(rows), text));
    return undo_stack_.count() > before;
}

template <typename Record>
bool ClubDocument::Edit(const Record& before, const Record& after, const QString& text) {
    if (!file_) return false;
    const int count = undo_stack_.count();
    undo_stack_.push(new EditRow<Record>(*this, before, after, text));
    return undo_stack_.count() > count;
}

template <typename Record>
void ClubDocument::Delete(std::vector<Record> rows, const QString& text) {
    if (!file_ || rows.empty()) return;
    undo_stack_.push(new DeleteRows<Record>(*this, std::move(rows), text));
}

template <typename Record>
bool ClubDocument::Import(std::vector<Record> added,
                          const std::vector<std::pair<Record, Record>>& changed,
                          const QString& text) {
    if (!file_ || (added.empty() && changed.empty())) return false;
    const int before = undo_stack_.count();
    undo_stack_.beginMacro(text);
    if (!added.empty()) undo_stack_.push(new AddRows<Record>(*this, std::move(added), text));
    for (const auto& [was, becomes] : changed) {
        undo_stack_.push(new EditRow<Record>(*this, was, becomes, text));
    }
    undo_stack_.endMacro();
    return undo_stack_.count() > before;
}

template <typename Record>
bool ClubDocument::Insert(std::vector<Record>& rows) {
    if (!file_) return false;
    const club::WriteProblem problem = file_->Insert(rows);
    if (problem) {
        Report(problem);
        ReadList<Record>(false);
        return false;
    }
    ListOf<Record>().Inserted(rows);
    return true;
}

template <typename Record>
bool ClubDocument::Replace(const Record& before, const Record& after) {
    if (!file_) return false;
    const club::WriteProblem problem = file_->Update(before, after);
    if (problem) {
        Report(problem);
        ReadList<Record>(false);
        return false;
    }
    ListOf<Record>().Replaced(after);
    return true;
}

template <typename Record>
bool ClubDocument::Remove(const std::vector<Record>& rows) {
    if (!file_) return false;
    const club::WriteProblem problem = file_->Remove(std::span<const Record>(rows));
    if (problem) {
        Report(problem);
        ReadList<Record>(false);
        return false;
    }
    ListOf<Record>().Removed(rows);
    return true;
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

template bool ClubDocument::Add(std::vector<club::Loft>, const QString&);
template bool ClubDocument::Add(std::vector<club::RacePoint>, const QString&);
template bool ClubDocument::Edit(const club::Loft&, const club::Loft&, const QString&);
template bool ClubDocument::Edit(const club::RacePoint&, const club::RacePoint&, const QString&);
template void ClubDocument::Delete(std::vector<club::Loft>, const QString&);
template void ClubDocument::Delete(std::vector<club::RacePoint>, const QString&);
template bool ClubDocument::Import(std::vector<club::Loft>,
                                   const std::vector<std::pair<club::Loft, club::Loft>>&,
                                   const QString&);
template bool ClubDocument::Import(std::vector<club::RacePoint>,
                                   const std::vector<std::pair<club::RacePoint, club::RacePoint>>&,
                                   const QString&);
template bool ClubDocument::Insert(std::vector<club::Loft>&);
template bool ClubDocument::Insert(std::vector<club::RacePoint>&);
template bool ClubDocument::Replace(const club::Loft&, const club::Loft&);
template bool ClubDocument::Replace(const club::RacePoint&, const club::RacePoint&);
template bool ClubDocument::Remove(const std::vector<club::Loft>&);
template bool ClubDocument::Remove(const std::vector<club::RacePoint>&);

}  // namespace club_ui
