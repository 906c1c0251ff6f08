#pragma once
// What assistive technology (a screen reader) reads of a window: its role, its name and
// description, the label that names a control, and announcements. wx has no accessibility API
// of its own on GTK, so these reach GTK's accessible objects (ATK) of the window's widgets
// directly; in a build without GTK's headers they do nothing.

#include <wx/string.h>

class wxWindow;

enum class AccessibleRole {
    Dialog,       // a dialog window
    Label,        // a text that can be read, not edited
    Image,        // a picture
    Notification, // a message told at once
    StatusBar,    // the status line of a window
};

// The name (what it is) and, when not empty, the description assistive technology reads for a
// window, on its outer widget and on the inner one that takes the focus (a list's rows, a combo
// box's entry).
void setAccessibleName(wxWindow* window, const wxString& name,
                       const wxString& description = wxString());
void setAccessibleRole(wxWindow* window, AccessibleRole role);
// Ties a control to the window whose text names it (its label, or the box it belongs to), in
// place of the label the toolkit guesses from the order the windows were made in.
void setAccessibleLabel(wxWindow* control, wxWindow* label);

// What assistive technology reads for a window (empty where there is none): for tests.
wxString accessibleName(wxWindow* window);
wxString accessibleDescription(wxWindow* window);
wxString accessibleRoleName(wxWindow* window);

// Tells a screen reader `text` at once: `speaker` (a label kept for this, out of sight) takes it
// as its name and appears again as a notification, which screen readers speak as it appears.
void announce(wxWindow* speaker, const wxString& text);
