#pragma once

#include <QMainWindow>
#include <QString>
#include <QUndoStack>
#include <optional>

#include "club/club_file.h"
#include "club_ui/sheets.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPrinter;
class QSortFilterProxyModel;
class QTableView;

namespace club_ui {

// Names the program, and so where it keeps its settings (the recent clubs) and its first club:
// one folder and one settings file named "Race Distances" in the user's data and settings folders.
// Called before any window is made.
void NameTheProgram();

class DistanceTableModel;
class PlaceListModel;

// The Race Distances window: the club's lofts and race points, editable, every loft's distance
// from every race point, and a quick distance between two coordinates typed in. It moves texts
// between the lists, the distance library and the club file; the club file holds every change as
// soon as it is made, so there is nothing to save.
class ClubWindow : public QMainWindow {
    Q_OBJECT

    using SheetPrinter = void (*)(const sheets::ClubSheets&, QPrinter&);

  public:
    explicit ClubWindow(QWidget* parent = nullptr);
    ~ClubWindow() override;

    // The club given on the command line; else the one open last time; else, on a first start,
    // a club file made in the user's data folder.
    void OpenStartingClub(const QString& command_line_path);
    // The same, once the window's first frame is on the screen: the window appears at once, and
    // the lists fill a moment later, however large the club.
    void OpenStartingClubOnceShown(const QString& command_line_path);
    // Opens a club file, saying why not when it cannot be opened (the club open stays open).
    bool OpenClub(const QString& path);

    PlaceListModel& lofts() { return *lofts_; }
    PlaceListModel& racePoints() { return *race_points_; }
    QUndoStack& undoStack() { return undo_stack_; }
    // The lofts and race points whose coordinates read, for the printed sheets.
    sheets::ClubSheets SheetsOfClub();

  protected:
    bool event(QEvent* event) override;

  private slots:
    void NewClub();
    void ChooseClubToOpen();
    void SaveCopyAs();
    void AddLoft();
    void AddRacePoint();
    void DeleteSelectedLofts();
    void DeleteSelectedRacePoints();
    void ShowInKilometres(bool kilometres);
    void ShowSelectedDistance();
    void CopySelectedDistances();
    void WorkOutQuickDistance();
    void PickQuickRacePoint(int index);
    void PickQuickLoft(int index);
    void ReportWriteProblem(const QString& message);
    void ReadChangesMadeElsewhere();
    void ImportLofts();
    void ImportRacePoints();
    void ExportDistances();
    void PrintSeasonSheet();
    void PrintMemberSheets();
    void SaveSeasonSheetAsPdf();
    void SaveMemberSheetsAsPdf();

  private:
    void BuildMenus();
    QWidget* BuildListFrame(PlaceListModel& model, QSortFilterProxyModel*& proxy, QTableView*& view,
                            const QString& title);
    QWidget* BuildDistanceFrame();
    QWidget* BuildQuickDistanceFrame();
    void AddSortMenu(QMenu& menu, const PlaceListModel& model, QTableView& view);
    void FillRecentClubs();
    void RememberClub(const QString& path);
    void AddRow(PlaceListModel& model, QTableView& view);
    void DeleteSelectedRows(PlaceListModel& model, QSortFilterProxyModel& proxy, QTableView& view);
    void ShowCellProblem(const QModelIndex& index);
    void RefillQuickPickers();
    void Import(PlaceListModel& model);
    QString FolderForDialogs() const;
    QString ClubName() const;
    void PreviewSheets(SheetPrinter print, const QString& title);
    void SaveSheetsAsPdf(SheetPrinter print, const QString& title, const QString& file_name);

    QUndoStack undo_stack_;
    std::optional<QString> starting_club_;  // to open after the first frame
    std::optional<club::ClubFile> club_;
    PlaceListModel* lofts_ = nullptr;
    PlaceListModel* race_points_ = nullptr;
    DistanceTableModel* distances_ = nullptr;
    QSortFilterProxyModel* loft_order_ = nullptr;
    QSortFilterProxyModel* race_point_order_ = nullptr;
    QTableView* loft_view_ = nullptr;
    QTableView* race_point_view_ = nullptr;
    QTableView* distance_view_ = nullptr;
    QCheckBox* kilometres_ = nullptr;
    QLabel* selected_distance_ = nullptr;
    QComboBox* quick_race_point_ = nullptr;
    QComboBox* quick_loft_ = nullptr;
    QLineEdit* from_latitude_ = nullptr;
    QLineEdit* from_longitude_ = nullptr;
    QLineEdit* to_latitude_ = nullptr;
    QLineEdit* to_longitude_ = nullptr;
    QLabel* quick_result_ = nullptr;
    QMenu* recent_clubs_ = nullptr;
};

}  // namespace club_ui
