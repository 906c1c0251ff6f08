#include "common/text_format.h"

#include <charconv>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <string_view>

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

// Appends field padded with spaces to |width| bytes: on the left for a positive width, on the
// right for a negative one.
void appendAligned(std::string& out, std::string_view field, int width) {
    const long long columns = width < 0 ? -static_cast<long long>(width) : width;
    const long long length = static_cast<long long>(field.size());
    const std::size_t padding = columns > length ? static_cast<std::size_t>(columns - length) : 0;
    if (width > 0)
        out.append(padding, ' ');
    out.append(field);
    if (width < 0)
        out.append(padding, ' ');
}

} // namespace

void appendNumber(std::string& out, long long value, int width) {
    char digits[24];
    const auto written = std::to_chars(digits, digits + sizeof digits, value);
    appendAligned(out, std::string_view(digits, static_cast<std::size_t>(written.ptr - digits)),
                  width);
}

void appendText(std::string& out, const char* text, int width) {
    appendAligned(out, text != nullptr ? std::string_view(text) : std::string_view("(null)"),
                  width);
}

void appendFixed(std::string& out, double value, int precision, int width) {
    // 309 digits before the point of the largest double, the sign, the point and the decimals.
    char digits[340];
    constexpr int kMostDecimals = 17;
    if (std::isfinite(value) && precision >= 0 && precision <= kMostDecimals) {
        const auto written = std::to_chars(digits, digits + sizeof digits, value,
                                           std::chars_format::fixed, precision);
        if (written.ec == std::errc{}) {
            appendAligned(out,
                          std::string_view(digits, static_cast<std::size_t>(written.ptr - digits)),
                          width);
            return;
        }
    }
    // Infinities, NaNs and unusual precisions keep printf's own spelling.
    appendFormat(out, "%*.*f", width, precision, value);
}

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
