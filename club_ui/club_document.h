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
#include "club_ui/sheets.h"
#include "distance/places_csv.h"

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
    template <typename Record>
    PlaceList<Record>& ListOf();

    // The changes a user makes; each is one step of Undo, written before it is shown.
    template <typename Record>
    bool Add(std::vector<Record> rows, const QString& text);
    template <typename Record>
    bool Edit(const Record& before, const Record& after, const QString& text);
    template <typename Record>
    void Delete(std::vector<Record> rows, const QString& text);
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

  private:
    bool Report(const std::optional<club::ClubProblem>& problem);
    template <typename Record>
    void ReadList(bool opening);
    void ShowClub(bool opening);

    std::optional<club::ClubFile> file_;
    std::optional<club::Problem> read_only_;
    QUndoStack undo_stack_;
    LoftList lofts_;
    RacePointList race_points_;
    DistanceTableModel distances_;
    QTimer* look_for_changes_;
};

}  // namespace club_ui
