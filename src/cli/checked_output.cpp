#include "cli/checked_output.h"

#include <cerrno>
#include <csignal>
#include <cstring>

#include <unistd.h>

namespace quorvel::cli {

namespace {

constexpr std::size_t kBufferSize = 64 * 1024;

} // namespace

CheckedOutput::CheckedOutput(int descriptor, std::string name)
    : descriptor_(descriptor), name_(std::move(name)) {
    buffer_.reserve(kBufferSize);
}

CheckedOutput::~CheckedOutput() { flush(); }

void CheckedOutput::writeOut(const char* data, std::size_t size) {
    while (size > 0 && error_ == 0) {
        const ssize_t written = ::write(descriptor_, data, size);
        if (written < 0) {
            if (errno != EINTR)
                error_ = errno;
            continue;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
}

void CheckedOutput::write(std::string_view text) {
    if (error_ != 0)
        return;
    if (buffer_.size() + text.size() > kBufferSize) {
        flush();
        if (text.size() > kBufferSize) {
            writeOut(text.data(), text.size());
            return;
        }
    }
    buffer_.append(text);
}

bool CheckedOutput::flush() {
    if (!buffer_.empty()) {
        writeOut(buffer_.data(), buffer_.size());
        buffer_.clear();
    }
    return error_ == 0;
}

std::string CheckedOutput::failure(std::string_view program) const {
    if (error_ == 0 || error_ == EPIPE)
        return std::string();
    return std::string(program) + ": cannot write " + name_ + ": " + std::strerror(error_) + "\n";
}

void endQuietlyOnClosedPipe() { std::signal(SIGPIPE, SIG_DFL); }

} // namespace quorvel::cli
