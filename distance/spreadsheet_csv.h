#pragma once

// Reading and writing CSV as spreadsheets save it, for every file a club keeps in one: places,
// returns of clockings. RFC 4180 records (a quoted field may hold the separator, a line break or
// a doubled quote), UTF-8 with or without a byte-order mark, CRLF or LF, and commas between the
// fields or, under regional settings whose decimal separator is a comma, semicolons.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace distance {

// One record of the file: its fields as written (quotes taken off), the row it starts on (the
// first being row 1), and whether a quote opened in it was never closed before the end.
struct SpreadsheetRecord {
    std::vector<std::string> fields;
    std::size_t row = 0;
    bool unclosed_quote = false;
};

// Every record of the file, the header included, blank ones too (so that rows keep their
// numbers as a spreadsheet shows them). A leading byte-order mark is skipped; the header row
// says whether commas or semicolons separate the fields.
std::vector<SpreadsheetRecord> ReadSpreadsheetRecords(std::string_view contents);

// Blanks (spaces and tabs) off both ends.
std::string_view TrimBlanks(std::string_view text);
// ASCII letters in lower case; header names are matched in any case.
std::string Lowercase(std::string_view text);
// Spreadsheets keep empty rows as bare separators.
bool IsBlankRecord(const SpreadsheetRecord& record);
// The header field naming a column, in any case and with blanks around it, if there is one.
std::optional<std::size_t> FindColumn(const std::vector<std::string>& header,
                                      std::string_view name);
// A record's field, or nothing where the row is shorter than the header.
std::string_view FieldAt(const SpreadsheetRecord& record, std::size_t index);

// Appends a field to a CSV line, quoted where it holds the separator, a quote or a line break.
void AppendCsvField(std::string& csv, std::string_view field, char separator = ',');

}  // namespace distance
