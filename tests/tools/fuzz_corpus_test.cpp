#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>

#include "fuzz_targets.h"
#include "support/test_support.h"

namespace quorvel {
namespace {

// Every saved fuzz input, the seeds and every input that once failed, runs through its target.
TEST(FuzzCorpus, EverySavedInputPassesItsTarget) {
    const std::map<std::string, std::function<void(std::string_view)>> targets = {
        {"players_reader", fuzz::playersReader},
        {"line_end_repair", fuzz::lineEndRepair},
        {"match_reader", fuzz::matchReader},
        {"display_name_lookup", fuzz::displayNameLookup},
        {"headless_match", fuzz::headlessMatch},
        {"sheet_replay", fuzz::sheetReplay},
        {"tournament_reader", fuzz::tournamentReader},
    };
    int inputs = 0;
    for (const auto& [name, run] : targets) {
        const std::filesystem::path folder = std::filesystem::path(QUORVEL_FUZZ_CORPUS) / name;
        ASSERT_TRUE(std::filesystem::is_directory(folder)) << folder;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            SCOPED_TRACE(entry.path().string());
            run(test::readBytes(entry.path().string()));
            ++inputs;
        }
    }
    EXPECT_GT(inputs, 5);
}

} // namespace
} // namespace quorvel
