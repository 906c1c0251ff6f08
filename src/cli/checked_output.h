#pragma once
// Output of the command-line programs with every write checked: the first failure is kept (and
// later writes dropped), so that a full disk is reported rather than taken for success. A
// closed pipe ends the program quietly, as it always has.

#include <string>
#include <string_view>

namespace quorvel::cli {

class CheckedOutput {
public:
    // Writes to the file descriptor, standard output by default; `name` is what a failure calls
    // it ("standard output").
    explicit CheckedOutput(int descriptor = 1, std::string name = "standard output");
    ~CheckedOutput();
    CheckedOutput(const CheckedOutput&) = delete;
    CheckedOutput& operator=(const CheckedOutput&) = delete;

    void write(std::string_view text);
    // Writes out what is buffered; false once any write has failed.
    bool flush();
    bool failed() const { return error_ != 0; }
    // The failure as the program reports it ("PROGRAM: cannot write standard output: No space
    // left on device\n"), or empty: none, or a closed pipe, which is no news to anybody.
    std::string failure(std::string_view program) const;

private:
    void writeOut(const char* data, std::size_t size);

    int descriptor_;
    std::string name_;
    std::string buffer_;
    int error_ = 0;
};

// Lets a write to a closed pipe end the program by its signal, whatever disposition the program
// inherited, so that `| head` stays quiet.
void endQuietlyOnClosedPipe();

} // namespace quorvel::cli
