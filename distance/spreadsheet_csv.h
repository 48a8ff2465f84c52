#pragma once

// Reading and writing CSV as spreadsheets save it, for every file a club keeps in one: places,
// returns of clockings. RFC 4180 records (a quoted field may hold the separator, a line break or
// a doubled quote), UTF-8 with or without a byte-order mark, CRLF or LF, and commas between the
// fields or, under regional settings whose decimal separator is a comma, semicolons.

#include <array>
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

// One record as SpreadsheetReader gives it: its fields view the file's own text where they are
// written plainly, and the reader's copy where quotes were taken off, until the next record is
// read.
struct SpreadsheetFields {
    std::vector<std::string_view> fields;
    std::size_t row = 0;
    bool unclosed_quote = false;
};

// The records of a file one at a time, without a copy of every field (a federation's return has
// 20,000 rows). A leading byte-order mark is skipped; the header row says whether commas or
// semicolons separate the fields. Blank records are given too, so that rows keep their numbers
// as a spreadsheet shows them.
class SpreadsheetReader {
  public:
    explicit SpreadsheetReader(std::string_view contents);
    // The next record into `record`, whose room is used again; false after the last.
    bool Next(SpreadsheetFields& record);

  private:
    // A field that is not one plain run of the file: copied with its quotes taken off.
    std::size_t CopyField(std::size_t from, SpreadsheetFields& record);
    // Where the next `c` is from the record being read on (the end of the file if there is
    // none), searched for again only once the reading has passed the last one found.
    std::size_t NextOf(char c, std::size_t& found);

    std::string_view contents_;
    char separator_ = ',';
    std::size_t at_ = 0;
    std::size_t row_ = 0;
    std::size_t next_quote_ = 0, next_return_ = 0, next_line_feed_ = 0;
    std::string unquoted_;  // the copied fields of the current record, one after another
    struct Copied {
        std::size_t field, offset, size;
    };
    std::vector<Copied> copied_;
};

// Every record of the file, as SpreadsheetReader reads them, each field a string of its own.
std::vector<SpreadsheetRecord> ReadSpreadsheetRecords(std::string_view contents);

// Blanks (spaces and tabs) off both ends.
inline std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}
// ASCII letters in lower case; header names are matched in any case.
std::string Lowercase(std::string_view text);
// Spreadsheets keep empty rows as bare separators.
bool IsBlankRecord(const SpreadsheetRecord& record);
bool IsBlankRecord(const SpreadsheetFields& record);
// The header field naming a column, in any case and with blanks around it, if there is one.
std::optional<std::size_t> FindColumn(const std::vector<std::string>& header,
                                      std::string_view name);
// A record's field, or nothing where the row is shorter than the header.
std::string_view FieldAt(const SpreadsheetRecord& record, std::size_t index);
inline std::string_view FieldAt(const SpreadsheetFields& record, std::size_t index) {
    return index < record.fields.size() ? record.fields[index] : std::string_view();
}

// The characters that make a field quoted, for one separator: the separator, a quote and the
// line breaks, each looked up at once.
class CsvQuoting {
  public:
    explicit constexpr CsvQuoting(char separator) {
        for (const char c : {separator, '"', '\r', '\n'})
            quoted_[static_cast<unsigned char>(c)] = true;
    }
    constexpr bool Quotes(char c) const { return quoted_[static_cast<unsigned char>(c)]; }

  private:
    std::array<bool, 256> quoted_{};
};

// Appends a field to a CSV line, quoted where it holds the separator, a quote or a line break.
void AppendCsvField(std::string& csv, std::string_view field, char separator = ',');
// The same field written at `out`, which has room for CsvFieldRoom(field) characters; returns
// where it ends. For a large table written into room made for a whole row at once.
char* WriteCsvField(char* out, std::string_view field, const CsvQuoting& quoting);
constexpr std::size_t CsvFieldRoom(std::string_view field) {
    return 2 * field.size() + 2;  // every character a quote, doubled, and the quotes around
}

}  // namespace distance
