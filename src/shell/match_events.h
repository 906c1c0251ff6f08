#pragma once
// What the match view tells whoever follows the match in hand (the charts and their win line,
// the tournament in play), so that nobody reaches into the view for it.

#include <cstdint>

#include "engine/match_host.h"
#include "records/scores.h"
#include "tournament/tournament.h"

namespace quorvel {

class MatchEvents {
public:
    virtual ~MatchEvents() = default;
    // Another match is in hand (a new one, an opened one).
    virtual void matchReplaced() = 0;
    // An over was bowled (by hand, played on, or an opened match taken up): the match record
    // and the sliders as they now stand.
    virtual void overBowled(const Scores& scores, const SliderPositions& sliders) = 0;
    // The form was drawn again.
    virtual void matchShown() = 0;
    // A tournament fixture played on the form is over, with this result.
    virtual void tournamentMatchPlayed(const MatchResult& result) = 0;
};

// A tournament fixture played on the form: the fixture, the user's side and its seed.
struct FormFixture {
    Fixture fixture;
    int userSide = kNoSide;
    std::uint32_t seed = 0;
};

// The owner of the tournament, as the match view asks it about the fixture on the form.
class FormFixtures {
public:
    virtual ~FormFixtures() = default;
    // The tournament fixture being played on the form, if any.
    virtual const FormFixture* fixtureOnForm() const = 0;
    // The match on the form is no longer a fixture (File > New, a match opened, its set-up
    // failed, its result told).
    virtual void dropFixtureOnForm() = 0;
};

// The match in hand as those who follow it may read it at any time.
class MatchSource {
public:
    virtual ~MatchSource() = default;
    virtual const Scores& matchRecord() const = 0;
    virtual SliderPositions sliderPositions() = 0;
};

} // namespace quorvel
