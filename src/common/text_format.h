#pragma once
// printf-style formatting into std::string, for the game's fixed-layout texts (commentary,
// scorecards, summary lines). Nothing is ever cut: the text grows to fit.

#include <string>

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

// A field of a comma-separated line: quoted, its quotes doubled, when it holds a comma, a quote
// or a line end.
std::string csvField(const std::string& text);
// A JSON string literal of the text, quotes, backslashes and control characters escaped.
std::string jsonString(const std::string& text);

} // namespace quorvel
