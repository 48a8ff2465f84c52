#pragma once

#include <QObject>
#include <QString>
#include <QUndoStack>
#include <memory>
#include <optional>
#include <vector>

#include "club/club_file.h"
#include "club/distance_export.h"
#include "club_ui/distance_table_model.h"
#include "club_ui/place_list_model.h"
#include "club_ui/race_lists.h"
#include "club_ui/result_model.h"
#include "club_ui/sheets.h"
#include "distance/places_csv.h"
#include "results/race_result.h"

class QTimer;

namespace club_ui {

// The club's places as the distance table, the sheets and the export all take them: those whose
// coordinates read, and those left off until they are mended, with why.
struct ClubPlaces {
    std::vector<club::Located<club::Loft>> lofts;
    std::vector<club::Located<club::RacePoint>> race_points;
    std::vector<sheets::LeftOff> lofts_left_off;
    std::vector<sheets::LeftOff> race_points_left_off;
};

// The model each kind of row is shown in.
template <typename Record>
struct ShownList {
    using Type = PlaceList<Record>;
};
template <>
struct ShownList<club::Race> {
    using Type = RaceListModel;
};
template <>
struct ShownList<club::Clock> {
    using Type = ClockList;
};
template <>
struct ShownList<club::Clocking> {
    using Type = ClockingList;
};

// The open club, as a window shows and changes it, with no widgets: the club file, its undo
// stack, the two lists and the distance table, and every change a user can make, each one
// function that makes one step of Undo. Changes another window or program writes to the same
// file are read in as they come.
class ClubDocument : public QObject {
    Q_OBJECT

  public:
    explicit ClubDocument(QObject* parent = nullptr);
    ~ClubDocument() override;

    // Opens a club file, or says why not (the club open stays open). An older club is upgraded,
    // a copy of it kept first, and the document says so.
    bool Open(const QString& path);
    // Makes a new empty club file and opens it.
    bool Create(const QString& path);
    bool IsOpen() const { return file_.has_value(); }
    QString Path() const;
    // The club's name: its file's name without the suffix.
    QString Name() const;
    // Why nothing can be changed (the file or its folder read-only), or nothing.
    std::optional<club::Problem> WhyReadOnly() const { return read_only_; }
    bool SaveCopy(const QString& path);

    QUndoStack& undoStack() { return undo_stack_; }
    LoftList& lofts() { return lofts_; }
    RacePointList& racePoints() { return race_points_; }
    DistanceTableModel& distances() { return distances_; }
    RaceListModel& races() { return races_; }
    // The clocks and the birds of the race open, and its result as they stand.
    ClockList& clocks() { return clocks_; }
    ClockingList& clockings() { return clockings_; }
    ResultModel& result() { return result_; }
    template <typename Record>
    typename ShownList<Record>::Type& ListOf();

    // The race whose clocks, birds and result are shown: none until one is opened.
    void OpenRace(club::Id race);
    std::optional<club::Race> OpenRaceRecord() const;
    // The day the race open was flown (its liberation's date), where it reads.
    std::optional<results::Date> RaceDay() const;
    // The rings a loft has clocked before, offered as a bird's ring is typed.
    QStringList RingsClockedBy(club::Id loft) const;
    // What the result of the race open is worked out from, as its lists stand.
    results::RaceReturn ReturnOfOpenRace() const;
    void SetResultOptions(const results::ResultOptions& options);
    // The race open in a line: its race point, liberation, hours of darkness, lofts and birds.
    QString RaceDescription() const;
    // A bird of the result in full: the calculator's figures to their last digit, and the entry
    // to give the calculator to check them.
    QString BirdInFull(const results::ResultRow& row) const;
    // The result of the race open as race-result writes it: CSV (with the byte-order mark a
    // spreadsheet needs to take it as UTF-8) and the web page.
    QByteArray ResultCsv() const;
    QByteArray ResultHtml() const;

    // The changes a user makes; each is one step of Undo, written before it is shown.
    template <typename Record>
    bool Add(std::vector<Record> rows, const QString& text);
    template <typename Record>
    bool Edit(const Record& before, const Record& after, const QString& text);
    template <typename Record>
    void Delete(std::vector<Record> rows, const QString& text);
    // A race's return taken in: clocks and birds added to the race open, one step together.
    bool ImportReturn(std::vector<club::Clock> clocks, std::vector<club::Clocking> clockings,
                      const QString& text);
    // A new row as a secretary starts one: a race on the coming Saturday with the hours of
    // darkness of the club's last race; a clock or a bird of the race open, of the loft of the
    // row it is like.
    template <typename Record>
    bool AddNew(const QString& text, const std::optional<Record>& like);
    // The row just begun taken back, when it is the last step and nothing was typed in it.
    template <typename Record>
    void TakeBackRowBegun(const Record& row);
    // A loft or race point typed that the club does not have, or that more than one name holds.
    void SayNotFound(bool loft, const QString& typed);
    // An import: rows added and rows whose positions change, one step together.
    template <typename Record>
    bool Import(std::vector<Record> added, const std::vector<std::pair<Record, Record>>& changed,
                const QString& text);

    // What the undo steps write. Each writes the file first and shows the change only when it is
    // written. A change the file refuses, or one to a row another window changed or removed
    // since, is reported (ProblemReported); the list is then read again as the file has it.
    template <typename Record>
    bool Insert(std::vector<Record>& rows);
    template <typename Record>
    bool Replace(const Record& before, const Record& after);
    template <typename Record>
    bool Remove(const std::vector<Record>& rows);

    // The one list of places whose coordinates read, and those left off.
    ClubPlaces Places() const;
    sheets::ClubSheets Sheets() const;
    // The distance table as a spreadsheet of that form opens it.
    QByteArray DistanceCsv(club::SpreadsheetForm form) const;

    // Reads in the changes another window or program wrote, if there are any.
    void ReadChangesMadeElsewhere();

  signals:
    // A change not made or a club not opened (club::ProblemMessage words it).
    void ProblemReported(const club::ClubProblem& problem);
    // Something the secretary should know that is not a problem: for the status bar.
    void Notice(const QString& message);
    void Opened();
    // Another race's clocks and birds are shown (one opened, or a step undone in it).
    void RaceOpened();

  private:
    bool Report(const std::optional<club::ClubProblem>& problem);
    // Pushes a step and says whether the file took it. Neither the stack's count nor its index
    // can tell: after an Undo a new step takes the place of the one undone, and a cell typed into
    // a row just begun is merged into that row's step.
    bool Push(QUndoCommand* step);
    // What a step's write came to, for Push; returns it.
    bool Wrote(bool written);
    template <typename Record>
    void ReadList(bool opening);
    void ShowClub(bool opening);
    void ShowResult();
    template <typename Record>
    void Shown(const std::vector<Record>& rows);

    std::optional<club::ClubFile> file_;
    std::optional<club::Problem> read_only_;
    QUndoStack undo_stack_;
    LoftList lofts_;
    RacePointList race_points_;
    DistanceTableModel distances_;
    RaceListModel races_;
    ClockList clocks_;
    ClockingList clockings_;
    ResultModel result_;
    // The open race's birds' figures, so that a bird typed works out that bird alone again.
    results::KeptFigures kept_figures_;
    bool written_ = false;  // whether the last step's write was taken, for Push
    std::optional<club::Id> open_race_;
    QTimer* look_for_changes_;
};

}  // namespace club_ui
