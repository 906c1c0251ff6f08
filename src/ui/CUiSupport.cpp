#include "ui/CUiSupport.h"

#include <filesystem>

#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>
#include <wx/stdpaths.h>
#include <wx/utils.h>
#include <wx/window.h>

#include "common/desktop_places.h"

namespace {

FileQuestion& fileAnswer() {
    static FileQuestion answer;
    return answer;
}

} // namespace

void showMessageBox(wxWindow* parent, const wxString& text, long icon) {
    wxMessageBox(text, kAppName, wxOK | icon, parent);
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

wxRect dluRect(const wxWindow& window, int x, int y, int width, int height) {
    return wxRect(window.ConvertDialogToPixels(wxPoint(x, y)),
                  window.ConvertDialogToPixels(wxSize(width, height)));
}

wxString askForFile(wxWindow* parent, const wxString& title, const wxString& offered,
                    const wxString& filter, long style) {
    if (fileAnswer())
        return fileAnswer()(parent, title, offered, filter, style);
    // A file in hand opens the dialog in its folder; else the user's documents folder, never
    // the current one (the game's own, hidden data folder when started from the desktop).
    const wxFileName name(offered);
    wxString folder = name.IsAbsolute() ? name.GetPath() : wxString();
    if (folder.empty()) {
        const std::filesystem::path documents = quorvel::dialogFolder(
            wxStandardPaths::Get().GetUserDir(wxStandardPaths::Dir_Documents).utf8_string(),
            wxGetHomeDir().utf8_string());
        folder = wxString::FromUTF8(documents.string());
    }
    wxFileDialog dialog(parent, title, folder, name.GetFullName(), filter, style);
    if (dialog.ShowModal() != wxID_OK)
        return wxString();
    return dialog.GetPath();
}

wxString askForSavePath(wxWindow* parent, const wxString& title, const wxString& offered,
                        const wxString& filter, const wxString& extension) {
    wxString name = offered;
    for (;;) {
        const wxString chosen =
            askForFile(parent, title, name, filter, wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
        if (chosen.empty())
            return chosen;
        const wxString ext = wxFileName(chosen).GetExt();
        if (!ext.empty() && !ext.Contains(" "))
            return chosen; // the dialog asked about this very name
        const wxString completed = chosen + "." + extension;
        if (!wxFileName::Exists(completed))
            return completed;
        wxMessageDialog ask(parent,
                            wxString::Format("%s already exists.\nDo you want to replace it?",
                                             wxFileName(completed).GetFullName()),
                            kAppName, wxYES_NO | wxNO_DEFAULT | wxICON_WARNING);
        if (ask.ShowModal() == wxID_YES)
            return completed;
        name = completed;
    }
}

void answerFileQuestions(FileQuestion answer) { fileAnswer() = std::move(answer); }
