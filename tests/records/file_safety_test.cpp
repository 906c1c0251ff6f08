#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <grp.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "records/file_io.h"
#include "records/player_check.h"
#include "records/player_database.h"
#include "records/player_repair.h"
#include "records/scores.h"
#include "records/scores_file.h"
#include "support/test_support.h"

namespace quorvel {
namespace {

std::string errorText(const std::optional<FileError>& error) {
    return error ? error->message() : "";
}

void makeSparse(const std::string& path, off_t size) {
    const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY, 0644);
    ASSERT_EQ(::ftruncate(fd, size), 0);
    ::close(fd);
}

// A damaged database: a CR put before the LF of its count 10 (0A 00 00 00).
std::string damagedPlayers(std::string& good) {
    PlayerFile file;
    for (int i = 0; i < 10; ++i)
        file.players.push_back(test::makePlayer(i, "Name" + std::to_string(i), "First", 1));
    good = encodePlayerFile(file);
    return good.substr(0, 4) + "\r" + good.substr(4);
}

TEST(BoundedReads, EndlessHugeOrWriterlessFilesAreRefusedOrReadOnce) {
    test::ScratchDir dir;
    Scores kept;
    kept.teams[0].setName("Kept");
    const std::string before = encodeScores(kept);
    const std::string sparseMatch = dir.file("huge.quo");
    makeSparse(sparseMatch, off_t{8} << 30);
    for (const std::string& path : {std::string("/dev/zero"), sparseMatch}) {
        EXPECT_EQ(errorText(readScoresFile(path, kept)), path + " has a bad format.");
        EXPECT_EQ(encodeScores(kept), before);
    }

    // Zeros make a valid empty database, but not beyond the ceiling.
    const std::string sparsePlayers = dir.file("huge.dat");
    makeSparse(sparsePlayers, kLargestFileRead + 1);
    PlayerDatabase database;
    EXPECT_EQ(loadPlayerFile(sparsePlayers, database), LoadOutcome::BadFormat);

    // Valid records, then a flood of CR LF pairs: only the first few are listed.
    std::string flood;
    damagedPlayers(flood);
    for (int pair = 0; pair < 100000; ++pair)
        flood += "\r\n";
    const auto problems = checkPlayerFile(flood);
    ASSERT_EQ(problems.size(), 21u);
    EXPECT_EQ(problems.back().describe(),
              "file: more problems follow; only the first 20 are listed");

    // A FIFO without a writer reads as empty at once; a pipe is read once, by the load.
    const std::string fifo = dir.file("players.dat");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    testing::internal::CaptureStderr();
    startUpPlayerDatabase(database, fifo);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), fifo + " has a bad format.\n");
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    std::string good;
    damagedPlayers(good);
    ASSERT_EQ(::write(ends[1], good.data(), good.size()), ssize_t(good.size()));
    ::close(ends[1]);
    startUpPlayerDatabase(database, "/dev/fd/" + std::to_string(ends[0]));
    ::close(ends[0]);
    EXPECT_EQ(database.count(), 10);
}

// Runs check in a child process as the user nobody: true when it found nothing wrong. What it
// finds goes to the standard error.
bool asNobody(const passwd& nobody, const std::function<std::string()>& check) {
    const pid_t child = ::fork();
    if (child == 0) {
        const bool became = ::setgroups(0, nullptr) == 0 && ::setgid(nobody.pw_gid) == 0 &&
                            ::setuid(nobody.pw_uid) == 0;
        const std::string failures = became ? check() : "cannot become nobody";
        std::fputs(failures.c_str(), stderr);
        ::_exit(failures.empty() ? 0 : 1);
    }
    int status = -1;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// "uid:gid:mode" of a file.
std::string ownerOf(const std::string& path) {
    struct stat status {};
    ::stat(path.c_str(), &status);
    return std::to_string(status.st_uid) + ":" + std::to_string(status.st_gid) + ":" +
           std::to_string(status.st_mode & 07777);
}

TEST(WriteSafety, ReplacementKeepsTheOwnersFileAndRightsAndLeavesNothingBehind) {
    test::ScratchDir dir;
    // Names up to the longest a file system takes; no temporary stays behind.
    for (const std::size_t length : {248u, 255u})
        EXPECT_EQ(errorText(writeWholeFile(dir.file(std::string(length, 'n')), "new")), "");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);

    // A killed save's temporary goes with the next save of that file; a live (locked) one stays.
    const std::string stale = dir.file(".match.quo.quorvel-AbC123");
    const std::string live = dir.file(".match.quo.quorvel-DeF456");
    const timespec hourAgo[2] = {{::time(nullptr) - 3600, 0}, {::time(nullptr) - 3600, 0}};
    for (const auto& path : {stale, live}) {
        test::writeBytes(path, "partial");
        ::utimensat(AT_FDCWD, path.c_str(), hourAgo, 0);
    }
    const int lock = ::open(live.c_str(), O_RDONLY);
    ::flock(lock, LOCK_EX);
    EXPECT_EQ(errorText(writeWholeFile(dir.file("match.quo"), "new")), "");
    ::close(lock);
    EXPECT_FALSE(std::filesystem::exists(stale));
    EXPECT_TRUE(std::filesystem::exists(live));

    // A FIFO nobody reads is refused at once.
    ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0600), 0);
    EXPECT_NE(errorText(writeWholeFile(dir.file("fifo"), "x")), "");

    const passwd* nobody = ::getpwnam("nobody");
    if (::geteuid() != 0 || nobody == nullptr)
        GTEST_SKIP() << "the cases of another user's files run as root only";
    ::chmod(dir.path().c_str(), 0755);
    std::string good;
    const std::string damaged = damagedPlayers(good);

    // Root's save and repair of nobody's files leave them nobody's, with their mode.
    const std::string theirs = dir.file("theirs.quo");
    const std::string theirPlayers = dir.file("their-players.dat");
    test::writeBytes(theirs, "old");
    test::writeBytes(theirPlayers, damaged);
    for (const auto& path : {theirs, theirPlayers}) {
        ASSERT_EQ(::chown(path.c_str(), nobody->pw_uid, nobody->pw_gid), 0);
        ::chmod(path.c_str(), 0640);
    }
    EXPECT_EQ(errorText(writeWholeFile(theirs, "root's")), "");
    EXPECT_EQ(repairPlayerFile(theirPlayers), RepairOutcome::Repaired);
    EXPECT_EQ(test::readBytes(theirPlayers), good);
    const std::string nobodys = std::to_string(nobody->pw_uid) + ":" +
                                std::to_string(nobody->pw_gid) + ":" + std::to_string(0640);
    for (const auto& path : {theirs, theirPlayers})
        EXPECT_EQ(ownerOf(path), nobodys) << path;

    // As nobody: root's 0644 file in an open folder is refused; root's 0666 files are written
    // in place, in that folder and in one nobody may not write, and stay root's.
    const std::string open = dir.file("open");
    const std::string closed = dir.file("closed");
    ::mkdir(open.c_str(), 0777);
    ::chmod(open.c_str(), 0777);
    ::mkdir(closed.c_str(), 0755);
    const std::string roots = open + "/roots.quo";
    const std::string sharedPlayers = closed + "/players.dat";
    const std::array<std::string, 2> shared = {open + "/shared.quo", closed + "/shared.quo"};
    for (const auto& path : {roots, shared[0], shared[1], sharedPlayers}) {
        test::writeBytes(path, path == sharedPlayers ? damaged : "root's");
        ::chmod(path.c_str(), path == roots ? 0644 : 0666);
    }
    EXPECT_TRUE(asNobody(*nobody, [&] {
        std::string failures;
        if (errorText(writeWholeFile(roots, "x")) != "Access to " + roots + " was denied.")
            failures += "another's file was not refused\n";
        for (const auto& path : shared)
            if (writeWholeFile(path, "nobody's") || test::readBytes(path) != "nobody's")
                failures += path + " was not saved\n";
        repairPlayerFile(sharedPlayers); // its times are root's to set
        return failures;
    }));
    EXPECT_EQ(test::readBytes(roots), "root's");
    EXPECT_EQ(test::readBytes(sharedPlayers), good);
    for (const auto& path : {shared[0], shared[1], sharedPlayers})
        EXPECT_EQ(ownerOf(path), "0:0:" + std::to_string(0666)) << path;

    // In a sticky folder everybody may write, a link nobody planted is not followed; one of
    // the user's own is, as are links elsewhere.
    const std::string sticky = dir.file("sticky");
    ::mkdir(sticky.c_str(), 0777);
    ::chmod(sticky.c_str(), 01777);
    const std::string target = dir.file("target.quo");
    test::writeBytes(target, "root's");
    ASSERT_EQ(::symlink(target.c_str(), (sticky + "/planted").c_str()), 0);
    ASSERT_EQ(::lchown((sticky + "/planted").c_str(), nobody->pw_uid, nobody->pw_gid), 0);
    ASSERT_EQ(::symlink(target.c_str(), (sticky + "/own").c_str()), 0);
    EXPECT_EQ(errorText(writeWholeFile(sticky + "/planted", "x")),
              "Access to " + sticky + "/planted was denied.");
    EXPECT_EQ(test::readBytes(target), "root's");
    EXPECT_EQ(errorText(writeWholeFile(sticky + "/own", "mine")), "");
    EXPECT_EQ(test::readBytes(target), "mine");
}

} // namespace
} // namespace quorvel
