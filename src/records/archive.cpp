#include "records/archive.h"

#include <bit>
#include <cstring>

namespace quorvel {

static_assert(std::endian::native == std::endian::little,
              "the archive encoding is written for little-endian machines");

namespace {
constexpr std::uint8_t kLongPrefix = 0xFF;
constexpr std::uint16_t kWidePrefix = 0xFFFF;
constexpr std::uint16_t kUtf16Marker = 0xFFFE;
} // namespace

void ArchiveWriter::writeRaw(const void* data, std::size_t size) {
    bytes_.append(static_cast<const char*>(data), size);
}

void ArchiveWriter::writeInt32(std::int32_t value) { writeRaw(&value, sizeof value); }

void ArchiveWriter::writeDouble(double value) { writeRaw(&value, sizeof value); }

void ArchiveWriter::writeString(std::string_view text) {
    const std::size_t length = text.size();
    if (length < kLongPrefix) {
        const auto prefix = static_cast<std::uint8_t>(length);
        writeRaw(&prefix, 1);
    } else if (length < kUtf16Marker) {
        const auto length16 = static_cast<std::uint16_t>(length);
        writeRaw(&kLongPrefix, 1);
        writeRaw(&length16, 2);
    } else {
        if (length > UINT32_MAX)
            throw std::length_error("string too long for the archive encoding");
        const auto length32 = static_cast<std::uint32_t>(length);
        writeRaw(&kLongPrefix, 1);
        writeRaw(&kWidePrefix, 2);
        writeRaw(&length32, 4);
    }
    writeRaw(text.data(), length);
}

void ArchiveReader::throwEndOfData() {
    throw ArchiveError(ArchiveFault::EndOfData, "read past the end of the archive");
}

bool ArchiveReader::readLength(std::uint32_t& length) {
    const std::uint8_t first = readByte();
    if (first != kLongPrefix) {
        length = first;
        return true;
    }
    const std::uint16_t second = readUInt16();
    if (second == kUtf16Marker)
        return false;
    if (second != kWidePrefix) {
        length = second;
        return true;
    }
    length = readUInt32();
    return true;
}

void ArchiveReader::io(CompactString& text) {
    // A short string with 16 bytes behind its prefix is copied in one go; anything else is read
    // as a std::string first.
    if (remaining() >= 16) {
        const auto length = static_cast<std::uint8_t>(bytes_[pos_]);
        if (length != kLongPrefix && length < remaining()) {
            text.assignCounted(bytes_.data() + pos_);
            pos_ += 1 + std::size_t{length};
            return;
        }
    }
    text = readString();
}

std::string ArchiveReader::readString() {
    std::string text;
    readStringInto(text);
    return text;
}

void ArchiveReader::readStringInto(std::string& text) {
    std::uint32_t length = 0;
    if (readLength(length)) {
        if (length > remaining())
            throw ArchiveError(ArchiveFault::EndOfData, "string runs past the end of the archive");
        text.assign(bytes_.data() + pos_, length);
        pos_ += length;
        return;
    }
    // 16-bit text: a second prefix gives the count of UTF-16LE code units. Units below 256 keep
    // their value as one byte; any other unit cannot be shown in 8-bit text and becomes '?'.
    if (!readLength(length))
        throw ArchiveError(ArchiveFault::BadFormat, "nested 16-bit text marker");
    if (length > remaining() / 2)
        throw ArchiveError(ArchiveFault::EndOfData, "string runs past the end of the archive");
    // The length check above means none of these reads can fail, so text is never half-filled.
    text.assign(length, '\0');
    for (std::uint32_t i = 0; i < length; ++i) {
        const std::uint16_t unit = readUInt16();
        text[i] = unit < 256 ? static_cast<char>(unit) : '?';
    }
}

} // namespace quorvel
