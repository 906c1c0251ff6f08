#include "records/scores_file.h"

#include "records/match_check.h"

namespace quorvel {

std::optional<FileError> writeScoresFile(const std::string& path, const Scores& scores) {
    return writeWholeFile(path, encodeScores(scores));
}

std::optional<FileError> readScoresFile(const std::string& path, Scores& scores) {
    std::string bytes;
    if (auto error = readWholeFile(path, bytes, kLargestScoresFile))
        return error;
    try {
        Scores read = decodeScores(bytes);
        if (matchRecordFault(read))
            return FileError{FileErrorKind::BadFormat, path};
        scores = std::move(read);
    } catch (const ArchiveError& error) {
        return FileError{fileErrorKindFromArchive(error.fault()), path};
    }
    return std::nullopt;
}

} // namespace quorvel
