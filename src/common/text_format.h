#pragma once
// printf-style formatting into std::string, for the game's fixed-layout texts (commentary,
// scorecards, summary lines). Nothing is ever cut: the text grows to fit.

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace quorvel {

[[gnu::format(printf, 1, 2)]] std::string formatText(const char* pattern, ...);
[[gnu::format(printf, 2, 3)]] void appendFormat(std::string& out, const char* pattern, ...);

// One printf conversion each, appended without parsing a pattern: the commentary and the
// scorecard write a handful of fields for every delivery and line, and these write the very
// bytes printf writes for them. A width works as printf's `*`: positive pads on the left
// (right-aligned), negative on the right (left-aligned), and a longer field is never cut.
// "%Nd", "%-Nd", "%lld", "%zu": the whole number in decimal.
void appendNumber(std::string& out, long long value, int width = 0);
// "%Ns", "%-Ns": the text up to its first NUL ("(null)" for a null pointer).
void appendText(std::string& out, const char* text, int width = 0);
// "%W.Plf": the value rounded to P decimals, exactly as glibc rounds them (ties to even on the
// exact binary value) in the default rounding mode. Up to 3 decimals in plain integers, up to
// 17 by std::to_chars, and printf itself for more and for infinities and NaNs.
void appendFixed(std::string& out, double value, int precision, int width = 0);

// A text written field by field into room it keeps, with the same fields as the appenders above:
// a line of many short fields costs a few stores instead of a string append each, and a builder
// that is cleared and written again allocates nothing once its room has grown.
class TextBuilder {
public:
    void clear() { size_ = 0; }
    std::string_view view() const { return {buffer_.data(), size_}; }
    // The text as a string, moved out; the builder is left empty.
    std::string take();

    void put(char c) {
        if (size_ == buffer_.size())
            makeRoom(1);
        buffer_[size_++] = c;
    }
    // Always inlined, so that a literal of known length is copied without a call.
    [[gnu::always_inline]] void put(std::string_view text) {
        if (text.empty())
            return; // an empty view may point nowhere, which memcpy must not be given
        if (text.size() > buffer_.size() - size_)
            makeRoom(text.size());
        std::memcpy(buffer_.data() + size_, text.data(), text.size());
        size_ += text.size();
    }
    // The fields of appendText, appendNumber and appendFixed.
    void text(const char* text, int width = 0) {
        if (width == 0 && text != nullptr)
            put(std::string_view(text));
        else
            putAligned(text != nullptr ? std::string_view(text) : std::string_view("(null)"),
                       width);
    }
    void number(long long value, int width = 0);
    void fixed(double value, int precision, int width = 0);

private:
    static constexpr std::size_t kFirstRoom = 64;
    void makeRoom(std::size_t more);
    void putAligned(std::string_view field, int width);

    // The text is the first size_ bytes; the rest is room for what is written next.
    std::string buffer_;
    std::size_t size_ = 0;
};

// A field of a comma-separated line: quoted, its quotes doubled, when it holds a comma, a quote
// or a line end.
std::string csvField(const std::string& text);
// A JSON string literal of the text, quotes, backslashes and control characters escaped.
std::string jsonString(const std::string& text);

} // namespace quorvel
