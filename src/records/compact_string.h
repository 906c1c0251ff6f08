#pragma once
// A string for a player's names and figures ("Okafor", "102*", "4/21"): 16 bytes, holding up to
// 14 characters in place and longer texts on the heap. A database of many players keeps four of
// them per record, so they are half the size of std::string and can be filled with one copy.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iosfwd>
#include <string>
#include <string_view>

namespace quorvel {

class CompactString {
public:
    // The longest text kept in place, after its length byte and before its terminating NUL.
    static constexpr std::size_t kInPlace = 14;

    CompactString() noexcept = default;
    explicit CompactString(std::string_view text) { assign(text); }
    CompactString(const CompactString& other) { assign(other.view()); }
    CompactString(CompactString&& other) noexcept { takeFrom(other); }
    CompactString& operator=(const CompactString& other) {
        if (this != &other)
            assign(other.view());
        return *this;
    }
    CompactString& operator=(CompactString&& other) noexcept {
        if (this != &other) {
            release();
            takeFrom(other);
        }
        return *this;
    }
    CompactString& operator=(std::string_view text) {
        assign(text);
        return *this;
    }
    ~CompactString() { release(); }

    void assign(std::string_view text);
    // Sets the text from a one-byte length followed by that many characters, as the archive
    // stores short strings. Reads 16 bytes from counted whatever the length: the caller makes
    // sure they are there.
    void assignCounted(const char* counted) {
        const auto length = static_cast<unsigned char>(counted[0]);
        if (length > kInPlace || onHeap()) {
            assign(std::string_view(counted + 1, length));
            return;
        }
        // The bytes after the characters are cleared in a register and the whole text stored
        // at once, so a later read of it is forwarded from that one store.
        __extension__ using Packed = unsigned __int128;
        Packed packed;
        std::memcpy(&packed, counted, sizeof packed);
        packed &= (Packed{1} << (8 * (1 + length))) - 1;
        std::memcpy(bytes_, &packed, sizeof bytes_);
    }
    void clear() noexcept { release(); }

    std::size_t size() const noexcept {
        return onHeap() ? heapSize() : static_cast<unsigned char>(bytes_[0]);
    }
    bool empty() const noexcept { return size() == 0; }
    const char* data() const noexcept { return onHeap() ? heapData() : bytes_ + 1; }
    // Always NUL-terminated.
    const char* c_str() const noexcept { return data(); }
    char front() const noexcept { return data()[0]; }
    std::string_view view() const noexcept { return {data(), size()}; }
    operator std::string_view() const noexcept { return view(); }
    std::string str() const { return std::string(view()); }

    friend bool operator==(const CompactString& a, const CompactString& b) noexcept {
        return a.view() == b.view();
    }
    friend bool operator==(const CompactString& a, std::string_view b) noexcept {
        return a.view() == b;
    }

private:
    // In place: bytes_[0] is the length (0..14), the characters follow with a NUL after them.
    // On the heap: bytes_[0] is kOnHeap, bytes 4..7 hold the size and bytes 8..15 the pointer.
    static constexpr char kOnHeap = '\xFF';

    bool onHeap() const noexcept { return bytes_[0] == kOnHeap; }
    std::size_t heapSize() const noexcept {
        std::uint32_t size;
        std::memcpy(&size, bytes_ + 4, sizeof size);
        return size;
    }
    char* heapData() const noexcept {
        char* data;
        std::memcpy(&data, bytes_ + 8, sizeof data);
        return data;
    }
    void release() noexcept {
        if (onHeap())
            delete[] heapData();
        bytes_[0] = bytes_[1] = '\0';
    }
    void takeFrom(CompactString& other) noexcept {
        std::memcpy(bytes_, other.bytes_, sizeof bytes_);
        other.bytes_[0] = other.bytes_[1] = '\0';
    }

    alignas(8) char bytes_[16] = {};
};

static_assert(sizeof(CompactString) == 16);

std::ostream& operator<<(std::ostream& out, const CompactString& text);

} // namespace quorvel
