#include "shell/CChartsCoordinator.h"

#include "predict/win_line.h"
#include "records/player_database.h"
#include "reports/CChartsWindow.h"
#include "reports/match_charts.h"

namespace {

quorvel::ChartChance chartChance(const quorvel::WinPoint& point) {
    const quorvel::WinEstimate& e = point.estimate;
    return {point.innings, point.overs, e.win, e.winError, e.tie};
}

} // namespace

CChartsCoordinator::CChartsCoordinator(wxWindow* parent)
    : parent_(parent), winLine_(std::make_unique<quorvel::WinLine>(quorvel::playerDatabase())) {
    redrawTimer_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { redraw(); });
}

// The estimating thread reaches the parent window through CallAfter: it stops first.
CChartsCoordinator::~CChartsCoordinator() { winLine_.reset(); }

void CChartsCoordinator::show() {
    if (charts_ == nullptr) {
        charts_ = new CChartsWindow(parent_);
        // The chances are worked out only while they are shown; those made are kept.
        charts_->Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent& event) {
            winLine_->cancel();
            event.Skip();
        });
        if (source_ != nullptr)
            estimate(source_->matchRecord(), source_->sliderPositions());
    }
    refresh();
    charts_->Show();
    charts_->Raise();
}

void CChartsCoordinator::refresh() {
    if (charts_ == nullptr)
        return;
    quorvel::MatchCharts charts;
    if (source_ != nullptr) {
        charts = quorvel::matchCharts(source_->matchRecord());
        for (const quorvel::WinPoint& point : winLine_->points())
            charts.chances.push_back(chartChance(point));
        charts.estimating = winLine_->busy();
    }
    charts_->showCharts(std::move(charts));
}

void CChartsCoordinator::estimate(const quorvel::Scores& scores,
                                  const quorvel::SliderPositions& sliders) {
    if (charts_ == nullptr)
        return;
    // Each new estimate is told on the estimating thread; it is drawn on this one. The parent
    // stops the thread before it goes, so it is there when the call arrives.
    winLine_->update(scores, sliders, [this] { parent_->CallAfter([this] { estimateMade(); }); });
}

void CChartsCoordinator::estimateMade() {
    const auto since = std::chrono::steady_clock::now() - lastRedraw_;
    if (!winLine_->busy() || since >= kRedrawEvery) {
        redraw();
        return;
    }
    if (!redrawTimer_.IsRunning()) {
        const auto wait =
            std::chrono::duration_cast<std::chrono::milliseconds>(kRedrawEvery - since);
        redrawTimer_.StartOnce(static_cast<int>(wait.count()) + 1);
    }
}

void CChartsCoordinator::redraw() {
    redrawTimer_.Stop();
    lastRedraw_ = std::chrono::steady_clock::now();
    refresh();
}

void CChartsCoordinator::matchReplaced() {
    winLine_ = std::make_unique<quorvel::WinLine>(quorvel::playerDatabase());
    if (source_ != nullptr)
        estimate(source_->matchRecord(), source_->sliderPositions());
    refresh();
}

void CChartsCoordinator::cancel() { winLine_->cancel(); }
