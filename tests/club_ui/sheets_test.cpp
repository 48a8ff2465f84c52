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

#include "club_ui/result_sheet.h"
#include "club_ui/sheets.h"
#include "club_ui/table_printer.h"
#include "core/text_rules.h"
#include "distance/coordinate.h"
#include "distance/geodesic.h"
#include "results/result_messages.h"
#include "results/result_writers.h"

Q_DECLARE_METATYPE(results::VelocityUnit)

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

using Print = std::function<bool(const sheets::ClubSheets&, QPrinter&)>;
using PrintOn = std::function<bool(QPrinter&)>;

QString Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished() || process.exitCode() != 0) {
        qWarning() << program << "failed:" << process.errorString()
                   << process.readAllStandardError();
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The text of each page as printed on paper of the size given, laid out as on the paper so that
// a table's row reads along one line; none when the printing says it failed.
QStringList PrintedPages(const PrintOn& print, QPageSize::PageSizeId paper = QPageSize::A4) {
    const QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("sheet.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(paper));
    printer.setOutputFileName(pdf);
    if (!print(printer)) return {};
    const QRegularExpressionMatch pages =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(Run("pdfinfo", {pdf}));
    QStringList texts;
    for (int page = 1; page <= pages.captured(1).toInt(); ++page) {
        const QString number = QString::number(page);
        texts.push_back(
            Run("pdftotext", {"-layout", "-f", number, "-l", number, "-enc", "UTF-8", pdf, "-"}));
    }
    return texts;
}
QStringList PrintedPages(const Print& print, const sheets::ClubSheets& club,
                         QPageSize::PageSizeId paper = QPageSize::A4) {
    return PrintedPages([&](QPrinter& printer) { return print(club, printer); }, paper);
}

// Miles then yards in one cell, whatever the units are called.
QRegularExpression MilesAndYards(const distance::MilesYards& way) {
    return QRegularExpression(QStringLiteral("\\b%1\\D{1,40}%2\\b").arg(way.miles).arg(way.yards));
}

// A table whose every cell names its table, row and column ("A017.03"), and headings that do
// not ("AH03").
printing::PrintedTable Table(QChar name, int rows, int columns, printing::TooWide too_wide) {
    printing::PrintedTable table{.caption = QStringLiteral("Table %1").arg(name),
                                 .too_wide = too_wide};
    for (int column = 0; column < columns; ++column)
        table.columns.push_back({QStringLiteral("%1H%2").arg(name).arg(column, 2, 10, QChar('0'))});
    for (int row = 0; row < rows; ++row) {
        std::vector<QString>& cells = table.rows.emplace_back();
        for (int column = 0; column < columns; ++column) {
            cells.push_back(QStringLiteral("%1%2.%3")
                                .arg(name)
                                .arg(row, 3, 10, QChar('0'))
                                .arg(column, 2, 10, QChar('0')));
        }
    }
    return table;
}

// A race's result of so many ranked birds, velocities falling a bird at a time, and after them
// birds with each kind of problem in turn; rings of one width, so that none is found in another.
sheets::RaceSheet Race(int ranked, int unplaced, const results::ResultOptions& options) {
    sheets::RaceSheet sheet{.club = QStringLiteral("Test Club"),
                            .race_point = QStringLiteral("Weymouth"),
                            .result = {.race = {"Open race",
                                                "2026-05-09 07:15",
                                                results::Darkness{"21:00", "05:00"},
                                                {}},
                                       .rows = {}},
                            .options = options,
                            .lofts_competing = 37,
                            .birds_clocked = 941};
    for (int bird = 0; bird < ranked + unplaced; ++bird) {
        results::ResultRow& row = sheet.result.rows.emplace_back();
        row.loft = QStringLiteral("Member %1").arg(bird % 40, 2, 10, QChar('0')).toStdString();
        row.ring = QStringLiteral("GB26N%1").arg(bird, 5, 10, QChar('0')).toStdString();
        row.distance = distance::MilesYards{90 + bird % 7, 1000 + bird};
        row.clocked =
            QStringLiteral("2026-05-09 11:%1:17").arg(bird % 60, 2, 10, QChar('0')).toStdString();
        if (bird >= ranked) {
            constexpr results::BirdProblem kProblems[] = {
                results::BirdProblem::RingClockedAgain, results::BirdProblem::NoDistance,
                results::BirdProblem::ClockedBeforeLiberation};
            row.fault = results::BirdFault{kProblems[bird % 3], {}, {}, {}};
            continue;
        }
        row.position = static_cast<std::size_t>(bird + 1);
        row.velocity = 1500.0 - 2.5 * bird + 0.123456789;
        row.figures = {"20.8736549809094", "4", "26", "56.1263450190909",
                       race::NumberToText(row.velocity)};
    }
    return sheet;
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
                const QRegularExpression figure = MilesAndYards(distance::ToMilesYards(
                    distance::DistanceToLoft(race_point.position, loft.position).metres));
                const auto on_page = [&](const QString& page) {
                    // A race point's name heads its two columns, and may wrap between its words.
                    const QStringList words = race_point.name.split(QLatin1Char(' '));
                    return page.contains(figure) && page.contains(loft.member) &&
                           page.contains(loft.loft) &&
                           std::all_of(words.begin(), words.end(), [&page](const QString& word) {
                               return page.contains(word);
                           });
                };
                QVERIFY2(std::any_of(pages.begin(), pages.end(), on_page),
                         qPrintable(loft.member + " from " + race_point.name));
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
    // every race point's row: its miles, its yards and its kilometres.
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
                const double metres =
                    distance::DistanceToLoft(race_point.position, sheet_loft.position).metres;
                const distance::MilesYards way = distance::ToMilesYards(metres);
                const QRegularExpression row(
                    QStringLiteral("%1 .* %2 +%3 +%4 ")
                        .arg(race_point.name)
                        .arg(way.miles)
                        .arg(way.yards)
                        .arg(QRegularExpression::escape(
                            QString::fromStdString(distance::KilometresText(metres)))));
                QVERIFY2(all.contains(row), qPrintable(sheet_loft.member + ": " + row.pattern()));
            }
        }
    }

    void left_off_named_data() {
        QTest::addColumn<Print>("print");
        QTest::addColumn<bool>("counts_lofts");
        QTest::newRow("season sheet") << Print(sheets::PrintSeasonSheet) << true;
        QTest::newRow("member sheets") << Print(sheets::PrintMemberSheets) << false;
    }

    // The first page names what it leaves off and why; the season sheet's heading counts the
    // club's lofts with those left off.
    void left_off_named() {
        QFETCH(Print, print);
        QFETCH(bool, counts_lofts);
        sheets::ClubSheets club = Club(12, 3);
        club.lofts_left_off = {{QStringLiteral("Müller"), QStringLiteral("latitude to mend")}};
        club.race_points_left_off = {
            {QStringLiteral("Dover"), QStringLiteral("longitude to mend")}};
        const QStringList pages = PrintedPages(print, club);
        QVERIFY(!pages.isEmpty());
        for (const QString& named :
             QStringList{"Müller", "latitude to mend", "Dover", "longitude to mend"})
            QVERIFY2(pages.front().contains(named), qPrintable(named));
        if (counts_lofts) {
            const QString heading = pages.front().section(club.lofts.front().member, 0, 0);
            QVERIFY2(heading.contains(QRegularExpression(QStringLiteral("\\b13\\b"))),
                     qPrintable(heading));
        }
    }

    void race_result_data() {
        QTest::addColumn<QPageSize::PageSizeId>("paper");
        QTest::addColumn<results::VelocityUnit>("unit");
        QTest::addColumn<int>("decimals");
        QTest::newRow("A4, yards per minute to three decimals")
            << QPageSize::A4 << results::VelocityUnit::YardsPerMinute << 3;
        QTest::newRow("Letter, metres per minute to four decimals")
            << QPageSize::Letter << results::VelocityUnit::MetresPerMinute << 4;
    }

    // Over three pages every ranked bird on a line of its own with its position, distance and
    // velocity as shown, and each bird with no result beside the first words of its problem; every
    // page says which race it is and heads its columns; the first counts the lofts and birds.
    void race_result() {
        QFETCH(QPageSize::PageSizeId, paper);
        QFETCH(results::VelocityUnit, unit);
        QFETCH(int, decimals);
        const sheets::RaceSheet sheet = Race(120, 6, {.unit = unit, .decimals = decimals});
        const QStringList pages = PrintedPages(
            [&](QPrinter& printer) { return sheets::PrintRaceResult(sheet, printer); }, paper);
        QCOMPARE(pages.size(), 3);
        const QString all = pages.join('\n');
        for (const results::ResultRow& row : sheet.result.rows) {
            const QString loft_and_ring =
                QStringLiteral("%1 +%2 +")
                    .arg(QString::fromStdString(row.loft), QString::fromStdString(row.ring));
            const QRegularExpression line(
                row.fault ? QStringLiteral("(^|\\n) *%1.*%2")
                                .arg(loft_and_ring,
                                     QString::fromStdString(results::BirdFaultMessage(*row.fault))
                                         .section(' ', 0, 1))
                          : QStringLiteral("(^|\\n) *%1 +%2%3 +%4 .* %5 *(\\n|$)")
                                .arg(*row.position)
                                .arg(loft_and_ring)
                                .arg(row.distance->miles)
                                .arg(row.distance->yards)
                                .arg(QRegularExpression::escape(
                                    QString::fromStdString(results::RoundDecimals(
                                        results::VelocityText(row, unit), decimals)))));
            QVERIFY2(all.contains(line), qPrintable(line.pattern()));
        }
        const QString unit_name = QString::fromStdString(results::VelocityUnitName(unit));
        for (const QString& page : pages) {
            for (const QString& named : {QStringLiteral("Open race"), QStringLiteral("Weymouth"),
                                         QStringLiteral("Ring"), unit_name})
                QVERIFY2(page.contains(named), qPrintable(named));
        }
        const QString heading = pages.front().section(QStringLiteral("GB26N00000"), 0, 0);
        for (const QString& figures :
             {QStringLiteral("2026-05-09 07:15:00"), QStringLiteral("21:00"),
              QStringLiteral("05:00"), QStringLiteral("\\b37\\b\\D+\\b941\\b")})
            QVERIFY2(heading.contains(QRegularExpression(figures)), qPrintable(figures));
    }

    void printer_that_cannot_begin_data() {
        QTest::addColumn<Print>("print");
        QTest::newRow("season sheet") << Print(sheets::PrintSeasonSheet);
        QTest::newRow("member sheets") << Print(sheets::PrintMemberSheets);
    }

    // A PDF into a folder that does not exist is reported, not taken for printed.
    void printer_that_cannot_begin() {
        QFETCH(Print, print);
        const QTemporaryDir folder;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(folder.filePath(QStringLiteral("missing/sheet.pdf")));
        QVERIFY(!print(Club(3, 3), printer));
    }

    void tables_on_pages_data() {
        QTest::addColumn<std::vector<printing::PrintedTable>>("tables");
        QTest::addColumn<int>("least_pages");
        QTest::newRow("one table down three pages")
            << std::vector{Table('A', 150, 4, printing::TooWide::ShrinkToPage)} << 3;
        QTest::newRow("a second table after the first, onto further pages")
            << std::vector{Table('A', 40, 4, printing::TooWide::ShrinkToPage),
                           Table('B', 120, 10, printing::TooWide::ShrinkToPage)}
            << 3;
        QTest::newRow("columns split into groups")
            << std::vector{Table('A', 70, 40, printing::TooWide::SplitIntoGroups)} << 4;
    }

    // Every cell on some page, and on its page its column's heading, its row's first cell and
    // the page's number of all.
    void tables_on_pages() {
        QFETCH(std::vector<printing::PrintedTable>, tables);
        QFETCH(int, least_pages);
        const QStringList pages = PrintedPages([&](QPrinter& printer) {
            return printing::PrintTables(printer, {.title = QStringLiteral("Tables")}, tables);
        });
        QVERIFY(pages.size() >= least_pages);
        for (qsizetype page = 0; page < pages.size(); ++page) {
            QVERIFY(
                pages[page].contains(QStringLiteral("%1 of %2").arg(page + 1).arg(pages.size())));
        }
        for (const printing::PrintedTable& table : tables) {
            for (const std::vector<QString>& row : table.rows) {
                for (std::size_t column = 0; column < row.size(); ++column) {
                    const auto with_its_names = [&](const QString& page) {
                        return page.contains(row[column]) && page.contains(row.front()) &&
                               page.contains(table.columns[column].heading);
                    };
                    QVERIFY2(std::any_of(pages.begin(), pages.end(), with_its_names),
                             qPrintable(row[column]));
                }
            }
        }
    }
};

Q_DECLARE_METATYPE(std::vector<printing::PrintedTable>)

QTEST_MAIN(SheetsTest)
#include "sheets_test.moc"
