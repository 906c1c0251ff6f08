#pragma once
// The whole of one match: both sides, the toss, who bats first, both innings and the date.
// A saved match (".quo") is exactly this record in the archive encoding.

#include <array>
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

#include "records/file_io.h"
#include "records/innings.h"
#include "records/team.h"

namespace quorvel {

class Scores {
public:
    static constexpr std::int32_t kFormatStamp = 0x10000;

    Scores() { reset(); }

    // A new match: both teams and innings reset, today's date (computer flags kept).
    void reset();
    void reset(std::time_t today);

    std::int32_t formatStamp = kFormatStamp;
    std::array<Team, 2> teams;
    std::int32_t battingFirst = 0;
    std::array<Innings, 2> innings;
    std::int32_t tossWinner = 0;
    std::string matchDate;

    // The index into teams of the side batting in innings k (0 or 1), and of the side fielding.
    int battingSide(int k) const { return k == battingFirst ? 0 : 1; }
    int fieldingSide(int k) const { return 1 - battingSide(k); }

    // "Left vs. Right, date": the document's title.
    std::string title() const;

    void serialize(ArchiveWriter& ar) const { fields(*this, ar); }
    // Reads into this record; on an exception some fields may already be overwritten, so
    // callers that must keep the old match read into a fresh record (see readScoresFile).
    void serialize(ArchiveReader& ar) { fields(*this, ar); }

private:
    template <class Self, class Archive> static void fields(Self& self, Archive& ar) {
        ar.io(self.formatStamp);
        ar.io(self.matchDate);
        ar.io(self.battingFirst);
        ar.io(self.tossWinner);
        for (auto& team : self.teams)
            team.serialize(ar);
        for (auto& one : self.innings)
            one.serialize(ar);
    }
};

// "%d %B, %Y" with English month names whatever the locale: "07 December, 2026".
std::string formatMatchDate(const std::tm& date);
std::string formatMatchDate(std::time_t when);

std::string encodeScores(const Scores& scores);
// Decodes a saved match. Throws ArchiveError for a short file, malformed strings, bytes after
// the record, or a toss or batting index other than 0 or 1 (which nothing could play or show).
Scores decodeScores(std::string_view bytes);

} // namespace quorvel
