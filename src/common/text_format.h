#pragma once
// printf-style formatting into std::string, for the game's fixed-layout texts (commentary,
// scorecards, summary lines). Nothing is ever cut: the text grows to fit.

#include <string>

namespace quorvel {

[[gnu::format(printf, 1, 2)]] std::string formatText(const char* pattern, ...);
[[gnu::format(printf, 2, 3)]] void appendFormat(std::string& out, const char* pattern, ...);

// A field of a comma-separated line: quoted, its quotes doubled, when it holds a comma, a quote
// or a line end.
std::string csvField(const std::string& text);
// A JSON string literal of the text, quotes, backslashes and control characters escaped.
std::string jsonString(const std::string& text);

} // namespace quorvel
