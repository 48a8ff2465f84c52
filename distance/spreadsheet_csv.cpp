#include "distance/spreadsheet_csv.h"

#include <algorithm>

namespace distance {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The header row, which holds no numbers, says which separator the file uses.
char Separator(std::string_view contents) {
    const std::string_view header = contents.substr(0, contents.find('\n'));
    const auto count = [&](char c) { return std::count(header.begin(), header.end(), c); };
    return count(';') > count(',') ? ';' : ',';
}

}  // namespace

std::vector<SpreadsheetRecord> ReadSpreadsheetRecords(std::string_view contents) {
    if (contents.starts_with(kByteOrderMark)) contents.remove_prefix(kByteOrderMark.size());
    const char separator = Separator(contents);
    std::vector<SpreadsheetRecord> records;
    SpreadsheetRecord record{{}, 1};
    std::string field;
    bool quoted = false;
    bool field_quoted = false;
    bool anything = false;
    const auto end_record = [&] {
        record.fields.push_back(std::move(field));
        field.clear();
        field_quoted = false;
        records.push_back(std::move(record));
        record = SpreadsheetRecord{{}, records.back().row + 1};
        anything = false;
    };
    for (std::size_t at = 0; at < contents.size(); ++at) {
        const char c = contents[at];
        anything = true;
        if (quoted) {
            if (c != '"') {
                field += c;
            } else if (at + 1 < contents.size() && contents[at + 1] == '"') {
                field += '"';
                ++at;
            } else {
                quoted = false;
            }
        } else if (c == '"' && field.empty() && !field_quoted) {
            // Only a field's first character opens a quoted field; a quote further on is the
            // seconds mark of a hand-written 52°34'20"N.
            quoted = true;
            field_quoted = true;
        } else if (c == separator) {
            record.fields.push_back(std::move(field));
            field.clear();
            field_quoted = false;
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && at + 1 < contents.size() && contents[at + 1] == '\n') ++at;
            end_record();
        } else {
            field += c;
        }
    }
    if (anything) {
        record.unclosed_quote = quoted;
        end_record();
    }
    return records;
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

std::string Lowercase(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

bool IsBlankRecord(const SpreadsheetRecord& record) {
    for (const std::string& field : record.fields) {
        if (!TrimBlanks(field).empty()) return false;
    }
    return true;
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
    const char special[] = {separator, '"', '\r', '\n', '\0'};
    if (field.find_first_of(special) == std::string_view::npos) {
        csv += field;
        return;
    }
    csv += '"';
    for (const char c : field) {
        if (c == '"') csv += '"';
        csv += c;
    }
    csv += '"';
}

}  // namespace distance
