#pragma once
// "Score Sheet": the scoresheet text, rebuilt from the tallies each time the window opens, in a
// fixed-pitch font; "Save" writes it to a text file chosen in the save dialog.

#include <string>

#include <wx/dialog.h>

namespace quorvel {
class ScoreSheet;
}

class wxTextCtrl;

class CScoreSheetDialog : public wxDialog {
public:
    static constexpr int kTextId = 1124;
    static constexpr int kSaveId = 1132;
    static constexpr const char* kFilter = "Text Files (*.txt)|*.txt";

    CScoreSheetDialog(wxWindow* parent, quorvel::ScoreSheet& sheet);

    // "Save": the save dialog offering the sheet's default name, then the file written as the
    // text stands; a failure is reported and the window stays open.
    void save();
    // Writes the text to path; false (after the message box) when it failed.
    bool saveTo(const wxString& path);

    wxTextCtrl* text() const { return text_; }

private:
    quorvel::ScoreSheet& sheet_;
    wxTextCtrl* text_ = nullptr;
};

// A CR LF text as the text boxes show it (LF line ends); other bytes are kept.
wxString toDisplayText(const std::string& text);
// The font of the scoresheet and the log: "Courier New" 8 point, or the fixed-pitch face the
// system offers in its place.
wxFont fixedPitchFont();
