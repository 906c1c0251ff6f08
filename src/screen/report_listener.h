#pragma once
// Keeps a match's scorecard tallies and commentary log up to date from what the engine
// publishes: each delivery goes to the sheet, each piece of commentary to the log.

#include "engine/match_listener.h"
#include "reports/match_log.h"
#include "reports/scoresheet.h"

namespace quorvel {

class ReportListener final : public MatchListener {
public:
    ReportListener(ScoreSheet& sheet, MatchLog& log) : sheet_(sheet), log_(log) {}

    void deliveryBowled(int innings, const Over& over, int slot, const Ball& ball) override {
        if (sheetWanted_)
            sheet_.recordDelivery(innings, over, slot, ball);
    }
    void commentary(std::string_view text) override {
        if (textWanted_)
            log_.appendLine(text);
    }
    bool wantsText() const override { return textWanted_; }
    // Off: the log stays empty and the engine builds no commentary; the sheet's tallies go on.
    void setTextWanted(bool wanted) { textWanted_ = wanted; }
    // Off: the sheet keeps nothing of the deliveries bowled from then on, for a match whose
    // result alone is wanted.
    void setSheetWanted(bool wanted) { sheetWanted_ = wanted; }
    // A match's first innings starts the sheet afresh: empty cards under the header lines.
    void inningsStarted(int innings) override {
        if (innings == 0) {
            sheet_.clearTables();
            sheet_.writeHeader();
        }
    }

private:
    ScoreSheet& sheet_;
    MatchLog& log_;
    bool textWanted_ = true;
    bool sheetWanted_ = true;
};

} // namespace quorvel
