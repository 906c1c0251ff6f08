#include "setup/CSelectTeamsDialog.h"

#include <algorithm>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/listbox.h>
#include <wx/textctrl.h>

#include "browser/CPlayerBrowserDialog.h"
#include "browser/CPlayerFilterDialog.h"
#include "ui/CAccessible.h"

using quorvel::ListBoxModel;
using quorvel::TeamSide;

namespace {

constexpr int kSideListHeight = 91;

wxComboBox* makeNameBox(wxWindow* parent, int id) {
    // The nine country names, alphabetical (they are also the names "Select" knows).
    wxArrayString countries;
    for (int k = 0; k < quorvel::kCountryCount; ++k)
        countries.push_back(toWx(std::string(quorvel::countryNameAt(k))));
    countries.Sort();
    return new wxComboBox(parent, id, wxEmptyString, wxDefaultPosition, wxDefaultSize, countries,
                          wxCB_DROPDOWN);
}

// Shows a list model in its list box: entries in the model's order, the model's selection. The
// list keeps its place: the row at its top stays there when it can.
void showModel(wxListBox* box, const ListBoxModel& model) {
    wxArrayString rows;
    rows.reserve(model.count());
    for (const std::string& entry : model.entries())
        rows.push_back(toWx(entry));
    const int top = box->IsEmpty() ? 0 : box->GetTopItem();
    box->Set(rows);
    if (top > 0 && !rows.empty())
        box->SetFirstItem(std::min(top, static_cast<int>(rows.size()) - 1));
    for (const int position : model.selection())
        box->SetSelection(position);
}

// The texts of a list's selected rows.
std::vector<std::string> selectedTexts(const wxListBox* box) {
    wxArrayInt selected;
    box->GetSelections(selected);
    std::vector<std::string> texts;
    for (const int row : selected)
        texts.push_back(fromWx(box->GetString(static_cast<unsigned>(row))));
    return texts;
}

// Scrolls a list so that the rows just moved into it are in view.
void showMoved(wxListBox* box, const std::vector<std::string>& moved) {
    for (auto text = moved.rbegin(); text != moved.rend(); ++text)
        if (const int row = box->FindString(toWx(*text), true); row != wxNOT_FOUND)
            box->EnsureVisible(row);
}

// Copies a list box's selection into its model.
void takeSelection(wxListBox* box, ListBoxModel& model) {
    model.clearSelection();
    wxArrayInt selected;
    box->GetSelections(selected);
    model.select(std::vector<int>(selected.begin(), selected.end()));
}

TeamSide sideOfId(int id) {
    switch (id) {
    case CSelectTeamsDialog::kLeftNameId:
    case CSelectTeamsDialog::kLeftListId:
    case CSelectTeamsDialog::kLeftSelectId:
    case CSelectTeamsDialog::kLeftHintsId:
    case CSelectTeamsDialog::kLeftToPoolId:
    case CSelectTeamsDialog::kPoolToLeftId:
        return TeamSide::Left;
    default:
        return TeamSide::Right;
    }
}

} // namespace

CSelectTeamsDialog::CSelectTeamsDialog(wxWindow* parent, quorvel::Scores& scores,
                                       const quorvel::PlayerDatabase& database)
    : CTemplateDialog(parent, "Select Teams", 293, 166, wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX),
      scores_(scores), database_(database), selection_(database) {
    runFilter_ = [this](std::int32_t mask) {
        CPlayerFilterDialog filter(this, mask);
        filter.ShowModal();
        return filter.resultMask();
    };
    runBrowser_ = [this](const std::string& displayName) {
        CPlayerBrowserDialog browser(this, database_, displayName);
        browser.ShowModal();
    };
    build();
    nameForAssistiveTechnology();
    showSelection();
}

// Writes the whole selection to the controls: both names, the "Computer" boxes, the lists and OK.
void CSelectTeamsDialog::showSelection() {
    showing_ = true;
    leftName_->ChangeValue(toWx(selection_.name(TeamSide::Left)));
    rightName_->ChangeValue(toWx(selection_.name(TeamSide::Right)));
    showing_ = false;
    showChecks();
    showLists();
    showOk();
}

void CSelectTeamsDialog::setFilterRunner(std::function<std::int32_t(std::int32_t)> runner) {
    runFilter_ = std::move(runner);
}

void CSelectTeamsDialog::setBrowserRunner(std::function<void(const std::string&)> runner) {
    runBrowser_ = std::move(runner);
}

void CSelectTeamsDialog::build() {
    leftName_ = makeNameBox(this, kLeftNameId);
    place(leftName_, 7, 7, 90, 12);
    rightName_ = makeNameBox(this, kRightNameId);
    place(rightName_, 196, 7, 90, 12);

    const long sideStyle = wxLB_EXTENDED | wxLB_NEEDED_SB;
    leftList_ =
        new wxListBox(this, kLeftListId, wxDefaultPosition, wxDefaultSize, 0, nullptr, sideStyle);
    // The side lists stop above the "Select" buttons (the buttons would otherwise cover their
    // last entry).
    place(leftList_, 7, 24, 90, kSideListHeight);
    playerList_ = new wxListBox(this, kPlayerListId, wxDefaultPosition, wxDefaultSize, 0, nullptr,
                                wxLB_EXTENDED | wxLB_ALWAYS_SB);
    place(playerList_, 101, 24, 90, 91);
    rightList_ =
        new wxListBox(this, kRightListId, wxDefaultPosition, wxDefaultSize, 0, nullptr, sideStyle);
    place(rightList_, 195, 24, 90, kSideListHeight);

    auto button = [this](int id, const char* text, int x, int y, int width) {
        auto* b = new wxButton(this, id, text, wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT);
        place(b, x, y, width, 12);
        return b;
    };
    button(kLeftSelectId, "Select", 67, 116, 30)
        ->Bind(wxEVT_BUTTON, &CSelectTeamsDialog::onSelect, this);
    button(kRightSelectId, "Select", 196, 116, 30)
        ->Bind(wxEVT_BUTTON, &CSelectTeamsDialog::onSelect, this);

    listedCount_ = new wxTextCtrl(this, kListedCountId, wxEmptyString, wxDefaultPosition,
                                  wxDefaultSize, wxTE_READONLY | wxTE_RIGHT);
    place(listedCount_, 166, 115, 25, 12);
    listedCount_->Hide();

    leftComputer_ = new wxCheckBox(this, kLeftComputerId, "Computer");
    place(leftComputer_, 7, 129, 45, 12);
    button(kLeftHintsId, "Hints...", 67, 129, 30)
        ->Bind(wxEVT_BUTTON, &CSelectTeamsDialog::onHints, this);
    button(kLeftToPoolId, ">", 101, 129, 14)
        ->Bind(wxEVT_BUTTON, &CSelectTeamsDialog::onMoveToPool, this);
    button(kPoolToLeftId, "<", 115, 129, 14)
        ->Bind(wxEVT_BUTTON, &CSelectTeamsDialog::onMoveToTeam, this);
    button(kFilterId, "Filter", 133, 129, 26)
        ->Bind(wxEVT_BUTTON, &CSelectTeamsDialog::onFilter, this);
    button(kPoolToRightId, ">", 163, 129, 14)
        ->Bind(wxEVT_BUTTON, &CSelectTeamsDialog::onMoveToTeam, this);
    button(kRightToPoolId, "<", 177, 129, 14)
        ->Bind(wxEVT_BUTTON, &CSelectTeamsDialog::onMoveToPool, this);
    button(kRightHintsId, "Hints...", 196, 129, 30)
        ->Bind(wxEVT_BUTTON, &CSelectTeamsDialog::onHints, this);
    // The right box has its text to the left of the box.
    rightComputer_ = new wxCheckBox(this, kRightComputerId, "Computer", wxDefaultPosition,
                                    wxDefaultSize, wxALIGN_RIGHT);
    place(rightComputer_, 241, 129, 45, 12);
    // A check box narrower or lower than its text and box needs makes the toolkit complain:
    // each gets at least that room, the right one growing leftwards from its right edge.
    for (wxCheckBox* box : {leftComputer_, rightComputer_}) {
        const wxSize needed = box->GetBestSize();
        wxRect at = box->GetRect();
        if (needed.GetWidth() > at.GetWidth()) {
            if (box == rightComputer_)
                at.SetX(at.GetRight() + 1 - needed.GetWidth());
            at.SetWidth(needed.GetWidth());
        }
        at.SetHeight(std::max(at.GetHeight(), needed.GetHeight()));
        box->SetSize(at);
    }

    lastTeams_ = button(kLastTeamsId, "&Last Teams", 7, 147, 50);
    lastTeams_->Bind(wxEVT_BUTTON, &CSelectTeamsDialog::onLastTeams, this);
    lastTeams_->Disable();

    ok_ = new wxButton(this, wxID_OK, "OK");
    place(ok_, 250, 147, 35, 12);
    ok_->SetDefault();

    leftName_->Bind(wxEVT_TEXT, &CSelectTeamsDialog::onNameEdited, this);
    rightName_->Bind(wxEVT_TEXT, &CSelectTeamsDialog::onNameEdited, this);
    leftComputer_->Bind(wxEVT_CHECKBOX, &CSelectTeamsDialog::onComputer, this);
    rightComputer_->Bind(wxEVT_CHECKBOX, &CSelectTeamsDialog::onComputer, this);
    // Only a double-click opens the browser; Enter in any list means OK, as anywhere else.
    watchActivation(playerList_, [this](int row) { browse(row); });
    watchActivation(leftList_);
    watchActivation(rightList_);
    for (wxListBox* list : {leftList_, playerList_, rightList_})
        enablePrefixSearch(list);
    ok_->Bind(wxEVT_BUTTON, &CSelectTeamsDialog::onOk, this);
}

void CSelectTeamsDialog::nameForAssistiveTechnology() {
    const struct {
        int id;
        const char* name;
    } names[] = {
        {kLeftNameId, "Left side name"},
        {kRightNameId, "Right side name"},
        {kLeftListId, "Left side players"},
        {kPlayerListId, "Available players"},
        {kRightListId, "Right side players"},
        {kLeftSelectId, "Select the left side's predefined team"},
        {kRightSelectId, "Select the right side's predefined team"},
        {kLeftComputerId, "Computer captains the left side"},
        {kRightComputerId, "Computer captains the right side"},
        {kLeftHintsId, "Hints for the left side"},
        {kRightHintsId, "Hints for the right side"},
        {kLeftToPoolId, "Move from the left side to the available players"},
        {kPoolToLeftId, "Move to the left side"},
        {kPoolToRightId, "Move to the right side"},
        {kRightToPoolId, "Move from the right side to the available players"},
        {kFilterId, "Filter the available players by country"},
    };
    for (const auto& one : names)
        if (wxWindow* control = FindWindow(one.id))
            setAccessibleName(control, one.name);
}

ListBoxModel& CSelectTeamsDialog::modelOf(int listId) {
    if (listId == kLeftListId)
        return selection_.teamList(TeamSide::Left);
    if (listId == kRightListId)
        return selection_.teamList(TeamSide::Right);
    return selection_.playerList();
}

wxListBox* CSelectTeamsDialog::listOf(int listId) const {
    if (listId == kLeftListId)
        return leftList_;
    if (listId == kRightListId)
        return rightList_;
    return playerList_;
}

void CSelectTeamsDialog::showLists() {
    for (const int id : {kLeftListId, kPlayerListId, kRightListId})
        showModel(listOf(id), modelOf(id));
    listedCount_->ChangeValue(toWx(quorvel::formatInteger(selection_.listedCount())));
}

void CSelectTeamsDialog::showChecks() {
    leftComputer_->SetValue(selection_.isComputer(TeamSide::Left));
    rightComputer_->SetValue(selection_.isComputer(TeamSide::Right));
}

void CSelectTeamsDialog::showOk() { ok_->Enable(selection_.okEnabled()); }

void CSelectTeamsDialog::takeSelections() {
    for (const int id : {kLeftListId, kPlayerListId, kRightListId})
        takeSelection(listOf(id), modelOf(id));
}

void CSelectTeamsDialog::takeNames() {
    selection_.setName(TeamSide::Left, fromWx(leftName_->GetValue()));
    selection_.setName(TeamSide::Right, fromWx(rightName_->GetValue()));
}

void CSelectTeamsDialog::onNameEdited(wxCommandEvent& event) {
    if (showing_)
        return;
    auto* box = event.GetId() == kLeftNameId ? leftName_ : rightName_;
    const auto failure = selection_.nameEdited(sideOfId(event.GetId()), fromWx(box->GetValue()));
    showOk();
    if (failure)
        showMessage(*failure);
}

void CSelectTeamsDialog::onMoveToTeam(wxCommandEvent& event) {
    takeSelections();
    const bool left = event.GetId() == kPoolToLeftId;
    const std::vector<std::string> moving = selectedTexts(playerList_);
    // A move past eleven players is refused silently.
    const bool moved = selection_.moveToTeam(left ? TeamSide::Left : TeamSide::Right);
    showLists();
    if (moved)
        showMoved(left ? leftList_ : rightList_, moving);
    showOk();
}

void CSelectTeamsDialog::onMoveToPool(wxCommandEvent& event) {
    takeSelections();
    const bool left = event.GetId() == kLeftToPoolId;
    const std::vector<std::string> moving = selectedTexts(left ? leftList_ : rightList_);
    selection_.moveToPool(left ? TeamSide::Left : TeamSide::Right);
    showLists();
    showMoved(playerList_, moving);
    showOk();
}

void CSelectTeamsDialog::onSelect(wxCommandEvent& event) {
    takeNames();
    const auto message = selection_.selectPredefinedTeam(sideOfId(event.GetId()));
    showLists();
    showOk();
    if (message)
        showMessage(*message);
}

void CSelectTeamsDialog::onComputer(wxCommandEvent&) {
    selection_.toggleComputer();
    showChecks();
}

void CSelectTeamsDialog::onHints(wxCommandEvent& event) {
    showMessage(toWx(selection_.balanceHint(sideOfId(event.GetId()))));
}

void CSelectTeamsDialog::onFilter(wxCommandEvent&) {
    takeSelections();
    selection_.applyFilter(runFilter_(selection_.countryMask()));
    showLists();
    showOk();
}

void CSelectTeamsDialog::browse(int row) {
    if (row < 0 || row >= static_cast<int>(playerList_->GetCount()))
        return;
    runBrowser_(fromWx(playerList_->GetString(row)));
}

void CSelectTeamsDialog::setLastTeams(const std::array<std::string, 2>& texts) {
    lastTeamTexts_ = texts;
    lastTeams_->Enable(!texts[0].empty() && !texts[1].empty());
}

void CSelectTeamsDialog::onLastTeams(wxCommandEvent&) {
    std::array<quorvel::RememberedSide, 2> sides;
    for (std::size_t i = 0; i < sides.size(); ++i) {
        const auto side = quorvel::parseRememberedSide(lastTeamTexts_[i]);
        if (!side) {
            showMessage("The last teams kept in the settings cannot be read.");
            return;
        }
        sides[i] = *side;
    }
    const auto message = selection_.restoreSides(sides);
    showSelection();
    if (message)
        showMessage(*message);
}

void CSelectTeamsDialog::onOk(wxCommandEvent&) {
    takeNames();
    const auto outcome = selection_.accept(scores_);
    showOk();
    if (outcome.message) {
        showMessage(*outcome.message);
        return;
    }
    if (outcome.accepted)
        finish(wxID_OK);
}
