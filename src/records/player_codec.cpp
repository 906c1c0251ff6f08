#include "records/player_codec.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace quorvel {

namespace {

// Reads a record straight from memory while each of its strings has a one-byte prefix, which is
// how every record of a normal database is written. The caller makes sure kLongestShortRecord
// bytes remain, so no read can run past the end and none needs a check. Any other prefix marks
// the record incomplete, and the caller reads it again with the checked reader.
class ShortRecordReader {
public:
    static constexpr std::size_t kLongestShortRecord = Player::kFixedSize + 4 * (1 + 254);

    explicit ShortRecordReader(const char* start) : start_(start), at_(start) {}

    void io(std::int32_t& value) { take(value); }
    void io(double& value) { take(value); }
    // Every string starts at least 16 bytes before the guaranteed end, so it can be filled
    // with one 16-byte copy.
    void io(CompactString& text) {
        const auto length = static_cast<std::uint8_t>(*at_);
        if (length == 0xFF) {
            complete_ = false;
            return;
        }
        text.assignCounted(at_);
        at_ += 1 + std::size_t{length};
    }

    bool complete() const { return complete_; }
    std::size_t consumed() const { return static_cast<std::size_t>(at_ - start_); }

private:
    template <class T> void take(T& value) {
        std::memcpy(&value, at_, sizeof value);
        at_ += sizeof value;
    }

    const char* start_;
    const char* at_;
    bool complete_ = true;
};

// Reads one record, taking the unchecked path whenever it is safe.
void readPlayerRecord(ArchiveReader& reader, Player& player) {
    const auto unread = reader.unread();
    if (unread.size() >= ShortRecordReader::kLongestShortRecord) {
        ShortRecordReader fast(unread.data());
        player.readWith(fast);
        if (fast.complete()) {
            reader.skip(fast.consumed());
            return;
        }
    }
    player.serialize(reader);
}

} // namespace

// The unread part of an image, refilled from its reader a chunk at a time.
class ImageWindow {
public:
    static constexpr std::size_t kChunk = 64 * 1024;

    // An image known to be small gets a buffer of its own size, not a whole chunk.
    ImageWindow(const ImageReader& read, std::size_t imageSize)
        : read_(read), firstSize_(std::min(imageSize, kChunk)) {}

    std::string_view unread() const { return {buffer_.get() + begin_, end_ - begin_}; }
    bool ended() const { return ended_; }
    void consume(std::size_t size) { begin_ += size; }

    // Makes at least size unread bytes available, unless the image ends first.
    void want(std::size_t size) {
        if (end_ - begin_ >= size || ended_)
            return;
        const std::size_t capacity = std::max(capacity_, size + firstSize_);
        if (capacity > capacity_) {
            auto larger = std::make_unique_for_overwrite<char[]>(capacity);
            if (end_ > begin_)
                std::memcpy(larger.get(), buffer_.get() + begin_, end_ - begin_);
            buffer_ = std::move(larger);
            capacity_ = capacity;
        } else {
            std::memmove(buffer_.get(), buffer_.get() + begin_, end_ - begin_);
        }
        end_ -= begin_;
        begin_ = 0;
        while (end_ < size && !ended_) {
            const std::size_t got = read_(buffer_.get() + end_, capacity_ - end_);
            ended_ = got == 0;
            end_ += std::min(got, capacity_ - end_);
        }
    }

private:
    const ImageReader& read_;
    std::size_t firstSize_;
    std::unique_ptr<char[]> buffer_;
    std::size_t capacity_ = 0;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    bool ended_ = false;
};

namespace {

// Reads the next record from the window. A record that runs past the window is read again once
// the window holds more; only at the end of the image is it short.
void readPlayerRecord(ImageWindow& window, Player& player) {
    window.want(ShortRecordReader::kLongestShortRecord);
    for (;;) {
        ArchiveReader reader(window.unread());
        try {
            readPlayerRecord(reader, player);
            window.consume(reader.position());
            return;
        } catch (const ArchiveError& error) {
            if (error.fault() != ArchiveFault::EndOfData || window.ended())
                throw;
        }
        window.want(2 * window.unread().size() + ImageWindow::kChunk);
    }
}

// Reads the header of a "players.dat" image and returns its record count. Every record takes at
// least its fixed part and four prefixes, so a count that the recordBytes after the header
// cannot hold is known to be short before anything is allocated for it.
std::size_t readPlayerFileHeader(ArchiveReader& reader, std::int32_t& leadingValue,
                                 std::size_t recordBytes) {
    leadingValue = reader.readInt32();
    const std::int32_t count = reader.readInt32();
    if (count < 0)
        throw ArchiveError(ArchiveFault::BadFormat, "negative player count");
    if (static_cast<std::size_t>(count) > recordBytes / (Player::kFixedSize + 4))
        throw ArchiveError(ArchiveFault::EndOfData, "fewer records than the count says");
    return static_cast<std::size_t>(count);
}

} // namespace

PlayerFile decodePlayerFile(std::string_view bytes) {
    ArchiveReader reader(bytes);
    PlayerFile file;
    const std::size_t recordBytes = bytes.size() > 8 ? bytes.size() - 8 : 0;
    file.players.resize(readPlayerFileHeader(reader, file.leadingValue, recordBytes));
    for (auto& player : file.players)
        readPlayerRecord(reader, player);
    return file;
}

std::string encodePlayerFile(const PlayerFile& file) {
    ArchiveWriter writer;
    writer.writeInt32(file.leadingValue);
    writer.writeInt32(static_cast<std::int32_t>(file.players.size()));
    for (const auto& player : file.players)
        player.serialize(writer);
    return writer.takeBytes();
}

PlayerImageDecoder::PlayerImageDecoder(const ImageReader& read, std::size_t size)
    : window_(std::make_unique<ImageWindow>(read, size)) {
    window_->want(ShortRecordReader::kLongestShortRecord);
    ArchiveReader header(window_->unread().substr(0, 8));
    count_ = readPlayerFileHeader(header, leadingValue_, size > 8 ? size - 8 : 0);
    window_->consume(8);
}

PlayerImageDecoder::~PlayerImageDecoder() = default;

void PlayerImageDecoder::next(Player& player) { readPlayerRecord(*window_, player); }

} // namespace quorvel
