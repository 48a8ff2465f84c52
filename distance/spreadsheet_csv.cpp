#include "distance/spreadsheet_csv.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace distance {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The header row, which holds no numbers, says which separator the file uses.
char Separator(std::string_view contents) {
    const std::string_view header = contents.substr(0, contents.find('\n'));
    const auto count = [&](char c) { return std::count(header.begin(), header.end(), c); };
    return count(';') > count(',') ? ';' : ',';
}

bool IsBlank(std::string_view field) {
    return TrimBlanks(field).empty();
}

}  // namespace

SpreadsheetReader::SpreadsheetReader(std::string_view contents) : contents_(contents) {
    if (contents_.starts_with(kByteOrderMark)) contents_.remove_prefix(kByteOrderMark.size());
    separator_ = Separator(contents_);
    for (const auto& [c, found] : {std::pair{'"', &next_quote_}, std::pair{'\r', &next_return_},
                                   std::pair{'\n', &next_line_feed_}}) {
        *found = std::min(contents_.find(c), contents_.size());
    }
}

std::size_t SpreadsheetReader::NextOf(char c, std::size_t& found) {
    if (found < at_) found = std::min(contents_.find(c, at_), contents_.size());
    return found;
}

std::size_t SpreadsheetReader::CopyField(std::size_t from, SpreadsheetFields& record) {
    const std::size_t offset = unquoted_.size();
    bool quoted = false;
    bool field_quoted = false;
    std::size_t at = from;
    for (; at < contents_.size(); ++at) {
        const char c = contents_[at];
        if (quoted) {
            if (c != '"') {
                unquoted_ += c;
            } else if (at + 1 < contents_.size() && contents_[at + 1] == '"') {
                unquoted_ += '"';
                ++at;
            } else {
                quoted = false;
            }
        } else if (c == '"' && unquoted_.size() == offset && !field_quoted) {
            // Only a field's first character opens a quoted field; a quote further on is the
            // seconds mark of a hand-written 52°34'20"N.
            quoted = true;
            field_quoted = true;
        } else if (c == separator_ || c == '\r' || c == '\n') {
            break;
        } else {
            unquoted_ += c;
        }
    }
    record.unclosed_quote = quoted;
    copied_.push_back({record.fields.size(), offset, unquoted_.size() - offset});
    record.fields.emplace_back();
    return at;
}

bool SpreadsheetReader::Next(SpreadsheetFields& record) {
    const std::string_view text = contents_;
    if (at_ >= text.size()) return false;
    record.fields.clear();
    record.row = ++row_;
    record.unclosed_quote = false;
    // A record with no quote before its line ends, as most are, is split at its separators
    // where it lies.
    const std::size_t line_end =
        std::min(NextOf('\r', next_return_), NextOf('\n', next_line_feed_));
    if (NextOf('"', next_quote_) >= line_end) {
        // Fields are short: looked along for the separator rather than searched, which costs
        // more to start than to go on.
        std::size_t start = at_;
        for (std::size_t at = at_; at < line_end; ++at) {
            if (text[at] != separator_) continue;
            record.fields.push_back(text.substr(start, at - start));
            start = at + 1;
        }
        record.fields.push_back(text.substr(start, line_end - start));
        at_ = std::min(line_end + 1, text.size());
        if (line_end < text.size() && text[line_end] == '\r' && at_ < text.size() &&
            text[at_] == '\n') {
            ++at_;
        }
        return true;
    }
    unquoted_.clear();
    copied_.clear();
    const auto ends_field = [&](std::size_t at) {
        return at == text.size() || text[at] == separator_ || text[at] == '\r' || text[at] == '\n';
    };
    while (true) {
        // Most fields are a plain run of the file, or one in quotes with no quote doubled inside
        // and nothing after its closing quote: those are viewed where they are.
        std::size_t end = at_;
        if (at_ < text.size() && text[at_] == '"') {
            const std::size_t close = text.find('"', at_ + 1);
            if (close != std::string_view::npos && ends_field(close + 1)) {
                record.fields.push_back(text.substr(at_ + 1, close - at_ - 1));
                end = close + 1;
            } else {
                end = CopyField(at_, record);
            }
        } else {
            while (!ends_field(end)) ++end;
            record.fields.push_back(text.substr(at_, end - at_));
        }
        if (end >= text.size()) {
            at_ = text.size();
            break;
        }
        at_ = end + 1;
        if (text[end] == separator_) continue;
        if (text[end] == '\r' && at_ < text.size() && text[at_] == '\n') ++at_;
        break;
    }
    for (const Copied& copied : copied_) {
        record.fields[copied.field] =
            std::string_view(unquoted_).substr(copied.offset, copied.size);
    }
    return true;
}

std::vector<SpreadsheetRecord> ReadSpreadsheetRecords(std::string_view contents) {
    std::vector<SpreadsheetRecord> records;
    SpreadsheetReader reader(contents);
    SpreadsheetFields read;
    while (reader.Next(read)) {
        records.push_back(
            {{read.fields.begin(), read.fields.end()}, read.row, read.unclosed_quote});
    }
    return records;
}

std::string Lowercase(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

bool IsBlankRecord(const SpreadsheetRecord& record) {
    return std::all_of(record.fields.begin(), record.fields.end(), IsBlank);
}

bool IsBlankRecord(const SpreadsheetFields& record) {
    return std::all_of(record.fields.begin(), record.fields.end(), IsBlank);
}

std::optional<std::size_t> FindColumn(const std::vector<std::string>& header,
                                      std::string_view name) {
    for (std::size_t i = 0; i < header.size(); ++i) {
        if (Lowercase(TrimBlanks(header[i])) == name) return i;
    }
    return std::nullopt;
}

std::string_view FieldAt(const SpreadsheetRecord& record, std::size_t index) {
    return index < record.fields.size() ? std::string_view(record.fields[index])
                                        : std::string_view();
}

void AppendCsvField(std::string& csv, std::string_view field, char separator) {
    const auto append = [&](const CsvQuoting& quoting) {
        const std::size_t at = csv.size();
        csv.resize(at + CsvFieldRoom(field));
        csv.resize(
            static_cast<std::size_t>(WriteCsvField(csv.data() + at, field, quoting) - csv.data()));
    };
    // Spreadsheets separate with commas, or with semicolons where the decimal mark is a comma.
    static constexpr CsvQuoting kCommas(','), kSemicolons(';');
    if (separator == ',') {
        append(kCommas);
    } else if (separator == ';') {
        append(kSemicolons);
    } else {
        append(CsvQuoting(separator));
    }
}

char* WriteCsvField(char* out, std::string_view field, const CsvQuoting& quoting) {
    // Four characters looked at a time, without a branch for each: most fields are short and
    // need no quotes.
    const auto quotes = [&](std::size_t at) { return quoting.Quotes(field[at]) ? 1U : 0U; };
    std::size_t at = 0;
    bool quoted = false;
    for (; at + 4 <= field.size() && !quoted; at += 4) {
        quoted = (quotes(at) | quotes(at + 1) | quotes(at + 2) | quotes(at + 3)) != 0;
    }
    for (; at < field.size() && !quoted; ++at) quoted = quotes(at) != 0;
    if (!quoted) {
        std::memcpy(out, field.data(), field.size());
        return out + field.size();
    }
    *out++ = '"';
    for (const char c : field) {
        if (c == '"') *out++ = '"';
        *out++ = c;
    }
    *out++ = '"';
    return out;
}

}  // namespace distance
