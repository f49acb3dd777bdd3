// Dates and times as texts: file-name stamps, the fixed date-time text of files and reports, and
// calendar arithmetic on the naive local calendar (no time zones).
#pragma once

#include <compare>
#include <optional>
#include <string>
#include <string_view>

namespace mca {

struct DateTime {
    int year = 1970;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;

    auto operator<=>(const DateTime&) const = default;
};

// Picture tokens: yyyy, yy, mm, m, dd, d, hh, h, nn, n, ss, s, zzz, z; everything else is
// copied as it stands. mm/m right after an hour token (literals between allowed, as in "hh:mm")
// mean minutes. Tokens are lower case only, so capitals are always literal.
std::string formatStamp(const DateTime& t, std::string_view pattern);

inline constexpr std::string_view kStampSpaced = "yyyy mm dd hh-nn-ss";  // "2026 12 11 09-05-03"
inline constexpr std::string_view kStampCompact = "yy-mm-dd_hhmmss";     // "26-12-11_090503"
inline constexpr std::string_view kStampMinutes = "yyyymmddhhnn";        // "202612110905"

// The one fixed date-time text of files and reports: "yyyy-mm-dd hh:nn:ss".
std::string formatDateTimeText(const DateTime& t);

// Reads the fixed text back. Also accepts "T" for the blank, a missing seconds part, and the
// older US form "m/d/yyyy h:nn[:ss] [AM|PM]". Invalid dates and times give nullopt.
std::optional<DateTime> parseDateTimeText(std::string_view text);

// Proleptic Gregorian; 1970-01-01 00:00:00.000 is 0.
long long toMillisecondsSinceEpoch(const DateTime& t);
DateTime fromMillisecondsSinceEpoch(long long ms);
DateTime addMilliseconds(const DateTime& t, long long ms);

// Years 1 to 9999, a real calendar day, 00:00:00.000 to 23:59:59.999.
bool isValidDateTime(const DateTime& t);

// The machine's local time now.
DateTime localDateTimeNow();

}  // namespace mca
