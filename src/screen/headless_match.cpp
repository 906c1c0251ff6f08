#include "screen/headless_match.h"

#include <algorithm>
#include <cerrno>
#include <ctime>

#include <sys/stat.h>

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

namespace {

std::string countryList() {
    std::string list;
    for (int i = 0; i < kCountryCount; ++i)
        list.append(i == 0 ? "" : ", ").append(countryNameAt(i));
    return list;
}

constexpr int kExitFileError = 1;
constexpr int kExitBadSetUp = 2;
constexpr int kExitStuck = 3;

// The computer's rules for every choice of the match, the user's side included: the given
// sides, the user's call of the toss and election, the computer's incoming batsmen (for the
// user's side picked from the user's own list) and its bowling plan for both sides.
class SimChoices final : public MatchChoices {
public:
    SimChoices(const Scores& sides, const PlayerDatabase& database, Random& random,
               std::uint32_t seed, bool callHeads, bool electBat)
        : sides_(sides), database_(database), random_(random), seed_(seed), callHeads_(callHeads),
          electBat_(electBat) {}
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

std::optional<std::string> loadSimDatabase(PlayerDatabase& database, const std::string& path) {
    const LoadOutcome outcome = startUpPlayerDatabase(database, path);
    if (outcome == LoadOutcome::Loaded)
        return std::nullopt;
    if (outcome == LoadOutcome::BadFormat)
        return std::string();
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0)
        return errno == ENOENT ? path + ": not found"
                               : FileError{fileErrorKindFromErrno(errno), path}.message();
    return FileError{FileErrorKind::Generic, path}.message();
}

std::optional<std::string> setUpPredefinedSides(Scores& scores, const PlayerDatabase& database,
                                                const std::string& left, const std::string& right) {
    std::vector<std::string> entries[2];
    const std::string* names[2] = {&left, &right};
    for (int side = 0; side < 2; ++side) {
        const std::optional<std::int32_t> code = countryCode(*names[side]);
        if (!code)
            return "\"" + *names[side] + "\" is not one of the nine countries: " + countryList();
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
        const SimResult match =
            playHeadlessMatch(scores, database, random, firstSeed + static_cast<std::uint32_t>(i),
                              options.callHeads, options.electBat);
        if (match.exitStatus != 0)
            return match;
        const int first = scores.battingFirst;
        statistics.addMatch(match.cards, scores.teams[first].name(), scores.teams[1 - first].name(),
                            database);
    }
    const std::string sides = options.allPairs ? std::string("all 36 pairs of countries")
                                               : options.left + " v " + options.right;
    result.output = std::to_string(options.matches) + " matches, " + sides + ", seeds " +
                    std::to_string(firstSeed) + " to " +
                    std::to_string(firstSeed + static_cast<std::uint32_t>(options.matches - 1)) +
                    "\n" + statistics.report();
    return result;
}

SimResult runSim(const SimOptions& options) {
    PlayerDatabase database;
    if (auto problem = loadSimDatabase(database, options.playersPath)) {
        SimResult failed;
        failed.exitStatus = kExitFileError;
        if (!problem->empty())
            failed.errors = "quorvel-sim: " + *problem + "\n";
        return failed;
    }
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
    if (!options.seed)
        result.errors.insert(0, "quorvel-sim: seed " + std::to_string(seed) +
                                    " (replay with --seed " + std::to_string(seed) + ")\n");
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
