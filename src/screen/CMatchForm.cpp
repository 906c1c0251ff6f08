#include "screen/CMatchForm.h"

#include <algorithm>
#include <cmath>

#include <wx/button.h>
#include <wx/dcbuffer.h>
#include <wx/gauge.h>
#include <wx/renderer.h>
#include <wx/settings.h>
#include <wx/slider.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include "common/dialog_fields.h"
#include "records/scores.h"
#include "screen/match_screen.h"
#include "ui/CAccessible.h"
#include "ui/CTemplateDialog.h"

wxString formatFormInteger(int value) { return wxString::Format("%d", value); }

wxString formatFormDouble(double value) {
    // A rate over nothing (a division by zero somewhere upstream) shows as 0.
    if (!std::isfinite(value))
        return "0";
    return wxString::FromAscii(quorvel::formatNumber(value).c_str());
}

// ---------------------------------------------------------------------------------------------
// CFigureBox

CFigureBox::CFigureBox(wxWindow* parent, int id, bool rightAligned)
    : wxWindow(parent, id, wxDefaultPosition, wxDefaultSize,
               wxBORDER_NONE | wxFULL_REPAINT_ON_RESIZE),
      rightAligned_(rightAligned) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &CFigureBox::onPaint, this);
}

void CFigureBox::SetLabel(const wxString& label) {
    if (label == text_)
        return;
    text_ = label;
    SetToolTip(textFits() ? wxString() : text_);
    nameForAssistiveTechnology();
    Refresh();
}

void CFigureBox::setMeaning(const wxString& meaning) {
    meaning_ = meaning;
    setAccessibleRole(this, AccessibleRole::Label);
    nameForAssistiveTechnology();
}

void CFigureBox::nameForAssistiveTechnology() {
    if (!meaning_.empty())
        setAccessibleName(this, text_.empty() ? meaning_ : meaning_ + " " + text_);
}

int CFigureBox::insideWidth() const { return GetClientSize().GetWidth() - 2 * FromDIP(3); }

bool CFigureBox::textFits() const {
    wxClientDC dc(const_cast<CFigureBox*>(this));
    dc.SetFont(GetFont());
    return fitText(dc, insideWidth()) == text_;
}

wxString CFigureBox::fitText(const wxDC& dc, int width) const {
    measurements_ = 0;
    if (text_.empty() || width <= 0)
        return text_.empty() ? text_ : wxString();
    // No character is narrower than a pixel, so no more than width + 1 of them can matter:
    // a name thousands of characters long costs no more than a short one.
    const wxString head = text_.Left(static_cast<size_t>(width) + 1);
    wxArrayInt ends; // ends[i]: the width of the first i + 1 characters
    ++measurements_;
    if (!dc.GetPartialTextExtents(head, ends) || ends.empty())
        return wxString();
    if (head.length() == text_.length() && ends.back() <= width)
        return text_;
    const wxString ellipsis = wxString::FromUTF8("\u2026");
    ++measurements_;
    const int room = width - dc.GetTextExtent(ellipsis).GetWidth();
    // The longest start that leaves room for the ellipsis (the widths only grow).
    const auto fitting = std::upper_bound(ends.begin(), ends.end(), room) - ends.begin();
    return head.Left(static_cast<size_t>(fitting)) + ellipsis;
}

void CFigureBox::onPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    const wxSize size = GetClientSize();
    const wxColour background = IsEnabled() ? wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW)
                                            : wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE);
    dc.SetBrush(wxBrush(background));
    dc.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW)));
    dc.DrawRectangle(0, 0, size.GetWidth(), size.GetHeight());
    dc.SetFont(GetFont());
    dc.SetTextForeground(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT));
    const int margin = FromDIP(3);
    const wxRect inside(margin, 1, size.GetWidth() - 2 * margin, size.GetHeight() - 2);
    wxDCClipper clip(dc, inside);
    const wxString shown = fitText(dc, inside.GetWidth());
    const int x = rightAligned_ ? inside.GetRight() + 1 - dc.GetTextExtent(shown).GetWidth()
                                : inside.GetLeft();
    const int y = inside.GetTop() + (inside.GetHeight() - dc.GetCharHeight()) / 2;
    dc.DrawText(shown, x, y);
}

// ---------------------------------------------------------------------------------------------
// CRowButton

CRowButton::CRowButton(wxWindow* parent, int id, const wxString& label)
    : wxToggleButton(parent, id, label, wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT) {
#ifdef __WXGTK3__
    // The row is only 12 dialog units high: the theme's padding would clip the ">".
    GTKApplyCssStyle("*{padding:0;min-height:0;min-width:0;}");
#endif
    Bind(wxEVT_TOGGLEBUTTON, &CRowButton::onToggled, this);
}

void CRowButton::setChecked(bool checked) {
    checked_ = checked;
    if (GetValue() != checked)
        SetValue(checked);
}

void CRowButton::click() {
    if (!IsEnabled() || !IsShown())
        return;
    wxCommandEvent event(wxEVT_BUTTON, GetId());
    event.SetEventObject(this);
    ProcessWindowEvent(event);
}

void CRowButton::onToggled(wxCommandEvent&) {
    // The toolkit flipped the button; only the form decides what is checked.
    SetValue(checked_);
    click();
}

// ---------------------------------------------------------------------------------------------
// CSlider

CSlider::CSlider(wxWindow* parent, int id)
    : wxSlider(parent, id, quorvel::slider::kMiddlePosition, quorvel::slider::kMinPosition,
               quorvel::slider::kMaxPosition, wxDefaultPosition, wxDefaultSize, wxSL_HORIZONTAL) {
#ifdef __WXGTK3__
    // Disabled, the theme draws a faded knob that looks movable; the position shows instead as
    // a grey bar from the left end.
    GTKApplyCssStyle("scale:disabled slider{background:none;border-color:transparent;"
                     "box-shadow:none;outline-color:transparent;}"
                     "scale:disabled highlight{background:#a8a8a8;border-color:#a8a8a8;}");
#endif
}

// ---------------------------------------------------------------------------------------------
// CMatchForm

namespace {

// The ids of the eight chase controls, shown and hidden together.
constexpr std::array<int, 8> kChaseIds = {
    CMatchForm::kChasingId,          CMatchForm::kAtId,      CMatchForm::kRequireId,
    CMatchForm::kChaseRunsPerOverId, CMatchForm::kTargetId,  CMatchForm::kTargetRateId,
    CMatchForm::kRequiredRateId,     CMatchForm::kProgressId};

constexpr std::array<int, 10> kBowlerRowY = {162, 176, 189, 202, 216, 229, 242, 255, 268, 281};
constexpr int kBoxHeight = 12;
constexpr int kLabelHeight = 8;

const char* const kDefensive = "Defensive";
const char* const kAggressive = "Aggressive";

} // namespace

CMatchForm::CMatchForm(wxWindow* parent) : wxScrolled<wxPanel>(parent, wxID_ANY) {
    SetFont(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT));
    SetClientSize(designSize());
    // On a screen smaller than the form the window shrinks no further and the form scrolls.
    SetVirtualSize(designSize());
    SetScrollRate(FromDIP(8), FromDIP(8));
    // The controls sit on one page that the form scrolls as a whole: scrolling moves the page
    // alone, so the hidden controls on it are never moved while hidden (which GTK refuses).
    page_ = new wxPanel(this, wxID_ANY, wxPoint(0, 0), designSize());

    // Group boxes first, so that the controls drawn over them stay on top.
    new wxStaticBox(page_, wxID_ANY, "Batting", dlu(7, 31, 357, 111).GetPosition(),
                    dlu(7, 31, 357, 111).GetSize());
    new wxStaticBox(page_, wxID_ANY, "Bowling", dlu(7, 147, 357, 152).GetPosition(),
                    dlu(7, 147, 357, 152).GetSize());

    auto* ballByBall = new wxButton(page_, kBallByBallId, "Ball by Ball...");
    ballByBall->SetSize(dlu(135, 7, 50, 20));
    auto* scoresheet = new wxButton(page_, kScoresheetId, "Scoresheet...");
    scoresheet->SetSize(dlu(210, 7, 50, 20));
    auto* details = new wxButton(page_, kDetailsId, "Details");
    details->SetSize(dlu(262, 7, 50, 20));
    auto* bowlOver = new wxButton(page_, kBowlOverId, "Bowl Over");
    bowlOver->SetSize(dlu(314, 7, 50, 20));
    auto* stop = new wxButton(page_, kStopId, "&Stop");
    stop->SetSize(dlu(135, 7, 50, 20));

    // The score line.
    box(kBattingNameId, 23, 42, 100, false);
    box(kRunsId, 171, 42, 18, true);
    label(wxID_ANY, "for", 190, 44, 12, wxALIGN_CENTER_HORIZONTAL);
    box(kWicketsId, 203, 42, 14, true);
    label(wxID_ANY, "in", 218, 44, 9, wxALIGN_CENTER_HORIZONTAL);
    box(kOversId, 228, 42, 20, true);
    label(wxID_ANY, " overs at ", 249, 44, 34, wxALIGN_CENTER_HORIZONTAL);
    box(kRunRateId, 284, 42, 28, true);
    label(wxID_ANY, "runs per over", 314, 44, 44);

    // The chase line and its progress bar.
    label(kChasingId, "Chasing", 134, 58, 30);
    box(kTargetId, 165, 56, 20, true);
    label(kAtId, " at ", 186, 58, 12, wxALIGN_CENTER_HORIZONTAL);
    box(kTargetRateId, 199, 56, 34, true);
    label(kRequireId, " Require ", 234, 58, 32, wxALIGN_CENTER_HORIZONTAL);
    box(kRequiredRateId, 267, 56, 44, true);
    label(kChaseRunsPerOverId, "runs per over", 314, 58, 44);
    auto* progress = new wxGauge(page_, kProgressId, 1, wxDefaultPosition, wxDefaultSize,
                                 wxGA_HORIZONTAL | wxGA_SMOOTH);
    progress->SetSize(dlu(171, 71, 142, 7));

    // The running slider.
    wxWindow* runningLabel = label(wxID_ANY, "Running", 23, 57, 60);
    slider(quorvel::slider::kRunning, 19, 66);
    sliderEnds(19, 80);

    // The two batsmen: name, "R" and "B" under headings, strike rate under the balls box.
    const std::array<int, 2> nameX = {23, 202};
    const std::array<int, 2> sliderX = {19, 198};
    const std::array<int, 2> sliderIds = {quorvel::slider::kBattingSlot0,
                                          quorvel::slider::kBattingSlot1};
    for (int slot = 0; slot < 2; ++slot) {
        const int x = nameX[slot];
        label(wxID_ANY, "R", x + 102, 89, 20, wxALIGN_RIGHT);
        label(wxID_ANY, "B", x + 124, 89, 16, wxALIGN_RIGHT);
        box(kBatsmanNameIds[slot], x, 98, 100, false);
        box(kBatsmanRunsIds[slot], x + 102, 98, 20, true);
        box(kBatsmanBallsIds[slot], x + 124, 98, 16, true);
        label(wxID_ANY, "SR", x + 106, 113, 10, wxALIGN_RIGHT);
        box(kBatsmanStrikeRateIds[slot], x + 117, 111, 23, true);
        slider(sliderIds[slot], sliderX[slot], 111);
        sliderEnds(sliderX[slot], 125);
    }

    // The fielding side: name, bowling slider, fielding slider.
    box(kBowlingNameId, 23, 162, 100, false);
    slider(quorvel::slider::kBowling, 19, 175);
    sliderEnds(19, 189);
    wxWindow* fieldingLabel = label(wxID_ANY, "Fielding", 23, 206, 60);
    slider(quorvel::slider::kFielding, 19, 214);
    sliderEnds(19, 228);

    // The bowler table.
    label(wxID_ANY, "O", 258, 154, 20, wxALIGN_RIGHT);
    label(wxID_ANY, "M", 280, 154, 14, wxALIGN_RIGHT);
    label(wxID_ANY, "R", 296, 154, 24, wxALIGN_RIGHT);
    label(wxID_ANY, "W", 322, 154, 16, wxALIGN_RIGHT);
    for (int row = 0; row < quorvel::kBowlerRows; ++row) {
        const auto& ids = kBowlerRowIds[row];
        const int y = kBowlerRowY[row];
        box(ids[0], 156, y, 100, false);
        box(ids[1], 258, y, 20, true);
        box(ids[2], 280, y, 14, true);
        box(ids[3], 296, y, 24, true);
        box(ids[4], 322, y, 16, true);
        auto* choose = new CRowButton(page_, ids[5], ">");
        choose->SetSize(dlu(340, y, 15, 12));
    }

    // Out of sight beyond the page's right edge, yet shown: what it says is for screen readers.
    speaker_ = new wxStaticText(page_, wxID_ANY, wxString(), wxPoint(designSize().GetWidth(), 0),
                                wxSize(1, 1));

    setHelpTexts();
    nameForAssistiveTechnology(runningLabel, fieldingLabel);

    // The form as it stands before any match.
    ballByBall->Hide();
    stop->Hide();
    showChaseControls(false);
}

void CMatchForm::setHelpTexts() {
    const struct {
        int id;
        const char* text;
    } texts[] = {
        {kBowlOverId, "Bowl Over: plays the next over, ball by ball, with the chosen bowler."},
        {kScoresheetId, "Scoresheet: the full scorecard of the match, which you can save."},
        {kDetailsId, "Details: the ball-by-ball commentary of every match of this run."},
        {kStopId, "Stop: the computer stops playing for your side after the over in hand."},
        {kBattingNameId, "The batting side."},
        {kRunsId, "Runs scored in this innings."},
        {kWicketsId, "Wickets fallen."},
        {kOversId, "Overs bowled: 12.3 is twelve overs and three balls."},
        {kRunRateId, "Runs per over so far."},
        {kTargetId, "The runs the batting side must reach to win."},
        {kTargetRateId, "The runs per over the target asks for over fifty overs."},
        {kRequiredRateId, "The runs per over still needed in the overs left."},
        {kProgressId, "How far the chase has come."},
        {kBowlingNameId, "The fielding side."},
        {quorvel::slider::kRunning,
         "Running: how hard the batsmen run between the wickets (your side only)."},
        {quorvel::slider::kBattingSlot0, "How freely this batsman plays his strokes."},
        {quorvel::slider::kBattingSlot1, "How freely this batsman plays his strokes."},
        {quorvel::slider::kBowling, "How much the bowler attacks the batsmen."},
        {quorvel::slider::kFielding, "Fielding: how close and attacking the field is set."},
    };
    for (const auto& one : texts)
        if (wxWindow* control = FindWindow(one.id))
            control->SetHelpText(one.text);
    for (const auto& row : kBowlerRowIds) {
        FindWindow(row[0])->SetHelpText("A bowler of the fielding side.");
        FindWindow(row[5])->SetHelpText(
            "Chooses this bowler for the next over. Nobody bowls two overs running or more "
            "than ten.");
    }
    for (int slot = 0; slot < 2; ++slot) {
        FindWindow(kBatsmanNameIds[slot])->SetHelpText("A batsman at the crease.");
        FindWindow(kBatsmanStrikeRateIds[slot])->SetHelpText("Runs per hundred balls faced.");
    }
}

void CMatchForm::nameForAssistiveTechnology(wxWindow* runningLabel, wxWindow* fieldingLabel) {
    setAccessibleName(page_, "Match");
    const struct {
        int id;
        const char* meaning;
    } boxes[] = {
        {kBattingNameId, "Batting side"},  {kRunsId, "Runs"},
        {kWicketsId, "Wickets"},           {kOversId, "Overs"},
        {kRunRateId, "Run rate"},          {kTargetId, "Target"},
        {kTargetRateId, "Target rate"},    {kRequiredRateId, "Required rate"},
        {kBowlingNameId, "Fielding side"},
    };
    for (const auto& one : boxes)
        static_cast<CFigureBox*>(FindWindow(one.id))->setMeaning(one.meaning);
    for (int slot = 0; slot < 2; ++slot) {
        const wxString batsman = wxString::Format("Batsman %d", slot + 1);
        static_cast<CFigureBox*>(FindWindow(kBatsmanNameIds[slot]))->setMeaning(batsman);
        static_cast<CFigureBox*>(FindWindow(kBatsmanRunsIds[slot]))->setMeaning(batsman + " runs");
        static_cast<CFigureBox*>(FindWindow(kBatsmanBallsIds[slot]))
            ->setMeaning(batsman + " balls");
        static_cast<CFigureBox*>(FindWindow(kBatsmanStrikeRateIds[slot]))
            ->setMeaning(batsman + " strike rate");
    }
    const char* const columns[] = {"", " overs", " maidens", " runs", " wickets"};
    for (int row = 0; row < quorvel::kBowlerRows; ++row)
        for (int column = 0; column < 5; ++column)
            static_cast<CFigureBox*>(FindWindow(kBowlerRowIds[row][column]))
                ->setMeaning(wxString::Format("Bowler %d%s", row + 1, columns[column]));
    setAccessibleName(FindWindow(kProgressId), "Chase progress");

    // The running and fielding sliders have labels of their own; a batsman's slider belongs to
    // his name box above it, the bowling slider to the fielding side's box above it.
    const wxString range = "from Defensive to Aggressive";
    const struct {
        int id;
        const char* name;
        wxWindow* label;
    } sliders[] = {
        {quorvel::slider::kRunning, "Running", runningLabel},
        {quorvel::slider::kBattingSlot0, "Batsman 1 aggression", FindWindow(kBatsmanNameIds[0])},
        {quorvel::slider::kBattingSlot1, "Batsman 2 aggression", FindWindow(kBatsmanNameIds[1])},
        {quorvel::slider::kBowling, "Bowling aggression", FindWindow(kBowlingNameId)},
        {quorvel::slider::kFielding, "Fielding", fieldingLabel},
    };
    for (const auto& one : sliders) {
        wxWindow* slider = FindWindow(one.id);
        setAccessibleLabel(slider, one.label);
        setAccessibleName(slider, one.name, range);
    }
    setAccessibleRole(speaker_, AccessibleRole::Notification);
}

wxString scoreAnnouncement(const quorvel::InningsFigures& f) {
    const wxString overs = formatFormDouble(f.oversFigure);
    return wxString::Format("%s %d for %d after %s %s", toWx(f.battingTeamName), f.totalRuns,
                            f.totalWickets, overs, overs == "1" ? "over" : "overs");
}

void CMatchForm::announceScore(const quorvel::InningsFigures& figures) {
    // An over that ended an innings leaves the next one set up, not yet begun: its message
    // boxes have told the innings' end already.
    if (figures.oversFigure > 0)
        announce(speaker_, scoreAnnouncement(figures));
}

wxSize CMatchForm::designSize() const {
    return ConvertDialogToPixels(wxSize(kWidthDlu, kHeightDlu));
}

wxRect CMatchForm::dlu(int x, int y, int width, int height) const {
    return ::dluRect(*this, x, y, width, height);
}

CFigureBox* CMatchForm::box(int id, int x, int y, int width, bool rightAligned) {
    auto* one = new CFigureBox(page_, id, rightAligned);
    one->SetSize(dlu(x, y, width, kBoxHeight));
    return one;
}

wxStaticText* CMatchForm::label(int id, const wxString& text, int x, int y, int width, long align) {
    auto* one = new wxStaticText(page_, id, text, wxDefaultPosition, wxDefaultSize,
                                 align | wxST_NO_AUTORESIZE);
    one->SetSize(dlu(x, y, width, kLabelHeight + 2));
    return one;
}

wxSlider* CMatchForm::slider(int id, int x, int y) {
    auto* one = new CSlider(page_, id);
    one->SetSize(dlu(x, y, 109, 14));
    one->Disable();
    return one;
}

void CMatchForm::sliderEnds(int x, int y) {
    label(wxID_ANY, kDefensive, x + 2, y, 50);
    label(wxID_ANY, kAggressive, x + 57, y, 50, wxALIGN_RIGHT);
}

void CMatchForm::setBox(int id, const wxString& text) {
    if (wxWindow* one = FindWindow(id))
        one->SetLabel(text);
}

int CMatchForm::bowlerRowOfButton(int id) {
    for (int row = 0; row < quorvel::kBowlerRows; ++row)
        if (kBowlerRowIds[row][5] == id)
            return row;
    return -1;
}

wxString CMatchForm::textOf(int id) const {
    const wxWindow* one = FindWindow(id);
    return one != nullptr ? one->GetLabel() : wxString();
}

void CMatchForm::showChaseControls(bool show) {
    for (int id : kChaseIds)
        if (wxWindow* one = FindWindow(id))
            one->Show(show);
}

void CMatchForm::showStopButton(bool show) {
    wxWindow* stop = FindWindow(kStopId);
    if (stop == nullptr || stop->IsShown() == show)
        return;
    stop->Show(show);
    if (show)
        stop->SetFocus();
}

void CMatchForm::focusWherePlayGoesOn() {
    const auto usable = [](wxWindow* one) {
        return one != nullptr && one->IsShown() && one->IsEnabled();
    };
    wxWindow* target = FindWindow(kBowlOverId);
    for (std::size_t row = 0; !usable(target) && row < kBowlerRowIds.size(); ++row) {
        auto* choose = dynamic_cast<CRowButton*>(FindWindow(kBowlerRowIds[row][5]));
        target = choose != nullptr && choose->AcceptsFocusFromKeyboard() ? choose : nullptr;
    }
    if (!usable(target))
        target = FindWindow(kScoresheetId);
    if (usable(target))
        target->SetFocus();
    else
        SetFocus();
}

void CMatchForm::showFigures(const quorvel::InningsFigures& f) {
    setBox(kBattingNameId, toWx(f.battingTeamName));
    setBox(kRunsId, formatFormInteger(f.totalRuns));
    setBox(kWicketsId, formatFormInteger(f.totalWickets));
    setBox(kOversId, formatFormDouble(f.oversFigure));
    setBox(kRunRateId, formatFormDouble(f.runRate));
    setBox(kTargetId, formatFormInteger(f.target));
    setBox(kTargetRateId, formatFormDouble(f.targetRate));
    setBox(kRequiredRateId, formatFormDouble(f.requiredRate));
    if (auto* progress = dynamic_cast<wxGauge*>(FindWindow(kProgressId))) {
        // A gauge needs a range of at least 1; position is kept inside it.
        const int range = std::max(1, f.progressRange);
        progress->SetRange(range);
        progress->SetValue(std::clamp(f.progressPosition, 0, range));
    }
    for (int slot = 0; slot < 2; ++slot) {
        setBox(kBatsmanNameIds[slot], toWx(f.batsmanNames[slot]));
        setBox(kBatsmanRunsIds[slot], formatFormInteger(f.batsmanRuns[slot]));
        setBox(kBatsmanBallsIds[slot], formatFormInteger(f.batsmanBalls[slot]));
        setBox(kBatsmanStrikeRateIds[slot], formatFormDouble(f.batsmanStrikeRates[slot]));
    }
    setBox(kBowlingNameId, toWx(f.bowlingTeamName));
    for (int row = 0; row < quorvel::kBowlerRows; ++row) {
        const auto& ids = kBowlerRowIds[row];
        setBox(ids[0], toWx(f.bowlerNames[row]));
        setBox(ids[1], formatFormDouble(f.bowlerOvers[row]));
        setBox(ids[2], formatFormInteger(f.bowlerMaidens[row]));
        setBox(ids[3], formatFormInteger(f.bowlerRuns[row]));
        setBox(ids[4], formatFormInteger(f.bowlerWickets[row]));
    }
}

void CMatchForm::show(const quorvel::MatchScreen& screen) {
    showFigures(screen.figures());
    showChaseControls(screen.chaseControlsShown());

    const quorvel::BowlerButtons& buttons = screen.bowlerButtons();
    const quorvel::Scores& scores = screen.scores();
    const bool computerFields =
        screen.flow().inInnings() &&
        scores.teams[scores.fieldingSide(screen.figures().inningsIndex)].isComputerControlled();
    for (int row = 0; row < quorvel::kBowlerRows; ++row) {
        auto* choose = static_cast<CRowButton*>(FindWindow(kBowlerRowIds[row][5]));
        choose->setComputerSide(computerFields);
        choose->Show(buttons.shown[row]);
        choose->Enable(buttons.enabled[row]);
        choose->setChecked(buttons.checked[row]);
        // Read out by assistive technology with the button's pressed state.
        const wxString name = toWx(screen.figures().bowlerNames[row]);
        const wxString tip =
            name.empty() ? wxString() : "Choose " + name + " to bowl the next over";
        if (choose->GetToolTipText() != tip)
            choose->SetToolTip(tip);
        setAccessibleName(choose, name.empty() ? wxString::Format("Choose bowler %d", row + 1)
                                               : "Choose " + name);
    }
    FindWindow(kBowlOverId)->Enable(buttons.bowlOverEnabled);
    FindWindow(kScoresheetId)->Enable(screen.scoresheetEnabled());

    for (int id :
         {quorvel::slider::kRunning, quorvel::slider::kBattingSlot0, quorvel::slider::kBattingSlot1,
          quorvel::slider::kBowling, quorvel::slider::kFielding}) {
        auto* one = static_cast<wxSlider*>(FindWindow(id));
        const quorvel::SliderState& state = screen.sliderState(id);
        if (one->GetValue() != state.position)
            one->SetValue(state.position);
        one->Enable(state.enabled);
    }
}
