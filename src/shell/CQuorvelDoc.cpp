#include "shell/CQuorvelDoc.h"

#include <wx/filedlg.h>
#include <wx/filehistory.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>

#include "records/scores_file.h"
#include "shell/command_ids.h"
#include "ui/CTemplateDialog.h"

wxIMPLEMENT_DYNAMIC_CLASS(CQuorvelDoc, wxDocument);

namespace {

std::string pathBytes(const wxString& path) { return std::string(path.fn_str()); }

} // namespace

CQuorvelDoc::CQuorvelDoc() { Bind(wxEVT_MENU, &CQuorvelDoc::onSave, this, commands::kFileSaveId); }

bool CQuorvelDoc::OnNewDocument() {
    if (!wxDocument::OnNewDocument())
        return false;
    title.clear();
    setTitleAndPath(kUntitled, wxString());
    return true;
}

void CQuorvelDoc::setTitleAndPath(const wxString& titleText, const wxString& path) {
    SetTitle(titleText);
    SetFilename(path, true);
    // SetFilename only tells the views when the name changed; the title may change alone.
    for (wxView* one : GetViewsVector())
        one->OnChangeFilename();
}

void CQuorvelDoc::buildTitle() {
    title = scores.title();
    Modify(false);
    setTitleAndPath(toWx(title), toWx(title));
    SetDocumentSaved(false);
}

void CQuorvelDoc::reportFileError(const std::string& message) const {
    showMessageBox(GetDocumentWindow(), toWx(message), wxICON_EXCLAMATION);
}

bool CQuorvelDoc::saveTo(const wxString& path) {
    if (auto error = quorvel::writeScoresFile(pathBytes(path), scores)) {
        reportFileError(error->message());
        return false;
    }
    Modify(false);
    ++saves_;
    return true;
}

bool CQuorvelDoc::OnSaveModified() {
    if (!IsModified())
        return true;
    wxMessageDialog ask(
        GetDocumentWindow(),
        wxString::Format("Do you want to save changes to %s?", GetUserReadableName()), kAppName,
        wxYES_NO | wxCANCEL | wxYES_DEFAULT | wxICON_QUESTION);
    ask.SetYesNoCancelLabels(wxID_SAVE, "Do&n't Save", wxID_CANCEL);
    switch (ask.ShowModal()) {
    case wxID_YES:
        return Save();
    case wxID_NO:
        Modify(false);
        return true;
    default:
        return false;
    }
}

bool CQuorvelDoc::askToSaveMatch() {
    const bool modified = IsModified();
    const int saves = saves_;
    if (!OnSaveModified())
        return false;
    // "Don't Save" clears the mark, but the match is still in hand and still unsaved.
    if (modified && saves_ == saves)
        Modify(true);
    return true;
}

bool CQuorvelDoc::DoSaveDocument(const wxString& file) { return saveTo(file); }

bool CQuorvelDoc::DoOpenDocument(const wxString& file) { return openMatch(file); }

bool CQuorvelDoc::Save() {
    const wxString path = GetFilename();
    if (!path.empty() && wxFileName::FileExists(path) && wxFileName::IsFileWritable(path))
        return saveTo(path);
    return SaveAs();
}

bool CQuorvelDoc::SaveAs() {
    const wxString path =
        askForSavePath(GetDocumentWindow(), "Save As", GetFilename(), kFilter, kExtension);
    if (path.empty())
        return false;
    if (!saveTo(path))
        return false;
    setTitleAndPath(wxFileName(path).GetFullName(), path);
    SetDocumentSaved(true);
    if (wxDocManager* manager = GetDocumentManager())
        manager->AddFileToHistory(path);
    return true;
}

bool CQuorvelDoc::openMatch(const wxString& path) {
    quorvel::Scores loaded;
    if (auto error = quorvel::readScoresFile(pathBytes(path), loaded)) {
        reportFileError(error->message());
        return false;
    }
    scores = loaded;
    Modify(false);
    setTitleAndPath(wxFileName(path).GetFullName(), path);
    SetDocumentSaved(true);
    if (wxDocManager* manager = GetDocumentManager())
        manager->AddFileToHistory(path);
    CQuorvelHint opened(CQuorvelHint::kMatchOpened);
    UpdateAllViews(nullptr, &opened);
    return true;
}

void CQuorvelDoc::onSave(wxCommandEvent&) { Save(); }

// ---------------------------------------------------------------------------------------------

CQuorvelDocManager::CQuorvelDocManager() : wxDocManager(0, true) {
    Bind(wxEVT_MENU, &CQuorvelDocManager::onOpen, this, commands::kFileOpenId);
}

CQuorvelDoc* CQuorvelDocManager::document() const {
    return dynamic_cast<CQuorvelDoc*>(GetCurrentDocument());
}

wxFileHistory* CQuorvelDocManager::OnCreateFileHistory() { return new wxFileHistory(kRecentFiles); }

void CQuorvelDocManager::onOpen(wxCommandEvent&) {
    CQuorvelDoc* doc = document();
    if (doc == nullptr)
        return;
    // In the folder of the match in hand, when it was opened or saved.
    const wxFileName inHand(doc->GetFilename());
    const wxString chosen =
        askForFile(frame_, "Open", inHand.IsAbsolute() ? inHand.GetPathWithSep() : wxString(),
                   CQuorvelDoc::kFilter, wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    if (!chosen.empty() && doc->askToSaveMatch())
        doc->openMatch(chosen);
}
