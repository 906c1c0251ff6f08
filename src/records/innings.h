#pragma once
// The ball-by-ball record of a match: a Ball is one delivery, an Over holds its bowler and six
// ball slots, an Innings holds fifty overs. All are fixed-size and reset to "not bowled".

#include <array>
#include <cstdint>

#include "records/archive.h"

namespace quorvel {

constexpr int kNoPlayer = -1;
constexpr int kBallsPerOver = 6;
constexpr int kOversPerInnings = 50;
constexpr int kWicketsPerInnings = 10;

enum ExtraKind : std::int32_t { kLegalBall = 0, kWide = 1, kNoBall = 2 };
// How a batsman is out. A switch over it names every kind, so that a new kind cannot slip
// through one unnoticed; a stored value that names no kind (a damaged file) is handled after it.
enum class Dismissal : std::int32_t {
    NotOut = 0,
    Bowled = 1,
    Caught = 2,
    Lbw = 3,
    RunOut = 4,
    Stumped = 5,
};

// What each kind means for the figures and the scorecard.
struct DismissalInfo {
    Dismissal kind;
    bool out;           // false only for not out
    bool creditsBowler; // the bowler takes the wicket (all but a run out)
    bool namesFielder;  // the card names a fielder: the catcher, the thrower, the keeper
};

inline constexpr std::array<DismissalInfo, 6> kDismissals = {{
    {Dismissal::NotOut, false, false, false},
    {Dismissal::Bowled, true, true, false},
    {Dismissal::Caught, true, true, true},
    {Dismissal::Lbw, true, true, false},
    {Dismissal::RunOut, true, false, true},
    {Dismissal::Stumped, true, true, true},
}};

// The descriptor of a kind, or nullptr for a value that names none.
constexpr const DismissalInfo* dismissalInfo(Dismissal kind) {
    const auto index = static_cast<std::int32_t>(kind);
    return index >= 0 && index < static_cast<std::int32_t>(kDismissals.size())
               ? &kDismissals[static_cast<std::size_t>(index)]
               : nullptr;
}
enum RunKind : std::int32_t { kRunsTaken = 0, kByes = 1, kLegByes = 2, kBoundary = 3 };

struct Ball {
    std::int32_t batsmanId = kNoPlayer;
    std::int32_t extraKind = kLegalBall;
    Dismissal dismissalKind = Dismissal::NotOut;
    std::int32_t runKind = kRunsTaken;
    std::int32_t runs = 0;
    std::int32_t fielderId = kNoPlayer;

    static constexpr std::size_t kSerializedSize = 24;

    void reset() { *this = Ball{}; }
    void serialize(ArchiveWriter& ar) const { fields(*this, ar); }
    void serialize(ArchiveReader& ar) { fields(*this, ar); }

    // A wicket that the bowler is credited with (all kinds but a run out).
    bool creditsBowler() const {
        const DismissalInfo* info = dismissalInfo(dismissalKind);
        return info == nullptr || info->creditsBowler;
    }

private:
    template <class Self, class Archive> static void fields(Self& self, Archive& ar) {
        ar.io(self.batsmanId);
        ar.io(self.extraKind);
        ar.io(self.dismissalKind);
        ar.io(self.runKind);
        ar.io(self.runs);
        ar.io(self.fielderId);
    }
};

struct Over {
    std::int32_t bowlerId = kNoPlayer;
    std::array<Ball, kBallsPerOver> balls{};
    std::int32_t noBallRuns = 0;
    std::int32_t wideRuns = 0;

    static constexpr std::size_t kSerializedSize = 4 + kBallsPerOver * Ball::kSerializedSize + 8;

    void reset() { *this = Over{}; }
    // Every run of the over: extras, byes and leg byes included, held within int32.
    std::int32_t overRuns() const;
    bool bowled() const { return bowlerId != kNoPlayer; }

    void serialize(ArchiveWriter& ar) const { fields(*this, ar); }
    void serialize(ArchiveReader& ar) { fields(*this, ar); }

private:
    template <class Self, class Archive> static void fields(Self& self, Archive& ar) {
        ar.io(self.bowlerId);
        for (auto& ball : self.balls)
            ball.serialize(ar);
        ar.io(self.noBallRuns);
        ar.io(self.wideRuns);
    }
};

struct Innings {
    std::array<Over, kOversPerInnings> overs{};

    static constexpr std::size_t kSerializedSize = kOversPerInnings * Over::kSerializedSize;

    void reset() { *this = Innings{}; }
    void serialize(ArchiveWriter& ar) const {
        for (const auto& over : overs)
            over.serialize(ar);
    }
    void serialize(ArchiveReader& ar) {
        for (auto& over : overs)
            over.serialize(ar);
    }
};

static_assert(Over::kSerializedSize == 156);
static_assert(Innings::kSerializedSize == 7800);

} // namespace quorvel
