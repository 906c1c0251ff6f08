#pragma once
// How dialogs show their fields in controls and read them back.
//
// Writing: integers as "%d", doubles with up to 15 significant digits ("%.*g", precision 15),
// texts unchanged. Reading back: each control is parsed and checked against its range or length;
// the first control that fails stops the read-back with one of the standard messages.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

// A message box a dialog must show: a single OK button, the exclamation icon and the
// application's title as caption. controlId names the control that takes the focus afterwards
// (the one whose read-back failed), 0 when no control is concerned.
struct DialogMessage {
    std::string text;
    int controlId = 0;

    friend bool operator==(const DialogMessage&, const DialogMessage&) = default;
};

std::string formatInteger(std::int32_t value);
std::string formatNumber(double value);

// The standard read-back messages, with the limits filled in.
std::string integerMessage();
std::string integerRangeMessage(std::int32_t min, std::int32_t max);
std::string numberMessage();
std::string numberRangeMessage(double min, double max);
std::string maxCharsMessage(std::size_t maxChars);

// The outcome of reading one control back: the value, or the message that explains the failure.
template <class T> struct FieldRead {
    std::optional<T> value;
    std::string message;

    bool ok() const { return value.has_value(); }
};

// An optionally signed run of decimal digits, with blanks (spaces or tabs) allowed around it.
// A value beyond the 32-bit range is still an integer: it reads as out of range.
FieldRead<std::int32_t> readInteger(std::string_view text, std::int32_t min, std::int32_t max);
// The same without a range (for bound values that nothing limits).
FieldRead<std::int32_t> readInteger(std::string_view text);
// A decimal number as a C runtime reads one ("12", "-3.5", ".5", "1e3"), blanks allowed around
// it. "inf", "nan" and hexadecimal forms are not numbers here; a number too large for a double
// reads as out of range, one too small as zero.
FieldRead<double> readNumber(std::string_view text, double min, double max);
// Any text of at most maxChars characters (8-bit texts: one byte is one character).
FieldRead<std::string> readText(std::string_view text, std::size_t maxChars);

} // namespace quorvel
