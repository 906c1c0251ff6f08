#include "common/text_format.h"

#include <cstdarg>
#include <cstdio>

namespace quorvel {

namespace {

void appendFormatList(std::string& out, const char* pattern, std::va_list args) {
    char buffer[256];
    std::va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(buffer, sizeof buffer, pattern, args);
    if (length > 0 && static_cast<std::size_t>(length) < sizeof buffer) {
        out.append(buffer, static_cast<std::size_t>(length));
    } else if (length > 0) {
        const std::size_t at = out.size();
        out.resize(at + static_cast<std::size_t>(length) + 1);
        std::vsnprintf(out.data() + at, static_cast<std::size_t>(length) + 1, pattern, again);
        out.resize(at + static_cast<std::size_t>(length));
    }
    va_end(again);
}

} // namespace

std::string formatText(const char* pattern, ...) {
    std::string text;
    std::va_list args;
    va_start(args, pattern);
    appendFormatList(text, pattern, args);
    va_end(args);
    return text;
}

void appendFormat(std::string& out, const char* pattern, ...) {
    std::va_list args;
    va_start(args, pattern);
    appendFormatList(out, pattern, args);
    va_end(args);
}

std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

std::string jsonString(const std::string& text) {
    std::string quoted = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += static_cast<char>(c);
        } else if (c < 0x20) {
            appendFormat(quoted, "\\u%04x", c);
        } else {
            quoted += static_cast<char>(c);
        }
    }
    return quoted + "\"";
}

} // namespace quorvel
