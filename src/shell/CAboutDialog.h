#pragma once
// "About Quorvel": the program's icon, name, version and date, and where to send comments.

#include <wx/dialog.h>

class CAboutDialog : public wxDialog {
public:
    static constexpr const char* kContact = "quorvel@example.org";

    explicit CAboutDialog(wxWindow* parent);
};

// The program's icon: a red ball with its seam, drawn at the given size.
wxBitmap quorvelIconBitmap(int size);
