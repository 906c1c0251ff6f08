#include "common/line_ends.h"

namespace quorvel {

std::size_t removeCrBeforeLf(std::string_view input, std::string& output) {
    output.assign(input.size(), '\0');
    std::size_t removed = 0;
    for (std::size_t i = 0; i < input.size(); ++i) {
        const char c = input[i];
        if (c == '\n' && i > 0 && input[i - 1] == '\r')
            ++removed;
        output[i - removed] = c;
    }
    output.resize(input.size() - removed);
    return removed;
}

} // namespace quorvel
