#pragma once
// The charts window: the worm (each side's running total over by over, wickets marked, the
// target of the chase) above the Manhattan (the runs of each over as bars, wickets on top), and
// below them each side's chance of winning after each over of the match. It is not modal and
// only draws the figures it is given; "Save As..." writes the picture as PNG or SVG.

#include <wx/frame.h>

#include "reports/match_charts.h"

class wxDC;

class CChartsWindow : public wxFrame {
public:
    static constexpr const char* kTitle = "Charts";

    explicit CChartsWindow(wxWindow* parent);

    // Shows these figures (an empty match shows the axes alone).
    void showCharts(quorvel::MatchCharts charts);
    const quorvel::MatchCharts& charts() const { return charts_; }
    // The latest chance of the side ahead, as the third picture shows it: "India 63 % ± 1"
    // (empty before any is known).
    wxString chanceCaption() const;
    // The worm legend's target line, "Target 251", shown in the second innings only.
    wxString legendTarget() const;
    // The charts in words, as a screen reader reads them: the scores, the last over and each
    // side's chance.
    wxString summary() const;

    // Asks for a file and saves the charts, as SVG when its name ends in ".svg" and as PNG
    // otherwise.
    void saveAs();
    // Writes the charts at the size of the window's drawing area; a failure is reported in a
    // message box naming the file, and false returned.
    bool saveTo(const wxString& path);

    // The drawing area, whose size a saved picture has.
    wxWindow* canvas() const { return canvas_; }

    // Draws the three charts into a rectangle of the given size at the origin of dc.
    void draw(wxDC& dc, const wxSize& size) const;

private:
    void onPaint(wxPaintEvent& event);
    // Opens beside the window that owns it, within the screen, clear of its controls.
    void placeBeside(const wxWindow* owner);
    void nameForAssistiveTechnology();

    wxWindow* canvas_ = nullptr;
    quorvel::MatchCharts charts_;
};
