#pragma once
// A saved match's file: written whole, and read only when it holds a record some match could
// have left.

#include <cstddef>
#include <optional>
#include <string>

#include "records/file_io.h"
#include "records/scores.h"

namespace quorvel {

// The largest saved match that is read: its fixed part is 15,708 bytes and its three texts are
// two team names and a date, so a real one is a few dozen bytes over that. Anything beyond
// 1 MiB is refused as a bad format before it is read.
constexpr std::size_t kLargestScoresFile = std::size_t{1} << 20;

// Saves the match; on failure the file that was there is untouched.
std::optional<FileError> writeScoresFile(const std::string& path, const Scores& scores);
// Opens a saved match into scores; on failure scores is untouched. A record that no match could
// have left (see matchRecordFault) is refused as a bad format.
std::optional<FileError> readScoresFile(const std::string& path, Scores& scores);

} // namespace quorvel
