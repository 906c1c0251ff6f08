#include "cli/table_writer.h"

#include <algorithm>
#include <cstdio>

#include <nlohmann/json.hpp>

#include "common/text_format.h"

namespace quorvel::cli {

std::string latin1ToUtf8(std::string_view text) {
    std::string utf8;
    utf8.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            utf8 += c;
        } else {
            utf8 += static_cast<char>(0xC0 | (byte >> 6));
            utf8 += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return utf8;
}

Cell Cell::number(const char* pattern, double value) {
    Cell cell(Kind::Number);
    cell.text_ = formatText(pattern, value);
    return cell;
}

Cell Cell::null() { return Cell(Kind::Null); }

Cell Cell::object(std::vector<std::pair<std::string, Cell>> members) {
    Cell cell(Kind::Object);
    cell.members_ = std::move(members);
    return cell;
}

Cell Cell::list(std::vector<Cell> items) {
    Cell cell(Kind::List);
    cell.items_ = std::move(items);
    return cell;
}

std::string Cell::csv() const {
    std::string field;
    appendCsv(field);
    return field;
}

void Cell::appendCsv(std::string& line) const {
    switch (kind_) {
    case Kind::Text:
        // Plain ASCII without a comma, quote or line end is its own field, as it is in UTF-8.
        if (std::all_of(text_.begin(), text_.end(), [](char c) {
                return static_cast<unsigned char>(c) < 0x80 && c != ',' && c != '"' && c != '\r' &&
                       c != '\n';
            }))
            line += text_;
        else
            line += csvField(latin1ToUtf8(text_));
        return;
    case Kind::Number:
        line += text_;
        return;
    case Kind::Null:
    case Kind::Object:
    case Kind::List:
        return;
    }
}

namespace {

std::string jsonText(std::string_view text) {
    // The library escapes quotes, backslashes and every control character.
    return nlohmann::json(latin1ToUtf8(text)).dump();
}

// The cells cellAt(0) to cellAt(count - 1) as one CSV line.
template <class CellAt> void appendCsvLine(std::string& line, std::size_t count, CellAt cellAt) {
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0)
            line += ',';
        cellAt(i).appendCsv(line);
    }
    line += '\n';
}

} // namespace

std::string Cell::json() const {
    switch (kind_) {
    case Kind::Text:
        return jsonText(text_);
    case Kind::Number:
        return text_;
    case Kind::Null:
        return "null";
    case Kind::Object: {
        std::string out = "{";
        for (std::size_t i = 0; i < members_.size(); ++i)
            out += (i == 0 ? "" : ", ") + jsonText(members_[i].first) + ": " +
                   members_[i].second.json();
        return out + "}";
    }
    case Kind::List: {
        std::string out = "[";
        for (std::size_t i = 0; i < items_.size(); ++i)
            out += (i == 0 ? "" : ", ") + items_[i].json();
        return out + "]";
    }
    }
    return "null";
}

TableWriter::TableWriter(OutputFormat format, std::function<void(std::string_view)> write)
    : format_(format), write_(std::move(write)) {
    if (format_ == OutputFormat::Json)
        write_("{");
}

void TableWriter::separate() {
    const bool first = firstAtDepth_.back();
    firstAtDepth_.back() = false;
    write_((first ? "\n" : ",\n") + std::string(2 * firstAtDepth_.size(), ' '));
}

void TableWriter::member(std::string_view name, const Cell& value) {
    if (format_ != OutputFormat::Json)
        return;
    separate();
    write_(jsonText(name) + ": " + value.json());
}

void TableWriter::open(std::string_view name, char bracket) {
    separate();
    write_(jsonText(name) + ": " + std::string(1, bracket));
    firstAtDepth_.push_back(true);
}

void TableWriter::close(char bracket) {
    firstAtDepth_.pop_back();
    write_("\n" + std::string(2 * firstAtDepth_.size(), ' ') + std::string(1, bracket));
}

void TableWriter::beginTable(std::string_view name, const std::vector<std::string>& columns) {
    columnKeys_.clear();
    if (format_ == OutputFormat::Json) {
        for (const std::string& column : columns)
            columnKeys_.push_back(jsonText(column) + ": ");
        open(name, '[');
        return;
    }
    std::string header = anyTable_ ? "\n" : "";
    for (std::size_t i = 0; i < columns.size(); ++i)
        header += (i == 0 ? "" : ",") + columns[i];
    write_(header + "\n");
    anyTable_ = true;
}

void TableWriter::row(const Row& row) {
    if (format_ == OutputFormat::Json) {
        separate();
        write_(Cell::object(row).json());
        return;
    }
    line_.clear();
    appendCsvLine(line_, row.size(),
                  [&row](std::size_t i) -> const Cell& { return row[i].second; });
    write_(line_);
}

void TableWriter::valueRow(const std::vector<Cell>& values) {
    line_.clear();
    if (format_ == OutputFormat::Json) {
        separate();
        line_ += '{';
        for (std::size_t i = 0; i < values.size(); ++i)
            line_.append(i == 0 ? "" : ", ").append(columnKeys_.at(i)).append(values[i].json());
        line_ += '}';
        write_(line_);
        return;
    }
    appendCsvLine(line_, values.size(),
                  [&values](std::size_t i) -> const Cell& { return values[i]; });
    write_(line_);
}

void TableWriter::endTable() {
    if (format_ == OutputFormat::Json)
        close(']');
}

void TableWriter::beginGroup(std::string_view name) {
    if (format_ == OutputFormat::Json)
        open(name, '{');
}

void TableWriter::endGroup() {
    if (format_ == OutputFormat::Json)
        close('}');
}

void TableWriter::finish() {
    if (format_ == OutputFormat::Json)
        write_("\n}\n");
}

} // namespace quorvel::cli
