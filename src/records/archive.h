#pragma once
// The archive encoding shared by every saved record: little-endian int32 and IEEE 754 doubles,
// strings with a 1-, 3- or 7-byte length prefix, no tags, counts or schema numbers.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>

#include "records/compact_string.h"

namespace quorvel {

// Why a read failed. The file layer turns these into the user's error texts.
enum class ArchiveFault {
    EndOfData, // a value or a string's characters run past the end of the input
    BadFormat, // a malformed length prefix or other impossible content
};

class ArchiveError : public std::runtime_error {
public:
    ArchiveError(ArchiveFault fault, const std::string& what)
        : std::runtime_error(what), fault_(fault) {}
    ArchiveFault fault() const { return fault_; }

private:
    ArchiveFault fault_;
};

// Appends encoded values to a byte string.
class ArchiveWriter {
public:
    void writeInt32(std::int32_t value);
    void writeDouble(double value);
    void writeString(std::string_view text);

    // Uniform names so that one field list can both write and read a record.
    void io(std::int32_t value) { writeInt32(value); }
    void io(double value) { writeDouble(value); }
    void io(std::string_view text) { writeString(text); }
    // A record's enumerations travel as the int32 they are stored as.
    template <class E>
    requires std::is_enum_v<E>
    void io(E value) { writeInt32(static_cast<std::int32_t>(value)); }

    const std::string& bytes() const { return bytes_; }
    std::string takeBytes() { return std::move(bytes_); }

private:
    void writeRaw(const void* data, std::size_t size);
    std::string bytes_;
};

// Reads encoded values from a byte range it does not own. Every read is bounds-checked and
// throws ArchiveError instead of reading past the end.
class ArchiveReader {
public:
    explicit ArchiveReader(std::string_view bytes) : bytes_(bytes) {}

    // The fixed-size reads are inline: a database load makes millions of them.
    std::int32_t readInt32() { return static_cast<std::int32_t>(readUInt32()); }
    double readDouble() { return readFixed<double>(); }
    std::string readString();
    // Reads a string into text, reusing its storage.
    void readStringInto(std::string& text);

    void io(std::int32_t& value) { value = readInt32(); }
    void io(double& value) { value = readDouble(); }
    void io(std::string& text) { readStringInto(text); }
    void io(CompactString& text);
    template <class E>
    requires std::is_enum_v<E>
    void io(E& value) { value = static_cast<E>(readInt32()); }

    std::size_t position() const { return pos_; }
    // The bytes not read yet, for a caller that reads a run of them itself and then skips them.
    std::string_view unread() const { return bytes_.substr(pos_); }
    void skip(std::size_t size) {
        need(size);
        pos_ += size;
    }
    std::size_t remaining() const { return bytes_.size() - pos_; }
    bool atEnd() const { return pos_ == bytes_.size(); }

private:
    template <class T> T readFixed() {
        need(sizeof(T));
        T value;
        std::memcpy(&value, bytes_.data() + pos_, sizeof(T));
        pos_ += sizeof(T);
        return value;
    }
    std::uint8_t readByte() { return readFixed<std::uint8_t>(); }
    std::uint16_t readUInt16() { return readFixed<std::uint16_t>(); }
    std::uint32_t readUInt32() { return readFixed<std::uint32_t>(); }
    // Reads a length prefix in one of the three written forms; returns false when the prefix is
    // the 0xFF 0xFFFE marker of 16-bit text (which has a second prefix of its own).
    bool readLength(std::uint32_t& length);
    void need(std::size_t size) const {
        if (size > remaining())
            throwEndOfData();
    }
    [[noreturn]] static void throwEndOfData();

    std::string_view bytes_;
    std::size_t pos_ = 0;
};

} // namespace quorvel
