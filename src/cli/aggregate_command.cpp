#include "cli/aggregate_command.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <limits>
#include <map>
#include <optional>

#include "cli/shard_rows.h"
#include "records/player.h"
#include "records/scores.h"
#include "reports/match_stats.h"
#include "screen/statistics_run.h"
#include "setup/team_selection.h"

namespace quorvel {

namespace {

// A problem with the input: what is wrong and the exit status it gives.
struct ReadProblem {
    int status = kExitBadSetUp;
    std::string text;
};

// The UTF-8 the rows hold back as the program's 8-bit texts; nothing when a character lies
// beyond Latin-1 or the bytes are not UTF-8.
std::optional<std::string> utf8ToLatin1(const std::string& text) {
    std::string latin1;
    latin1.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x80) {
            latin1 += text[i];
            continue;
        }
        if ((byte != 0xC2 && byte != 0xC3) || i + 1 >= text.size() ||
            (static_cast<unsigned char>(text[i + 1]) & 0xC0) != 0x80)
            return std::nullopt;
        latin1 += static_cast<char>(((byte & 0x03) << 6) | (text[++i] & 0x3F));
    }
    return latin1;
}

std::optional<long long> wholeNumber(const std::string& text, long long most) {
    if (text.empty() || text.size() > 10 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const long long value = std::stoll(text);
    return value <= most ? std::optional(value) : std::nullopt;
}

// "12.3" as its legal deliveries.
std::optional<int> ballsOfOversField(const std::string& text) {
    const std::size_t dot = text.find('.');
    if (dot == std::string::npos || dot + 2 != text.size())
        return std::nullopt;
    const auto overs = wholeNumber(text.substr(0, dot), 1000);
    const auto balls = wholeNumber(text.substr(dot + 1), kBallsPerOver - 1);
    if (!overs || !balls)
        return std::nullopt;
    return static_cast<int>(*overs * kBallsPerOver + *balls);
}

// One match read from a row: what its aggregates take, and the pair it was played by.
struct ShardMatch {
    std::uint32_t seed = 0;
    std::array<InningsSummary, 2> innings{};
    std::array<std::string, 2> pair; // the sides' names, in alphabetical order
};

// A performance of a row with where it stands in the run: its match's seed and its place in
// the match's list.
struct Candidate {
    std::uint32_t seed = 0;
    int place = 0;
    MatchStatistics::Performance performance;
};

// Keeps the performances that can still be among the best five, whatever order the matches
// turn out to be in: any performance with five others strictly better is dropped.
class CandidateList {
public:
    explicit CandidateList(bool fewerIsBetter) : fewerIsBetter_(fewerIsBetter) {}

    void add(Candidate candidate) {
        list_.push_back(std::move(candidate));
        if (list_.size() >= 512)
            prune();
    }

    // The candidates in the order of the run: by match, then by place.
    std::vector<Candidate> inRunOrder(std::uint32_t firstSeed) {
        prune();
        std::sort(list_.begin(), list_.end(), [firstSeed](const Candidate& a, const Candidate& b) {
            const std::uint32_t ra = a.seed - firstSeed, rb = b.seed - firstSeed;
            return ra != rb ? ra < rb : a.place < b.place;
        });
        return list_;
    }

private:
    bool better(const Candidate& a, const Candidate& b) const {
        if (a.performance.primary != b.performance.primary)
            return a.performance.primary > b.performance.primary;
        return fewerIsBetter_ && a.performance.secondary < b.performance.secondary;
    }

    void prune() {
        if (list_.size() <= kPerformancesInRow)
            return;
        std::vector<Candidate> sorted = list_;
        std::nth_element(sorted.begin(), sorted.begin() + (kPerformancesInRow - 1), sorted.end(),
                         [this](const Candidate& a, const Candidate& b) { return better(a, b); });
        const Candidate fifth = sorted[kPerformancesInRow - 1];
        std::erase_if(list_, [&](const Candidate& c) { return better(fifth, c); });
    }

    bool fewerIsBetter_;
    std::vector<Candidate> list_;
};

// Reads the records of comma-separated text, a quoted field running over line ends.
class CsvRecords {
public:
    explicit CsvRecords(std::istream& in) : in_(in) {}

    // The next record; false at the end. `line` is the number of the record's first line.
    bool next(std::vector<std::string>& fields, std::string& problem) {
        fields.assign(1, std::string());
        std::string text;
        if (!std::getline(in_, text))
            return false;
        line_ = ++linesRead_;
        bool quoted = false;
        for (std::size_t i = 0;; ++i) {
            if (i == text.size()) {
                if (!quoted) {
                    if (!fields.back().empty() && fields.back().back() == '\r')
                        fields.back().pop_back();
                    return true;
                }
                fields.back() += '\n';
                if (!std::getline(in_, text)) {
                    problem = "a quoted field is not closed";
                    return true;
                }
                ++linesRead_;
                i = static_cast<std::size_t>(-1);
                continue;
            }
            const char c = text[i];
            if (quoted) {
                if (c != '"')
                    fields.back() += c;
                else if (i + 1 < text.size() && text[i + 1] == '"')
                    fields.back() += text[++i];
                else
                    quoted = false;
            } else if (c == '"') {
                quoted = true;
            } else if (c == ',') {
                fields.emplace_back();
            } else {
                fields.back() += c;
            }
        }
    }

    int line() const { return line_; }

private:
    std::istream& in_;
    int line_ = 0;
    int linesRead_ = 0;
};

// The pairs of an all-pairs run in the order it plays them, each in alphabetical order.
std::array<std::string, 2> sortedPair(std::string a, std::string b) {
    if (b < a)
        std::swap(a, b);
    return {std::move(a), std::move(b)};
}

std::vector<std::array<std::string, 2>> allPairs() {
    std::vector<std::array<std::string, 2>> pairs;
    for (int a = 0; a < kCountryCount; ++a)
        for (int b = a + 1; b < kCountryCount; ++b)
            pairs.push_back(
                sortedPair(std::string(countryNameAt(a)), std::string(countryNameAt(b))));
    return pairs;
}

class ShardReader {
public:
    ShardReader() : topScores_(false), bestBowling_(true) {}

    std::optional<ReadProblem> readFile(const std::string& name) {
        if (name == "-")
            return read(std::cin, "standard input");
        std::ifstream file(name, std::ios::binary);
        if (!file)
            return ReadProblem{kExitFileError, "cannot read " + name + ": " + std::strerror(errno)};
        return read(file, name);
    }

    // Sorts the matches into the run's order and folds them as the run did.
    std::optional<ReadProblem> fold(MatchStatistics& statistics, std::uint32_t& firstSeed) {
        if (matches_.empty())
            return ReadProblem{kExitBadSetUp, "no rows to aggregate"};
        std::sort(matches_.begin(), matches_.end(),
                  [](const ShardMatch& a, const ShardMatch& b) { return a.seed < b.seed; });
        // Seeds run on from 4294967295 to 0: a run may start near the top and wrap.
        std::size_t start = 0;
        std::vector<std::size_t> gaps;
        for (std::size_t i = 1; i < matches_.size(); ++i) {
            if (matches_[i].seed == matches_[i - 1].seed)
                return ReadProblem{kExitBadSetUp, "the rows hold seed " +
                                                      std::to_string(matches_[i].seed) + " twice"};
            if (matches_[i].seed != matches_[i - 1].seed + 1)
                gaps.push_back(i);
        }
        if (gaps.size() == 1 && matches_.front().seed == 0 &&
            matches_.back().seed == std::numeric_limits<std::uint32_t>::max())
            start = gaps.front();
        else if (!gaps.empty())
            return ReadProblem{kExitBadSetUp,
                               "the rows skip seeds " +
                                   std::to_string(matches_[gaps.front() - 1].seed + 1) + " to " +
                                   std::to_string(matches_[gaps.front()].seed - 1)};
        std::rotate(matches_.begin(), matches_.begin() + static_cast<std::ptrdiff_t>(start),
                    matches_.end());
        firstSeed = matches_.front().seed;
        // Every match must be the one the run would have played at its place.
        const bool cycling = sides_ == kAllPairsSides;
        const auto pairs = allPairs();
        for (std::size_t i = 0; i < matches_.size(); ++i)
            if (matches_[i].pair != (cycling ? pairs[i % pairs.size()] : matches_[0].pair))
                return ReadProblem{kExitBadSetUp, "the rows are not of one run: seed " +
                                                      std::to_string(matches_[i].seed) + " plays " +
                                                      matches_[i].pair[0] + " and " +
                                                      matches_[i].pair[1]};
        for (const ShardMatch& match : matches_)
            statistics.addMatch(match.innings);
        for (Candidate& one : topScores_.inRunOrder(firstSeed))
            statistics.addTopScore(std::move(one.performance));
        for (Candidate& one : bestBowling_.inRunOrder(firstSeed))
            statistics.addBestBowling(std::move(one.performance));
        return std::nullopt;
    }

    std::size_t matches() const { return matches_.size(); }
    const std::string& sides() const { return sides_; }

private:
    std::optional<ReadProblem> read(std::istream& in, const std::string& name) {
        CsvRecords records(in);
        std::vector<std::string> fields;
        std::string problem;
        std::map<std::string, std::size_t> columns; // of the rows being read; empty outside
        bool inAggregates = false;
        const auto at = [&](const std::string& what) {
            return ReadProblem{kExitBadSetUp,
                               name + ":" + std::to_string(records.line()) + ": " + what};
        };
        while (records.next(fields, problem)) {
            if (!problem.empty())
                return at(problem);
            if (fields.size() == 1 && fields[0].empty()) { // a blank line ends a table
                columns.clear();
                inAggregates = false;
                continue;
            }
            if (fields[0] == "seed" || fields[0] == "figure") {
                columns.clear();
                inAggregates = fields[0] == "figure";
                if (inAggregates)
                    continue;
                for (std::size_t i = 0; i < fields.size(); ++i)
                    columns[fields[i]] = i;
                for (const char* needed :
                     {"first", "second", "first_runs", "first_wickets", "first_overs",
                      "second_runs", "second_wickets", "second_overs"})
                    if (!columns.contains(needed))
                        return at("the rows lack the column " + std::string(needed));
                for (const std::string& needed : shardColumns())
                    if (!columns.contains(needed))
                        return at("the rows lack the columns the aggregates need; write them "
                                  "with --stats --format csv --shard-rows");
                continue;
            }
            if (inAggregates)
                continue;
            if (columns.empty())
                return at("a row without a header line before it");
            if (fields.size() != columns.size())
                return at("a row of " + std::to_string(fields.size()) +
                          " fields under a header of " + std::to_string(columns.size()));
            if (auto wrong = readRow(fields, columns))
                return at(*wrong);
        }
        if (in.bad())
            return ReadProblem{kExitFileError, "cannot read " + name + ": " + std::strerror(errno)};
        return std::nullopt;
    }

    // Takes one row; returns what is wrong with it, if anything.
    std::optional<std::string> readRow(const std::vector<std::string>& fields,
                                       const std::map<std::string, std::size_t>& columns) {
        const auto field = [&](const std::string& column) -> const std::string& {
            return fields[columns.at(column)];
        };
        ShardMatch match;
        const auto seed = wholeNumber(field("seed"), std::numeric_limits<std::uint32_t>::max());
        if (!seed)
            return "the seed '" + field("seed") + "' is not a seed";
        match.seed = static_cast<std::uint32_t>(*seed);
        const auto sides = utf8ToLatin1(field("sides"));
        if (!sides || sides->empty())
            return std::string("the sides are not named");
        if (sides_.empty())
            sides_ = *sides;
        else if (*sides != sides_)
            return "rows of more than one run: '" + *sides + "' after '" + sides_ + "'";
        match.pair = sortedPair(field("first"), field("second"));
        for (int k = 0; k < 2; ++k) {
            const std::string innings = kInningsNames[k];
            InningsSummary& summary = match.innings[k];
            const auto runs = wholeNumber(field(innings + "_runs"), 10000);
            const auto wickets = wholeNumber(field(innings + "_wickets"), 10);
            const auto balls = ballsOfOversField(field(innings + "_overs"));
            if (!runs || !wickets || !balls)
                return "the " + innings + " innings' total, wickets or overs are not figures";
            summary.runs = static_cast<int>(*runs);
            summary.wickets = static_cast<int>(*wickets);
            summary.balls = *balls;
            for (int figure = 0; figure < 7; ++figure) {
                const std::string column = innings + "_" + kInningsFigures[figure];
                const auto value = wholeNumber(field(column), 10000);
                if (!value)
                    return "the " + column + " '" + field(column) + "' is not a figure";
                *inningsFigure(summary, figure) = static_cast<int>(*value);
            }
        }
        for (const bool bowling : {false, true}) {
            for (int i = 0; i < static_cast<int>(kPerformancesInRow); ++i) {
                const std::string column =
                    (bowling ? "best_bowling_" : "top_score_") + std::to_string(i + 1);
                const std::string& text = field(column);
                if (text.empty())
                    continue;
                const std::size_t space = text.find(' ');
                const std::size_t next =
                    space == std::string::npos ? space : text.find(' ', space + 1);
                const auto primary = wholeNumber(text.substr(0, space), 10000);
                const auto secondary =
                    next == std::string::npos
                        ? std::nullopt
                        : wholeNumber(text.substr(space + 1, next - space - 1), 10000);
                const auto label =
                    next == std::string::npos ? std::nullopt : utf8ToLatin1(text.substr(next + 1));
                if (!primary || !secondary || !label)
                    return "the " + column + " '" + text + "' is not a performance";
                (bowling ? bestBowling_ : topScores_)
                    .add({match.seed,
                          i,
                          {static_cast<int>(*primary), static_cast<int>(*secondary), *label}});
            }
        }
        matches_.push_back(std::move(match));
        return std::nullopt;
    }

    std::vector<ShardMatch> matches_;
    std::string sides_;
    CandidateList topScores_, bestBowling_;
};

} // namespace

SimResult runAggregateSim(const SimOptions& options) {
    SimResult result;
    ShardReader reader;
    MatchStatistics statistics;
    std::uint32_t firstSeed = 0;
    std::optional<ReadProblem> problem;
    for (const std::string& file : options.aggregateFiles)
        if ((problem = reader.readFile(file)))
            break;
    if (!problem)
        problem = reader.fold(statistics, firstSeed);
    if (problem) {
        result.exitStatus = problem->status;
        result.errors = simProblem(problem->text);
        return result;
    }
    if (options.format == cli::OutputFormat::Text) {
        result.output = statisticsReport(static_cast<std::int64_t>(reader.matches()),
                                         reader.sides(), firstSeed, statistics);
        return result;
    }
    cli::TableWriter writer(options.format,
                            [&result](std::string_view text) { result.output += text; });
    writer.member("first_seed", firstSeed);
    writeStatisticsAggregates(writer, statistics);
    return result;
}

} // namespace quorvel
