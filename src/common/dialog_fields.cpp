#include "common/dialog_fields.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace quorvel {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string replaceLimits(std::string text, std::string_view first, std::string_view second) {
    if (const auto at = text.find("%1"); at != std::string::npos)
        text.replace(at, 2, first);
    if (const auto at = text.find("%2"); at != std::string::npos)
        text.replace(at, 2, second);
    return text;
}

// Parses an optionally signed run of digits; values beyond the 64-bit range saturate, which
// keeps them outside any 32-bit range.
std::optional<std::int64_t> parseInteger(std::string_view text) {
    text = trimBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;
    constexpr std::int64_t kCap = std::numeric_limits<std::int64_t>::max() / 10 - 1;
    std::int64_t value = 0;
    for (const char c : text) {
        if (!isDigit(c))
            return std::nullopt;
        if (value < kCap)
            value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

// Parses a decimal number: digits with an optional point (at least one digit in all), then an
// optional exponent. A value beyond the double range becomes an infinity, a value too small
// for it a zero, as a C runtime's conversion gives them.
std::optional<double> parseNumber(std::string_view text) {
    text = trimBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // Check the shape first, and note the decimal order of magnitude for out-of-range values.
    std::size_t i = 0;
    std::size_t digits = 0;
    long magnitude = 0; // position of the first significant digit relative to the point
    bool seenSignificant = false;
    bool afterPoint = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.' && !afterPoint) {
            afterPoint = true;
            continue;
        }
        if (!isDigit(c))
            break;
        ++digits;
        if (!seenSignificant && c != '0')
            seenSignificant = true;
        if (seenSignificant && !afterPoint)
            ++magnitude;
        else if (!seenSignificant && afterPoint)
            --magnitude;
    }
    if (digits == 0)
        return std::nullopt;
    long exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            negativeExponent = text[i] == '-';
            ++i;
        }
        const std::size_t exponentStart = i;
        for (; i < text.size() && isDigit(text[i]); ++i)
            if (exponent < 100000)
                exponent = exponent * 10 + (text[i] - '0');
        if (i == exponentStart)
            return std::nullopt;
        if (negativeExponent)
            exponent = -exponent;
    }
    if (i != text.size())
        return std::nullopt;

    double value = 0;
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (error == std::errc::result_out_of_range)
        value = magnitude + exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    else if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return negative ? -value : value;
}

} // namespace

std::string formatInteger(std::int32_t value) { return std::to_string(value); }

std::string formatNumber(double value) {
    // to_chars with precision 15 writes what "%.*g" with precision 15 writes, whatever the
    // C locale's decimal point.
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    return std::string(buffer, result.ptr);
}

std::string integerMessage() { return "Please enter an integer."; }

std::string integerRangeMessage(std::int32_t min, std::int32_t max) {
    return replaceLimits("Please enter an integer between %1 and %2.", formatInteger(min),
                         formatInteger(max));
}

std::string numberMessage() { return "Please enter a number."; }

std::string numberRangeMessage(double min, double max) {
    return replaceLimits("Please enter a number between %1 and %2.", formatNumber(min),
                         formatNumber(max));
}

std::string maxCharsMessage(std::size_t maxChars) {
    return replaceLimits("Please enter no more than %1 characters.", std::to_string(maxChars), "");
}

FieldRead<std::int32_t> readInteger(std::string_view text, std::int32_t min, std::int32_t max) {
    const auto value = parseInteger(text);
    if (!value)
        return {std::nullopt, integerMessage()};
    if (*value < min || *value > max)
        return {std::nullopt, integerRangeMessage(min, max)};
    return {static_cast<std::int32_t>(*value), {}};
}

FieldRead<std::int32_t> readInteger(std::string_view text) {
    const auto value = parseInteger(text);
    if (!value || *value < std::numeric_limits<std::int32_t>::min() ||
        *value > std::numeric_limits<std::int32_t>::max())
        return {std::nullopt, integerMessage()};
    return {static_cast<std::int32_t>(*value), {}};
}

FieldRead<double> readNumber(std::string_view text, double min, double max) {
    const auto value = parseNumber(text);
    if (!value)
        return {std::nullopt, numberMessage()};
    if (!(*value >= min && *value <= max))
        return {std::nullopt, numberRangeMessage(min, max)};
    return {*value, {}};
}

FieldRead<std::string> readText(std::string_view text, std::size_t maxChars) {
    if (text.size() > maxChars)
        return {std::nullopt, maxCharsMessage(maxChars)};
    return {std::string(text), {}};
}

} // namespace quorvel
