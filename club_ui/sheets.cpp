#include "club_ui/sheets.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <QPrinter>
#include <QTextLayout>
#include <QTextOption>
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numeric>
#include <utility>
#include <vector>

#include "distance/coordinate.h"

namespace sheets {
namespace {

// Type sizes in points. Nothing is set below 8 pt: the season sheet is read pinned to a
// clubroom wall, a member's sheet in a loft.
constexpr qreal kTitlePoints = 14.0;
constexpr qreal kSubtitlePoints = 11.0;
constexpr qreal kTablePoints = 9.0;
constexpr qreal kNotePoints = 8.0;

// Space in points: inside each cell, between the blocks of a page, and the rules' weights.
constexpr qreal kCellPaddingX = 4.0;
constexpr qreal kCellPaddingY = 1.5;
constexpr qreal kBlockGap = 6.0;
constexpr qreal kThinRule = 0.5;
constexpr qreal kThickRule = 1.0;

// The share of the page's width the names may take, so the figures always keep room: the lofts'
// column on the season sheet, the other columns of a member's sheet.
constexpr qreal kLoftColumnShare = 0.4;
constexpr qreal kFiguresShare = 0.75;

// Light enough that a monochrome laser printer keeps the figures on it crisp.
constexpr QColor kRowShade(0xee, 0xee, 0xee);
constexpr QColor kRuleColour(0x80, 0x80, 0x80);

// The printer's page as a sheet draws on it: the printable area in device pixels, and the fonts
// that measure and draw at the printer's resolution.
struct Page {
    explicit Page(QPrinter& printer)
        : device(&printer), pixels_per_point(printer.resolution() / 72.0) {
        const QRect printable = printer.pageLayout().paintRectPixels(printer.resolution());
        // The painter's origin is the printable area's corner unless it draws on the whole sheet.
        area = printer.fullPage() ? QRectF(printable) : QRectF(QPointF(0, 0), printable.size());
        title.setPointSizeF(kTitlePoints);
        title.setBold(true);
        subtitle.setPointSizeF(kSubtitlePoints);
        table.setPointSizeF(kTablePoints);
        table_heading = table;
        table_heading.setBold(true);
        note.setPointSizeF(kNotePoints);
    }

    qreal Points(qreal points) const { return points * pixels_per_point; }
    qreal TextWidth(const QString& text, const QFont& font) const {
        // The widest line: a season sheet's cell has the member's name on one, the loft's below.
        qreal widest = 0.0;
        for (const QString& line : text.split(QChar::LineSeparator)) {
            widest = std::max(widest, QFontMetricsF(font, device).horizontalAdvance(line));
        }
        // Text layout works in 64ths of a pixel: a width measured to the last bit can fall a
        // hair short of the same text laid out, and break its last letter onto a line of its own.
        return std::ceil(widest) + 1.0;
    }

    const QPaintDevice* device;
    qreal pixels_per_point;
    QRectF area;
    QFont title;
    QFont subtitle;
    QFont table;
    QFont table_heading;
    QFont note;
};

// A text in lines no wider than a width: broken between words, and inside a word only when the
// word alone is wider, so a long name never runs into the next column.
class Paragraph {
  public:
    Paragraph(const QString& text, const QFont& font, const Page& page, qreal width,
              Qt::Alignment alignment = Qt::AlignLeft)
        : layout_(text, font, page.device) {
        QTextOption option(alignment & Qt::AlignHorizontal_Mask);
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout_.setTextOption(option);
        layout_.beginLayout();
        for (QTextLine line = layout_.createLine(); line.isValid(); line = layout_.createLine()) {
            line.setLineWidth(width);
            line.setPosition(QPointF(0.0, height_));
            height_ += line.height();
        }
        layout_.endLayout();
    }

    qreal height() const { return height_; }
    void Draw(QPainter& painter, QPointF top_left) const { layout_.draw(&painter, top_left); }

  private:
    QTextLayout layout_;
    qreal height_ = 0.0;
};

struct Column {
    QString heading;
    qreal width = 0.0;  // device pixels, the cell's padding included
    Qt::Alignment alignment = Qt::AlignLeft;
};

// A text for each column.
using Row = std::vector<QString>;

// The rows one page holds: [first, end).
struct RowSpan {
    std::size_t first = 0;
    std::size_t end = 0;
};

// A table with its heading row repeated on every page it spans, and every other row shaded so
// the eye keeps to a row across a wide page.
class Table {
  public:
    Table(const Page& page, std::vector<Column> columns)
        : page_(page), columns_(std::move(columns)) {}

    qreal HeadingHeight() const { return RowHeight(Headings(), page_.table_heading); }
    qreal RowHeight(const Row& row) const { return RowHeight(row, page_.table); }

    // Splits the rows into runs that each fit below the heading row in the given height; a row
    // taller than that still gets a page to itself rather than none.
    std::vector<RowSpan> Paginate(const std::vector<Row>& rows, qreal height) const {
        const qreal room = height - HeadingHeight();
        std::vector<RowSpan> spans;
        RowSpan span;
        qreal used = 0.0;
        for (std::size_t index = 0; index < rows.size(); ++index) {
            const qreal row_height = RowHeight(rows[index]);
            if (span.end > span.first && used + row_height > room) {
                spans.push_back(span);
                span = RowSpan{index, index};
                used = 0.0;
            }
            used += row_height;
            span.end = index + 1;
        }
        if (span.end > span.first) spans.push_back(span);
        return spans;
    }

    void Draw(QPainter& painter, qreal top, const std::vector<Row>& rows, RowSpan span) const {
        const qreal left = page_.area.left();
        const qreal right = left + Width();
        qreal bottom = top + HeadingHeight();
        DrawRow(painter, Headings(), page_.table_heading, top, bottom - top, Qt::AlignBottom);
        const qreal heading_bottom = bottom;
        for (std::size_t index = span.first; index < span.end; ++index) {
            const qreal height = RowHeight(rows[index]);
            if ((index - span.first) % 2 == 1) {
                painter.fillRect(QRectF(left, bottom, right - left, height), kRowShade);
            }
            DrawRow(painter, rows[index], page_.table, bottom, height, Qt::AlignTop);
            bottom += height;
        }
        painter.setPen(QPen(kRuleColour, page_.Points(kThinRule)));
        qreal x = left;
        for (std::size_t column = 0; column + 1 < columns_.size(); ++column) {
            x += columns_[column].width;
            painter.drawLine(QPointF(x, top), QPointF(x, bottom));
        }
        painter.drawLine(QPointF(left, bottom), QPointF(right, bottom));
        painter.setPen(QPen(Qt::black, page_.Points(kThickRule)));
        painter.drawLine(QPointF(left, heading_bottom), QPointF(right, heading_bottom));
    }

  private:
    Row Headings() const {
        Row headings;
        for (const Column& column : columns_) headings.push_back(column.heading);
        return headings;
    }

    qreal Width() const {
        return std::accumulate(columns_.begin(), columns_.end(), 0.0,
                               [](qreal sum, const Column& column) { return sum + column.width; });
    }

    qreal TextWidth(const Column& column) const {
        return column.width - 2 * page_.Points(kCellPaddingX);
    }

    qreal RowHeight(const Row& row, const QFont& font) const {
        qreal tallest = QFontMetricsF(font, page_.device).height();
        for (std::size_t column = 0; column < columns_.size(); ++column) {
            const Paragraph text(row[column], font, page_, TextWidth(columns_[column]));
            tallest = std::max(tallest, text.height());
        }
        return tallest + 2 * page_.Points(kCellPaddingY);
    }

    void DrawRow(QPainter& painter, const Row& row, const QFont& font, qreal top, qreal height,
                 Qt::Alignment vertical) const {
        painter.setPen(Qt::black);
        qreal x = page_.area.left();
        for (std::size_t column = 0; column < columns_.size(); ++column) {
            const Paragraph text(row[column], font, page_, TextWidth(columns_[column]),
                                 columns_[column].alignment);
            const qreal padding_y = page_.Points(kCellPaddingY);
            const qreal y = vertical == Qt::AlignBottom ? top + height - padding_y - text.height()
                                                        : top + padding_y;
            text.Draw(painter, QPointF(x + page_.Points(kCellPaddingX), y));
            x += columns_[column].width;
        }
    }

    const Page& page_;
    std::vector<Column> columns_;
};

// The top of a page, from the top down: a line above the title, the title, a line below it, a
// line with the page's number at its right, and a note.
struct Heading {
    QString above = {};
    QString title = {};
    QString below = {};
    QString info = {};
    QString page_number = {};
    QString note = {};
};

// Draws the heading, or with no painter only measures it. Returns where the page's table begins.
// A narrower page number leaves the info line more room, never less: a heading measured with the
// widest number a sheet can have is never shorter than the one drawn.
qreal DrawHeading(QPainter* painter, const Page& page, const Heading& heading) {
    const QRectF& area = page.area;
    qreal y = area.top();
    const auto place = [&](const Paragraph& text, qreal x) {
        if (painter != nullptr) text.Draw(*painter, QPointF(x, y));
        return text.height();
    };
    const auto line = [&](const QString& text, const QFont& font, qreal gap) {
        if (!text.isEmpty())
            y += place(Paragraph(text, font, page, area.width()), area.left()) + gap;
    };
    if (painter != nullptr) painter->setPen(Qt::black);
    line(heading.above, page.table, page.Points(kBlockGap));
    line(heading.title, page.title, 0.0);
    line(heading.below, page.subtitle, 0.0);
    const qreal number_width = page.TextWidth(heading.page_number, page.subtitle);
    const qreal info_width = area.width() - number_width - page.Points(kBlockGap);
    const qreal info_height =
        place(Paragraph(heading.info, page.subtitle, page, info_width), area.left());
    const qreal number_height =
        place(Paragraph(heading.page_number, page.subtitle, page, number_width, Qt::AlignRight),
              area.right() - number_width);
    y += std::max(info_height, number_height) + page.Points(kCellPaddingY);
    line(heading.note, page.note, page.Points(kBlockGap));
    return y;
}

QString PageNumber(std::size_t page, std::size_t pages) {
    return QStringLiteral("Page %1 of %2").arg(page).arg(pages);
}
// More pages than any club prints: what a heading is measured with before the pages are counted.
QString WidestPageNumber() {
    return PageNumber(9999, 9999);
}

// "86 m 971 y": short enough that a row of a season sheet holds several race points.
QString ShortMilesYards(const distance::MilesYards& distance) {
    return QStringLiteral("%1 m %2 y").arg(distance.miles).arg(distance.yards);
}

QString Angle(double degrees, distance::Axis axis) {
    return QString::fromStdString(distance::WriteAngle(degrees, axis));
}

// The widest text each column holds, padding included: the headings and every row's cells.
std::vector<qreal> NaturalWidths(const Page& page, const Row& headings,
                                 const std::vector<Row>& rows) {
    std::vector<qreal> widths;
    for (std::size_t column = 0; column < headings.size(); ++column) {
        qreal widest = page.TextWidth(headings[column], page.table_heading);
        for (const Row& row : rows)
            widest = std::max(widest, page.TextWidth(row[column], page.table));
        widths.push_back(widest + 2 * page.Points(kCellPaddingX));
    }
    return widths;
}

}  // namespace

bool PrintSeasonSheet(const ClubSheets& club, QPrinter& printer) {
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    const Page page(printer);
    Heading heading{.title = club.club.isEmpty()
                                 ? QStringLiteral("Season distances")
                                 : club.club + QStringLiteral(" – season distances"),
                    .note = QStringLiteral("Miles (m) and yards (y) from each race point to each "
                                           "loft on the WGS-84 ellipsoid.")};
    if (club.lofts.empty() || club.race_points.empty()) {
        // Never a blank sheet without a word.
        heading.info = club.lofts.empty() ? QStringLiteral("The club has no lofts.")
                                          : QStringLiteral("The club has no race points.");
        DrawHeading(&painter, page, heading);
        return true;
    }
    const auto ranges = [&](std::size_t first_race_point, std::size_t end_race_point,
                            RowSpan lofts) {
        return QStringLiteral("Race points %1–%2 of %3, lofts %4–%5 of %6")
            .arg(first_race_point + 1)
            .arg(end_race_point)
            .arg(club.race_points.size())
            .arg(lofts.first + 1)
            .arg(lofts.end)
            .arg(club.lofts.size());
    };

    // Every figure first: the race points' columns are as wide as the widest figure of all, on
    // every page alike.
    std::vector<QString> lofts;
    std::vector<std::vector<QString>> distances;
    qreal widest_distance = 0.0;
    for (const SheetLoft& loft : club.lofts) {
        lofts.push_back(loft.loft.isEmpty() ? loft.member
                                            : loft.member + QChar::LineSeparator + loft.loft);
        std::vector<QString>& row = distances.emplace_back();
        for (const SheetRacePoint& race_point : club.race_points) {
            row.push_back(ShortMilesYards(distance::ToMilesYards(
                distance::DistanceToLoft(race_point.position, loft.position).metres)));
            widest_distance = std::max(widest_distance, page.TextWidth(row.back(), page.table));
        }
    }
    const QString loft_heading = QStringLiteral("Member and loft");
    qreal loft_width = page.TextWidth(loft_heading, page.table_heading);
    for (const QString& loft : lofts) {
        loft_width = std::max(loft_width, page.TextWidth(loft, page.table));
    }
    const qreal padding = 2 * page.Points(kCellPaddingX);
    const qreal width = page.area.width();
    loft_width = std::min(loft_width + padding, kLoftColumnShare * width);
    const auto fitting = static_cast<std::size_t>(
        std::max(1.0, std::floor((width - loft_width) / (widest_distance + padding))));
    const std::size_t across = std::min(fitting, club.race_points.size());
    const qreal distance_width = (width - loft_width) / static_cast<qreal>(across);

    Heading widest = heading;
    widest.info = ranges(club.race_points.size(), club.race_points.size(),
                         {club.lofts.size(), club.lofts.size()});
    widest.page_number = WidestPageNumber();
    const qreal table_top = DrawHeading(nullptr, page, widest);

    // A table for each group of race points, and the lofts it spans on each page.
    struct SheetPage {
        std::size_t table;
        RowSpan lofts;
    };
    struct RacePointsTable {
        std::size_t first_race_point;
        std::size_t end_race_point;
        Table table;
        std::vector<Row> rows;
    };
    std::vector<RacePointsTable> tables;
    std::vector<SheetPage> pages;
    for (std::size_t first = 0; first < club.race_points.size(); first += across) {
        const std::size_t end = std::min(first + across, club.race_points.size());
        std::vector<Column> columns{{loft_heading, loft_width, Qt::AlignLeft}};
        for (std::size_t race_point = first; race_point < end; ++race_point) {
            columns.push_back({club.race_points[race_point].name, distance_width, Qt::AlignRight});
        }
        std::vector<Row> rows;
        for (std::size_t loft = 0; loft < lofts.size(); ++loft) {
            Row& row = rows.emplace_back(Row{lofts[loft]});
            row.insert(row.end(), distances[loft].begin() + static_cast<std::ptrdiff_t>(first),
                       distances[loft].begin() + static_cast<std::ptrdiff_t>(end));
        }
        const RacePointsTable& group = tables.emplace_back(
            RacePointsTable{first, end, Table(page, std::move(columns)), std::move(rows)});
        for (const RowSpan& span :
             group.table.Paginate(group.rows, page.area.bottom() - table_top)) {
            pages.push_back({tables.size() - 1, span});
        }
    }

    for (std::size_t number = 0; number < pages.size(); ++number) {
        if (number > 0) printer.newPage();
        const RacePointsTable& group = tables[pages[number].table];
        heading.info = ranges(group.first_race_point, group.end_race_point, pages[number].lofts);
        heading.page_number = PageNumber(number + 1, pages.size());
        DrawHeading(&painter, page, heading);
        group.table.Draw(painter, table_top, group.rows, pages[number].lofts);
    }
    return true;
}

bool PrintMemberSheets(const ClubSheets& club, QPrinter& printer) {
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    const Page page(printer);
    if (club.lofts.empty()) {
        DrawHeading(&painter, page,
                    {.title = club.club, .info = QStringLiteral("The club has no lofts.")});
        return true;
    }

    const Row headings{QStringLiteral("Race point"), QStringLiteral("Latitude"),
                       QStringLiteral("Longitude"),  QStringLiteral("Distance"),
                       QStringLiteral("Kilometres"), QStringLiteral("Bearing")};
    std::vector<std::vector<Row>> rows_by_loft;
    for (const SheetLoft& loft : club.lofts) {
        std::vector<Row>& rows = rows_by_loft.emplace_back();
        for (const SheetRacePoint& race_point : club.race_points) {
            const distance::RaceDistance way =
                distance::DistanceToLoft(race_point.position, loft.position);
            rows.push_back(
                {race_point.name, Angle(race_point.position.latitude, distance::Axis::Latitude),
                 Angle(race_point.position.longitude, distance::Axis::Longitude),
                 QString::fromStdString(
                     distance::MilesYardsText(distance::ToMilesYards(way.metres))),
                 QString::fromStdString(distance::KilometresText(way.metres)),
                 QString::fromStdString(distance::BearingText(way.bearing)) + QChar(0x00B0)});
        }
    }

    // The figures' columns as wide as their widest text on any member's sheet, so every sheet
    // looks alike; the race points' names take the rest of the width.
    std::vector<qreal> widths(headings.size(), 0.0);
    for (const std::vector<Row>& rows : rows_by_loft) {
        const std::vector<qreal> natural = NaturalWidths(page, headings, rows);
        for (std::size_t column = 0; column < widths.size(); ++column) {
            widths[column] = std::max(widths[column], natural[column]);
        }
    }
    const qreal width = page.area.width();
    const qreal figures = std::accumulate(widths.begin() + 1, widths.end(), 0.0);
    const qreal figures_scale = std::min(1.0, kFiguresShare * width / figures);
    std::vector<Column> columns{{headings[0], 0.0, Qt::AlignLeft}};
    qreal figures_width = 0.0;
    for (std::size_t column = 1; column < headings.size(); ++column) {
        // Coordinates read from the left like the loft's own; amounts line up on their units.
        const Qt::Alignment alignment = column <= 2 ? Qt::AlignLeft : Qt::AlignRight;
        columns.push_back({headings[column], widths[column] * figures_scale, alignment});
        figures_width += columns.back().width;
    }
    columns[0].width = width - figures_width;
    const Table table(page, std::move(columns));

    for (std::size_t index = 0; index < club.lofts.size(); ++index) {
        const SheetLoft& loft = club.lofts[index];
        Heading heading{
            .above = club.club,
            .title = loft.member,
            .below = loft.loft,
            .info = QStringLiteral("Loft at %1  %2")
                        .arg(Angle(loft.position.latitude, distance::Axis::Latitude),
                             Angle(loft.position.longitude, distance::Axis::Longitude)),
            .page_number = WidestPageNumber(),
            .note = QStringLiteral("Distances from each race point to the loft on the WGS-84 "
                                   "ellipsoid. The bearing is the way the birds set off, in "
                                   "degrees clockwise from true north.")};
        const qreal table_top = DrawHeading(nullptr, page, heading);
        std::vector<RowSpan> spans =
            table.Paginate(rows_by_loft[index], page.area.bottom() - table_top);
        // A loft with no race points yet still gets its page with its coordinates.
        if (spans.empty()) spans.push_back({});
        for (std::size_t part = 0; part < spans.size(); ++part) {
            if (index > 0 || part > 0) printer.newPage();
            heading.page_number = spans.size() > 1 ? PageNumber(part + 1, spans.size()) : QString();
            DrawHeading(&painter, page, heading);
            table.Draw(painter, table_top, rows_by_loft[index], spans[part]);
        }
    }
    return true;
}

}  // namespace sheets
