#pragma once
// What `quorvel-players check` and the start-up repair regard as a valid "players.dat": every
// record readable, ids 0..count-1 in order, known countries, styles and flag bits, no NaN
// figures, and no CR LF byte pair that the repair would take for a damaged line end.

#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

struct PlayerFileProblem {
    int record = -1;   // the record number, or -1 for the file as a whole
    std::string field; // the field's name, or empty
    std::string what;

    std::string describe() const;
};

// At most the first 20 record problems and the first 20 CR LF pairs are listed, each list
// ending with a note when more follow.
std::vector<PlayerFileProblem> checkPlayerFile(std::string_view bytes);

// What a look through a "players.dat" image finds: whether it loads at all, and its problems,
// the first kMaxListedProblems of each sort, so that a file of many faults costs no more memory
// than a file of few.
struct PlayerFileFindings {
    static constexpr std::size_t kMaxListedProblems = 20;

    bool loads = true;
    std::vector<PlayerFileProblem> problems;
    std::vector<PlayerFileProblem> lineEndPairs;

    static void note(std::vector<PlayerFileProblem>& list, PlayerFileProblem problem);
};
PlayerFileFindings inspectPlayerFile(std::string_view bytes);

} // namespace quorvel
