#include "browser/player_list.h"

#include <algorithm>
#include <map>

namespace quorvel {

namespace {

char foldCase(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Compares ignoring ASCII case: negative, zero or positive.
int compareNoCase(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto ca = static_cast<unsigned char>(foldCase(a[i]));
        const auto cb = static_cast<unsigned char>(foldCase(b[i]));
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           compareNoCase(text.substr(0, prefix.size()), prefix) == 0;
}

} // namespace

const std::string& ListBoxModel::text(int index) const {
    static const std::string none;
    return index >= 0 && index < count() ? entries_[index] : none;
}

bool ListBoxModel::sortsBefore(std::string_view a, std::string_view b) {
    const int folded = compareNoCase(a, b);
    return folded != 0 ? folded < 0 : a < b;
}

int ListBoxModel::add(std::string text) {
    auto at = entries_.end();
    if (order_ == Order::SortedNoCase)
        at = std::upper_bound(
            entries_.begin(), entries_.end(), text,
            [](const std::string& a, const std::string& b) { return sortsBefore(a, b); });
    const auto index = at - entries_.begin();
    entries_.insert(at, std::move(text));
    selected_.insert(selected_.begin() + index, false);
    return static_cast<int>(index);
}

void ListBoxModel::remove(int index) {
    if (index < 0 || index >= count())
        return;
    entries_.erase(entries_.begin() + index);
    selected_.erase(selected_.begin() + index);
}

void ListBoxModel::clear() {
    entries_.clear();
    selected_.clear();
}

int ListBoxModel::findExact(std::string_view text) const {
    const auto it = std::find(entries_.begin(), entries_.end(), text);
    return it == entries_.end() ? -1 : static_cast<int>(it - entries_.begin());
}

int ListBoxModel::findPrefixNoCase(std::string_view prefix) const {
    for (int i = 0; i < count(); ++i)
        if (startsWithNoCase(entries_[i], prefix))
            return i;
    return -1;
}

bool ListBoxModel::isSelected(int index) const {
    return index >= 0 && index < count() && selected_[index];
}

void ListBoxModel::setSelected(int index, bool selected) {
    if (index >= 0 && index < count())
        selected_[index] = selected;
}

void ListBoxModel::select(const std::vector<int>& positions) {
    for (const int index : positions)
        setSelected(index, true);
}

void ListBoxModel::clearSelection() { selected_.assign(selected_.size(), false); }

std::vector<int> ListBoxModel::selection() const {
    std::vector<int> positions;
    for (int i = 0; i < count(); ++i)
        if (selected_[i])
            positions.push_back(i);
    return positions;
}

int ListBoxModel::selectedCount() const {
    return static_cast<int>(std::count(selected_.begin(), selected_.end(), true));
}

int fillPlayerList(ListBoxModel& list, const PlayerDatabase& database, std::int32_t countryMask,
                   const std::vector<std::string>& heldBack) {
    list.clear();
    std::map<std::string, int, std::less<>> toHoldBack;
    for (const auto& name : heldBack)
        ++toHoldBack[name];
    int listed = 0;
    for (std::int32_t id = 0; id < database.count(); ++id) {
        const Player* player = database.findById(id);
        if (player == nullptr || (player->country & countryMask) == 0)
            continue;
        std::string name = player->displayName();
        if (const auto held = toHoldBack.find(name); held != toHoldBack.end() && held->second > 0) {
            --held->second;
            continue;
        }
        list.add(std::move(name));
        ++listed;
    }
    return listed;
}

} // namespace quorvel
