#include "records/scores.h"

#include <array>
#include <cstdio>

namespace quorvel {

void Scores::reset() { reset(std::time(nullptr)); }

void Scores::reset(std::time_t today) {
    formatStamp = kFormatStamp;
    battingFirst = 0;
    tossWinner = 0;
    matchDate = formatMatchDate(today);
    for (auto& team : teams)
        team.reset();
    for (auto& one : innings)
        one.reset();
}

std::string Scores::title() const {
    return teams[0].name() + " vs. " + teams[1].name() + ", " + matchDate;
}

std::string formatMatchDate(const std::tm& date) {
    static constexpr std::array<const char*, 12> kMonths = {
        "January", "February", "March",     "April",   "May",      "June",
        "July",    "August",   "September", "October", "November", "December",
    };
    const int month = date.tm_mon >= 0 && date.tm_mon < 12 ? date.tm_mon : 0;
    char text[64];
    std::snprintf(text, sizeof text, "%02d %s, %d", date.tm_mday, kMonths[month],
                  date.tm_year + 1900);
    return text;
}

std::string formatMatchDate(std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    return formatMatchDate(local);
}

std::string encodeScores(const Scores& scores) {
    ArchiveWriter writer;
    scores.serialize(writer);
    return writer.takeBytes();
}

Scores decodeScores(std::string_view bytes) {
    ArchiveReader reader(bytes);
    Scores scores;
    scores.serialize(reader);
    if (!reader.atEnd())
        throw ArchiveError(ArchiveFault::BadFormat, "bytes after the match record");
    const auto isSide = [](std::int32_t index) { return index == 0 || index == 1; };
    if (!isSide(scores.battingFirst) || !isSide(scores.tossWinner))
        throw ArchiveError(ArchiveFault::BadFormat, "toss or batting index out of range");
    return scores;
}

} // namespace quorvel
