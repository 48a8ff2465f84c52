#pragma once

#include <QMainWindow>
#include <QString>
#include <functional>
#include <optional>

#include "club_ui/club_document.h"
#include "club_ui/result_sheet.h"

class QLabel;
class QPrinter;
class QTabWidget;

namespace club_ui {

class DistancePane;
class ListPane;
class RacePane;

// The Club Secretary window: a shell over the club's document, made of its panes (the lofts, the
// race points, the distance table and the quick distance), its menus and the dialogs that open,
// import, export and print. The club file holds every change as soon as it is made, so there is
// nothing to save.
class ClubWindow : public QMainWindow {
    Q_OBJECT

  public:
    explicit ClubWindow(QWidget* parent = nullptr);

    // The club given on the command line; else the one open last time; else, on a first start,
    // a club file made in the user's data folder.
    void OpenStartingClub(const QString& command_line_path);
    // The same, once the window's first frame is on the screen: the window appears at once, and
    // the lists fill a moment later, however large the club.
    void OpenStartingClubOnceShown(const QString& command_line_path);

  protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private slots:
    void OpenClub(const QString& path);
    void NewClub();
    void ChooseClubToOpen();
    void SaveCopyAs();
    void ExportDistances();
    void PrintSeasonSheet();
    void PrintMemberSheets();
    void SaveSeasonSheetAsPdf();
    void SaveMemberSheetsAsPdf();
    void ShowClubOpened();
    void ShowClubPage();
    void ShowRacePage();
    void ExportResult();
    void ImportReturn();
    void SaveResultAsWebPage();
    void PrintRaceResult();
    void SaveRaceResultAsPdf();
    void ShowProblem(const QString& message);

  private:
    using SheetPrinter = bool (*)(const sheets::ClubSheets&, QPrinter&);
    // Prints a document on the printer given; false when the printer could not begin.
    using Printing = std::function<bool(QPrinter&)>;

    void BuildMenus();
    void BuildResultOptions(QMenu& view);
    // Race night's page, built the first time it is wanted.
    RacePane& RaceNight();
    void ShowStatus(const QString& problem);
    // The race open's result saved as a file of that kind, named after the race.
    void SaveResultAs(const QString& title, const QString& suffix, const QString& filter,
                      QByteArray (ClubDocument::*contents)() const);
    // Writes a file whole or not at all, saying which.
    bool WriteWhole(const QString& path, const QByteArray& contents);
    template <typename Record>
    void Import();
    QString FolderForDialogs() const;
    void PreviewSheets(SheetPrinter print, const QString& title);
    void SaveSheetsAsPdf(SheetPrinter print, const QString& title, const QString& document_title,
                         const QString& file_name);
    // The print preview, or a PDF, of any document; the notice said after it is printed.
    bool Preview(const Printing& print, const QString& title);
    bool SaveAsPdf(const Printing& print, const QString& title, const QString& document_title,
                   const QString& file_name);
    std::optional<sheets::RaceSheet> RaceSheetOfOpenRace();

    ClubDocument document_;
    std::optional<QString> starting_club_;  // to open after the first frame
    ListPane* lofts_;
    ListPane* race_points_;
    DistancePane* distances_;
    RacePane* race_;  // until race night is first shown, none
    QTabWidget* pages_;
    QLabel* read_only_bar_;
};

}  // namespace club_ui
