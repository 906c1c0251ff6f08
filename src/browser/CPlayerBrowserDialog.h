#pragma once
// "Player Browser": a sorted, country-filtered list of players and the figures of the selected
// one. A display name given at construction is selected (when the filter lists it) whenever the
// list is filled. Enter reads every box back (the values are thrown away) and closes only when
// all pass; "Close" and Escape close at once. Nothing in the database changes.

#include <functional>
#include <map>
#include <string>

#include "browser/player_browser.h"
#include "ui/CTemplateDialog.h"

class wxListBox;
class wxTextCtrl;

class CPlayerBrowserDialog : public CTemplateDialog {
public:
    static constexpr int kFilterId = 1121;

    CPlayerBrowserDialog(wxWindow* parent, const quorvel::PlayerDatabase& database,
                         const std::string& preselect = {});

    const quorvel::PlayerBrowser& browser() const { return browser_; }

    // How "Filter" asks for a new country mask (by default the Player Filter dialog, run
    // modally).
    void setFilterRunner(std::function<std::int32_t(std::int32_t)> runner);

private:
    void build(const quorvel::PlayerDatabase& database);
    void showList();
    void showFields();
    void onSelection(wxCommandEvent& event);
    void onFilter(wxCommandEvent& event);

protected:
    // Enter reads every box back; the dialog closes only when all pass.
    void onEnter() override;

private:
    quorvel::PlayerBrowser browser_;
    std::function<std::int32_t(std::int32_t)> runFilter_;
    wxListBox* list_ = nullptr;
    std::map<int, wxTextCtrl*> boxes_;
};
