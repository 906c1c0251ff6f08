#pragma once
// Line ends of 8-bit texts and files: undoing a text-mode transfer's CR LF.

#include <cstddef>
#include <string>
#include <string_view>

namespace quorvel {

// Drops every CR that immediately precedes an LF of the input (one pass, looking at input bytes:
// CR CR LF becomes CR LF). Returns the number of bytes dropped.
std::size_t removeCrBeforeLf(std::string_view input, std::string& output);

} // namespace quorvel
