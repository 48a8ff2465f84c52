#pragma once

#include <QString>
#include <Qt>
#include <cstddef>
#include <functional>
#include <vector>

class QPrinter;

// Tables of texts already worked out, laid out on a printer's pages: a heading on every page, the
// tables' column headings repeated on every page they run onto, every other row shaded, long texts
// wrapped in their cells and the pages numbered. Everything is measured on the printer's own page
// size, margins and resolution, so a PDF, A4 or Letter come out alike.
namespace printing {

struct PrintedColumn {
    QString heading = {};
    Qt::Alignment alignment = Qt::AlignLeft;
};

// What a table does when its columns together are wider than the page.
enum class TooWide {
    // Further groups of columns on further pages, the main column repeated in each group: for
    // figures that must stay whole and side by side, as a season sheet's race points.
    SplitIntoGroups,
    // The main column taking the width the others leave, wrapping its texts, down to a quarter
    // of the page; only then the others shrunk in proportion, wrapping theirs: for a table that
    // must stay on one page's width, as a member's race points.
    ShrinkToPage,
};

struct PrintedTable {
    QString caption = {};  // a line above the table on every page it runs onto; may be empty
    std::vector<PrintedColumn> columns = {};
    std::vector<std::vector<QString>> rows = {};  // a text for each column
    // The column of names: it takes the width the others leave, and is repeated in every group.
    std::size_t main_column = 0;
    TooWide too_wide = TooWide::ShrinkToPage;
    // How many of the other columns stay together on a page when it is split into groups: a race
    // point's miles and yards.
    std::size_t kept_together = 1;
};

// The top of every page, from the top down: a line above the title, the title, a line below it,
// a line of information with the page's number at its right, and notes.
struct PageHeading {
    QString above = {};
    QString title = {};
    QString below = {};
    QString info = {};
    QString note = {};
    QString first_page_note = {};  // only on the first page: what a reader must know once
};

// Where a page begins in its tables, for an information line that says what the page shows.
struct PagePlace {
    std::size_t table = 0;
    std::size_t first_row = 0;
    std::size_t end_row = 0;  // one past the last row of that table the page shows
    // The columns the page shows besides the main one, counted among the columns other than the
    // main one: [first_column, end_column).
    std::size_t first_column = 0;
    std::size_t end_column = 0;
};

// Pages numbered on their own, "Page 1 of 2", under one heading: a document, or one member's part
// of a stack of member sheets. Each section begins on a new page; its tables follow one another,
// each further group of a split table on a page of its own.
struct Section {
    PageHeading heading = {};
    std::vector<PrintedTable> tables = {};
    // When given, each page's information line as said from what the page shows. It is measured
    // before the page is filled, with the table's last row as the page's end, so it must grow no
    // longer when the page ends sooner (as numbers with fewer digits).
    std::function<QString(const PagePlace&)> info_of_page = {};
};

// Margins of at least 12 mm, or the printer's own where larger, are set on the printer first.
// False when the printer could not begin (a PDF that cannot be written, a printer gone): then
// nothing was printed.
[[nodiscard]] bool PrintSections(QPrinter& printer, const std::vector<Section>& sections);
[[nodiscard]] bool PrintTables(QPrinter& printer, const PageHeading& heading,
                               std::vector<PrintedTable> tables);

}  // namespace printing
