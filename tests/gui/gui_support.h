#pragma once
// Helpers for the dialog tests: driving controls the way a user's click, selection or typing
// would (value changed, then the control's own event), answering modal runs, and the bundled
// player database.

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/listbox.h>
#include <wx/msgdlg.h>
#include <wx/testing.h>

#include "records/player_database.h"

namespace quorvel::gui {

// Turns wx assertion failures (among them an expected dialog that never opened) into test
// failures instead of message boxes.
class DialogTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The bundled database, loaded once.
    static const PlayerDatabase& database();
};

// The control with this id inside the window, of type T; a test failure when there is none.
template <class T> T* control(wxWindow* window, int id) {
    auto* found = dynamic_cast<T*>(window->FindWindow(id));
    EXPECT_NE(found, nullptr) << "no control " << id;
    return found;
}

// A click: buttons send their event; check boxes and toggle buttons flip first.
void click(wxWindow* window, int id);
// Selects exactly these rows of a list box, as the user would, and sends the list's event.
void selectRows(wxListBox* list, const std::vector<int>& rows);
// Double-clicks a row.
void doubleClickRow(wxListBox* list, int row);
// Replaces the text of a text or combo box as typing would (the text event is sent).
void typeInto(wxWindow* window, int id, const std::string& text);
// A key pressed while the dialog has the focus.
void pressKey(wxWindow* window, int keyCode);
// The rows of a list box.
std::vector<std::string> rowsOf(const wxListBox* list);
// The row whose text is exactly text, or -1.
int rowOf(const wxListBox* list, const std::string& text);
// The text of a text or combo box.
std::string textOf(wxWindow* window, int id);

// Answers a modal run of a T by calling drive(dialog); ShowModal returns what drive returns.
template <class T> class Drive : public wxExpectModalBase<T, Drive<T>> {
public:
    explicit Drive(std::function<int(T&)> drive) : drive_(std::move(drive)) {}

protected:
    int OnInvoked(T* dialog) const override { return drive_(*dialog); }

private:
    std::function<int(T&)> drive_;
};

// For screenshots: lets pending drawing happen (rounds yields, 20 ms apart), and the shell
// command that saves the part of the screen under area as the PNG file.
void letDraw(int rounds);
std::string screenGrabCommand(const wxRect& area, const std::string& file);

// Expects the game's message box with this text, caption "Quorvel" and the exclamation icon,
// and answers OK.
class ExpectMessage : public wxExpectModalBase<wxMessageDialog, ExpectMessage> {
public:
    explicit ExpectMessage(std::string text) : text_(std::move(text)) {}

protected:
    int OnInvoked(wxMessageDialog* dialog) const override;

private:
    std::string text_;
};

} // namespace quorvel::gui
