#pragma once
// The ball-by-ball commentary: one growing 8-bit text whose writers append pieces that carry
// their own CR LF line ends.

#include <string>
#include <string_view>
#include <utility>

namespace quorvel {

class MatchLog {
public:
    // Appends text unchanged; nothing is put between two appended pieces.
    void appendLine(std::string_view text) { text_.append(text); }
    const std::string& text() const { return text_; }
    // The text moved out, without a copy; the log is left empty.
    std::string takeText() { return std::exchange(text_, {}); }
    void clear() { text_.clear(); }

private:
    std::string text_;
};

} // namespace quorvel
