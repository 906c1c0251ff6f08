#include "records/compact_string.h"

#include <ostream>
#include <stdexcept>

namespace quorvel {

void CompactString::assign(std::string_view text) {
    if (text.size() <= kInPlace) {
        // Copied before the old heap text goes, in case text points into it.
        char fresh[sizeof bytes_] = {};
        fresh[0] = static_cast<char>(text.size());
        if (!text.empty())
            std::memcpy(fresh + 1, text.data(), text.size());
        release();
        std::memcpy(bytes_, fresh, sizeof bytes_);
        return;
    }
    if (text.size() > UINT32_MAX)
        throw std::length_error("text too long for a CompactString");
    char* data = new char[text.size() + 1];
    std::memcpy(data, text.data(), text.size());
    data[text.size()] = '\0';
    release();
    const auto size = static_cast<std::uint32_t>(text.size());
    bytes_[0] = kOnHeap;
    std::memcpy(bytes_ + 4, &size, sizeof size);
    std::memcpy(bytes_ + 8, &data, sizeof data);
}

std::ostream& operator<<(std::ostream& out, const CompactString& text) {
    return out << text.view();
}

} // namespace quorvel
