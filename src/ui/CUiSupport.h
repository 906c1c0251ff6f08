#pragma once
// What every window of the game shares: the application's name (the title bar's last word and
// every message box's caption), the game's message box, 8-bit texts as wx strings, template
// rectangles in dialog units, and the question for a file name.

#include <functional>
#include <string>

#include <wx/gdicmn.h>
#include <wx/string.h>

class wxWindow;

// The application's name: the caption of every message box and the end of the title bar.
inline constexpr const char* kAppName = "Quorvel";

// A message box with a single OK button, captioned with the application's name; `icon` is one
// of wx's icon styles (wxICON_EXCLAMATION, wxICON_INFORMATION).
void showMessageBox(wxWindow* parent, const wxString& text, long icon);

// An 8-bit text of the game as a wx string, and back (each byte is one character).
wxString toWx(const std::string& text);
std::string fromWx(const wxString& text);

// The pixel rectangle of a template rectangle given in `window`'s dialog units, which follow
// its font.
wxRect dluRect(const wxWindow& window, int x, int y, int width, int height);

// How the game asks for a file name: the standard file dialog (style wxFD_OPEN or wxFD_SAVE with
// its flags) offering `offered`; an empty result means cancelled.
using FileQuestion =
    std::function<wxString(wxWindow* parent, const wxString& title, const wxString& offered,
                           const wxString& filter, long style)>;
wxString askForFile(wxWindow* parent, const wxString& title, const wxString& offered,
                    const wxString& filter, long style);
// The save dialog (overwrite question on) offering `offered`; a chosen name without an extension
// (or with a blank in it) gets "." and `extension`. When that completed name is of a file that
// exists, the overwrite question is asked for it, as the dialog asks for a name typed whole, and
// "No" shows the dialog again. Empty when cancelled.
wxString askForSavePath(wxWindow* parent, const wxString& title, const wxString& offered,
                        const wxString& filter, const wxString& extension);
// Replaces the file dialog by an answer (tests); an empty function brings the dialog back.
void answerFileQuestions(FileQuestion answer);
