// Renders the Club Secretary window with the demo club open to PNG files: a loft's mistyped
// latitude marked in its cell and a distance selected, so the line under the table gives it in
// full with the bearing. At a device pixel ratio of 2 (QT_SCALE_FACTOR=2) it renders the window at
// double resolution. It also saves the club's season sheet and member sheets as PDF files, for
// pdftoppm to render a page of each.
//
//   distances-screenshot <picture-directory> [<pdf-directory>]

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QItemSelectionModel>
#include <QPixmap>
#include <QPrinter>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <cstdio>

#include "club_ui/club_document.h"
#include "club_ui/club_window.h"
#include "club_ui/recent_clubs.h"
#include "club_ui/sheets.h"
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

bool SavePdf(bool (*print)(const sheets::ClubSheets&, QPrinter&), const sheets::ClubSheets& club,
             const QString& path) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    if (!print(club, printer)) return false;
    std::printf("%s\n", qPrintable(path));
    return QFileInfo(path).size() > 0;
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
    }
    return 0;
}
