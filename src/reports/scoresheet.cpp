#include "reports/scoresheet.h"

#include "records/player_database.h"

namespace quorvel {

ScoreSheet::ScoreSheet(const Scores& scores, const PlayerDatabase& database)
    : scores_(scores), database_(database) {}

void ScoreSheet::clearTables() {
    cards_ = {};
    lastInnings_ = 0;
}

void ScoreSheet::writeHeader() {}

void ScoreSheet::recordDelivery(int, const Over&, const Ball&) {}

void ScoreSheet::buildSheetText() {}

std::optional<FileError> ScoreSheet::saveSheet(const std::string& path) const {
    return writeWholeFile(path, sheetText_);
}

} // namespace quorvel
