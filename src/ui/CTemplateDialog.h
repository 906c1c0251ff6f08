#pragma once
// The base of the game's modal dialogs: a dialog laid out like a resource template, every
// control placed at a position and size given in dialog units and converted to pixels with
// wx's dialog-unit conversion (ConvertDialogToPixels), so the layout follows the font.
//
// The templates were drawn for an 8 point sans-serif font; the dialogs keep the platform's
// default GUI font at its normal size instead, so that no text is clipped on any desktop.

#include <functional>

#include <wx/dialog.h>
#include <wx/longlong.h>
#include <wx/string.h>

#include "common/dialog_fields.h"
#include "ui/CUiSupport.h"

class wxListBox;

class CTemplateDialog : public wxDialog {
public:
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
    // Enter away from a push button: by default presses OK when the dialog has an enabled OK
    // button. (Enter on a push button presses that button.)
    virtual void onEnter();

    // The toolkit reports a double-click, Enter on a selected row and Space in a list alike, as
    // one list activation. watchActivation() tells them apart by following the list's mouse and
    // keys: Enter presses OK (as it does anywhere away from a push button), a double-click runs
    // onDoubleClick with the row, Space does nothing more than the list itself does.
    void watchActivation(wxListBox* list, std::function<void(int row)> onDoubleClick = {});
    // The list answers the game's list keys (enableListKeys below).
    void enablePrefixSearch(wxListBox* list);
    // Closes the dialog with result (or hides it when it was shown without a modal run).
    void finish(int result);

private:
    void onCharHook(wxKeyEvent& event);

    enum class Activation { DoubleClick, Enter, Other };
    Activation takeActivation();

    bool buttonDown_ = false;
    int lastListKey_ = 0;
};

// The keys every list of the game answers: typing letters jumps to (selects, shows and reports)
// the first entry that starts with them, ignoring case, a pause of a second starting a new
// prefix; and in a list with nothing selected the first Up or Down picks the first entry.
void enableListKeys(wxListBox* list);

// Makes a top-level window draw the keyboard focus from the start. GTK draws focus rings only
// after it has seen a navigation key itself, and wx moves the focus on Tab before GTK sees the
// key, so without this a keyboard user never sees where the focus is.
void showKeyboardFocus(wxWindow* topLevel);
