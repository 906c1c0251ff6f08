#include "gui/gui_support.h"

#include <wx/combobox.h>
#include <wx/textctrl.h>
#include <wx/tglbtn.h>
#include <wx/wx.h>

#include "support/test_support.h"

namespace quorvel::gui {

namespace {
void failOnAssert(const wxString& file, int line, const wxString& func, const wxString& cond,
                  const wxString& msg) {
    ADD_FAILURE() << "wx assertion at " << file << ":" << line << " in " << func << ": " << cond
                  << " " << msg;
}
} // namespace

void DialogTest::SetUp() { wxSetAssertHandler(failOnAssert); }

void DialogTest::TearDown() {
    // Let destroyed windows go before the next test.
    wxTheApp->ProcessPendingEvents();
    wxTheApp->ProcessIdle();
}

const PlayerDatabase& DialogTest::database() {
    static const PlayerDatabase loaded = [] {
        PlayerDatabase db;
        db.assign(test::bundledPlayers());
        return db;
    }();
    return loaded;
}

void click(wxWindow* window, int id) {
    wxWindow* target = window->FindWindow(id);
    ASSERT_NE(target, nullptr) << "no control " << id;
    wxEventType type = wxEVT_BUTTON;
    if (auto* check = dynamic_cast<wxCheckBox*>(target)) {
        check->SetValue(!check->GetValue());
        type = wxEVT_CHECKBOX;
    } else if (auto* toggle = dynamic_cast<wxToggleButton*>(target)) {
        toggle->SetValue(!toggle->GetValue());
        type = wxEVT_TOGGLEBUTTON;
    }
    ASSERT_TRUE(target->IsEnabled()) << "control " << id << " is disabled";
    wxCommandEvent event(type, id);
    event.SetEventObject(target);
    if (type != wxEVT_BUTTON)
        event.SetInt(dynamic_cast<wxCheckBox*>(target)
                         ? dynamic_cast<wxCheckBox*>(target)->GetValue()
                         : dynamic_cast<wxToggleButton*>(target)->GetValue());
    target->ProcessWindowEvent(event);
}

void selectRows(wxListBox* list, const std::vector<int>& rows) {
    ASSERT_NE(list, nullptr);
    list->SetSelection(wxNOT_FOUND);
    for (const int row : rows)
        list->SetSelection(row);
    wxCommandEvent event(wxEVT_LISTBOX, list->GetId());
    event.SetEventObject(list);
    event.SetInt(rows.empty() ? -1 : rows.back());
    list->ProcessWindowEvent(event);
}

void doubleClickRow(wxListBox* list, int row) {
    ASSERT_NE(list, nullptr);
    list->SetSelection(row);
    // The second press of the double-click, the list's activation it brings, the release.
    wxMouseEvent press(wxEVT_LEFT_DOWN), release(wxEVT_LEFT_UP);
    press.SetEventObject(list);
    list->ProcessWindowEvent(press);
    wxCommandEvent event(wxEVT_LISTBOX_DCLICK, list->GetId());
    event.SetEventObject(list);
    event.SetInt(row);
    list->ProcessWindowEvent(event);
    release.SetEventObject(list);
    list->ProcessWindowEvent(release);
    wxTheApp->ProcessPendingEvents();
}

void typeInto(wxWindow* window, int id, const std::string& text) {
    wxWindow* target = window->FindWindow(id);
    ASSERT_NE(target, nullptr) << "no control " << id;
    auto* entry = dynamic_cast<wxTextEntry*>(target);
    ASSERT_NE(entry, nullptr) << "control " << id << " takes no text";
    entry->SetValue(wxString::FromUTF8(text)); // sends the text event
}

void pressKey(wxWindow* window, int keyCode) {
    wxKeyEvent event(wxEVT_CHAR_HOOK);
    event.m_keyCode = keyCode;
    event.SetEventObject(window);
    window->ProcessWindowEvent(event);
}

std::vector<std::string> rowsOf(const wxListBox* list) {
    std::vector<std::string> rows;
    for (unsigned i = 0; i < list->GetCount(); ++i)
        rows.push_back(list->GetString(i).ToStdString());
    return rows;
}

int rowOf(const wxListBox* list, const std::string& text) {
    for (unsigned i = 0; i < list->GetCount(); ++i) {
        if (list->GetString(i).ToStdString() == text)
            return static_cast<int>(i);
    }
    return -1;
}

std::string textOf(wxWindow* window, int id) {
    auto* entry = dynamic_cast<wxTextEntry*>(window->FindWindow(id));
    EXPECT_NE(entry, nullptr) << "control " << id << " shows no text";
    return entry ? entry->GetValue().ToStdString() : std::string();
}

void letDraw(int rounds) {
    for (int i = 0; i < rounds; ++i) {
        wxYield();
        wxMilliSleep(20);
    }
}

std::string screenGrabCommand(const wxRect& area, const std::string& file) {
    return "sh -c \"import -window root png:- | convert png:- -crop " + std::to_string(area.width) +
           "x" + std::to_string(area.height) + "+" + std::to_string(area.x) + "+" +
           std::to_string(area.y) + " +repage '" + file + "'\"";
}

int ExpectMessage::OnInvoked(wxMessageDialog* dialog) const {
    EXPECT_EQ(dialog->GetMessage().ToStdString(), text_);
    EXPECT_EQ(dialog->GetCaption().ToStdString(), "Quorvel");
    EXPECT_TRUE(dialog->GetMessageDialogStyle() & wxICON_EXCLAMATION);
    return wxID_OK;
}

} // namespace quorvel::gui
