#include "setup/CTemplateDialog.h"

#include <wx/button.h>
#include <wx/msgdlg.h>

CTemplateDialog::CTemplateDialog(wxWindow* parent, const wxString& title, int widthDlu,
                                 int heightDlu, long style)
    : wxDialog(parent, wxID_ANY, title, wxDefaultPosition, wxDefaultSize, style) {
    // Escape and the close box are ours alone: without a Cancel button wx would otherwise press
    // OK for them.
    SetEscapeId(wxID_NONE);
    SetClientSize(ConvertDialogToPixels(wxSize(widthDlu, heightDlu)));
    Bind(wxEVT_CHAR_HOOK, &CTemplateDialog::onCharHook, this);
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent& event) {
        if (!event.CanVeto()) {
            event.Skip();
            return;
        }
        event.Veto();
        onEscape();
    });
}

wxRect CTemplateDialog::dluRect(int x, int y, int width, int height) const {
    return wxRect(ConvertDialogToPixels(wxPoint(x, y)),
                  ConvertDialogToPixels(wxSize(width, height)));
}

void CTemplateDialog::place(wxWindow* control, int x, int y, int width, int height) {
    control->SetSize(dluRect(x, y, width, height));
}

void CTemplateDialog::showMessage(const wxString& text) {
    wxMessageBox(text, kMessageCaption, wxOK | wxICON_EXCLAMATION, this);
}

void CTemplateDialog::showMessage(const quorvel::DialogMessage& message) {
    showMessage(toWx(message.text));
    if (message.controlId != 0) {
        if (wxWindow* control = FindWindow(message.controlId))
            control->SetFocus();
    }
}

void CTemplateDialog::onEscape() { finish(wxID_CANCEL); }

void CTemplateDialog::onEnter() {
    auto* ok = dynamic_cast<wxButton*>(FindWindow(wxID_OK));
    if (ok == nullptr || !ok->IsShown() || !ok->IsEnabled())
        return;
    wxCommandEvent click(wxEVT_BUTTON, wxID_OK);
    click.SetEventObject(ok);
    ok->ProcessWindowEvent(click);
}

void CTemplateDialog::finish(int result) {
    if (IsModal()) {
        EndModal(result);
    } else {
        SetReturnCode(result);
        Hide();
    }
}

void CTemplateDialog::onCharHook(wxKeyEvent& event) {
    if (event.GetKeyCode() == WXK_ESCAPE && event.GetModifiers() == wxMOD_NONE) {
        onEscape();
        return;
    }
    if ((event.GetKeyCode() == WXK_RETURN || event.GetKeyCode() == WXK_NUMPAD_ENTER) &&
        event.GetModifiers() == wxMOD_NONE) {
        onEnter();
        return;
    }
    event.Skip();
}

wxString toWx(const std::string& text) {
    return wxString(text.data(), wxConvISO8859_1, text.size());
}

std::string fromWx(const wxString& text) {
    // One byte per character; a character the 8-bit texts cannot hold becomes '?' rather than
    // losing the whole text.
    std::string bytes;
    bytes.reserve(text.length());
    for (const wxUniChar c : text)
        bytes.push_back(c.GetValue() < 256 ? static_cast<char>(c.GetValue()) : '?');
    return bytes;
}
