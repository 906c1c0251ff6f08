#include "records/player_source.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <functional>
#include <vector>

namespace quorvel {

const std::string_view kPlayerSourceHeader =
    "# Quorvel player database. Every name and figure here is invented.\n"
    "# Build it with: quorvel-players build players.csv players.dat\n"
    "# One player a row; playerId runs 0, 1, 2 ... in row order. country is a country name.\n"
    "# battingFlags: 0x1 opener, 0x2 and 0x4 specialist batsman (first and second choice),\n"
    "#   0x8 lower order, 0x100 left-handed.\n"
    "# bowlingFlags: style 0x1 Fast, 0x2 Fast Medium, 0x4 Medium, 0x8 Off Spin, 0x10 Leg Spin\n"
    "#   (0 for a non-bowler), 0x100 left-arm.\n"
    "# keeperFlags: 0x1 wicket-keeper, 0x10 member of the country's predefined eleven.\n"
    "# oversBowled is in overs.balls notation.\n";

const std::string_view kPlayerSourceColumns =
    "playerId,surname,firstName,country,battingFlags,bowlingFlags,keeperFlags,matches,"
    "inningsPlayed,notOuts,runsScored,highestScore,battingAverage,hundreds,fifties,oversBowled,"
    "maidens,runsConceded,wickets,bestBowling,bowlingAverage,economyRate,bowlingStrikeRate,"
    "reservedA,reservedB";

PlayerSourceError::PlayerSourceError(int line, const std::string& field, const std::string& what)
    : std::runtime_error("line " + std::to_string(line) +
                         (field.empty() ? "" : ", field " + field) + ": " + what),
      line_(line), field_(field) {}

namespace {

enum class Kind { Int, Flags, Double, Text, Country };

// One column: its name, how it is written, and where it lives in a Player.
struct Column {
    std::string_view name;
    Kind kind;
    std::int32_t Player::*intField = nullptr;
    double Player::*doubleField = nullptr;
    CompactString Player::*textField = nullptr;
};

const std::vector<Column>& columns() {
    static const std::vector<Column> table = {
        {"playerId", Kind::Int, &Player::playerId},
        {"surname", Kind::Text, nullptr, nullptr, &Player::surname},
        {"firstName", Kind::Text, nullptr, nullptr, &Player::firstName},
        {"country", Kind::Country, &Player::country},
        {"battingFlags", Kind::Flags, &Player::battingFlags},
        {"bowlingFlags", Kind::Flags, &Player::bowlingFlags},
        {"keeperFlags", Kind::Flags, &Player::keeperFlags},
        {"matches", Kind::Int, &Player::matches},
        {"inningsPlayed", Kind::Int, &Player::inningsPlayed},
        {"notOuts", Kind::Int, &Player::notOuts},
        {"runsScored", Kind::Int, &Player::runsScored},
        {"highestScore", Kind::Text, nullptr, nullptr, &Player::highestScore},
        {"battingAverage", Kind::Double, nullptr, &Player::battingAverage},
        {"hundreds", Kind::Int, &Player::hundreds},
        {"fifties", Kind::Int, &Player::fifties},
        {"oversBowled", Kind::Double, nullptr, &Player::oversBowled},
        {"maidens", Kind::Int, &Player::maidens},
        {"runsConceded", Kind::Int, &Player::runsConceded},
        {"wickets", Kind::Int, &Player::wickets},
        {"bestBowling", Kind::Text, nullptr, nullptr, &Player::bestBowling},
        {"bowlingAverage", Kind::Double, nullptr, &Player::bowlingAverage},
        {"economyRate", Kind::Double, nullptr, &Player::economyRate},
        {"bowlingStrikeRate", Kind::Double, nullptr, &Player::bowlingStrikeRate},
        {"reservedA", Kind::Int, &Player::reservedA},
        {"reservedB", Kind::Int, &Player::reservedB},
    };
    return table;
}

// Quotes a text field only when it needs it, doubling inner quotes.
std::string quoted(std::string_view text) {
    const bool plain = text.find_first_of(",\"\n\r") == std::string_view::npos &&
                       (text.empty() || (text.front() != ' ' && text.back() != ' '));
    if (plain)
        return std::string(text);
    std::string out = "\"";
    for (char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + '"';
}

std::string formatDouble(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string formatFlags(std::int32_t value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%x", static_cast<unsigned>(value));
    return buffer;
}

// Splits the record that starts at text[at] into fields, honouring double quotes: a quoted
// field may hold commas, doubled quotes and line ends. Moves at past the record's line end, adds
// the line ends passed inside quotes to lines, and drops a CR that ends the record.
std::vector<std::string> splitRecord(std::string_view text, std::size_t& at, int& lines) {
    const int firstLine = lines;
    const std::size_t begin = at;
    std::size_t end = text.size();
    std::vector<std::string> fields;
    std::string current;
    bool inQuotes = false;
    bool wasQuoted = false;
    for (; at < text.size(); ++at) {
        const char c = text[at];
        if (inQuotes) {
            if (c == '"' && at + 1 < text.size() && text[at + 1] == '"') {
                current += '"';
                ++at;
            } else if (c == '"') {
                inQuotes = false;
            } else {
                lines += c == '\n' ? 1 : 0;
                current += c;
            }
        } else if (c == '"' && current.empty() && !wasQuoted) {
            inQuotes = wasQuoted = true;
        } else if (c == ',') {
            fields.push_back(std::move(current));
            current.clear();
            wasQuoted = false;
        } else if (c == '\n') {
            end = at++;
            break;
        } else {
            current += c;
        }
    }
    if (inQuotes)
        throw PlayerSourceError(firstLine, "", "unterminated quoted text");
    if (end > begin && text[end - 1] == '\r')
        current.pop_back();
    fields.push_back(std::move(current));
    return fields;
}

std::int32_t parseInt(const std::string& text, int line, std::string_view field, int base = 10) {
    std::string_view digits = text;
    if (base == 16) {
        if (digits.size() < 3 || digits.substr(0, 2) != "0x")
            throw PlayerSourceError(line, std::string(field), "'" + text + "' is not 0x<hex>");
        digits.remove_prefix(2);
    }
    std::int64_t value = 0;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
    if (digits.empty() || result.ec != std::errc{} || result.ptr != digits.data() + digits.size() ||
        value < INT32_MIN || value > (base == 16 ? std::int64_t{UINT32_MAX} : INT32_MAX))
        throw PlayerSourceError(line, std::string(field), "'" + text + "' is not an integer");
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

double parseDouble(const std::string& text, int line, std::string_view field) {
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || result.ec != std::errc{} || result.ptr != text.data() + text.size())
        throw PlayerSourceError(line, std::string(field), "'" + text + "' is not a number");
    return value;
}

} // namespace

std::string formatPlayerSource(const PlayerFile& file) {
    std::string out(kPlayerSourceHeader);
    out += "leadingValue," + std::to_string(file.leadingValue) + "\n";
    out += kPlayerSourceColumns;
    out += '\n';
    for (const auto& player : file.players) {
        bool first = true;
        for (const auto& column : columns()) {
            if (!first)
                out += ',';
            first = false;
            switch (column.kind) {
            case Kind::Int:
                out += std::to_string(player.*column.intField);
                break;
            case Kind::Flags:
                out += formatFlags(player.*column.intField);
                break;
            case Kind::Double:
                out += formatDouble(player.*column.doubleField);
                break;
            case Kind::Text:
                out += quoted(player.*column.textField);
                break;
            case Kind::Country: {
                const auto name = countryName(player.*column.intField);
                out += name.empty() ? std::to_string(player.*column.intField) : std::string(name);
                break;
            }
            }
        }
        out += '\n';
    }
    return out;
}

PlayerFile parsePlayerSource(std::string_view text) {
    PlayerFile file;
    bool sawLeading = false;
    bool sawColumns = false;
    int lineNumber = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        ++lineNumber;
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line.front() == '#' || !sawColumns)
            start = end + 1;
        if (line.empty() || line.front() == '#')
            continue;
        if (!sawLeading) {
            std::size_t at = 0;
            const auto fields = splitRecord(line, at, lineNumber);
            if (fields.size() != 2 || fields[0] != "leadingValue")
                throw PlayerSourceError(lineNumber, "leadingValue",
                                        "expected 'leadingValue,<integer>'");
            file.leadingValue = parseInt(fields[1], lineNumber, "leadingValue");
            sawLeading = true;
            continue;
        }
        if (!sawColumns) {
            if (line != kPlayerSourceColumns)
                throw PlayerSourceError(lineNumber, "", "expected the column names line");
            sawColumns = true;
            continue;
        }
        // A player's row goes on over further lines where a quoted text holds line ends.
        const int rowLine = lineNumber;
        const auto fields = splitRecord(text, start, lineNumber);
        const auto& cols = columns();
        if (fields.size() != cols.size())
            throw PlayerSourceError(rowLine, "",
                                    "has " + std::to_string(fields.size()) + " fields, expected " +
                                        std::to_string(cols.size()));
        Player player;
        for (std::size_t i = 0; i < cols.size(); ++i) {
            const auto& column = cols[i];
            const auto& field = fields[i];
            switch (column.kind) {
            case Kind::Int:
                player.*column.intField = parseInt(field, rowLine, column.name);
                break;
            case Kind::Flags:
                player.*column.intField = parseInt(field, rowLine, column.name, 16);
                break;
            case Kind::Double:
                player.*column.doubleField = parseDouble(field, rowLine, column.name);
                break;
            case Kind::Text:
                player.*column.textField = field;
                break;
            case Kind::Country:
                if (const auto code = countryCode(field))
                    player.*column.intField = *code;
                else
                    player.*column.intField = parseInt(field, rowLine, column.name);
                break;
            }
        }
        file.players.push_back(std::move(player));
    }
    if (!sawColumns)
        throw PlayerSourceError(lineNumber, "", "no 'leadingValue' and column names lines");
    return file;
}

} // namespace quorvel
