#pragma once
// The binary form of "players.dat": a leading value, a count and the Player records back to
// back in the archive encoding, decoded from memory or a piece at a time from a reader.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "records/player.h"

namespace quorvel {

// The contents of a "players.dat" file.
struct PlayerFile {
    std::int32_t leadingValue = 0;
    std::vector<Player> players;

    friend bool operator==(const PlayerFile&, const PlayerFile&) = default;
};

// Supplies the next bytes of a "players.dat" image: copies up to size of them to into and
// returns how many, 0 at the end. It may throw to abandon the decode.
using ImageReader = std::function<std::size_t(char* into, std::size_t size)>;

// Decodes a whole "players.dat" image; throws ArchiveError when it is short or malformed
// (a negative count is malformed). Bytes after the last record are ignored.
PlayerFile decodePlayerFile(std::string_view bytes);
std::string encodePlayerFile(const PlayerFile& file);

class ImageWindow;

// Decodes an image of `size` bytes taken from `read` a piece at a time, so that a file never
// has to be in memory whole: the header at construction, then one record a call. Throws
// ArchiveError for a short or malformed image, and lets whatever `read` throws through.
class PlayerImageDecoder {
public:
    PlayerImageDecoder(const ImageReader& read, std::size_t size);
    ~PlayerImageDecoder();

    std::int32_t leadingValue() const { return leadingValue_; }
    // The records the header promises; the image is known to be long enough to hold them.
    std::size_t count() const { return count_; }
    void next(Player& player);

private:
    std::unique_ptr<ImageWindow> window_;
    std::int32_t leadingValue_ = 0;
    std::size_t count_ = 0;
};

} // namespace quorvel
