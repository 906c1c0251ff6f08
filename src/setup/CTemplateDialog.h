#pragma once
// The base of the game's modal dialogs: a dialog laid out like a resource template, every
// control placed at a position and size given in dialog units and converted to pixels with
// wx's dialog-unit conversion (ConvertDialogToPixels), so the layout follows the font.
//
// The templates were drawn for an 8 point sans-serif font; the dialogs keep the platform's
// default GUI font at its normal size instead, so that no text is clipped on any desktop.

#include <wx/dialog.h>
#include <wx/string.h>

#include "shell/dialog_fields.h"

class CTemplateDialog : public wxDialog {
public:
    // The caption every message box of the game carries.
    static constexpr const char* kMessageCaption = "Quorvel";

    // widthDlu x heightDlu is the client area in dialog units.
    CTemplateDialog(wxWindow* parent, const wxString& title, int widthDlu, int heightDlu,
                    long style);

    // The pixel rectangle of a template rectangle in dialog units.
    wxRect dluRect(int x, int y, int width, int height) const;
    // Puts a control at its template rectangle.
    void place(wxWindow* control, int x, int y, int width, int height);

    // The game's message box: a single OK button, the exclamation icon, the caption above.
    void showMessage(const wxString& text);
    // Shows a failed read-back and gives the focus to the control it names (when it exists).
    void showMessage(const quorvel::DialogMessage& message);

protected:
    // Escape: by default closes without reading anything back (wxID_CANCEL). A dialog that must
    // not close on Escape overrides this with nothing.
    virtual void onEscape();
    // Enter: by default presses OK when the dialog has an enabled OK button.
    virtual void onEnter();
    // Closes the dialog with result (or hides it when it was shown without a modal run).
    void finish(int result);

private:
    void onCharHook(wxKeyEvent& event);
};

// An 8-bit text of the game as a wx string, and back (each byte is one character).
wxString toWx(const std::string& text);
std::string fromWx(const wxString& text);
