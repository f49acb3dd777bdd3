// The .spe text parser.
#include "spectrumio/spe_file_reader.h"

#include "core/atomic_file.h"
#include "core/errors.h"
#include "core/number_text.h"
#include "core/text_encoding.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <map>

namespace mca {

namespace {

using Sections = std::map<std::string, std::vector<std::string>>;

std::string_view trimmed(std::string_view s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

std::vector<std::string_view> words(std::string_view line) {
    std::vector<std::string_view> out;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
        if (i > start) out.push_back(line.substr(start, i - start));
    }
    return out;
}

// "$KEY:" at the start of a line opens a section; the key is kept without "$" and ":".
Sections splitSections(std::string_view text) {
    Sections sections;
    std::vector<std::string>* current = nullptr;
    for (const std::string_view raw : splitLines(text)) {
        const std::string_view line = trimmed(raw);
        if (line.size() >= 2 && line.front() == '$' && line.back() == ':') {
            current = &sections[std::string(line.substr(1, line.size() - 2))];
        } else if (current) {
            current->emplace_back(line);
        }
    }
    return sections;
}

double number(std::string_view text, const std::string& where) {
    const auto value = parseFloat(text);
    if (!value || !std::isfinite(*value) || text.find(',') != std::string_view::npos) {
        throw SpeFormatError(where + " holds \"" + std::string(text) + "\", which is not a number.");
    }
    return *value;
}

void readTimes(const Sections& s, SpeSpectrum& spe) {
    const auto it = s.find("MEAS_TIM");
    if (it == s.end() || it->second.empty()) return;
    const auto w = words(it->second.front());
    if (w.size() < 2) throw SpeFormatError("The $MEAS_TIM: line is not \"live real\" in seconds.");
    spe.liveSeconds = number(w[0], "The live time of $MEAS_TIM:");
    spe.realSeconds = number(w[1], "The real time of $MEAS_TIM:");
    if (spe.liveSeconds < 0 || spe.realSeconds < 0) throw SpeFormatError("The $MEAS_TIM: times are negative.");
}

long long channelNumber(std::string_view text) {
    const bool digits = std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    const auto value = digits ? parseInteger(text) : std::nullopt;
    if (!value) {
        throw SpeFormatError("The $DATA: range holds \"" + std::string(text) + "\", which is not a channel number.");
    }
    return *value;
}

void readCounts(const Sections& s, SpeSpectrum& spe) {
    const auto it = s.find("DATA");
    if (it == s.end() || it->second.empty()) throw SpeFormatError("The file has no $DATA: section.");
    const auto range = words(it->second.front());
    if (range.size() < 2) throw SpeFormatError("The $DATA: section does not start with the first and last channel.");
    const long long first = channelNumber(range[0]);
    const long long last = channelNumber(range[1]);
    if (last < first) throw SpeFormatError("The $DATA: range ends before it starts.");
    if (last >= kMaxSpeChannels) {
        throw SpeFormatError("The $DATA: range holds more than " + std::to_string(kMaxSpeChannels) + " channels.");
    }
    spe.counts.assign(static_cast<std::size_t>(last + 1), 0.0);
    long long ch = first;
    for (std::size_t line = 1; line < it->second.size() && ch <= last; ++line) {
        for (const std::string_view w : words(it->second[line])) {
            if (ch > last) break;
            const double count = number(w, "Channel " + std::to_string(ch) + " of $DATA:");
            if (count < 0) throw SpeFormatError("Channel " + std::to_string(ch) + " of $DATA: is negative.");
            spe.counts[static_cast<std::size_t>(ch++)] = count;
        }
    }
    if (ch <= last) {
        throw SpeFormatError("The $DATA: section ends after " + std::to_string(ch - first) + " of " +
                             std::to_string(last - first + 1) + " channels.");
    }
}

// `count` coefficients from the words; a trailing unit word such as "keV" is allowed. A polynomial
// of higher order than quadratic has no place in our calibration and is not taken (nullopt).
std::optional<EnergyPolynomial> polynomialOf(const std::vector<std::string_view>& w, std::size_t count,
                                             const std::string& where) {
    if (w.size() < count) throw SpeFormatError(where + " has fewer coefficients than it announces.");
    std::array<double, 3> a{};
    bool higherOrder = false;
    for (std::size_t i = 0; i < count; ++i) {
        const double value = number(w[i], where);
        if (i < a.size()) a[i] = value;
        else higherOrder = higherOrder || value != 0;
    }
    if (higherOrder) return std::nullopt;
    return EnergyPolynomial{a[0], a[1], a[2]};
}

std::optional<EnergyPolynomial> mcaCal(const Sections& s) {
    const auto it = s.find("MCA_CAL");
    if (it == s.end() || it->second.size() < 2) return std::nullopt;
    const auto count = parseInteger(trimmed(it->second[0]));
    if (!count || *count < 1 || *count > 10) throw SpeFormatError("The $MCA_CAL: coefficient count does not read.");
    return polynomialOf(words(it->second[1]), static_cast<std::size_t>(*count), "$MCA_CAL:");
}

std::optional<EnergyPolynomial> enerFit(const Sections& s) {
    const auto it = s.find("ENER_FIT");
    if (it == s.end() || it->second.empty()) return std::nullopt;
    return polynomialOf(words(it->second[0]), 2, "$ENER_FIT:");
}

std::string joined(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines) {
        if (line.empty()) continue;
        if (!out.empty()) out += ' ';
        out += line;
    }
    return out;
}

}  // namespace

SpeSpectrum parseSpeText(std::string_view text) {
    const Sections s = splitSections(text);
    SpeSpectrum spe;
    if (const auto it = s.find("SPEC_ID"); it != s.end()) spe.specId = joined(it->second);
    if (const auto it = s.find("SPEC_REM"); it != s.end()) spe.remarks = it->second;
    if (const auto it = s.find("DATE_MEA"); it != s.end() && !it->second.empty()) spe.measuredDate = it->second.front();
    readTimes(s, spe);
    readCounts(s, spe);
    for (const auto& candidate : {mcaCal(s), enerFit(s)}) {
        if (candidate && candidate->a1 != 0) {
            spe.calibration = candidate;
            break;
        }
    }
    return spe;
}

SpeSpectrum readSpeFile(const std::filesystem::path& path) {
    std::string bytes;
    try {
        bytes = readFileBytes(path);
    } catch (const FileError&) {
        throw FileError("Cannot open file " + path.string());
    }
    try {
        return parseSpeText(cp1252ToUtf8(bytes));
    } catch (const SpeFormatError& e) {
        throw FileError(path.string() + ": " + e.what());
    }
}

bool isSpeFile(const std::filesystem::path& path) {
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext == ".spe";
}

std::string speDetectorDescription(const SpeSpectrum& spe) {
    constexpr std::string_view kTag = "DETDESC# ";
    for (const std::string& remark : spe.remarks) {
        if (remark.rfind(kTag, 0) == 0) return std::string(trimmed(std::string_view(remark).substr(kTag.size())));
    }
    return {};
}

}  // namespace mca
