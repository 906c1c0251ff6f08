#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/msgdlg.h>
#include <wx/testing.h>

// The harness itself: a real window can be created and a modal box answered.
TEST(GuiHarness, ShowsAWindowAndAnswersAModalBox) {
    auto* frame = new wxFrame(nullptr, wxID_ANY, "Harness");
    frame->Show();
    wxTEST_DIALOG(wxMessageBox("Hello", "Quorvel", wxOK | wxICON_EXCLAMATION, frame),
                  wxExpectModal<wxMessageDialog>(wxID_OK));
    EXPECT_EQ(frame->GetTitle(), "Harness");
    frame->Destroy();
}
