#pragma once
// The ball-by-ball commentary: one growing 8-bit text whose writers append pieces that carry
// their own CR LF line ends.

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

namespace quorvel {

class MatchLog {
public:
    // Room for a whole match's commentary (some 17 to 29 KB) from the start, so that the text is
    // not copied again and again as it grows ball by ball.
    MatchLog() { text_.reserve(kMatchRoom); }

    // Appends text unchanged; nothing is put between two appended pieces.
    void appendLine(std::string_view text) { text_.append(text); }
    const std::string& text() const { return text_; }
    // The text moved out, without a copy; the log is left empty.
    std::string takeText() { return std::exchange(text_, {}); }
    void clear() { text_.clear(); }

private:
    static constexpr std::size_t kMatchRoom = 32 * 1024;
    std::string text_;
};

} // namespace quorvel
