// Date-time texts, calendar arithmetic and the machine clock.
#include "core/date_time.h"

#include <cctype>
#include <chrono>
#include <ctime>

namespace mca {
namespace {

constexpr long long kMillisecondsPerSecond = 1000;
constexpr long long kMillisecondsPerDay = 86'400'000;

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

long long floorDivide(long long value, long long divisor) {
    const long long quotient = value / divisor;
    return (value % divisor != 0 && value < 0) ? quotient - 1 : quotient;
}

// Days from 1970-01-01 by counting 400-year eras that start on March 1st, which puts the leap day
// at the end of each year.
long long daysFromCivil(int year, int month, int day) {
    const long long y = static_cast<long long>(year) - (month <= 2 ? 1 : 0);
    const long long era = floorDivide(y, 400);
    const long long yearOfEra = y - era * 400;
    const long long monthFromMarch = (month + 9) % 12;
    const long long dayOfYear = (153 * monthFromMarch + 2) / 5 + day - 1;
    const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

void civilFromDays(long long days, DateTime& t) {
    const long long shifted = days + 719468;
    const long long era = floorDivide(shifted, 146097);
    const long long dayOfEra = shifted - era * 146097;
    const long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long monthFromMarch = (5 * dayOfYear + 2) / 153;
    t.day = static_cast<int>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
    t.month = static_cast<int>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
    t.year = static_cast<int>(yearOfEra + era * 400 + (t.month <= 2 ? 1 : 0));
}

void appendNumber(std::string& out, int value, std::size_t width) {
    const std::string digits = std::to_string(value);
    if (digits.size() < width) {
        out.append(width - digits.size(), '0');
    }
    out += digits;
}

std::size_t longestToken(char letter) {
    switch (letter) {
        case 'y': return 4;
        case 'z': return 3;
        case 'm': case 'd': case 'h': case 'n': case 's': return 2;
        default: return 0;
    }
}

std::size_t tokenLength(std::string_view pattern, std::size_t pos) {
    const char letter = pattern[pos];
    const std::size_t longest = longestToken(letter);
    std::size_t length = 0;
    while (length < longest && pos + length < pattern.size() && pattern[pos + length] == letter) {
        ++length;
    }
    // Milliseconds come as "z" or "zzz"; "zz" is two single tokens.
    return letter == 'z' && length == 2 ? 1 : length;
}

// Appends one token; returns whether it was an hour, which makes a following "m" mean minutes.
bool appendToken(std::string& out, const DateTime& t, char letter, std::size_t length, bool afterHour) {
    switch (letter) {
        case 'y':
            if (length <= 2) {
                appendNumber(out, t.year % 100, 2);
            } else {
                appendNumber(out, t.year, 4);
            }
            return false;
        case 'm': appendNumber(out, afterHour ? t.minute : t.month, length); return false;
        case 'd': appendNumber(out, t.day, length); return false;
        case 'h': appendNumber(out, t.hour, length); return true;
        case 'n': appendNumber(out, t.minute, length); return false;
        case 's': appendNumber(out, t.second, length); return false;
        default: appendNumber(out, t.millisecond, length); return false;
    }
}

class Cursor {
public:
    explicit Cursor(std::string_view text) : m_text(text) {}

    bool atEnd() const { return m_pos == m_text.size(); }

    bool accept(char c) {
        if (atEnd() || m_text[m_pos] != c) {
            return false;
        }
        ++m_pos;
        return true;
    }

    bool acceptWord(std::string_view word) {
        if (m_text.size() - m_pos < word.size()) {
            return false;
        }
        for (std::size_t i = 0; i < word.size(); ++i) {
            const auto c = static_cast<unsigned char>(m_text[m_pos + i]);
            if (std::toupper(c) != word[i]) {
                return false;
            }
        }
        m_pos += word.size();
        return true;
    }

    std::optional<int> number(std::size_t minDigits, std::size_t maxDigits) {
        int value = 0;
        std::size_t digits = 0;
        while (digits < maxDigits && !atEnd() && std::isdigit(static_cast<unsigned char>(m_text[m_pos]))) {
            value = value * 10 + (m_text[m_pos] - '0');
            ++m_pos;
            ++digits;
        }
        return digits >= minDigits && digits > 0 ? std::optional<int>(value) : std::nullopt;
    }

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
};

// "h:nn" with an optional ":ss".
bool readClock(Cursor& in, DateTime& t) {
    const auto hour = in.number(1, 2);
    const auto minute = in.accept(':') ? in.number(1, 2) : std::nullopt;
    if (!hour || !minute) {
        return false;
    }
    t.hour = *hour;
    t.minute = *minute;
    if (in.accept(':')) {
        const auto second = in.number(1, 2);
        if (!second) {
            return false;
        }
        t.second = *second;
    }
    return true;
}

// A 12-hour clock runs 12, 1, ... 11, so 12 AM is midnight and 12 PM is noon.
bool applyMeridiem(Cursor& in, DateTime& t) {
    const bool spaced = in.accept(' ');
    const bool am = in.acceptWord("AM");
    const bool pm = !am && in.acceptWord("PM");
    if (!am && !pm) {
        return !spaced;
    }
    if (t.hour < 1 || t.hour > 12) {
        return false;
    }
    t.hour = t.hour % 12 + (pm ? 12 : 0);
    return true;
}

std::optional<DateTime> parseFixedForm(std::string_view text) {
    Cursor in(text);
    DateTime t;
    const auto year = in.number(4, 4);
    const auto month = in.accept('-') ? in.number(1, 2) : std::nullopt;
    const auto day = in.accept('-') ? in.number(1, 2) : std::nullopt;
    if (!year || !month || !day || !(in.accept(' ') || in.accept('T')) || !readClock(in, t) || !in.atEnd()) {
        return std::nullopt;
    }
    t.year = *year;
    t.month = *month;
    t.day = *day;
    return t;
}

std::optional<DateTime> parseUsForm(std::string_view text) {
    Cursor in(text);
    DateTime t;
    const auto month = in.number(1, 2);
    const auto day = in.accept('/') ? in.number(1, 2) : std::nullopt;
    const auto year = in.accept('/') ? in.number(4, 4) : std::nullopt;
    if (!month || !day || !year || !in.accept(' ') || !readClock(in, t) || !applyMeridiem(in, t) ||
        !in.atEnd()) {
        return std::nullopt;
    }
    t.year = *year;
    t.month = *month;
    t.day = *day;
    return t;
}

std::string_view trimmed(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\r\n";
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

}  // namespace

std::string formatStamp(const DateTime& t, std::string_view pattern) {
    std::string out;
    out.reserve(pattern.size() + 8);
    bool afterHour = false;
    std::size_t pos = 0;
    while (pos < pattern.size()) {
        const std::size_t length = tokenLength(pattern, pos);
        if (length == 0) {
            out.push_back(pattern[pos++]);
            continue;
        }
        afterHour = appendToken(out, t, pattern[pos], length, afterHour);
        pos += length;
    }
    return out;
}

std::string formatDateTimeText(const DateTime& t) {
    return formatStamp(t, "yyyy-mm-dd hh:nn:ss");
}

std::optional<DateTime> parseDateTimeText(std::string_view text) {
    const std::string_view core = trimmed(text);
    std::optional<DateTime> t = parseFixedForm(core);
    if (!t) {
        t = parseUsForm(core);
    }
    if (!t || !isValidDateTime(*t)) {
        return std::nullopt;
    }
    return t;
}

long long toMillisecondsSinceEpoch(const DateTime& t) {
    const long long seconds = t.hour * 3600LL + t.minute * 60LL + t.second;
    return daysFromCivil(t.year, t.month, t.day) * kMillisecondsPerDay + seconds * kMillisecondsPerSecond +
           t.millisecond;
}

DateTime fromMillisecondsSinceEpoch(long long ms) {
    DateTime t;
    const long long days = floorDivide(ms, kMillisecondsPerDay);
    civilFromDays(days, t);
    const long long ofDay = ms - days * kMillisecondsPerDay;
    t.millisecond = static_cast<int>(ofDay % kMillisecondsPerSecond);
    const long long seconds = ofDay / kMillisecondsPerSecond;
    t.second = static_cast<int>(seconds % 60);
    t.minute = static_cast<int>(seconds / 60 % 60);
    t.hour = static_cast<int>(seconds / 3600);
    return t;
}

DateTime addMilliseconds(const DateTime& t, long long ms) {
    return fromMillisecondsSinceEpoch(toMillisecondsSinceEpoch(t) + ms);
}

bool isValidDateTime(const DateTime& t) {
    return t.year >= 1 && t.year <= 9999 && t.month >= 1 && t.month <= 12 && t.day >= 1 &&
           t.day <= daysInMonth(t.year, t.month) && t.hour >= 0 && t.hour <= 23 && t.minute >= 0 &&
           t.minute <= 59 && t.second >= 0 && t.second <= 59 && t.millisecond >= 0 && t.millisecond <= 999;
}

DateTime localDateTimeNow() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto sinceSecond = now - std::chrono::system_clock::from_time_t(seconds);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(sinceSecond).count();
    DateTime t;
    t.year = local.tm_year + 1900;
    t.month = local.tm_mon + 1;
    t.day = local.tm_mday;
    t.hour = local.tm_hour;
    t.minute = local.tm_min;
    t.second = local.tm_sec;
    // to_time_t may round rather than truncate, and a leap second reads as :60.
    t.millisecond = static_cast<int>(ms < 0 ? 0 : ms % 1000);
    if (t.second > 59) {
        t.second = 59;
    }
    return t;
}

}  // namespace mca
