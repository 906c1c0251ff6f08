#include "shell/CAboutDialog.h"

#include <wx/button.h>
#include <wx/dcmemory.h>
#include <wx/settings.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

#include "ui/CAccessible.h"
#include "ui/CUiSupport.h"

wxBitmap quorvelIconBitmap(int size) {
    wxBitmap bitmap(size, size, 32);
    bitmap.UseAlpha();
    {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(*wxTRANSPARENT_BRUSH);
        dc.SetBrush(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE)));
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.DrawRectangle(0, 0, size, size);
        dc.SetBrush(wxBrush(wxColour(176, 24, 32)));
        dc.SetPen(wxPen(wxColour(96, 8, 16), std::max(1, size / 16)));
        dc.DrawEllipse(1, 1, size - 2, size - 2);
        dc.SetPen(wxPen(wxColour(245, 235, 220), std::max(1, size / 20)));
        dc.DrawArc(size * 3 / 10, 2, size * 3 / 10, size - 2, size / 20, size / 2);
        dc.DrawArc(size * 7 / 10, size - 2, size * 7 / 10, 2, size * 19 / 20, size / 2);
    }
    return bitmap;
}

CAboutDialog::CAboutDialog(wxWindow* parent) : wxDialog(parent, wxID_ANY, "About Quorvel") {
    setAccessibleRole(this, AccessibleRole::Dialog);
    // Laid out in dialog units of the dialog's own font.
    auto dlu = [this](int x, int y, int w, int h) { return dluRect(*this, x, y, w, h); };
    SetClientSize(ConvertDialogToPixels(wxSize(157, 97)));

    const wxRect iconRect = dlu(12, 12, 20, 20);
    auto* icon = new wxStaticBitmap(this, wxID_ANY, quorvelIconBitmap(iconRect.GetHeight()));
    icon->SetSize(iconRect);

    const struct {
        const char* text;
        int y;
    } lines[] = {{kAppName, 13},
                 {"Version 1.0", 22},
                 {"November 1, 1998", 31},
                 {"Please address comments to:", 51},
                 {kContact, 61}};
    for (const auto& line : lines) {
        auto* text = new wxStaticText(this, wxID_ANY, line.text, wxDefaultPosition, wxDefaultSize,
                                      wxST_NO_AUTORESIZE);
        text->SetSize(dlu(41, line.y, 110, 10));
    }
    auto* ok = new wxButton(this, wxID_OK, "OK");
    ok->SetSize(dlu(115, 78, 35, 14));
    ok->SetDefault();
    SetEscapeId(wxID_OK);
}
