#pragma once
// The match form's window: every control of the form at its place in dialog units, with the
// form's control ids. It only shows a MatchScreen's state (show()) and leaves the handling of
// clicks and slider moves to whoever binds to its events (the view).

#include <array>

#include <wx/panel.h>
#include <wx/scrolwin.h>
#include <wx/slider.h>
#include <wx/stattext.h>
#include <wx/tglbtn.h>

#include "engine/innings_figures.h"

class wxButton;
class wxGauge;
class wxStaticText;

namespace quorvel {
class MatchScreen;
}

// A read-only figure box: a bordered box whose text is shown left- or right-aligned. Text that
// is wider than the box shows its beginning and an ellipsis, and the whole text is in the
// tooltip.
class CFigureBox : public wxWindow {
public:
    CFigureBox(wxWindow* parent, int id, bool rightAligned);

    void SetLabel(const wxString& label) override;
    wxString GetLabel() const override { return text_; }
    // What the box shows ("Runs"): assistive technology reads it with the text ("Runs 123").
    void setMeaning(const wxString& meaning);
    // Only shows figures: Tab passes it by on its way to the controls a user acts on.
    bool AcceptsFocus() const override { return false; }
    bool rightAligned() const { return rightAligned_; }
    // Whether the whole text fits inside the box.
    bool textFits() const;
    // What the box shows of its text in `width` pixels measured with dc: the whole text, or its
    // start and an ellipsis. Measures at most a box-width's worth of characters, once, so a
    // text of any length costs the same; measurements() counts the measurements it made.
    wxString fitText(const wxDC& dc, int width) const;
    int measurements() const { return measurements_; }

private:
    void onPaint(wxPaintEvent& event);
    int insideWidth() const;

    void nameForAssistiveTechnology();

    wxString text_;
    wxString meaning_;
    mutable int measurements_ = 0;
    bool rightAligned_;
};

// A push-like radio button (the bowler rows' ">"): a native toggle button, so that it takes the
// focus in the Tab order, draws it, presses with Space or Enter and tells assistive technology
// whether it is pressed. Its pressed state is the form's alone: pressing an enabled one only
// sends a button event with its id, and the form then checks whichever row was chosen.
class CRowButton : public wxToggleButton {
public:
    CRowButton(wxWindow* parent, int id, const wxString& label);

    void setChecked(bool checked);
    // A button of the computer's side shows its choice but takes no Tab stop.
    void setComputerSide(bool computer) { computerSide_ = computer; }
    bool AcceptsFocusFromKeyboard() const override {
        return !computerSide_ && wxToggleButton::AcceptsFocusFromKeyboard();
    }
    bool checked() const { return checked_; }
    // What a press does: a button event with the control's id (nothing while disabled).
    void click();

private:
    void onToggled(wxCommandEvent& event);

    bool checked_ = false;
    bool computerSide_ = false;
};

// A slider of the form (0..4, from Defensive to Aggressive). While disabled it shows its
// position without a knob, so that nothing looks movable that is not.
class CSlider : public wxSlider {
public:
    CSlider(wxWindow* parent, int id);
};

class CMatchForm : public wxScrolled<wxPanel> {
public:
    // Control ids of the form.
    static constexpr int kBowlOverId = 1108;
    static constexpr int kBallByBallId = 1111;
    static constexpr int kScoresheetId = 1112;
    static constexpr int kDetailsId = 1120;
    // Shown while the computer plays on for the user's side: stops it after the over in hand.
    static constexpr int kStopId = 1122;
    static constexpr int kBattingNameId = 1084;
    static constexpr int kRunsId = 1334;
    static constexpr int kWicketsId = 1091;
    static constexpr int kOversId = 1087;
    static constexpr int kRunRateId = 1088;
    static constexpr int kChasingId = 1109;
    static constexpr int kTargetId = 1095;
    static constexpr int kAtId = 1110;
    static constexpr int kTargetRateId = 1090;
    static constexpr int kRequireId = 1113;
    static constexpr int kRequiredRateId = 1096;
    static constexpr int kChaseRunsPerOverId = 1114;
    static constexpr int kProgressId = 1089;
    static constexpr int kBowlingNameId = 1085;
    static constexpr std::array<int, 2> kBatsmanNameIds = {1062, 1254};
    static constexpr std::array<int, 2> kBatsmanRunsIds = {1250, 1257};
    static constexpr std::array<int, 2> kBatsmanBallsIds = {1251, 1258};
    static constexpr std::array<int, 2> kBatsmanStrikeRateIds = {1252, 1255};
    // Per bowler row: name, overs, maidens, runs, wickets and the ">" button.
    static constexpr std::array<std::array<int, 6>, quorvel::kBowlerRows> kBowlerRowIds = {{
        {1345, 1346, 1347, 1349, 1350, 1100},
        {1351, 1352, 1353, 1354, 1355, 1101},
        {1356, 1357, 1358, 1359, 1360, 1102},
        {1361, 1362, 1363, 1364, 1365, 1103},
        {1366, 1367, 1368, 1369, 1370, 1104},
        {1371, 1372, 1373, 1374, 1375, 1105},
        {1376, 1377, 1378, 1379, 1380, 1106},
        {1381, 1382, 1383, 1384, 1385, 1107},
        {1386, 1387, 1388, 1389, 1390, 1115},
        {1391, 1392, 1393, 1394, 1395, 1116},
    }};
    // The form's size in dialog units.
    static constexpr int kWidthDlu = 371;
    static constexpr int kHeightDlu = 306;

    explicit CMatchForm(wxWindow* parent);

    // The size the form needs: its template's size in dialog units, in pixels.
    wxSize designSize() const;

    // Copies the screen's state into the controls: figures, buttons, sliders, chase controls.
    void show(const quorvel::MatchScreen& screen);
    // Copies the figures alone (an opened match's final figures).
    void showFigures(const quorvel::InningsFigures& figures);
    void showChaseControls(bool show);
    // Shows the "Stop" button (focused, so that Space or Enter stops too) or hides it.
    void showStopButton(bool show);
    // Puts the keyboard focus where play goes on: "Bowl Over" when it is enabled, else the
    // first enabled ">" of the user's side, else "Scoresheet..."; never on a disabled control.
    void focusWherePlayGoesOn();

    // The bowler row (0..9) of a ">" button id, or -1.
    static int bowlerRowOfButton(int id);
    // The text of a box, label or button of the form.
    wxString textOf(int id) const;
    // The page that holds every control of the form.
    wxWindow* page() const { return page_; }
    // Tells a screen reader the score at once (after an over): "India 7 for 0 after 1 over";
    // nothing before the innings' first ball.
    void announceScore(const quorvel::InningsFigures& figures);
    // The label, kept out of sight, through which the form speaks to a screen reader.
    wxWindow* speaker() const { return speaker_; }

private:
    // What Shift+F1 and a click on a control tell about it.
    void setHelpTexts();
    // What a screen reader reads for each control: the figure boxes' meanings, the sliders'
    // names and labels (the running and fielding sliders' labels given).
    void nameForAssistiveTechnology(wxWindow* runningLabel, wxWindow* fieldingLabel);
    wxRect dlu(int x, int y, int width, int height) const;
    CFigureBox* box(int id, int x, int y, int width, bool rightAligned);
    wxStaticText* label(int id, const wxString& text, int x, int y, int width,
                        long align = wxALIGN_LEFT);
    wxSlider* slider(int id, int x, int y);
    void sliderEnds(int x, int y);
    void setBox(int id, const wxString& text);

    wxPanel* page_ = nullptr;
    wxStaticText* speaker_ = nullptr;
};

// What a screen reader hears after an over: "India 7 for 0 after 1 over".
wxString scoreAnnouncement(const quorvel::InningsFigures& figures);

// How the form shows its figures: integers in decimal, doubles as "%.15g" (the general form
// with 15 significant digits and no trailing zeros).
wxString formatFormInteger(int value);
wxString formatFormDouble(double value);
