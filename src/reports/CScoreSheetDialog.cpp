#include "reports/CScoreSheetDialog.h"

#include <wx/button.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>
#include <wx/textctrl.h>

#include "common/line_ends.h"
#include "reports/scoresheet.h"
#include "ui/CAccessible.h"
#include "ui/CTemplateDialog.h"
#include "ui/CUiSupport.h"

wxString toDisplayText(const std::string& text) {
    std::string shown;
    quorvel::removeCrBeforeLf(text, shown);
    return toWx(shown);
}

wxFont fixedPitchFont() {
    wxFont font(wxFontInfo(8).Family(wxFONTFAMILY_TELETYPE).FaceName("Courier New"));
    if (!font.IsOk() || !font.IsFixedWidth())
        font = wxFont(wxFontInfo(8).Family(wxFONTFAMILY_TELETYPE));
    return font;
}

CScoreSheetDialog::CScoreSheetDialog(wxWindow* parent, quorvel::ScoreSheet& sheet)
    : wxDialog(parent, wxID_ANY, "Score Sheet"), sheet_(sheet) {
    SetFont(fixedPitchFont());
    setAccessibleRole(this, AccessibleRole::Dialog);
    auto dlu = [this](int x, int y, int w, int h) { return dluRect(*this, x, y, w, h); };
    SetClientSize(ConvertDialogToPixels(wxSize(339, 391)));

    text_ = new wxTextCtrl(this, kTextId, wxString(), wxDefaultPosition, wxDefaultSize,
                           wxTE_MULTILINE | wxTE_READONLY | wxVSCROLL | wxTE_CHARWRAP);
    setAccessibleName(text_, "Scoresheet");
    text_->SetSize(dlu(8, 7, 323, 357));
    auto* saveButton = new wxButton(this, kSaveId, "Save");
    saveButton->SetSize(dlu(254, 372, 35, 12));
    auto* ok = new wxButton(this, wxID_OK, "OK");
    ok->SetSize(dlu(296, 372, 35, 12));
    ok->SetDefault();
    SetEscapeId(wxID_OK);
    saveButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { save(); });

    // The text as the tallies stand now, from its top.
    sheet_.buildSheetText();
    text_->ChangeValue(toDisplayText(sheet_.sheetText()));
    text_->SetInsertionPoint(0);
    text_->ShowPosition(0);
}

void CScoreSheetDialog::save() {
    // The default extension, for a name typed without one.
    const wxString path =
        askForSavePath(this, "Save As", toWx(sheet_.defaultFileName()), kFilter, "txt");
    if (path.empty())
        return;
    saveTo(path);
}

bool CScoreSheetDialog::saveTo(const wxString& path) {
    if (auto error = sheet_.saveSheet(std::string(path.fn_str()))) {
        showMessageBox(this, toWx(error->message()), wxICON_EXCLAMATION);
        return false;
    }
    return true;
}
