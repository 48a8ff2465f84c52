#include "results/result_writers.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>
#include <vector>

#include "distance/spreadsheet_csv.h"
#include "results/prefetch.h"
#include "results/result_messages.h"
#include "results/two_cores.h"

namespace results {
namespace {

constexpr double kMetresPerYard = 0.9144;

std::string UnitWords(VelocityUnit unit) {
    return unit == VelocityUnit::MetresPerMinute ? "metres per minute" : "yards per minute";
}

// One bird's cells as every form shows them: the row's own texts where it has them, the others
// worked out into room that is used again row after row.
struct RowCells {
    // A whole number's figures, kept in the cell.
    class Whole {
      public:
        void Set(std::optional<std::int64_t> value) {
            size_ = 0;
            if (value) {
                size_ = static_cast<std::size_t>(
                    std::to_chars(digits_.data(), digits_.data() + digits_.size(), *value).ptr -
                    digits_.data());
            }
        }
        std::string_view text() const { return {digits_.data(), size_}; }

      private:
        std::array<char, 20> digits_{};
        std::size_t size_ = 0;
    };

    const ResultRow* row = nullptr;
    Whole position, miles, yards;
    bool calculators_velocity = false;  // the row's own velocity text, else `velocity`
    std::string velocity, problem;
};

// The columns, in the order every form gives them.
enum class Cell {
    Position,
    Loft,
    Ring,
    Miles,
    Yards,
    Clocked,
    Variation,
    Hours,
    Minutes,
    Seconds,
    Velocity,
    Problem
};
constexpr std::size_t Index(Cell cell) {
    return static_cast<std::size_t>(cell);
}
using CellTexts = std::array<std::string_view, Index(Cell::Problem) + 1>;

// Every cell's text, in the order of the columns.
CellTexts TextsOf(const RowCells& cells) {
    const ResultRow& row = *cells.row;
    CellTexts texts;
    texts[Index(Cell::Position)] = cells.position.text();
    texts[Index(Cell::Loft)] = row.loft;
    texts[Index(Cell::Ring)] = row.ring;
    texts[Index(Cell::Miles)] = cells.miles.text();
    texts[Index(Cell::Yards)] = cells.yards.text();
    texts[Index(Cell::Clocked)] = row.clocked;
    texts[Index(Cell::Variation)] = row.figures.variation;
    texts[Index(Cell::Hours)] = row.figures.FTHrs;
    texts[Index(Cell::Minutes)] = row.figures.FTMins;
    texts[Index(Cell::Seconds)] = row.figures.FTSecs;
    texts[Index(Cell::Velocity)] =
        cells.calculators_velocity ? std::string_view(row.figures.velocity) : cells.velocity;
    texts[Index(Cell::Problem)] = cells.problem;
    return texts;
}

// Fills the cells in place, so that writing a large result reuses their room row after row.
void FillCells(const ResultRow& row, const ResultOptions& options, bool full_velocity,
               RowCells& cells) {
    cells.row = &row;
    cells.position.Set(row.position);
    cells.miles.Set(row.distance ? std::optional<std::int64_t>(row.distance->miles) : std::nullopt);
    cells.yards.Set(row.distance ? std::optional<std::int64_t>(row.distance->yards) : std::nullopt);
    cells.problem.clear();
    cells.velocity.clear();
    cells.calculators_velocity = false;
    if (row.fault) {
        cells.problem = BirdFaultMessage(*row.fault);
    } else if (full_velocity && options.unit == VelocityUnit::YardsPerMinute) {
        cells.calculators_velocity = true;
    } else {
        cells.velocity = VelocityText(row, options.unit);
        if (!full_velocity) cells.velocity = RoundDecimals(cells.velocity, options.decimals);
    }
}

RowCells CellsOf(const ResultRow& row, const ResultOptions& options, bool full_velocity) {
    RowCells cells;
    FillCells(row, options, full_velocity, cells);
    return cells;
}

const Result& Shown(const Result& result, const ResultOptions& options, Result& first_birds) {
    if (!options.first_bird_only) return result;
    first_birds = FirstBirdOnly(result);
    return first_birds;
}

// The headings of the printed forms and whether each is a figure, set to the right.
struct Heading {
    std::string_view text;
    Cell cell;
    bool figure;
};

std::vector<Heading> PrintedHeadings() {
    return {{"Pos", Cell::Position, true},        {"Loft", Cell::Loft, false},
            {"Ring", Cell::Ring, false},          {"Miles", Cell::Miles, true},
            {"Yards", Cell::Yards, true},         {"Clocked", Cell::Clocked, false},
            {"Variation", Cell::Variation, true}, {"Hrs", Cell::Hours, true},
            {"Min", Cell::Minutes, true},         {"Sec", Cell::Seconds, true},
            {"Velocity", Cell::Velocity, true},   {"Problem", Cell::Problem, false}};
}

// Letters, not bytes: a loft named Lefèvre lines up with one named Smith.
std::size_t Width(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

}  // namespace

std::string VelocityUnitName(VelocityUnit unit) {
    return unit == VelocityUnit::MetresPerMinute ? "m/min" : "yd/min";
}

std::string RaceDetails(const Race& race) {
    std::string details;
    const DateTimeReading liberation = ReadDateTime(race.liberation, Seconds::Optional);
    details = "Liberated " + (liberation.ok() ? WriteDateTime(liberation.value) : race.liberation);
    if (race.darkness) {
        details += ", darkness " + race.darkness->evening + " to " + race.darkness->morning;
    }
    return details;
}

std::string VelocityText(const ResultRow& row, VelocityUnit unit) {
    if (row.fault) return {};
    if (unit == VelocityUnit::YardsPerMinute) return row.figures.velocity;
    return race::NumberToText(row.velocity * kMetresPerYard);
}

std::string RoundDecimals(std::string_view text, int decimals) {
    decimals = std::max(decimals, 0);
    const bool negative = text.starts_with('-');
    if (negative || text.starts_with('+')) text.remove_prefix(1);
    // The digits, and where the point falls among them once any exponent has moved it.
    const std::size_t e = text.find_first_of("eE");
    const std::string_view mantissa = text.substr(0, e);
    long exponent = 0;
    if (e != std::string_view::npos) {
        std::string_view power = text.substr(e + 1);
        if (power.starts_with('+')) power.remove_prefix(1);
        std::from_chars(power.data(), power.data() + power.size(), exponent);
    }
    std::string digits;
    long point = static_cast<long>(mantissa.size());
    for (std::size_t i = 0; i < mantissa.size(); ++i) {
        if (mantissa[i] == '.' || mantissa[i] == ',') {
            point = static_cast<long>(i);
        } else {
            digits += mantissa[i];
        }
    }
    point += exponent;
    if (point < 1) {
        digits.insert(0, static_cast<std::size_t>(1 - point), '0');
        point = 1;
    }
    const auto wanted = static_cast<std::size_t>(point + decimals);
    if (digits.size() < wanted) digits.append(wanted - digits.size(), '0');
    const bool round_up = digits.size() > wanted && digits[wanted] >= '5';
    digits.resize(wanted);
    if (round_up) {
        std::size_t at = digits.size();
        while (at > 0 && digits[at - 1] == '9') digits[--at] = '0';
        if (at == 0) {
            digits.insert(digits.begin(), '1');
            ++point;
        } else {
            ++digits[at - 1];
        }
    }
    // No leading noughts but the one before the point.
    std::size_t leading = 0;
    while (leading + 1 < static_cast<std::size_t>(point) && digits[leading] == '0') ++leading;
    std::string rounded = digits.substr(leading, static_cast<std::size_t>(point) - leading);
    if (decimals > 0) {
        rounded += '.';
        rounded.append(digits, static_cast<std::size_t>(point));
    }
    const bool zero = rounded.find_first_not_of("0.") == std::string::npos;
    if (negative && !zero) rounded.insert(rounded.begin(), '-');
    return rounded;
}

namespace {

// The CSV lines of rows [begin, end), each written into room made for it, the most its cells can
// take once quoted.
std::string CsvLines(const std::vector<ResultRow>& rows, std::size_t begin, std::size_t end,
                     const ResultOptions& options) {
    // Room for the whole text at once, from the row's own texts and enough for the position, the
    // distance, the commas and a problem's words.
    std::size_t size = 0;
    for (std::size_t r = begin; r < end; ++r) {
        const ResultRow& row = rows[r];
        size += 32 + row.loft.size() + row.ring.size() + row.clocked.size() +
                row.figures.variation.size() + row.figures.FTHrs.size() +
                row.figures.FTMins.size() + row.figures.FTSecs.size() +
                row.figures.velocity.size() + (row.fault ? 96 : 0);
    }
    std::string csv;
    csv.reserve(size);
    const distance::CsvQuoting quoting(',');
    RowCells cells;
    constexpr std::size_t kAhead = 8;  // rows, enough to cover a trip to memory
    for (std::size_t r = begin; r < end; ++r) {
        const ResultRow& row = rows[r];
        if (r + kAhead < end) PrefetchTexts(rows[r + kAhead]);
        FillCells(row, options, true, cells);
        const CellTexts texts = TextsOf(cells);
        std::size_t room = texts.size();
        for (const std::string_view text : texts) room += distance::CsvFieldRoom(text);
        const std::size_t at = csv.size();
        csv.resize(at + room);
        char* out = csv.data() + at;
        for (std::size_t c = 0; c < texts.size(); ++c) {
            if (c > 0) *out++ = ',';
            out = distance::WriteCsvField(out, texts[c], quoting);
        }
        *out++ = '\n';
        csv.resize(static_cast<std::size_t>(out - csv.data()));
    }
    return csv;
}

}  // namespace

std::string ResultCsv(const Result& result, const ResultOptions& options) {
    Result first_birds;
    const Result& shown = Shown(result, options, first_birds);
    constexpr std::string_view kHeader =
        "position,loft,ring,miles,yards,clocked,variation,hours,minutes,seconds,velocity,problem\n";
    // A long result is written a half on each core and the halves put together.
    std::array<std::string, 2> halves;
    InTwoHalves(shown.rows.size(), [&](std::size_t begin, std::size_t end) {
        halves[begin == 0 ? 0 : 1] = CsvLines(shown.rows, begin, end, options);
    });
    std::string csv;
    csv.reserve(kHeader.size() + halves[0].size() + halves[1].size());
    csv.append(kHeader).append(halves[0]).append(halves[1]);
    return csv;
}

std::string ResultTextTable(const Result& result, const ResultOptions& options) {
    Result first_birds;
    const Result& shown = Shown(result, options, first_birds);
    std::vector<Heading> headings = PrintedHeadings();
    const std::string velocity_heading = "Velocity " + VelocityUnitName(options.unit);
    headings[10].text = velocity_heading;
    std::vector<RowCells> rows;
    rows.reserve(shown.rows.size());
    for (const ResultRow& row : shown.rows) rows.push_back(CellsOf(row, options, false));
    std::vector<CellTexts> texts;  // the rows' cells are where they stay
    texts.reserve(rows.size());
    for (const RowCells& row : rows) texts.push_back(TextsOf(row));
    std::vector<std::size_t> widths;
    for (const Heading& heading : headings) {
        std::size_t width = Width(heading.text);
        for (const CellTexts& row : texts) width = std::max(width, Width(row[Index(heading.cell)]));
        widths.push_back(width);
    }
    const auto line = [&](const auto& text_of) {
        std::string text;
        for (std::size_t c = 0; c < headings.size(); ++c) {
            const std::string_view cell = text_of(headings[c]);
            const std::string padding(widths[c] - Width(cell), ' ');
            if (c > 0) text += "  ";
            text += headings[c].figure ? padding + std::string(cell) : std::string(cell) + padding;
        }
        text.erase(text.find_last_not_of(' ') + 1);
        return text + '\n';
    };
    std::string table;
    if (!shown.race.name.empty()) table += shown.race.name + '\n';
    table += RaceDetails(shown.race) + "\n\n";
    table += line([](const Heading& heading) { return heading.text; });
    for (const CellTexts& row : texts) {
        table += line([&](const Heading& heading) { return row[Index(heading.cell)]; });
    }
    return table;
}

std::string HtmlEscaped(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            case '\'':
                escaped += "&#39;";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

std::string ResultHtml(const Result& result, const ResultOptions& options) {
    Result first_birds;
    const Result& shown = Shown(result, options, first_birds);
    const std::string title = shown.race.name.empty() ? "Race result" : shown.race.name;
    std::string html =
        "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>" +
        HtmlEscaped(title) +
        "</title>\n<style>\n"
        "body { font-family: sans-serif; margin: 1em; }\n"
        ".scroll { overflow-x: auto; }\n"
        "table { border-collapse: collapse; }\n"
        "caption { text-align: left; font-weight: bold; padding: 0.3em 0; }\n"
        "th, td { padding: 0.2em 0.5em; border-bottom: 1px solid #ccc; white-space: nowrap; }\n"
        "th { text-align: left; background: #eee; }\n"
        "td.figure { text-align: right; font-variant-numeric: tabular-nums; }\n"
        "td.problem { white-space: normal; }\n"
        "thead { display: table-header-group; }\n"
        "tr { break-inside: avoid; }\n"
        "@media print { .scroll { overflow: visible; } body { margin: 0; } }\n"
        // A phone's width shows each bird's position, loft, ring and velocity (or its problem);
        // the distance, the time clocked and the calculator's working are for a wider screen.
        "p.narrow { display: none; font-size: 0.9em; }\n"
        "@media screen and (max-width: 40em) {\n"
        "  body { margin: 0.5em; }\n"
        "  table { font-size: 0.92em; }\n"
        "  th, td { padding: 0.2em 0.3em; }\n"
        "  td:nth-child(2) { white-space: normal; }\n"
        "  th:nth-child(n+4):nth-child(-n+10), td:nth-child(n+4):nth-child(-n+10) "
        "{ display: none; }\n"
        "  p.narrow { display: block; }\n"
        "}\n"
        "</style>\n</head>\n<body>\n<h1>" +
        HtmlEscaped(title) + "</h1>\n<p>" + HtmlEscaped(RaceDetails(shown.race)) + "</p>\n" +
        "<p class=\"narrow\">Distances, times clocked and the workings of each velocity are "
        "shown on a wider screen.</p>\n";
    html += "<div class=\"scroll\">\n<table>\n<caption>" +
            std::string(options.first_bird_only ? "First bird of each loft" : "Every bird") +
            ", velocity in " + UnitWords(options.unit) + "</caption>\n<thead>\n<tr>";
    std::vector<Heading> headings = PrintedHeadings();
    for (const Heading& heading : headings) {
        html += "<th scope=\"col\">" + HtmlEscaped(heading.text) + "</th>";
    }
    html += "</tr>\n</thead>\n<tbody>\n";
    for (const ResultRow& row : shown.rows) {
        const RowCells cells = CellsOf(row, options, false);
        const CellTexts texts = TextsOf(cells);
        html += "<tr>";
        for (const Heading& heading : headings) {
            const char* kind = heading.figure                  ? " class=\"figure\""
                               : heading.cell == Cell::Problem ? " class=\"problem\""
                                                               : "";
            html +=
                std::string("<td") + kind + ">" + HtmlEscaped(texts[Index(heading.cell)]) + "</td>";
        }
        html += "</tr>\n";
    }
    html += "</tbody>\n</table>\n</div>\n</body>\n</html>\n";
    return html;
}

}  // namespace results
