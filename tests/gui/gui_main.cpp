// Starts a wx application without a main window, then runs the GUI tests inside it.

#include <gtest/gtest.h>
#include <wx/wx.h>

namespace {
class GuiTestApp : public wxApp {
public:
    bool OnInit() override { return true; }
};
} // namespace

wxIMPLEMENT_APP_NO_MAIN(GuiTestApp);

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    wxApp::SetInstance(new GuiTestApp);
    int wxArgc = 1;
    char* wxArgv[] = {argv[0], nullptr};
    if (!wxEntryStart(wxArgc, wxArgv)) {
        std::fprintf(stderr, "cannot start the windowing toolkit (no display?)\n");
        return 1;
    }
    wxTheApp->CallOnInit();
    const int result = RUN_ALL_TESTS();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return result;
}
