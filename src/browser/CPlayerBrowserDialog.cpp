#include "browser/CPlayerBrowserDialog.h"

#include <set>

#include <wx/button.h>
#include <wx/listbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "browser/CPlayerFilterDialog.h"
#include "ui/CAccessible.h"

namespace {

// Where each box stands, in dialog units, and the label above a figure box.
struct BoxPlace {
    int id;
    int x, y, width, height;
    const char* label;
    const char* meaning; // what a screen reader calls the box
};

constexpr int kBattingLabelY = 76;
constexpr int kBowlingLabelY = 108;

constexpr BoxPlace kPlaces[] = {
    {1002, 114, 7, 160, 12, nullptr, "Name"},
    {1005, 114, 22, 160, 12, nullptr, "Country"},
    {1003, 114, 37, 160, 12, nullptr, "Batting hand"},
    {1004, 114, 52, 160, 12, nullptr, "Bowling style"},
    {1006, 114, 87, 20, 12, "M", "Matches"},
    {1007, 134, 87, 20, 12, "I", "Innings"},
    {1009, 154, 87, 25, 12, "R", "Runs"},
    {1008, 179, 87, 15, 12, "NO", "Not outs"},
    {1011, 194, 87, 20, 12, "Avg", "Batting average"},
    {1010, 214, 87, 20, 12, "HS", "Highest score"},
    {1012, 234, 87, 20, 12, "100", "Hundreds"},
    {1013, 254, 87, 20, 12, "50", "Fifties"},
    {1014, 114, 120, 20, 12, "O", "Overs"},
    {1015, 134, 120, 15, 12, "M", "Maidens"},
    {1016, 149, 120, 25, 12, "R", "Runs conceded"},
    {1017, 174, 120, 20, 12, "W", "Wickets"},
    {1018, 194, 120, 20, 12, "Avg", "Bowling average"},
    {1019, 214, 120, 20, 12, "Best", "Best bowling"},
    {1020, 234, 120, 20, 12, "SR", "Bowling strike rate"},
    {1021, 254, 120, 20, 12, "Eco", "Economy rate"},
    {quorvel::PlayerBrowser::kListedCountId, 83, 134, 25, 12, nullptr, "Players listed"},
};

// A text box with the toolkit's inner padding trimmed: the figure boxes are only 15 to 25
// dialog units wide, drawn for a platform whose boxes had next to no padding, and the
// figures must not be clipped.
class CompactTextCtrl : public wxTextCtrl {
public:
    CompactTextCtrl(wxWindow* parent, int id, long style)
        : wxTextCtrl(parent, id, wxEmptyString, wxDefaultPosition, wxDefaultSize, style) {
#ifdef __WXGTK3__
        GTKApplyCssStyle("*{padding-left:1px;padding-right:1px;min-height:0;}");
#endif
    }
};

// The figure boxes are 15 to 25 dialog units wide, drawn for a smaller font than the desktop's.
// When the database holds a figure wider than its box, every figure box takes a font just small
// enough for all of them to show whole. Only each box's longest texts (by characters) are
// measured: the widest figure is among them.
void fitFigureFont(const std::map<int, wxTextCtrl*>& boxes,
                   const quorvel::PlayerDatabase& database) {
    std::map<int, std::set<std::string>> longest;
    for (std::int32_t id = 0; id < database.count(); ++id) {
        const quorvel::Player* player = database.findById(id);
        if (player == nullptr)
            continue;
        for (const auto& [boxId, box] : boxes) {
            std::string text = quorvel::figureText(*player, boxId);
            if (text.empty())
                continue;
            std::set<std::string>& texts = longest[boxId];
            if (!texts.empty() && texts.begin()->size() > text.size())
                continue;
            if (!texts.empty() && texts.begin()->size() < text.size())
                texts.clear();
            texts.insert(std::move(text));
        }
    }
    if (longest.empty())
        return;
    wxFont font = boxes.at(longest.begin()->first)->GetFont();
    const auto allFit = [&] {
        for (const auto& [boxId, texts] : longest) {
            const wxTextCtrl* box = boxes.at(boxId);
            const int room = box->GetSize().GetWidth() - box->FromDIP(6);
            for (const std::string& text : texts) {
                int width = 0;
                box->GetTextExtent(toWx(text), &width, nullptr, nullptr, nullptr, &font);
                if (width > room)
                    return false;
            }
        }
        return true;
    };
    const wxFont original = font;
    while (!allFit() && font.GetFractionalPointSize() > 6)
        font.SetFractionalPointSize(font.GetFractionalPointSize() - 0.5);
    if (font == original)
        return;
    for (const auto& [boxId, texts] : longest)
        boxes.at(boxId)->SetFont(font);
}

const BoxPlace* placeOf(int id) {
    for (const BoxPlace& place : kPlaces) {
        if (place.id == id)
            return &place;
    }
    return nullptr;
}

} // namespace

CPlayerBrowserDialog::CPlayerBrowserDialog(wxWindow* parent,
                                           const quorvel::PlayerDatabase& database,
                                           const std::string& preselect)
    : CTemplateDialog(parent, "Player Browser", 281, 162, wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX),
      browser_(database) {
    if (!preselect.empty())
        browser_.preselectPlayer(preselect);
    runFilter_ = [this](std::int32_t mask) {
        CPlayerFilterDialog filter(this, mask);
        filter.ShowModal();
        return filter.resultMask();
    };
    build(database);
    browser_.refillPlayerList();
    showList();
    showFields();
}

void CPlayerBrowserDialog::setFilterRunner(std::function<std::int32_t(std::int32_t)> runner) {
    runFilter_ = std::move(runner);
}

void CPlayerBrowserDialog::build(const quorvel::PlayerDatabase& database) {
    list_ = new wxListBox(this, quorvel::PlayerBrowser::kPlayerListId, wxDefaultPosition,
                          wxDefaultSize, 0, nullptr, wxLB_SINGLE | wxLB_ALWAYS_SB);
    place(list_, 7, 7, 101, 126);
    setAccessibleName(list_, "Players");
    list_->Bind(wxEVT_LISTBOX, &CPlayerBrowserDialog::onSelection, this);
    // Enter on a selected row reads the boxes back and closes, as Enter anywhere else does.
    watchActivation(list_);
    enablePrefixSearch(list_);

    for (const quorvel::PlayerBrowser::Box& box : quorvel::PlayerBrowser::boxes()) {
        const BoxPlace* where = placeOf(box.controlId);
        if (where == nullptr)
            continue;
        const bool heading = where->y < kBattingLabelY && where->label == nullptr;
        auto* text = new CompactTextCtrl(this, box.controlId, heading ? wxTE_RIGHT : wxTE_LEFT);
        if (box.kind == quorvel::PlayerBrowser::BoxKind::Text)
            text->SetMaxLength(static_cast<unsigned long>(box.maxChars));
        place(text, where->x, where->y, where->width, where->height);
        if (where->label != nullptr) {
            const int labelY = where->y < kBowlingLabelY ? kBattingLabelY : kBowlingLabelY;
            auto* label = new wxStaticText(this, wxID_STATIC, where->label);
            place(label, where->x, labelY, where->width, 9);
            setAccessibleLabel(text, label);
        }
        setAccessibleName(text, where->meaning);
        if (box.controlId == quorvel::PlayerBrowser::kListedCountId)
            text->Hide();
        boxes_[box.controlId] = text;
    }

    fitFigureFont(boxes_, database);

    auto* filter = new wxButton(this, kFilterId, "Filter");
    place(filter, 7, 136, 30, 12);
    filter->Bind(wxEVT_BUTTON, &CPlayerBrowserDialog::onFilter, this);
    auto* close = new wxButton(this, wxID_CANCEL, "Close");
    place(close, 239, 141, 35, 14);
    close->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { finish(wxID_CANCEL); });
    list_->SetFocus();
}

void CPlayerBrowserDialog::showList() {
    const quorvel::ListBoxModel& model = browser_.playerList();
    wxArrayString rows;
    rows.reserve(model.count());
    for (const std::string& entry : model.entries())
        rows.push_back(toWx(entry));
    list_->Set(rows);
    const std::vector<int> selected = model.selection();
    if (!selected.empty()) {
        list_->SetSelection(selected.front());
        list_->EnsureVisible(selected.front());
    }
}

void CPlayerBrowserDialog::showFields() {
    for (const auto& [id, box] : boxes_)
        box->ChangeValue(toWx(browser_.controlText(id)));
}

void CPlayerBrowserDialog::onSelection(wxCommandEvent&) {
    const int row = list_->GetSelection();
    if (row == wxNOT_FOUND)
        return;
    browser_.selectEntry(row);
    showFields();
}

void CPlayerBrowserDialog::onFilter(wxCommandEvent&) {
    browser_.applyFilter(runFilter_(browser_.countryMask()));
    showList();
    showFields();
}

void CPlayerBrowserDialog::onEnter() {
    const auto message = browser_.readBack([this](int id) {
        const auto box = boxes_.find(id);
        return box == boxes_.end() ? std::string() : fromWx(box->second->GetValue());
    });
    if (message) {
        showMessage(*message);
        return;
    }
    finish(wxID_OK);
}
