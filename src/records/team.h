#pragma once
// One side of a match: its name, whether the computer captains it, and its eleven player ids.

#include <array>
#include <cstdint>
#include <string>

#include "records/archive.h"
#include "records/innings.h"

namespace quorvel {

class PlayerDatabase;

constexpr int kTeamSize = 11;

class Team {
public:
    Team() { reset(); }

    // Empties the name and the eleven places; the computer flag is kept.
    void reset();

    void setName(const std::string& name) { name_ = name; }
    const std::string& name() const { return name_; }

    void setComputerControlled(std::int32_t value) { computerControlled_ = value; }
    bool isComputerControlled() const { return computerControlled_ != 0; }

    // Stores id at place index; does nothing for an index outside 0..10 or an id that is not
    // below the database's count.
    void setPlayer(int index, std::int32_t id);
    void setPlayer(int index, std::int32_t id, const PlayerDatabase& database);
    // The id at place index, or -1 outside 0..10.
    std::int32_t playerAt(int index) const;

    void serialize(ArchiveWriter& ar) const { fields(*this, ar); }
    void serialize(ArchiveReader& ar) { fields(*this, ar); }

    friend bool operator==(const Team&, const Team&) = default;

private:
    template <class Self, class Archive> static void fields(Self& self, Archive& ar) {
        ar.io(self.name_);
        ar.io(self.computerControlled_);
        for (auto& id : self.playerIds_)
            ar.io(id);
    }

    std::string name_;
    std::int32_t computerControlled_ = 0;
    std::array<std::int32_t, kTeamSize> playerIds_{};
};

} // namespace quorvel
