// Reading UI script lines into commands.
#include "ui_script.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <optional>

namespace mca {

namespace {

std::string_view trim(std::string_view s) {
    const auto space = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    while (!s.empty() && space(s.front())) s.remove_prefix(1);
    while (!s.empty() && space(s.back())) s.remove_suffix(1);
    return s;
}

std::string lower(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::tolower(c); });
    return out;
}

// The first word and the rest after it, both trimmed.
std::pair<std::string_view, std::string_view> splitWord(std::string_view s) {
    const auto space = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    const auto end = std::find_if(s.begin(), s.end(), space);
    const auto n = static_cast<std::size_t>(end - s.begin());
    return {s.substr(0, n), trim(s.substr(n))};
}

std::vector<std::string> menuPath(std::string_view rest) {
    std::vector<std::string> path;
    while (true) {
        const auto gt = rest.find('>');
        const std::string_view caption = trim(rest.substr(0, gt));
        if (caption.empty()) return {};
        path.emplace_back(caption);
        if (gt == std::string_view::npos) return path;
        rest.remove_prefix(gt + 1);
    }
}

std::optional<int> milliseconds(std::string_view s) {
    int value = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (error != std::errc() || end != s.data() + s.size() || value < 0) return std::nullopt;
    return value;
}

// The command of one non-blank, non-comment line; Unknown when it does not read.
std::pair<UiCommandKind, std::vector<std::string>> readCommand(std::string_view line) {
    const auto [word, rest] = splitWord(line);
    const std::string keyword = lower(word);
    const std::string text(rest);
    if (keyword == "answer") return {UiCommandKind::Answer, {text}};
    if (keyword == "menu") {
        if (auto path = menuPath(rest); !path.empty()) return {UiCommandKind::Menu, std::move(path)};
    } else if (keyword == "press" && !rest.empty()) {
        return {UiCommandKind::Press, {text}};
    } else if (keyword == "set" && !rest.empty()) {
        const auto [name, value] = splitWord(rest);
        return {UiCommandKind::Set, {std::string(name), std::string(value)}};
    } else if (keyword == "wait" && milliseconds(rest)) {
        return {UiCommandKind::Wait, {text}};
    } else if (keyword == "shot" && !rest.empty()) {
        return {UiCommandKind::Shot, {text}};
    } else if (keyword == "quit" && rest.empty()) {
        return {UiCommandKind::Quit, {}};
    }
    return {UiCommandKind::Unknown, {std::string(line)}};
}

}  // namespace

std::vector<UiCommand> parseUiScript(std::string_view text) {
    std::vector<UiCommand> commands;
    int lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        const auto eol = text.find('\n');
        const std::string_view line = trim(text.substr(0, eol));
        text.remove_prefix(eol == std::string_view::npos ? text.size() : eol + 1);
        if (line.empty() || line.front() == '#') continue;
        auto [kind, arguments] = readCommand(line);
        commands.push_back({kind, std::move(arguments), lineNumber, std::string(line)});
    }
    return commands;
}

std::string plainCaption(std::string_view caption) {
    caption = caption.substr(0, caption.find('\t'));
    std::string out;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] != '&') {
            out += caption[i];
        } else if (i + 1 < caption.size() && caption[i + 1] == '&') {
            out += '&';
            ++i;
        }
    }
    return std::string(trim(out));
}

}  // namespace mca
