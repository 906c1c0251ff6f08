#include "screen/headless_match.h"

#include <algorithm>
#include <ctime>

#include "engine/bowling_plan.h"
#include "engine/random.h"
#include "records/file_io.h"
#include "records/player_database.h"
#include "records/scores.h"
#include "reports/match_stats.h"
#include "screen/match_screen.h"
#include "screen/match_session.h"
#include "setup/batsman_choice.h"
#include "setup/team_selection.h"
#include "setup/toss.h"

namespace quorvel {

const char* const kSimUsage =
    "usage: quorvel-sim [--players FILE] [--seed N] [--left NAME] [--right NAME]\n"
    "                   [--call heads|tails] [--elect bat|bowl] [--log FILE] [--save FILE]\n"
    "       quorvel-sim --matches N --stats [--all-pairs] [--players FILE] [--seed N]\n"
    "                   [--left NAME] [--right NAME] [--call heads|tails] [--elect bat|bowl]\n";

namespace {

constexpr int kExitFileError = 1;
constexpr int kExitBadSetUp = 2;
constexpr int kExitStuck = 3;

std::optional<std::uint32_t> parseSeed(const std::string& text) {
    if (text.empty() || text.size() > 10 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const unsigned long long value = std::stoull(text);
    if (value > 0xFFFFFFFFull)
        return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

// The computer's rules for every choice of the match, the user's side included: the given
// sides, the user's call of the toss and election, the computer's incoming batsmen (for the
// user's side picked from the user's own list) and its bowling plan for both sides.
class SimChoices final : public MatchChoices {
public:
    SimChoices(const Scores& sides, const PlayerDatabase& database, Random& random,
               std::uint32_t seed, bool callHeads, bool electBat)
        : sides_(sides), database_(database), random_(random), seed_(seed),
          callHeads_(callHeads), electBat_(electBat) {}
    void attach(const MatchScreen& screen) { screen_ = &screen; }

    bool chooseSides(Scores& scores) override {
        scores = sides_;
        return true;
    }
    TossOutcome toss() override {
        TossCall call;
        if (!callHeads_)
            call.pressTails();
        const bool userWon = call.userWonToss(random_, seed_);
        return {userWon, call.coinFace()};
    }
    bool userBatsFirst() override { return electBat_; }

    std::size_t pickBatsman(int, const std::vector<std::string>& candidates) override {
        std::string name;
        if (screen_ == nullptr ||
            chooseNextBatsman(screen_->scores(), screen_->figures(), database_, name) == kNoPlayer)
            return 0;
        const auto at = std::find(candidates.begin(), candidates.end(), name);
        return at == candidates.end() ? 0 : static_cast<std::size_t>(at - candidates.begin());
    }

    // The user's side bowls as the computer captain would: its plan's bowler and slider draws.
    void captainUserSide(MatchScreen& screen) override {
        const CaptainChoice choice = chooseBowler(userPlan_, screen.figures(), database_, random_);
        screen.moveSlider(slider::kBowling, choice.bowlingSlider);
        screen.moveSlider(slider::kFielding, choice.fieldingSlider);
        const auto& buttons = screen.bowlerButtons();
        int row = choice.row;
        if (row < 0 || row >= kBowlerRows || !buttons.enabled[row]) {
            const auto first = std::find(buttons.enabled.begin(), buttons.enabled.end(), true);
            row = first == buttons.enabled.end()
                      ? kNoRow
                      : static_cast<int>(first - buttons.enabled.begin());
        }
        screen.selectBowlerRow(row);
    }

private:
    const Scores& sides_;
    const PlayerDatabase& database_;
    Random& random_;
    std::uint32_t seed_;
    bool callHeads_;
    bool electBat_;
    const MatchScreen* screen_ = nullptr;
    BowlingPlan userPlan_;
};

} // namespace

std::optional<SimOptions> parseSimArguments(const std::vector<std::string>& arguments,
                                            std::string& error) {
    SimOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        if (option == "--stats" || option == "--all-pairs") {
            (option == "--stats" ? options.stats : options.allPairs) = true;
            continue;
        }
        if (i + 1 >= arguments.size()) {
            error = option.rfind("--", 0) == 0 ? option + " needs a value"
                                               : "unknown argument " + option;
            return std::nullopt;
        }
        const std::string& value = arguments[++i];
        if (option == "--players") {
            options.playersPath = value;
        } else if (option == "--seed") {
            options.seed = parseSeed(value);
            if (!options.seed) {
                error = "--seed takes a whole number from 0 to 4294967295, not " + value;
                return std::nullopt;
            }
        } else if (option == "--matches") {
            const auto count = parseSeed(value);
            if (!count || *count < 1 || *count > 10000000) {
                error = "--matches takes a whole number from 1 to 10000000, not " + value;
                return std::nullopt;
            }
            options.matches = static_cast<int>(*count);
        } else if (option == "--left") {
            options.left = value;
        } else if (option == "--right") {
            options.right = value;
        } else if (option == "--call") {
            if (value != "heads" && value != "tails") {
                error = "--call takes heads or tails, not " + value;
                return std::nullopt;
            }
            options.callHeads = value == "heads";
        } else if (option == "--elect") {
            if (value != "bat" && value != "bowl") {
                error = "--elect takes bat or bowl, not " + value;
                return std::nullopt;
            }
            options.electBat = value == "bat";
        } else if (option == "--log") {
            options.logPath = value;
        } else if (option == "--save") {
            options.savePath = value;
        } else {
            error = "unknown argument " + option;
            return std::nullopt;
        }
    }
    if (options.matches != 1 && !options.stats) {
        error = "--matches goes with --stats";
        return std::nullopt;
    }
    if (options.stats && (!options.logPath.empty() || !options.savePath.empty())) {
        error = "--log and --save write one match; they do not go with --stats";
        return std::nullopt;
    }
    return options;
}

std::optional<std::string> setUpPredefinedSides(Scores& scores, const PlayerDatabase& database,
                                                const std::string& left, const std::string& right) {
    std::vector<std::string> entries[2];
    const std::string* names[2] = {&left, &right};
    for (int side = 0; side < 2; ++side) {
        const std::optional<std::int32_t> code = countryCode(*names[side]);
        if (!code)
            return "\"" + *names[side] + "\" is not one of the nine countries";
        entries[side] = predefinedTeam(database, *code);
        if (!sideIsPlayable(entries[side], database))
            return "the predefined team of " + *names[side] +
                   " cannot play: it needs 11 players found in the database, among them a "
                   "wicket-keeper and at least 5 bowlers";
    }
    if (left == right)
        return "the two sides need different names";
    for (int side = 0; side < 2; ++side)
        storeSide(scores.teams[side], *names[side], entries[side], side == 1, database);
    return std::nullopt;
}

SimResult playHeadlessMatch(Scores& scores, const PlayerDatabase& database, Random& random,
                            std::uint32_t seed, bool callHeads, bool electBat) {
    const Scores sides = scores;
    SimChoices choices(sides, database, random, seed, callHeads, electBat);
    MatchScreen screen(scores, database, random, choices);
    choices.attach(screen);
    MatchSession session(screen, choices);

    SimResult result;
    session.begin();
    if (!session.playToEnd()) {
        result.exitStatus = kExitStuck;
        result.errors = "quorvel-sim: no bowler could bowl the next over\n";
    }
    screen.scoreSheet().buildSheetText();
    result.output = screen.scoreSheet().sheetText();
    for (int innings = 0; innings < 2; ++innings)
        result.output += screen.flow().inningsLine(innings) + "\r\n";
    result.log = screen.log().text();
    result.cards = {screen.scoreSheet().card(0), screen.scoreSheet().card(1)};
    return result;
}

SimResult runSimStatistics(const SimOptions& options, const PlayerDatabase& database) {
    const std::uint32_t firstSeed =
        options.seed ? *options.seed : static_cast<std::uint32_t>(std::time(nullptr));
    std::vector<std::pair<std::string, std::string>> pairs;
    if (options.allPairs) {
        for (int a = 0; a < kCountryCount; ++a)
            for (int b = a + 1; b < kCountryCount; ++b)
                pairs.emplace_back(countryNameAt(a), countryNameAt(b));
    } else {
        pairs.emplace_back(options.left, options.right);
    }

    SimResult result;
    MatchStatistics statistics;
    for (int i = 0; i < options.matches; ++i) {
        const auto& [left, right] = pairs[static_cast<std::size_t>(i) % pairs.size()];
        Scores scores;
        if (auto problem = setUpPredefinedSides(scores, database, left, right)) {
            result.exitStatus = kExitBadSetUp;
            result.errors = "quorvel-sim: " + *problem + "\n";
            result.output.clear();
            return result;
        }
        Random random;
        const SimResult match = playHeadlessMatch(scores, database, random,
                                                  firstSeed + static_cast<std::uint32_t>(i),
                                                  options.callHeads, options.electBat);
        if (match.exitStatus != 0)
            return match;
        const int first = scores.battingFirst;
        statistics.addMatch(match.cards, scores.teams[first].name(),
                            scores.teams[1 - first].name(), database);
    }
    const std::string sides =
        options.allPairs ? std::string("all 36 pairs of countries") : options.left + " v " + options.right;
    result.output = std::to_string(options.matches) + " matches, " + sides + ", seeds " +
                    std::to_string(firstSeed) + " to " +
                    std::to_string(firstSeed + static_cast<std::uint32_t>(options.matches - 1)) +
                    "\n" + statistics.report();
    return result;
}

SimResult runSim(const SimOptions& options) {
    PlayerDatabase database;
    startUpPlayerDatabase(database, options.playersPath);
    if (options.stats)
        return runSimStatistics(options, database);
    Scores scores;
    if (auto problem = setUpPredefinedSides(scores, database, options.left, options.right)) {
        SimResult failed;
        failed.exitStatus = kExitBadSetUp;
        failed.errors = "quorvel-sim: " + *problem + "\n";
        return failed;
    }
    const std::uint32_t seed =
        options.seed ? *options.seed : static_cast<std::uint32_t>(std::time(nullptr));
    Random random;
    SimResult result =
        playHeadlessMatch(scores, database, random, seed, options.callHeads, options.electBat);
    if (!options.logPath.empty())
        if (auto error = writeWholeFile(options.logPath, result.log)) {
            result.errors += error->message() + "\n";
            result.exitStatus = kExitFileError;
        }
    if (!options.savePath.empty())
        if (auto error = writeScoresFile(options.savePath, scores)) {
            result.errors += error->message() + "\n";
            result.exitStatus = kExitFileError;
        }
    return result;
}

} // namespace quorvel
