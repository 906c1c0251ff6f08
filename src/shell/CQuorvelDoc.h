#pragma once
// The match document: one match record and its title. It is saved as a ".quo" file (the match
// record's archive form, nothing else) and opened from one. It is marked modified once a ball
// has been bowled since it was last saved or opened, and every path that would drop it then
// asks first whether to save it.

#include <wx/docview.h>

#include "records/scores.h"
#include "ui/CUiSupport.h"

// An update hint sent to the views: 1 sets up a new innings, 2 shows a match just opened,
// anything else changes nothing.
class CQuorvelHint : public wxObject {
public:
    static constexpr long kNewInnings = 1;
    static constexpr long kMatchOpened = 2;
    explicit CQuorvelHint(long value) : value(value) {}
    long value;
};

class CQuorvelDoc : public wxDocument {
public:
    static constexpr const char* kFilter = "Quorvel Files (*.quo)|*.quo|All Files (*.*)|*.*";
    static constexpr const char* kExtension = "quo";
    static constexpr const char* kUntitled = "Untitled";

    CQuorvelDoc();

    quorvel::Scores scores;
    // "Left vs. Right, date"; not saved.
    std::string title;

    bool OnNewDocument() override;
    // The framework's question before a modified match is dropped, its buttons named as the
    // desktop names them: "Save" (the normal save, with its dialog for an untitled match),
    // "Don't Save" and "Cancel" (Escape). False when cancelled or when the save did not happen.
    bool OnSaveModified() override;
    // Before the match in hand may be replaced: when it is modified, the framework's question
    // (Save, Don't Save, Cancel), as closing the program asks it. False when the user cancelled,
    // or the save failed or was cancelled; the match, its file and its title are then as they
    // were. After "Don't Save" the match stays marked modified until it is replaced, so a path
    // that then keeps it (a refused file, a new tournament) loses nothing unasked.
    bool askToSaveMatch();
    // Save: straight to the document's path when a writable file of that name exists, else
    // through the save dialog.
    bool Save() override;
    bool SaveAs() override;

    // The teams are chosen: the title becomes both the document's title and its path name
    // (a file name in the current folder).
    void buildTitle();
    // Writes the match to path; a failure is reported in a message box.
    bool saveTo(const wxString& path);
    // Reads a saved match. On success the match replaces the current one, the document takes
    // the file's path and name, and the view shows it; on failure a message box tells why and
    // the current match stays as it was.
    bool openMatch(const wxString& path);

protected:
    bool DoSaveDocument(const wxString& file) override;
    bool DoOpenDocument(const wxString& file) override;

private:
    void onSave(wxCommandEvent& event);
    void setTitleAndPath(const wxString& titleText, const wxString& path);
    void reportFileError(const std::string& message) const;

    int saves_ = 0; // successful saves, to tell "Save" from "Don't Save" after the question

    wxDECLARE_DYNAMIC_CLASS(CQuorvelDoc);
};

// The document manager: one document type, one document for the run, and the Open command,
// which reads into the same document rather than replacing it.
class CQuorvelDocManager : public wxDocManager {
public:
    static constexpr int kRecentFiles = 4;

    CQuorvelDocManager();

    // The main window, the parent of the open dialog.
    wxFrame* frame() const { return frame_; }
    void setFrame(wxFrame* frame) { frame_ = frame; }
    CQuorvelDoc* document() const;

    // Ctrl+O: the open dialog, then the document's open.
    void onOpen(wxCommandEvent& event);

    wxFileHistory* OnCreateFileHistory() override;

private:
    wxFrame* frame_ = nullptr;
};
