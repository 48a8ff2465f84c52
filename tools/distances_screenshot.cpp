// Renders the Club Secretary window with the demo club open to PNG files: a loft's mistyped
// latitude marked in its cell and a distance selected, so the line under the table gives it in
// full with the bearing; and race night, the demo race's result with a bird selected. At a device pixel ratio of 2 (QT_SCALE_FACTOR=2) it renders the window at
// double resolution. It also saves the club's season sheet and member sheets and its race's
// result as PDF files, for pdftoppm to render a page of each, and the race's result as the web
// page the club puts on its site (result.html), for a browser to show.
//
//   distances-screenshot <picture-directory> [<pdf-directory>]

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QItemSelectionModel>
#include <QPixmap>
#include <QPrinter>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <cstdio>
#include <optional>
#include <string>

#include "club_ui/club_document.h"
#include "club_ui/club_window.h"
#include "club_ui/recent_clubs.h"
#include "club_ui/result_sheet.h"
#include "club_ui/sheets.h"
#include "results/club_race.h"
#include "results/result_writers.h"
#include "tools/demo_club.h"

namespace {

QTableView* TableNamed(const QWidget& window, const QString& name) {
    for (auto* table : window.findChildren<QTableView*>()) {
        if (table->accessibleName() == name) return table;
    }
    return nullptr;
}

bool SavePicture(QWidget& window, const QString& path) {
    QApplication::processEvents();
    // A palette keeps the file small. Without dithering a window of more than 256 colours (the
    // edges of its letters) takes the nearest of them, rather than a speckle that compresses badly.
    const QImage picture = window.grab().toImage().convertToFormat(
        QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
    if (!picture.save(path, "PNG")) {
        std::fprintf(stderr, "distances-screenshot: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s: %d x %d pixels\n", qPrintable(path), picture.width(), picture.height());
    return true;
}

template <typename Sheet>
bool SavePdf(bool (*print)(const Sheet&, QPrinter&), const Sheet& sheet, const QString& path) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    if (!print(sheet, printer)) return false;
    std::printf("%s\n", qPrintable(path));
    return QFileInfo(path).size() > 0;
}

// The demo club's race as the window gives it to the printer: the club's one race, its race
// point named, every bird.
std::optional<sheets::RaceSheet> DemoRace(const QString& path) {
    const club::Opening opened = club::ClubFile::Open(path.toStdU16String());
    if (!opened.file) return std::nullopt;
    const club::Rows<club::Race> races = opened.file->Read<club::Race>();
    const club::Rows<club::RacePoint> race_points = opened.file->Read<club::RacePoint>();
    if (races.problem || race_points.problem || races.rows.empty()) return std::nullopt;
    const club::Race& race = races.rows.front();
    QString race_point;
    for (const club::RacePoint& point : race_points.rows) {
        if (point.id == race.race_point) race_point = QString::fromStdString(point.name);
    }
    const results::ClubRaceReturn found = results::ReturnOfClubRace(*opened.file, race);
    if (found.problem) return std::nullopt;
    return sheets::RaceSheetOf(QString::fromUtf8(demo_club::kName), race_point, found.race_return,
                               {});
}

bool SaveWebPage(const sheets::RaceSheet& sheet, const QString& path) {
    QFile page(path);
    const std::string html = results::ResultHtml(sheet.result, sheet.options);
    if (!page.open(QIODevice::WriteOnly) ||
        page.write(html.data(), static_cast<qint64>(html.size())) !=
            static_cast<qint64>(html.size())) {
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc != 2 && argc != 3) {
        std::fputs("usage: distances-screenshot <picture-directory> [<pdf-directory>]\n", stderr);
        return 2;
    }
    club_ui::NameTheProgram();
    // Opening a club remembers it; these pictures must not change the user's recent clubs.
    QStandardPaths::setTestModeEnabled(true);
    QApplication::setApplicationName(QStringLiteral("Club Secretary pictures"));

    const QTemporaryDir folder;
    const QString path = folder.filePath(QString::fromUtf8(demo_club::kName) + ".club");
    if (const std::string problem = demo_club::Write(path.toStdU16String()); !problem.empty()) {
        std::fprintf(stderr, "distances-screenshot: %s\n", problem.c_str());
        return 1;
    }
    club_ui::ClubWindow window;
    window.show();
    window.OpenStartingClub(path);
    QTableView* const lofts = TableNamed(window, QStringLiteral("Lofts"));
    QTableView* const distances = TableNamed(window, QStringLiteral("Distances"));
    if (lofts == nullptr || distances == nullptr) return 1;
    // The mistyped latitude's message in the status bar, as when the secretary steps onto it;
    // then Mr Tonks's loft from Weymouth, its distance in full under the table.
    lofts->selectionModel()->setCurrentIndex(lofts->model()->index(4, 2),
                                             QItemSelectionModel::NoUpdate);
    distances->setFocus();
    distances->setCurrentIndex(distances->model()->index(6, 2));

    const QDir pictures(QString::fromLocal8Bit(argv[1]));
    const bool doubled = window.devicePixelRatioF() > 1.5;
    if (!SavePicture(window,
                     pictures.filePath(doubled ? QStringLiteral("screenshot-distances@2x.png")
                                               : QStringLiteral("screenshot-distances.png")))) {
        return 1;
    }
    // Race night: the demo race open, a bird selected in its result and shown in full under it.
    auto* const pages = window.findChild<QTabWidget*>();
    if (pages == nullptr) return 1;
    pages->setCurrentIndex(1);  // the page is built as it is first shown
    QTableView* const result = TableNamed(window, QStringLiteral("Result"));
    if (result == nullptr) return 1;
    result->setFocus();
    result->setCurrentIndex(result->model()->index(2, 1));
    if (!SavePicture(window, pictures.filePath(doubled ? QStringLiteral("screenshot-race@2x.png")
                                                       : QStringLiteral("screenshot-race.png")))) {
        return 1;
    }
    if (argc == 3) {
        const QDir pdfs(QString::fromLocal8Bit(argv[2]));
        // The sheets as the document gives them to the printer, with no window.
        club_ui::ClubDocument document;
        if (!document.Open(path)) return 1;
        const sheets::ClubSheets club = document.Sheets();
        if (!SavePdf(&sheets::PrintSeasonSheet, club,
                     pdfs.filePath(QStringLiteral("season.pdf"))) ||
            !SavePdf(&sheets::PrintMemberSheets, club,
                     pdfs.filePath(QStringLiteral("members.pdf")))) {
            return 1;
        }
        const std::optional<sheets::RaceSheet> race = DemoRace(path);
        if (!race ||
            !SavePdf(&sheets::PrintRaceResult, *race,
                     pdfs.filePath(QStringLiteral("result.pdf"))) ||
            !SaveWebPage(*race, pdfs.filePath(QStringLiteral("result.html")))) {
            std::fputs("distances-screenshot: the demo race's result could not be saved\n", stderr);
            return 1;
        }
    }
    return 0;
}
