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

// Whether a delivery was a ball of the over, a wide or a no-ball. Like every kind below, a
// switch over it names every kind; a stored value that names none (a damaged file) is handled
// after it.
enum class ExtraKind : std::int32_t {
    Legal = 0,
    Wide = 1,
    NoBall = 2,
};

struct ExtraInfo {
    ExtraKind kind;
    bool ballOfTheOver; // counts as one of the six; a wide or no-ball is bowled again
    const char* word;   // as the commentary names it
};

inline constexpr std::array<ExtraInfo, 3> kExtras = {{
    {ExtraKind::Legal, true, ""},
    {ExtraKind::Wide, false, "Wide Ball"},
    {ExtraKind::NoBall, false, "No Ball"},
}};

// The descriptor of a kind, or nullptr for a value that names none.
constexpr const ExtraInfo* extraInfo(ExtraKind kind) {
    const auto index = static_cast<std::int32_t>(kind);
    return index >= 0 && index < static_cast<std::int32_t>(kExtras.size())
               ? &kExtras[static_cast<std::size_t>(index)]
               : nullptr;
}

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

// How the runs of a ball of the over came.
enum class RunKind : std::int32_t {
    Taken = 0, // run between the wickets
    Byes = 1,
    LegByes = 2,
    Boundary = 3, // four runs a four, any other number a six
};

struct RunInfo {
    RunKind kind;
    bool creditsBatsman; // the striker scores them
    bool chargedToBowler;
};

inline constexpr std::array<RunInfo, 4> kRunKinds = {{
    {RunKind::Taken, true, true},
    {RunKind::Byes, false, false},
    {RunKind::LegByes, false, false},
    {RunKind::Boundary, true, true},
}};

// The descriptor of a kind, or nullptr for a value that names none.
constexpr const RunInfo* runInfo(RunKind kind) {
    const auto index = static_cast<std::int32_t>(kind);
    return index >= 0 && index < static_cast<std::int32_t>(kRunKinds.size())
               ? &kRunKinds[static_cast<std::size_t>(index)]
               : nullptr;
}

struct Ball {
    std::int32_t batsmanId = kNoPlayer;
    ExtraKind extraKind = ExtraKind::Legal;
    Dismissal dismissalKind = Dismissal::NotOut;
    RunKind runKind = RunKind::Taken;
    std::int32_t runs = 0;
    std::int32_t fielderId = kNoPlayer;

    static constexpr std::size_t kSerializedSize = 24;

    void reset() { *this = Ball{}; }
    void serialize(ArchiveWriter& ar) const { fields(*this, ar); }
    void serialize(ArchiveReader& ar) { fields(*this, ar); }

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
