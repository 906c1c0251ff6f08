#include "screen/headless_match.h"

#include <cerrno>

#include <sys/stat.h>

#include "engine/random.h"
#include "records/file_io.h"
#include "records/player_database.h"
#include "records/scores.h"
#include "screen/computer_choices.h"
#include "screen/match_screen.h"
#include "screen/match_session.h"
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

PlayedMatch playHeadlessMatch(Scores& scores, const PlayerDatabase& database, Random& random,
                              std::uint32_t seed, bool callHeads, bool electBat, bool withText) {
    // The choices read the sides from the record once, when the session asks for them, before
    // anything is played into it.
    ComputerChoices choices(scores, database, random, seed, callHeads, electBat);
    MatchScreen screen(scores, database, random, choices);
    if (!withText)
        screen.playWithoutText();
    choices.attach(screen);
    MatchSession session(screen, choices);

    PlayedMatch result;
    session.begin();
    result.finished = session.playToEnd();
    if (withText || !result.finished) {
        // The texts are moved out of the screen, which ends here, rather than copied.
        screen.scoreSheet().buildSheetText();
        result.text = screen.scoreSheet().takeSheetText();
        for (int innings = 0; innings < 2; ++innings)
            result.text.append(screen.flow().inningsLine(innings)).append("\r\n");
        result.log = screen.log().takeText();
    }
    result.cards = {screen.scoreSheet().card(0), screen.scoreSheet().card(1)};
    return result;
}

} // namespace quorvel
