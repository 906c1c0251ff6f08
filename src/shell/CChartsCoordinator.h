#pragma once
// The charts window and the win line behind it: opens the window on the match in hand, works
// out the chances of winning after each over while the window is open (off the main thread),
// and draws the match again as it changes.

#include <chrono>
#include <memory>

#include <wx/timer.h>
#include <wx/weakref.h>

#include "shell/match_events.h"

class CChartsWindow;
class wxWindow;
namespace quorvel {
class WinLine;
}

class CChartsCoordinator {
public:
    explicit CChartsCoordinator(wxWindow* parent);
    ~CChartsCoordinator();
    CChartsCoordinator(const CChartsCoordinator&) = delete;
    CChartsCoordinator& operator=(const CChartsCoordinator&) = delete;

    // The match the charts show (nullptr while none is in hand).
    void setSource(quorvel::MatchSource* source) { source_ = source; }
    // View > "Charts...": opens the charts window (or brings it forward) on the match in hand.
    void show();
    // Draws the match in hand again in the charts window, when it is open, with the chances of
    // winning worked out so far.
    void refresh();
    // While the charts window is open: works out the chances of the match in hand after each
    // of its overs not yet done, the latest first, off this thread, and draws them as they
    // come; a newer call stops the one still working, so playing on never waits.
    void estimate(const quorvel::Scores& scores, const quorvel::SliderPositions& sliders);
    // Another match is in hand: the last one's chances are dropped and this one's worked out.
    void matchReplaced();
    // Stops the estimating thread (before the parent window goes).
    void cancel();
    // The charts window while it is open, else nullptr.
    CChartsWindow* window() const { return charts_.get(); }

private:
    // An estimate was made: the charts are drawn again, at most every kRedrawEvery while more
    // are coming, so that drawing a hundred estimates in a row does not take the processors
    // from the estimates themselves; the first and the last are drawn at once.
    void estimateMade();
    void redraw();
    static constexpr std::chrono::milliseconds kRedrawEvery{100};

    wxWindow* parent_;
    wxTimer redrawTimer_;
    std::chrono::steady_clock::time_point lastRedraw_{};
    quorvel::MatchSource* source_ = nullptr;
    wxWeakRef<CChartsWindow> charts_;
    std::unique_ptr<quorvel::WinLine> winLine_;
};
