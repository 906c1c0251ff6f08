#include "shell/CQuorvelApp.h"

#include <cstdio>
#include <filesystem>

#include <wx/config.h>
#include <wx/fileconf.h>
#include <wx/filehistory.h>
#include <wx/iconbndl.h>
#include <wx/msgdlg.h>

#include "common/desktop_places.h"
#include "records/player_database.h"
#include "shell/CAboutDialog.h"
#include "shell/CMainFrame.h"
#include "shell/CQuorvelDoc.h"
#include "shell/CQuorvelView.h"
#include "ui/CUiSupport.h"

namespace {

// The database is repaired and loaded during static initialisation, before the application
// object runs any of its own start-up and before any window exists. What the repair could not
// do waits to be shown over the first window.
std::string startUpNotice;
const bool databaseLoaded = [] {
    quorvel::startUpPlayerDatabase(quorvel::playerDatabase(), "players.dat", &startUpNotice);
    return true;
}();

std::string& noPlayersMessage() {
    static std::string text;
    return text;
}

// The settings file under $XDG_CONFIG_HOME/quorvel, begun once from ~/.Quorvel where earlier
// versions kept it; the platform's default place only when neither HOME nor XDG_CONFIG_HOME is
// set. A settings file that cannot be made leaves the defaults in use, said on standard error.
wxConfigBase* settingsStore() {
    if (wxConfigBase* existing = wxConfigBase::Get(false))
        return existing;
    const std::filesystem::path file = quorvel::settingsFile();
    if (file.empty()) {
        wxConfigBase::Set(
            new wxConfig(quorvel::settings::kApplication, quorvel::settings::kVendor));
        return wxConfigBase::Get(false);
    }
    if (auto problem = quorvel::prepareSettingsFile(file, quorvel::earlierSettingsFile()))
        std::fprintf(stderr, "quorvel: %s\n", problem->c_str());
    wxConfigBase::Set(new wxFileConfig(quorvel::settings::kApplication, quorvel::settings::kVendor,
                                       wxString::FromUTF8(file.string()), wxString(),
                                       wxCONFIG_USE_LOCAL_FILE));
    return wxConfigBase::Get(false);
}

void readSettings(QuorvelShell& shell) {
    wxConfigBase* config = settingsStore();
    config->SetPath(quorvel::settings::kSettingsSection);
    shell.previewPages = config->ReadLong(quorvel::settings::kPreviewPages, 0);
    config->SetPath(quorvel::settings::kRecentFileSection);
    // Oldest first, so that the history ends in the order it was written.
    for (int i = CQuorvelDocManager::kRecentFiles; i >= 1; --i) {
        wxString path;
        if (config->Read(wxString::Format(quorvel::settings::kRecentFileEntry, i), &path) &&
            !path.empty())
            shell.manager->AddFileToHistory(path);
    }
    config->SetPath("/");
}

void writeSettings(const QuorvelShell& shell) {
    wxConfigBase* config = settingsStore();
    config->SetPath(quorvel::settings::kSettingsSection);
    config->Write(quorvel::settings::kPreviewPages, shell.previewPages);
    config->SetPath(quorvel::settings::kRecentFileSection);
    const wxFileHistory* history = shell.manager->GetFileHistory();
    for (int i = 1; i <= CQuorvelDocManager::kRecentFiles; ++i) {
        const wxString key = wxString::Format(quorvel::settings::kRecentFileEntry, i);
        if (history != nullptr && static_cast<size_t>(i) <= history->GetCount())
            config->Write(key, history->GetHistoryFile(i - 1));
        else
            config->DeleteEntry(key, false);
    }
    config->SetPath("/");
    config->Flush();
}

} // namespace

void setNoPlayersMessage(const std::string& text) { noPlayersMessage() = text; }

QuorvelShell startQuorvelShell(const wxString& matchPath) {
    (void)databaseLoaded;
    QuorvelShell shell;
    auto* manager = new CQuorvelDocManager;
    new wxDocTemplate(manager, "Quorvel Files (*.quo)", "*.quo", wxString(), "quo",
                      "Quorvel.Document", "Quorvel Document", CLASSINFO(CQuorvelDoc),
                      CLASSINFO(CQuorvelView));
    manager->SetMaxDocsOpen(1);
    shell.manager = manager;
    readSettings(shell);

    auto* frame = new CMainFrame(manager);
    {
        // Every size a desktop asks for: title bar, task switcher, dock.
        wxIconBundle icons;
        for (int size : {16, 24, 32, 48, 64, 128, 256}) {
            wxIcon icon;
            icon.CopyFromBitmap(quorvelIconBitmap(size));
            icons.AddIcon(icon);
        }
        frame->SetIcons(icons);
    }
    manager->setFrame(frame);
    shell.frame = frame;

    wxDocument* doc = manager->CreateDocument(wxString(), wxDOC_NEW);
    auto* ours = dynamic_cast<CQuorvelDoc*>(doc);
    if (ours == nullptr || CQuorvelView::of(ours) == nullptr) {
        wxMessageBox("Failed to create empty document.", kAppName, wxOK | wxICON_EXCLAMATION);
        frame->Destroy();
        delete manager;
        return {};
    }
    CQuorvelView::of(ours)->initialUpdate();
    if (!matchPath.empty() && !ours->openMatch(matchPath)) {
        frame->Destroy();
        delete manager;
        return {};
    }
    frame->Show();
    frame->Update();
    frame->focusForm();
    if (!startUpNotice.empty()) {
        showMessageBox(frame, toWx(startUpNotice), wxICON_EXCLAMATION);
        startUpNotice.clear();
    }
    // Never empty player lists without a word: where players.dat was looked for.
    if (quorvel::playerDatabase().count() == 0 && !noPlayersMessage().empty())
        showMessageBox(frame, wxString::FromUTF8(noPlayersMessage()), wxICON_EXCLAMATION);
    return shell;
}

void stopQuorvelShell(QuorvelShell& shell) {
    if (shell.manager == nullptr)
        return;
    writeSettings(shell);
    delete shell.manager;
    shell = {};
}

bool CQuorvelApp::OnInit() {
    SetAppName(quorvel::settings::kApplication);
    SetVendorName(quorvel::settings::kVendor);
    SetAppDisplayName(kAppName);
    wxString matchPath;
    if (argc > 1)
        matchPath = argv[1];
    shell_ = startQuorvelShell(matchPath);
    return static_cast<bool>(shell_);
}

int CQuorvelApp::OnExit() {
    stopQuorvelShell(shell_);
    delete wxConfigBase::Set(nullptr);
    return wxApp::OnExit();
}
