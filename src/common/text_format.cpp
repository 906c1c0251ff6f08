#include "common/text_format.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string_view>
#include <utility>

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

// Where a field is formatted before it is padded into place: room for 309 digits before the
// point of the largest double, the sign, the point and 17 decimals.
using FieldBuffer = std::array<char, 340>;

std::string_view fieldOf(const FieldBuffer& buffer, const char* end) {
    return {buffer.data(), static_cast<std::size_t>(end - buffer.data())};
}

// The spaces that pad field to |width| bytes (none when it is as long or longer).
std::size_t paddingOf(std::string_view field, int width) {
    const long long columns = width < 0 ? -static_cast<long long>(width) : width;
    const long long length = static_cast<long long>(field.size());
    return columns > length ? static_cast<std::size_t>(columns - length) : 0;
}

// Appends field padded with spaces to |width| bytes: on the left for a positive width, on the
// right for a negative one.
void appendAligned(std::string& out, std::string_view field, int width) {
    const std::size_t padding = paddingOf(field, width);
    if (padding > 0 && width > 0)
        out.append(padding, ' ');
    out.append(field);
    if (padding > 0 && width < 0)
        out.append(padding, ' ');
}

std::string_view textField(const char* text) {
    return text != nullptr ? std::string_view(text) : std::string_view("(null)");
}

std::string_view numberField(FieldBuffer& buffer, long long value) {
    return fieldOf(buffer, std::to_chars(buffer.data(), buffer.data() + buffer.size(), value).ptr);
}

constexpr std::uint64_t kPowersOfTen[] = {1, 10, 100, 1000};
constexpr int kShortPrecision = 3;
constexpr int kMostDecimals = 17;

// The magnitude of value in units of 10^-precision (precision 0..3), rounded half to even on
// the exact binary value as printf rounds it. Worked out exactly in integers: value is
// mantissa * 2^-shift, so the units are mantissa * 10^precision / 2^shift, whose product of at
// most 53 + 10 bits fits 64. Nothing for values whose shift falls outside 1..63 (whole numbers
// from 2^52 up, infinities, NaNs, and values below 2^-11 other than zero), which take the
// general path.
std::optional<std::uint64_t> shortFixedUnits(double value, int precision) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const int biasedExponent = static_cast<int>((bits >> 52) & 0x7ff);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    if (biasedExponent == 0 && fraction == 0)
        return 0;
    if (biasedExponent == 0)
        return std::nullopt; // subnormal: far below any shown digit, left to the general path
    const std::uint64_t mantissa = fraction | (std::uint64_t{1} << 52);
    const int shift = 1075 - biasedExponent;
    if (shift < 1 || shift > 63)
        return std::nullopt;
    const std::uint64_t product = mantissa * kPowersOfTen[precision];
    std::uint64_t units = product >> shift;
    const std::uint64_t rest = product & ((std::uint64_t{1} << shift) - 1);
    const std::uint64_t half = std::uint64_t{1} << (shift - 1);
    if (rest > half || (rest == half && (units & 1) != 0))
        ++units;
    return units;
}

// "%.Pf" for precision 0..3 from shortFixedUnits: the sign (also of a negative value that
// rounds to zero, as printf writes "-0.0"), the whole part, the point and the decimals.
std::optional<std::string_view> shortFixedField(FieldBuffer& buffer, double value, int precision) {
    const std::optional<std::uint64_t> units = shortFixedUnits(value, precision);
    if (!units)
        return std::nullopt;
    char* end = buffer.data();
    if (std::signbit(value))
        *end++ = '-';
    const std::uint64_t scale = kPowersOfTen[precision];
    end = std::to_chars(end, buffer.data() + buffer.size(), *units / scale).ptr;
    if (precision > 0) {
        *end++ = '.';
        std::uint64_t decimals = *units % scale;
        for (int place = precision - 1; place >= 0; --place, decimals /= 10)
            end[place] = static_cast<char>('0' + decimals % 10);
        end += precision;
    }
    return fieldOf(buffer, end);
}

// "%.Pf": up to 3 decimals in integers, up to 17 by std::to_chars; nothing for infinities, NaNs
// and other precisions, which printf writes.
std::optional<std::string_view> fixedField(FieldBuffer& buffer, double value, int precision) {
    if (precision >= 0 && precision <= kShortPrecision)
        if (const auto field = shortFixedField(buffer, value, precision))
            return field;
    if (!std::isfinite(value) || precision < 0 || precision > kMostDecimals)
        return std::nullopt;
    const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                       std::chars_format::fixed, precision);
    if (written.ec != std::errc{})
        return std::nullopt;
    return fieldOf(buffer, written.ptr);
}

} // namespace

void appendNumber(std::string& out, long long value, int width) {
    FieldBuffer buffer;
    appendAligned(out, numberField(buffer, value), width);
}

void appendText(std::string& out, const char* text, int width) {
    appendAligned(out, textField(text), width);
}

void appendFixed(std::string& out, double value, int precision, int width) {
    FieldBuffer buffer;
    if (const auto field = fixedField(buffer, value, precision))
        appendAligned(out, *field, width);
    else
        appendFormat(out, "%*.*f", width, precision, value);
}

void TextBuilder::makeRoom(std::size_t more) {
    buffer_.resize(std::max(2 * buffer_.size(), size_ + more + kFirstRoom));
}

void TextBuilder::putAligned(std::string_view field, int width) {
    if (width == 0) {
        put(field);
        return;
    }
    const std::size_t padding = paddingOf(field, width);
    if (field.size() + padding > buffer_.size() - size_)
        makeRoom(field.size() + padding);
    char* at = buffer_.data() + size_;
    if (width > 0) {
        std::memset(at, ' ', padding);
        at += padding;
    }
    std::memcpy(at, field.data(), field.size());
    at += field.size();
    if (width < 0) {
        std::memset(at, ' ', padding);
        at += padding;
    }
    size_ = static_cast<std::size_t>(at - buffer_.data());
}

void TextBuilder::number(long long value, int width) {
    // The runs of a delivery: one digit, written as it is.
    if (width == 0 && value >= 0 && value <= 9) {
        put(static_cast<char>('0' + value));
        return;
    }
    FieldBuffer buffer;
    putAligned(numberField(buffer, value), width);
}

void TextBuilder::fixed(double value, int precision, int width) {
    FieldBuffer buffer;
    if (const auto field = fixedField(buffer, value, precision))
        putAligned(*field, width);
    else
        put(formatText("%*.*f", width, precision, value));
}

std::string TextBuilder::take() {
    buffer_.resize(size_);
    size_ = 0;
    return std::exchange(buffer_, {});
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
