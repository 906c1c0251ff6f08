#pragma once
// The one writer of machine-readable output: comma-separated blocks of rows, or one JSON
// object laid out a row a line. Texts are the program's 8-bit texts, read as Latin-1 as the
// windows show them, and written as UTF-8; JSON strings are escaped by the JSON library, so
// the output parses whatever a name holds.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quorvel::cli {

// How a command prints: fixed-pitch text, comma-separated or JSON.
enum class OutputFormat { Text, Csv, Json };

// The 8-bit text as UTF-8, each byte read as Latin-1.
std::string latin1ToUtf8(std::string_view text);

// One value of a row: a text, a number already formatted, null, or (JSON only) an object or a
// list written on one line.
class Cell {
public:
    Cell(std::string text) : kind_(Kind::Text), text_(std::move(text)) {}
    Cell(const char* text) : kind_(Kind::Text), text_(text) {}
    Cell(int value) : kind_(Kind::Number), text_(std::to_string(value)) {}
    Cell(std::int64_t value) : kind_(Kind::Number), text_(std::to_string(value)) {}
    Cell(std::uint32_t value) : kind_(Kind::Number), text_(std::to_string(value)) {}

    // A number in printf's form: Cell::number("%.4f", 0.5) is 0.5000.
    static Cell number(const char* pattern, double value);
    static Cell null();
    static Cell object(std::vector<std::pair<std::string, Cell>> members);
    static Cell list(std::vector<Cell> items);

    // The cell as a CSV field (also added to the end of a line) and as a JSON value.
    std::string csv() const;
    void appendCsv(std::string& line) const;
    std::string json() const;

private:
    enum class Kind { Text, Number, Null, Object, List };
    Cell(Kind kind) : kind_(kind) {}

    Kind kind_;
    std::string text_;
    std::vector<std::pair<std::string, Cell>> members_;
    std::vector<Cell> items_;
};

using Row = std::vector<std::pair<std::string, Cell>>;

// Writes as it goes through `write`. CSV: each table is a header line and its rows, tables apart
// by an empty line; members are not written. JSON: one object whose members are values, tables
// (a list of rows, one a line) or groups (an object whose members are each on a line).
class TableWriter {
public:
    TableWriter(OutputFormat format, std::function<void(std::string_view)> write);

    OutputFormat format() const { return format_; }

    void member(std::string_view name, const Cell& value);
    void beginTable(std::string_view name, const std::vector<std::string>& columns);
    void row(const Row& row);
    // A row of values in the order of the columns the table began with, which name them in JSON.
    void valueRow(const std::vector<Cell>& values);
    void endTable();
    void beginGroup(std::string_view name);
    void endGroup();
    // Closes the JSON object.
    void finish();

private:
    void open(std::string_view name, char bracket);
    void close(char bracket);
    void separate();

    OutputFormat format_;
    std::function<void(std::string_view)> write_;
    std::vector<bool> firstAtDepth_{true}; // whether the next item at each depth is the first
    bool anyTable_ = false;
    std::vector<std::string> columnKeys_; // JSON: the table's columns as keys, "\"seed\": "
    std::string line_;                    // the row being written, its room kept between rows
};

} // namespace quorvel::cli
