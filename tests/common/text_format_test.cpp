#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <random>
#include <set>
#include <utility>

#include "common/text_format.h"

namespace quorvel {
namespace {

using namespace std::string_view_literals;

// Up to this many overs an innings, twice the game's fifty, so that a longer match is covered.
constexpr int kMostOvers = 100;
constexpr int kBallsPerOver = 6;

std::string printfOf(const char* pattern, double value) {
    char text[512];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

// The field as appendFixed and as a TextBuilder write it after what was there before, which
// must stay; the two must agree.
std::string fixedOf(double value, int precision, int width = 0) {
    std::string appended = "<";
    appendFixed(appended, value, precision, width);
    TextBuilder built;
    built.put('<');
    built.fixed(value, precision, width);
    return built.view() == appended ? appended.substr(1) : "appender and builder differ";
}

// The overs figures the scorecard prints: the innings' overs and each bowler's overs start at a
// whole over, gain 0.1 for each legal delivery and are rounded up to the whole over once the
// sixth is bowled. The fall of a wicket stands at the innings' figure.
std::set<double> scorecardOversFigures() {
    std::set<double> figures;
    for (int over = 0; over <= kMostOvers; ++over) {
        double figure = over;
        figures.insert(figure);
        for (int ball = 1; ball <= kBallsPerOver; ++ball)
            figures.insert(figure += 0.1);
        figures.insert(std::ceil(figure));
    }
    return figures;
}

// The overs figures the commentary prints: every delivery adds 0.1 to the figure before it is
// written, and a wide or a no-ball, after which the over goes on, takes the 0.1 off again. So
// from each whole over every mix of up to six legal deliveries with any number of extras is
// followed; `states` also gathers the figures between deliveries (those an innings can end on).
struct CommentaryFigures {
    std::set<double> written;
    std::set<double> states;
};

CommentaryFigures commentaryOversFigures() {
    CommentaryFigures figures;
    for (int over = 0; over <= kMostOvers; ++over) {
        std::set<std::pair<double, int>> seen{{over, 0}};
        std::set<std::pair<double, int>> frontier = seen;
        while (!frontier.empty()) {
            std::set<std::pair<double, int>> next;
            for (const auto& [figure, legal] : frontier) {
                figures.states.insert(figure);
                if (legal == kBallsPerOver)
                    continue;
                const double written = figure + 0.1;
                figures.written.insert(written);
                for (const auto& after :
                     {std::pair{written, legal + 1}, std::pair{written - 0.1, legal}})
                    if (seen.insert(after).second)
                        next.insert(after);
            }
            frontier = std::move(next);
        }
    }
    return figures;
}

TEST(TextFormat, EveryOversFigureOfAMatchIsWrittenAsPrintfWritesIt) {
    const CommentaryFigures commentary = commentaryOversFigures();
    // Repeated extras settle on a few neighbours of each figure, not an endless walk.
    EXPECT_LT(commentary.states.size(), 1000u);
    for (const std::set<double>* figures : {&commentary.written, &commentary.states})
        for (const double figure : *figures)
            ASSERT_EQ(fixedOf(figure, 1), printfOf("%0.1lf", figure)) << figure;

    const std::set<double> scorecard = scorecardOversFigures();
    for (const double figure : scorecard) {
        ASSERT_EQ(fixedOf(figure, 1, 4), printfOf("%4.1lf", figure)) << figure;
        ASSERT_EQ(fixedOf(figure, 1), printfOf("%.1lf", figure)) << figure;
        ASSERT_EQ(fixedOf(figure, 0, 4), printfOf("%4.0lf", figure)) << figure;
    }
    // A card whose overs were never rounded up: 0.1 added for every ball of a long match.
    double figure = 0;
    for (int ball = 0; ball <= 2 * kMostOvers * kBallsPerOver; ++ball, figure += 0.1) {
        ASSERT_EQ(fixedOf(figure, 1, 4), printfOf("%4.1lf", figure)) << figure;
        ASSERT_EQ(fixedOf(figure, 0, 4), printfOf("%4.0lf", figure)) << figure;
    }
}

TEST(TextFormat, FixedPointTiesAndExtremesAreWrittenAsPrintfWritesThem) {
    // Exact binary ties round to even, as printf rounds them: 0.5 is "0", 2.5 is "2", 0.25 "0.2".
    EXPECT_EQ(fixedOf(0.5, 0), "0");
    EXPECT_EQ(fixedOf(2.5, 0, 4), "   2");
    EXPECT_EQ(fixedOf(0.25, 1), "0.2");
    EXPECT_EQ(fixedOf(-0.04, 1), "-0.0");
    struct Format {
        const char* pattern;
        int precision;
        int width;
    };
    const Format formats[] = {
        {"%.0f", 0, 0}, {"%.1f", 1, 0}, {"%.2f", 2, 0}, {"%4.1f", 1, 4}, {"%-6.2f", 2, -6}};
    for (int eighths = -4000; eighths <= 4000; ++eighths)
        for (const Format& format : formats)
            ASSERT_EQ(fixedOf(eighths / 8.0, format.precision, format.width),
                      printfOf(format.pattern, eighths / 8.0))
                << format.pattern << " " << eighths;
    const double extremes[] = {0.0,          -0.0,         DBL_MIN, -DBL_MIN, DBL_TRUE_MIN,
                               DBL_MAX,      -DBL_MAX,     1e300,   1e15,     9007199254740994.0,
                               0.05,         0.15,         1e-300,  HUGE_VAL, -HUGE_VAL,
                               std::nan(""), -std::nan("")};
    for (const double value : extremes)
        for (int precision = 0; precision <= 3; ++precision) {
            char pattern[16];
            std::snprintf(pattern, sizeof pattern, "%%8.%df", precision);
            ASSERT_EQ(fixedOf(value, precision, 8), printfOf(pattern, value)) << value;
        }
    // Any double at all, and many of the sizes a score or a rate can have, for robustness
    // beyond what a match holds.
    std::mt19937_64 bits(27);
    std::uniform_int_distribution<int> exponents(-14, 56);
    std::uniform_real_distribution<double> mantissas(-1.0, 1.0);
    const char* patterns[] = {"%.0f", "%.1f", "%.2f", "%.3f", "%.4f"};
    for (int draw = 0; draw < 100000; ++draw) {
        const double value = draw % 5 == 0 ? std::bit_cast<double>(bits())
                                           : std::ldexp(mantissas(bits), exponents(bits));
        const int precision = draw % 5;
        ASSERT_EQ(fixedOf(value, precision), printfOf(patterns[precision], value)) << value;
    }
}

TEST(TextFormat, NumbersAndTextsArePaddedAsPrintfPadsThem) {
    char expected[64];
    std::string written;
    TextBuilder built;
    const auto check = [&](long long value, int width) {
        std::snprintf(expected, sizeof expected, "%*lld", width, value);
        written = "<";
        appendNumber(written, value, width);
        ASSERT_EQ(written.substr(1), expected) << value << " in " << width;
        built.clear();
        built.number(value, width);
        ASSERT_EQ(built.view(), expected) << value << " in " << width;
    };
    for (int width = -5; width <= 5; ++width) {
        for (long long value = -100000; value <= 100000; ++value)
            check(value, width);
        for (const long long value : {LLONG_MIN, LLONG_MAX, static_cast<long long>(INT_MIN),
                                      static_cast<long long>(INT_MAX)})
            check(value, width);
    }

    for (const char* text : {"", "Ab", "Surname", "A surname longer than seventeen", "\t"})
        for (const int width : {0, 2, -2, 17, -17, -39}) {
            std::snprintf(expected, sizeof expected, "%*s", width, text);
            written = "<";
            appendText(written, text, width);
            EXPECT_EQ(written.substr(1), expected) << text << " in " << width;
            built.clear();
            built.text(text, width);
            EXPECT_EQ(built.view(), expected) << text << " in " << width;
        }
    written.clear();
    appendText(written, nullptr);
    EXPECT_EQ(written, "(null)");
}

TEST(TextFormat, ABuilderGrowsKeepingItsTextAndIsReusedEmpty) {
    // A scorecard's worth of fields, far beyond the first room, against printf's whole text.
    TextBuilder built;
    std::string expected;
    for (int row = 0; row < 2000; ++row) {
        built.put("row "sv.substr(0, 1 + row % 4));
        built.number(row, -6);
        built.put('|');
        built.text("Surname", 17);
        built.fixed(row / 10.0, 1, 7);
        appendFormat(expected, "%.*s%-6d|%17s%7.1f", 1 + row % 4, "row ", row, "Surname",
                     row / 10.0);
    }
    EXPECT_EQ(built.view(), expected);
    EXPECT_EQ(built.take(), expected);
    EXPECT_EQ(built.view(), "");
    built.put("again"sv);
    built.clear();
    built.put('x');
    EXPECT_EQ(built.view(), "x");
}

} // namespace
} // namespace quorvel
