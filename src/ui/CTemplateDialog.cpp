#include "ui/CTemplateDialog.h"

#include <memory>

#ifdef __WXGTK__
#include <dlfcn.h>
#endif

#include <wx/button.h>
#include <wx/listbox.h>
#include <wx/msgdlg.h>
#include <wx/time.h>

#include "ui/CAccessible.h"

CTemplateDialog::CTemplateDialog(wxWindow* parent, const wxString& title, int widthDlu,
                                 int heightDlu, long style)
    : wxDialog(parent, wxID_ANY, title, wxDefaultPosition, wxDefaultSize, style) {
    // Escape and the close box are ours alone: without a Cancel button wx would otherwise press
    // OK for them.
    SetEscapeId(wxID_NONE);
    SetClientSize(ConvertDialogToPixels(wxSize(widthDlu, heightDlu)));
    setAccessibleRole(this, AccessibleRole::Dialog);
    Bind(wxEVT_CHAR_HOOK, &CTemplateDialog::onCharHook, this);
    Bind(wxEVT_ACTIVATE, [this](wxActivateEvent& event) {
        event.Skip();
        if (event.GetActive())
            showKeyboardFocus(this);
    });
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
    return ::dluRect(*this, x, y, width, height);
}

void CTemplateDialog::place(wxWindow* control, int x, int y, int width, int height) {
    control->SetSize(dluRect(x, y, width, height));
}

void CTemplateDialog::showMessage(const wxString& text) {
    showMessageBox(this, text, wxICON_EXCLAMATION);
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

void CTemplateDialog::watchActivation(wxListBox* list, std::function<void(int row)> onDoubleClick) {
    // A double-click activates the row while the button is still down from its second press; a
    // key activates it with the button up. Space is seen before the list acts on it and is
    // forgotten once handled; Enter on a selected row never gets here (the list turns it into
    // an activation first).
    list->Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent& event) {
        buttonDown_ = true;
        event.Skip();
    });
    list->Bind(wxEVT_LEFT_UP, [this](wxMouseEvent& event) {
        buttonDown_ = false;
        event.Skip();
    });
    list->Bind(wxEVT_KEY_DOWN, [this](wxKeyEvent& event) {
        buttonDown_ = false;
        lastListKey_ = event.GetKeyCode();
        CallAfter([this] { lastListKey_ = 0; });
        event.Skip();
    });
    list->Bind(wxEVT_LISTBOX_DCLICK, [this, onDoubleClick](wxCommandEvent& event) {
        switch (takeActivation()) {
        case Activation::Enter:
            onEnter();
            break;
        case Activation::DoubleClick:
            // Once the click is over: a window opened amid it would miss the release.
            if (onDoubleClick)
                CallAfter([onDoubleClick, row = event.GetSelection()] { onDoubleClick(row); });
            break;
        case Activation::Other:
            break;
        }
    });
}

CTemplateDialog::Activation CTemplateDialog::takeActivation() {
    const Activation how = buttonDown_                 ? Activation::DoubleClick
                           : lastListKey_ == WXK_SPACE ? Activation::Other
                                                       : Activation::Enter;
    buttonDown_ = false;
    lastListKey_ = 0;
    return how;
}

void CTemplateDialog::enablePrefixSearch(wxListBox* list) { enableListKeys(list); }

namespace {

// Selects a row of the list as a click would: the old selection cleared, the row shown and
// the change reported to the list's handlers.
void chooseRow(wxListBox* list, int row) {
    if (list->HasMultipleSelection())
        list->DeselectAll();
    list->SetSelection(row);
    list->EnsureVisible(row);
    wxCommandEvent changed(wxEVT_LISTBOX, list->GetId());
    changed.SetEventObject(list);
    changed.SetInt(row);
    list->ProcessWindowEvent(changed);
}

// What a list remembers of the letters typed into it.
struct TypedPrefix {
    wxString typed;
    wxLongLong at = 0;
};

bool typeAhead(wxListBox* list, TypedPrefix& prefix, const wxKeyEvent& event) {
    const wxChar typed = event.GetUnicodeKey();
    if (typed == WXK_NONE || typed < ' ' || (event.GetModifiers() & ~wxMOD_SHIFT) != 0)
        return false;
    const wxLongLong now = wxGetLocalTimeMillis();
    if (now - prefix.at > 1000)
        prefix.typed.clear();
    if (typed == ' ' && prefix.typed.empty())
        return false; // Space keeps its own meaning in a list
    prefix.at = now;
    prefix.typed += typed;
    const auto firstStartingWith = [list](const wxString& start) {
        const wxString wanted = start.Lower();
        for (unsigned row = 0; row < list->GetCount(); ++row)
            if (list->GetString(row).Lower().StartsWith(wanted))
                return static_cast<int>(row);
        return static_cast<int>(wxNOT_FOUND);
    };
    int row = firstStartingWith(prefix.typed);
    if (row == wxNOT_FOUND && prefix.typed.length() > 1) {
        // Nothing starts with the whole prefix: start again from this letter.
        prefix.typed = wxString(typed);
        row = firstStartingWith(prefix.typed);
    }
    if (row != wxNOT_FOUND)
        chooseRow(list, row);
    return true;
}

bool hasSelection(const wxListBox* list) {
    wxArrayInt selected;
    return list->GetSelections(selected) > 0;
}

} // namespace

void enableListKeys(wxListBox* list) {
    auto prefix = std::make_shared<TypedPrefix>();
    list->Bind(wxEVT_CHAR, [list, prefix](wxKeyEvent& event) {
        if (!typeAhead(list, *prefix, event))
            event.Skip();
    });
    // The toolkit's cursor sits on the first row even when nothing is selected, so its first
    // Down would pick the second name: the first arrow picks the first name instead. The list
    // itself acts on arrows before it reports them, so they are taken on their way to it.
    wxWindow* top = wxGetTopLevelParent(list);
    if (top == nullptr)
        return;
    top->Bind(wxEVT_CHAR_HOOK, [list](wxKeyEvent& event) {
        const int key = event.GetKeyCode();
        if ((key == WXK_DOWN || key == WXK_UP || key == WXK_NUMPAD_DOWN || key == WXK_NUMPAD_UP) &&
            event.GetModifiers() == wxMOD_NONE && wxWindow::FindFocus() == list &&
            list->GetCount() > 0 && !hasSelection(list)) {
            chooseRow(list, 0);
            return;
        }
        event.Skip();
    });
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
        // Enter presses the push button that has the focus, and OK only from anywhere else.
        auto* focused = dynamic_cast<wxButton*>(FindFocus());
        if (focused != nullptr && focused->IsEnabled() && wxGetTopLevelParent(focused) == this) {
            wxCommandEvent click(wxEVT_BUTTON, focused->GetId());
            click.SetEventObject(focused);
            focused->ProcessWindowEvent(click);
            return;
        }
        onEnter();
        return;
    }
    event.Skip();
}

void showKeyboardFocus(wxWindow* topLevel) {
#ifdef __WXGTK__
    // Looked up in the toolkit the program already runs on, so that no toolkit headers are
    // needed to build.
    using SetFocusVisible = void (*)(void* window, int setting);
    static const auto setFocusVisible =
        reinterpret_cast<SetFocusVisible>(dlsym(RTLD_DEFAULT, "gtk_window_set_focus_visible"));
    if (setFocusVisible != nullptr && topLevel != nullptr && topLevel->GetHandle() != nullptr)
        setFocusVisible(topLevel->GetHandle(), 1);
#else
    (void)topLevel;
#endif
}
