#pragma once
// Whether a match record is one that a match of this program could have left: a damaged or
// forged saved match is refused on opening rather than shown, replayed or continued as if it
// were the match.

#include <optional>
#include <string>

namespace quorvel {

class Scores;

// What no match could have left in the record, or nothing when a match could have. Slots and
// overs not bowled are not looked at (nothing reads them). A bowled over's filled slots follow
// one another from its first; every over but an innings' last is complete; the batsmen are of
// the batting side and not yet out, the bowlers and fielders of the fielding side; each kind
// is in its range and each delivery's runs are ones it can score; an innings stops at its
// tenth wicket, and the chase when its target is reached.
std::optional<std::string> matchRecordFault(const Scores& scores);

} // namespace quorvel
