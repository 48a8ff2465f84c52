#include "club_ui/table_printer.h"

#include <QColor>
#include <QCoreApplication>
#include <QFont>
#include <QFontMetricsF>
#include <QMarginsF>
#include <QPageLayout>
#include <QPainter>
#include <QPen>
#include <QPrinter>
#include <QRegularExpression>
#include <QTextLayout>
#include <QTextOption>
#include <algorithm>
#include <cmath>
#include <numeric>
#include <utility>

namespace printing {
namespace {

// Type sizes in points. Nothing is set below 8 pt: sheets are read pinned to a clubroom wall or
// in a loft.
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

// Room for the fingers holding a sheet and for printers that cannot print to the paper's edge.
constexpr qreal kLeastMarginMillimetres = 12.0;

// The share of the page's width the main column may take from the others, so both the names and
// the figures keep room: when the others are split into groups, and when they are shrunk.
constexpr qreal kSplitMainShare = 0.4;
constexpr qreal kShrunkMainShare = 0.25;

// Light enough that a monochrome laser printer keeps the figures on it crisp.
constexpr QColor kRowShade(0xee, 0xee, 0xee);
constexpr QColor kRuleColour(0x80, 0x80, 0x80);

// The printer's page as the tables draw on it: the printable area in device pixels, and the
// fonts that measure and draw at the printer's resolution.
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
        // The widest line: a cell may hold a member's name on one line and the loft's below.
        qreal widest = 0.0;
        for (const QString& line : text.split(QChar::LineSeparator)) {
            widest = std::max(widest, QFontMetricsF(font, device).horizontalAdvance(line));
        }
        // Text layout works in 64ths of a pixel: a width measured to the last bit can fall a
        // hair short of the same text laid out, and break its last letter onto a line of its own.
        return std::ceil(widest) + 1.0;
    }
    // A heading may break between its words, never inside one.
    qreal WidestWord(const QString& text, const QFont& font) const {
        qreal widest = 0.0;
        for (const QString& word : text.split(QRegularExpression(QStringLiteral("\\s+")))) {
            widest = std::max(widest, TextWidth(word, font));
        }
        return widest;
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

QString PageNumber(std::size_t page, std::size_t pages) {
    return QCoreApplication::translate("printing", "Page %1 of %2").arg(page).arg(pages);
}
// More pages than any club prints: what a heading is measured with before the pages are counted.
// A narrower page number leaves the information line more room, never less.
QString WidestPageNumber() {
    return PageNumber(9999, 9999);
}

// Draws the heading, or with no painter only measures it. Returns where the page's tables begin.
qreal DrawHeading(QPainter* painter, const Page& page, const PageHeading& heading,
                  const QString& page_number, bool first_page) {
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
    const qreal number_width = page.TextWidth(page_number, page.subtitle);
    const qreal info_width = area.width() - number_width - page.Points(kBlockGap);
    const qreal info_height =
        place(Paragraph(heading.info, page.subtitle, page, info_width), area.left());
    const qreal number_height =
        place(Paragraph(page_number, page.subtitle, page, number_width, Qt::AlignRight),
              area.right() - number_width);
    y += std::max(info_height, number_height) + page.Points(kCellPaddingY);
    line(heading.note, page.note, page.Points(kBlockGap));
    if (first_page) line(heading.first_page_note, page.note, page.Points(kBlockGap));
    return y;
}

// The rows a page shows of a table: [first, end).
struct RowSpan {
    std::size_t first = 0;
    std::size_t end = 0;
};

// The columns printed side by side, as indexes into the table's columns, each with its width in
// device pixels (the cell's padding included), and the height of each row in them.
struct ColumnGroup {
    std::vector<std::size_t> columns = {};
    std::vector<qreal> widths = {};
    std::size_t first_other = 0;  // the other columns it shows, as PagePlace counts them
    std::size_t end_other = 0;
    qreal heading_height = 0.0;
    std::vector<qreal> row_heights = {};
};

// A table measured for the page: its caption and its groups of columns.
class LaidTable {
  public:
    LaidTable(const Page& page, const PrintedTable& contents) : page_(page), contents_(contents) {
        // A table with no columns has nothing to show, not even a heading row.
        if (contents.columns.empty()) return;
        std::vector<qreal> natural;
        for (std::size_t column = 0; column < contents.columns.size(); ++column) {
            qreal widest = page.WidestWord(contents.columns[column].heading, page.table_heading);
            for (const std::vector<QString>& row : contents.rows)
                widest = std::max(widest, page.TextWidth(row[column], page.table));
            natural.push_back(widest + 2 * page.Points(kCellPaddingX));
        }
        if (contents.too_wide == TooWide::SplitIntoGroups) {
            Split(natural);
        } else {
            Shrink(natural);
        }
        for (ColumnGroup& group : groups_) {
            group.heading_height = RowHeight(group, Headings(), page.table_heading);
            for (const std::vector<QString>& row : contents.rows)
                group.row_heights.push_back(RowHeight(group, row, page.table));
        }
        if (!contents.caption.isEmpty())
            caption_height_ =
                Paragraph(contents.caption, page.subtitle, page, page.area.width()).height();
    }

    const std::vector<ColumnGroup>& groups() const { return groups_; }
    std::size_t rows() const { return contents_.rows.size(); }
    // What heads the table on each page: its caption and its column headings.
    qreal HeadHeight(const ColumnGroup& group) const {
        return caption_height_ + group.heading_height;
    }

    void Draw(QPainter& painter, const ColumnGroup& group, RowSpan rows, qreal top) const {
        const qreal left = page_.area.left();
        const qreal right = left + std::accumulate(group.widths.begin(), group.widths.end(), 0.0);
        if (!contents_.caption.isEmpty()) {
            painter.setPen(Qt::black);
            Paragraph(contents_.caption, page_.subtitle, page_, page_.area.width())
                .Draw(painter, QPointF(left, top));
            top += caption_height_;
        }
        DrawRow(painter, group, Headings(), page_.table_heading, top, group.heading_height,
                Qt::AlignBottom);
        const qreal heading_bottom = top + group.heading_height;
        qreal bottom = heading_bottom;
        for (std::size_t row = rows.first; row < rows.end; ++row) {
            const qreal height = group.row_heights[row];
            // Every other row shaded, so the eye keeps to a row across a wide page.
            if (row % 2 == 1)
                painter.fillRect(QRectF(left, bottom, right - left, height), kRowShade);
            DrawRow(painter, group, contents_.rows[row], page_.table, bottom, height, Qt::AlignTop);
            bottom += height;
        }
        painter.setPen(QPen(kRuleColour, page_.Points(kThinRule)));
        qreal x = left;
        for (std::size_t column = 0; column + 1 < group.widths.size(); ++column) {
            x += group.widths[column];
            painter.drawLine(QPointF(x, top), QPointF(x, bottom));
        }
        painter.drawLine(QPointF(left, bottom), QPointF(right, bottom));
        painter.setPen(QPen(Qt::black, page_.Points(kThickRule)));
        painter.drawLine(QPointF(left, heading_bottom), QPointF(right, heading_bottom));
    }

  private:
    std::vector<QString> Headings() const {
        std::vector<QString> headings;
        for (const PrintedColumn& column : contents_.columns) headings.push_back(column.heading);
        return headings;
    }

    // As many of the other columns in each group as fit beside the main column, all widened
    // alike so the full groups span the page and every group's figures line up the same way.
    void Split(const std::vector<qreal>& natural) {
        const qreal width = page_.area.width();
        const qreal main_width = std::min(natural[contents_.main_column], kSplitMainShare * width);
        const qreal room = width - main_width;
        std::vector<std::vector<std::size_t>> others;
        std::vector<std::size_t> unit;  // columns kept together
        qreal used = room;
        const auto place_unit = [&] {
            qreal unit_width = 0.0;
            for (const std::size_t column : unit) unit_width += natural[column];
            if (others.empty() || used + unit_width > room) {
                others.emplace_back();
                used = 0.0;
            }
            others.back().insert(others.back().end(), unit.begin(), unit.end());
            used += unit_width;
            unit.clear();
        };
        const std::size_t together = std::max<std::size_t>(1, contents_.kept_together);
        for (std::size_t column = 0; column < natural.size(); ++column) {
            if (column == contents_.main_column) continue;
            unit.push_back(column);
            if (unit.size() == together) place_unit();
        }
        if (!unit.empty()) place_unit();
        qreal widening = room;
        for (const std::vector<std::size_t>& columns : others) {
            qreal group_width = 0.0;
            for (std::size_t column : columns) group_width += natural[column];
            widening = std::min(
                widening, std::max(0.0, room - group_width) / static_cast<qreal>(columns.size()));
        }
        std::size_t first_other = 0;
        for (const std::vector<std::size_t>& columns : others) {
            ColumnGroup& group = groups_.emplace_back();
            group.first_other = first_other;
            group.end_other = first_other += columns.size();
            for (std::size_t column = 0; column < natural.size(); ++column) {
                const bool shown =
                    column == contents_.main_column ||
                    std::find(columns.begin(), columns.end(), column) != columns.end();
                if (!shown) continue;
                group.columns.push_back(column);
                // A single column wider than the room beside the main one wraps its texts.
                group.widths.push_back(column == contents_.main_column
                                           ? main_width
                                           : std::min(room, natural[column] + widening));
            }
        }
        // A table of names alone still has its one group.
        if (groups_.empty())
            groups_.push_back({.columns = {contents_.main_column}, .widths = {width}});
    }

    void Shrink(const std::vector<qreal>& natural) {
        const qreal width = page_.area.width();
        const qreal others =
            std::accumulate(natural.begin(), natural.end(), 0.0) - natural[contents_.main_column];
        // The names give way first, down to their share of the page; only then the figures.
        const qreal main_width = std::max(
            width - others, std::min(natural[contents_.main_column], kShrunkMainShare * width));
        const qreal scale = others > 0.0 ? std::min(1.0, (width - main_width) / others) : 1.0;
        ColumnGroup& group = groups_.emplace_back();
        group.end_other = natural.size() - 1;
        for (std::size_t column = 0; column < natural.size(); ++column) {
            group.columns.push_back(column);
            group.widths.push_back(column == contents_.main_column ? main_width
                                                                   : natural[column] * scale);
        }
    }

    qreal TextWidth(qreal column_width) const {
        return column_width - 2 * page_.Points(kCellPaddingX);
    }

    qreal RowHeight(const ColumnGroup& group, const std::vector<QString>& row,
                    const QFont& font) const {
        qreal tallest = QFontMetricsF(font, page_.device).height();
        for (std::size_t index = 0; index < group.columns.size(); ++index) {
            const Paragraph text(row[group.columns[index]], font, page_,
                                 TextWidth(group.widths[index]));
            tallest = std::max(tallest, text.height());
        }
        return tallest + 2 * page_.Points(kCellPaddingY);
    }

    void DrawRow(QPainter& painter, const ColumnGroup& group, const std::vector<QString>& row,
                 const QFont& font, qreal top, qreal height, Qt::Alignment vertical) const {
        painter.setPen(Qt::black);
        qreal x = page_.area.left();
        const qreal padding_y = page_.Points(kCellPaddingY);
        for (std::size_t index = 0; index < group.columns.size(); ++index) {
            const std::size_t column = group.columns[index];
            const Paragraph text(row[column], font, page_, TextWidth(group.widths[index]),
                                 contents_.columns[column].alignment);
            const qreal y = vertical == Qt::AlignBottom ? top + height - padding_y - text.height()
                                                        : top + padding_y;
            text.Draw(painter, QPointF(x + page_.Points(kCellPaddingX), y));
            x += group.widths[index];
        }
    }

    const Page& page_;
    const PrintedTable& contents_;
    std::vector<ColumnGroup> groups_;
    qreal caption_height_ = 0.0;
};

// A run of a table's rows in one group of its columns, and where on its page it begins.
struct TablePart {
    std::size_t table = 0;
    std::size_t group = 0;
    RowSpan rows;
    qreal top = 0.0;
};

struct LaidPage {
    PagePlace place;
    std::vector<TablePart> parts;
};

QString InfoOfPage(const Section& section, const PagePlace& place) {
    return section.info_of_page ? section.info_of_page(place) : section.heading.info;
}

// Fills pages from the top down: a table's head and at least one of its rows, or a page anew.
std::vector<LaidPage> LayOut(const Page& page, const Section& section,
                             const std::vector<LaidTable>& tables) {
    std::vector<LaidPage> pages;
    const qreal bottom = page.area.bottom();
    qreal y = 0.0;
    for (std::size_t table = 0; table < tables.size(); ++table) {
        const std::vector<ColumnGroup>& groups = tables[table].groups();
        const std::size_t rows = tables[table].rows();
        for (std::size_t group_index = 0; group_index < groups.size(); ++group_index) {
            const ColumnGroup& group = groups[group_index];
            bool new_page = pages.empty() || group_index > 0;
            std::size_t row = 0;
            do {
                const qreal first_row = row < rows ? group.row_heights[row] : 0.0;
                if (new_page || y + tables[table].HeadHeight(group) + first_row > bottom) {
                    const PagePlace place{table, row, rows, group.first_other, group.end_other};
                    PageHeading heading = section.heading;
                    heading.info = InfoOfPage(section, place);
                    y = DrawHeading(nullptr, page, heading, WidestPageNumber(), pages.empty());
                    pages.push_back({place, {}});
                }
                new_page = false;
                TablePart part{table, group_index, {row, row}, y};
                y += tables[table].HeadHeight(group);
                // A row taller than a whole page still gets a page rather than none.
                while (row < rows &&
                       (part.rows.end == part.rows.first || y + group.row_heights[row] <= bottom)) {
                    y += group.row_heights[row];
                    part.rows.end = ++row;
                }
                pages.back().parts.push_back(part);
                if (pages.back().parts.size() == 1) pages.back().place.end_row = part.rows.end;
                y += page.Points(kBlockGap);
            } while (row < rows);
        }
    }
    // A heading alone still says why there is nothing more.
    if (pages.empty()) pages.push_back({});
    return pages;
}

// Room for the fingers and the printer's own margins, set before the page is measured.
void KeepMargins(QPrinter& printer) {
    const QMarginsF own = printer.pageLayout().margins(QPageLayout::Millimeter);
    const QMarginsF margins(std::max(own.left(), kLeastMarginMillimetres),
                            std::max(own.top(), kLeastMarginMillimetres),
                            std::max(own.right(), kLeastMarginMillimetres),
                            std::max(own.bottom(), kLeastMarginMillimetres));
    printer.setPageMargins(margins, QPageLayout::Millimeter);
}

}  // namespace

bool PrintSections(QPrinter& printer, const std::vector<Section>& sections) {
    KeepMargins(printer);
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    const Page page(printer);
    bool first_page = true;
    for (const Section& section : sections) {
        std::vector<LaidTable> tables;
        tables.reserve(section.tables.size());
        for (const PrintedTable& table : section.tables) tables.emplace_back(page, table);
        const std::vector<LaidPage> pages = LayOut(page, section, tables);
        for (std::size_t number = 0; number < pages.size(); ++number) {
            if (!first_page) printer.newPage();
            first_page = false;
            PageHeading heading = section.heading;
            heading.info = InfoOfPage(section, pages[number].place);
            DrawHeading(&painter, page, heading, PageNumber(number + 1, pages.size()), number == 0);
            for (const TablePart& part : pages[number].parts) {
                const LaidTable& table = tables[part.table];
                table.Draw(painter, table.groups()[part.group], part.rows, part.top);
            }
        }
    }
    return true;
}

bool PrintTables(QPrinter& printer, const PageHeading& heading, std::vector<PrintedTable> tables) {
    return PrintSections(printer, {Section{.heading = heading, .tables = std::move(tables)}});
}

}  // namespace printing
