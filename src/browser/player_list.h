#pragma once
// What a list box of players holds: its entries (display names) and which of them are selected,
// and the filling of such a list from the player database through a country mask.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "records/player_database.h"

namespace quorvel {

class ListBoxModel {
public:
    enum class Order {
        // New entries go to the end.
        Unsorted,
        // Entries stay in alphabetical order ignoring case: compared byte by byte with the ASCII
        // letters folded to lower case (other bytes as they are); entries that differ only in
        // case are ordered byte-wise, so the order never depends on the order of insertion.
        SortedNoCase,
    };

    explicit ListBoxModel(Order order) : order_(order) {}

    Order order() const { return order_; }
    int count() const { return static_cast<int>(entries_.size()); }
    bool empty() const { return entries_.empty(); }
    const std::vector<std::string>& entries() const { return entries_; }
    // The entry at index, or an empty text outside the list.
    const std::string& text(int index) const;

    // Adds an entry in its place (sorted) or at the end (unsorted); returns its position.
    // The selection stays with the entries it was on.
    int add(std::string text);
    // Removes the entry at index; nothing happens outside the list.
    void remove(int index);
    void clear();

    // The position of the entry equal to text byte for byte, or -1.
    int findExact(std::string_view text) const;
    // The first entry from the top that begins with prefix, ignoring case, or -1.
    int findPrefixNoCase(std::string_view prefix) const;

    bool isSelected(int index) const;
    // Positions outside the list are ignored.
    void setSelected(int index, bool selected);
    // Adds these positions to the selection.
    void select(const std::vector<int>& positions);
    void clearSelection();
    // The selected positions in ascending order.
    std::vector<int> selection() const;
    int selectedCount() const;

    // True when a is listed before b in a sorted list.
    static bool sortsBefore(std::string_view a, std::string_view b);

private:
    Order order_;
    std::vector<std::string> entries_;
    std::vector<bool> selected_;
};

// Empties the list, then adds the display name of every player whose country shares a bit with
// countryMask, walking the ids 0..count-1 of the database; an id without a record is skipped.
// Each text in heldBack keeps one player of that display name out of the list (players already
// placed elsewhere). Returns the number of entries added. The selection is cleared.
int fillPlayerList(ListBoxModel& list, const PlayerDatabase& database, std::int32_t countryMask,
                   const std::vector<std::string>& heldBack = {});

} // namespace quorvel
