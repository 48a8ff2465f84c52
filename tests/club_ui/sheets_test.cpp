// The sheets printed to PDF and read back with poppler's pdftotext and pdfinfo, as a person
// reading the paper would: every figure has to be on some page, and the names that say what a
// figure is have to be on the same page.
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <functional>

#include "club_ui/sheets.h"
#include "distance/coordinate.h"
#include "distance/geodesic.h"

namespace {

// Names of one width, so that none is found inside another ("Member 1" in "Member 10").
sheets::ClubSheets Club(int lofts, int race_points) {
    sheets::ClubSheets club;
    club.club = QStringLiteral("Test Club");
    for (int loft = 0; loft < lofts; ++loft) {
        club.lofts.push_back(
            {QStringLiteral("Member %1").arg(loft, 3, 10, QChar('0')),
             loft % 2 == 0 ? QStringLiteral("Loft %1").arg(loft, 3, 10, QChar('0')) : QString(),
             {52.0 + 0.011 * loft, -1.0 - 0.017 * loft}});
    }
    for (int race_point = 0; race_point < race_points; ++race_point) {
        club.race_points.push_back({QStringLiteral("Point %1").arg(race_point, 3, 10, QChar('0')),
                                    {49.0 - 0.13 * race_point, 2.0 + 0.07 * race_point}});
    }
    return club;
}

using Print = std::function<void(const sheets::ClubSheets&, QPrinter&)>;

// The text of each page of the club's sheet as printed on paper of the size given.
QStringList PrintedPages(const Print& print, const sheets::ClubSheets& club,
                         QPageSize::PageSizeId paper = QPageSize::A4) {
    const QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("sheet.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(paper));
    printer.setOutputFileName(pdf);
    print(club, printer);

    const auto run = [](const QString& program, const QStringList& arguments) {
        QProcess process;
        process.start(program, arguments);
        if (!process.waitForFinished() || process.exitCode() != 0) {
            qWarning() << program << "failed:" << process.errorString()
                       << process.readAllStandardError();
        }
        return QString::fromUtf8(process.readAllStandardOutput());
    };
    const QRegularExpressionMatch pages =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(run("pdfinfo", {pdf}));
    QStringList texts;
    for (int page = 1; page <= pages.captured(1).toInt(); ++page) {
        const QString number = QString::number(page);
        texts.push_back(run("pdftotext", {"-f", number, "-l", number, "-enc", "UTF-8", pdf, "-"}));
    }
    return texts;
}

}  // namespace

class SheetsTest : public QObject {
    Q_OBJECT

  private slots:
    void season_sheet_data() {
        QTest::addColumn<int>("lofts");
        QTest::addColumn<int>("race_points");
        QTest::addColumn<QPageSize::PageSizeId>("paper");
        QTest::newRow("lofts run down three pages of A4") << 105 << 3 << QPageSize::A4;
        QTest::newRow("race points run across three pages of Letter")
            << 4 << 18 << QPageSize::Letter;
    }

    // Every loft by every race point, and on each page the names of its rows and its columns.
    void season_sheet() {
        QFETCH(int, lofts);
        QFETCH(int, race_points);
        QFETCH(QPageSize::PageSizeId, paper);
        const sheets::ClubSheets club = Club(lofts, race_points);
        const QStringList pages = PrintedPages(sheets::PrintSeasonSheet, club, paper);
        QCOMPARE(pages.size(), 3);
        for (const sheets::SheetLoft& loft : club.lofts) {
            for (const sheets::SheetRacePoint& race_point : club.race_points) {
                const distance::MilesYards way = distance::ToMilesYards(
                    distance::DistanceToLoft(race_point.position, loft.position).metres);
                const QString figure = QStringLiteral("%1 m %2 y").arg(way.miles).arg(way.yards);
                const auto on_page = [&](const QString& page) {
                    return page.contains(figure) && page.contains(loft.member) &&
                           page.contains(loft.loft) && page.contains(race_point.name);
                };
                QVERIFY2(std::any_of(pages.begin(), pages.end(), on_page),
                         qPrintable(loft.member + " from " + race_point.name + ": " + figure));
            }
        }
    }

    void member_sheets_data() {
        QTest::addColumn<int>("race_points");
        QTest::addColumn<int>("pages_a_loft");
        QTest::newRow("one page a loft") << 12 << 1;
        QTest::newRow("race points run onto a second page") << 70 << 2;
    }

    // Each member's pages carry the member's name and the loft's coordinates, and between them
    // every race point's distance in miles and yards.
    void member_sheets() {
        QFETCH(int, race_points);
        QFETCH(int, pages_a_loft);
        const sheets::ClubSheets club = Club(3, race_points);
        const QStringList pages = PrintedPages(sheets::PrintMemberSheets, club);
        QCOMPARE(pages.size(), 3 * pages_a_loft);
        for (int loft = 0; loft < 3; ++loft) {
            const sheets::SheetLoft& sheet_loft = club.lofts[static_cast<std::size_t>(loft)];
            const QStringList own = pages.mid(loft * pages_a_loft, pages_a_loft);
            const QString latitude = QString::fromStdString(
                distance::WriteAngle(sheet_loft.position.latitude, distance::Axis::Latitude));
            for (const QString& page : own) {
                QVERIFY(page.contains(sheet_loft.member));
                QVERIFY(page.contains(latitude));
            }
            const QString all = own.join('\n');
            for (const sheets::SheetRacePoint& race_point : club.race_points) {
                const QString figure =
                    QString::fromStdString(distance::MilesYardsText(distance::ToMilesYards(
                        distance::DistanceToLoft(race_point.position, sheet_loft.position)
                            .metres)));
                const QString kilometres = QString::fromStdString(distance::KilometresText(
                    distance::DistanceToLoft(race_point.position, sheet_loft.position).metres));
                QVERIFY2(all.contains(figure) && all.contains(kilometres),
                         qPrintable(sheet_loft.member + ": " + figure + ", " + kilometres));
            }
        }
    }
};

QTEST_MAIN(SheetsTest)
#include "sheets_test.moc"
