#pragma once
// "Select Teams": the user names both sides, fills each with eleven players (by hand from the
// middle list, or a country's predefined eleven with "Select"), decides with the coupled
// "Computer" boxes which side the computer captains, and may ask for balance hints.
//
// ShowModal() returns wxID_OK only after both teams of `scores` were written (name, computer
// flag, eleven ids; the left side is teams[0]); the caller then retitles its document. Any other
// result (Escape, the close box) abandons the new match and leaves `scores` untouched.
// The dialog only mirrors a TeamSelection (setup/team_selection.h), which holds every rule.

#include <array>
#include <functional>
#include <string>

#include "records/player_database.h"
#include "records/scores.h"
#include "setup/team_selection.h"
#include "ui/CTemplateDialog.h"

class wxButton;
class wxCheckBox;
class wxComboBox;
class wxListBox;
class wxTextCtrl;

class CSelectTeamsDialog : public CTemplateDialog {
public:
    static constexpr int kLeftNameId = 1071;
    static constexpr int kRightNameId = 1072;
    static constexpr int kLeftListId = 1032;
    static constexpr int kPlayerListId = 1000;
    static constexpr int kRightListId = 1033;
    static constexpr int kLeftSelectId = 1128;
    static constexpr int kRightSelectId = 1130;
    static constexpr int kListedCountId = 1129;
    static constexpr int kLeftComputerId = 1073;
    static constexpr int kLeftHintsId = 1126;
    static constexpr int kLeftToPoolId = 1035;
    static constexpr int kPoolToLeftId = 1036;
    static constexpr int kFilterId = 1121;
    static constexpr int kPoolToRightId = 1037;
    static constexpr int kRightToPoolId = 1038;
    static constexpr int kRightHintsId = 1127;
    static constexpr int kRightComputerId = 1074;
    // Puts back the sides accepted last time (enabled when the settings keep them).
    static constexpr int kLastTeamsId = 1131;

    CSelectTeamsDialog(wxWindow* parent, quorvel::Scores& scores,
                       const quorvel::PlayerDatabase& database);

    const quorvel::TeamSelection& selection() const { return selection_; }

    // The last accepted sides as the settings keep them (left, right); "Last Teams" puts them
    // back. Empty texts: there are none, and the button stays disabled.
    void setLastTeams(const std::array<std::string, 2>& texts);

    // How "Filter" asks for a new country mask (by default the Player Filter dialog, run
    // modally) and how a double-click shows a player (by default the Player Browser).
    void setFilterRunner(std::function<std::int32_t(std::int32_t)> runner);
    void setBrowserRunner(std::function<void(const std::string&)> runner);

private:
    void build();
    // What a screen reader reads for each control: the two sides' lists, boxes and buttons
    // told apart by name.
    void nameForAssistiveTechnology();
    // Shows the model in the controls (lists, names, boxes, count, OK).
    void showSelection();
    void showLists();
    void showChecks();
    void showOk();
    // Copies the controls' selections into the model.
    void takeSelections();
    // Reads the name boxes into the model.
    void takeNames();
    quorvel::ListBoxModel& modelOf(int listId);
    wxListBox* listOf(int listId) const;

    void onNameEdited(wxCommandEvent& event);
    void onMoveToTeam(wxCommandEvent& event);
    void onMoveToPool(wxCommandEvent& event);
    void onSelect(wxCommandEvent& event);
    void onComputer(wxCommandEvent& event);
    void onHints(wxCommandEvent& event);
    void onFilter(wxCommandEvent& event);
    void browse(int row);
    void onOk(wxCommandEvent& event);
    void onLastTeams(wxCommandEvent& event);

    quorvel::Scores& scores_;
    const quorvel::PlayerDatabase& database_;
    quorvel::TeamSelection selection_;
    std::function<std::int32_t(std::int32_t)> runFilter_;
    std::function<void(const std::string&)> runBrowser_;
    bool showing_ = false;

    wxComboBox* leftName_ = nullptr;
    wxComboBox* rightName_ = nullptr;
    wxListBox* leftList_ = nullptr;
    wxListBox* playerList_ = nullptr;
    wxListBox* rightList_ = nullptr;
    wxTextCtrl* listedCount_ = nullptr;
    wxCheckBox* leftComputer_ = nullptr;
    wxCheckBox* rightComputer_ = nullptr;
    wxButton* ok_ = nullptr;
    wxButton* lastTeams_ = nullptr;
    std::array<std::string, 2> lastTeamTexts_;
};
