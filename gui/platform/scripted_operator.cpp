// The scripted operator: queued answers, default sides and the transcript.
#include "scripted_operator.h"

#include "script_answers.h"
#include "ui_script.h"
#include "ui_transcript.h"

#include <QString>

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace mca {

namespace {

constexpr const char* kCancelled = "(cancel)";
constexpr const char* kDefault = " (default)";

bool sameCaption(const std::string& written, const std::string& caption) {
    return QString::fromStdString(plainCaption(written)).compare(QString::fromStdString(caption),
                                                                 Qt::CaseInsensitive) == 0;
}

std::optional<Answer> answerFor(const std::string& written, const Buttons& offered) {
    for (Answer a : offered) {
        if (sameCaption(written, answerCaption(a))) return a;
    }
    return std::nullopt;
}

// Cancel if offered, else No, else the last button: the side that changes nothing.
Answer defaultAnswer(const Buttons& offered) {
    for (Answer side : {Answer::Cancel, Answer::No}) {
        if (std::find(offered.begin(), offered.end(), side) != offered.end()) return side;
    }
    return offered.back();
}

std::string misfit(const std::string& answer) { return " (default; \"" + answer + "\" does not fit)"; }

bool isCancel(const std::string& answer) { return answer == kCancelled || sameCaption(answer, "Cancel"); }

const char* messageKind(MessageKind kind) {
    switch (kind) {
        case MessageKind::Information: return "message";
        case MessageKind::Warning: return "warning";
        case MessageKind::Error: return "error";
    }
    return "message";
}

std::string colourText(ColourRef c) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", c & 0xFFu, (c >> 8) & 0xFFu, (c >> 16) & 0xFFu);
    return text;
}

// "#RRGGBB", or a colour reference 0x00BBGGRR written as a decimal or 0x number.
std::optional<ColourRef> parseColour(const std::string& text) {
    bool ok = false;
    if (text.size() == 7 && text[0] == '#') {
        const uint rgb = QString::fromStdString(text.substr(1)).toUInt(&ok, 16);
        if (!ok) return std::nullopt;
        return ((rgb >> 16) & 0xFFu) | (rgb & 0xFF00u) | ((rgb & 0xFFu) << 16);
    }
    const uint value = QString::fromStdString(text).toUInt(&ok, 0);
    if (!ok || value > 0xFFFFFFu) return std::nullopt;
    return value;
}

// A path as the file dialog would return it: a bare or relative name lies in the dialog's folder.
std::string resolvePath(const std::string& answer, const FileChoice& choice, bool save) {
    std::filesystem::path p(answer);
    if (p.is_relative()) {
        const std::filesystem::path base =
            choice.folder.empty() ? std::filesystem::current_path() : std::filesystem::path(choice.folder);
        p = base / p;
    }
    if (save && !p.has_extension() && !choice.defaultSuffix.empty()) p += "." + choice.defaultSuffix;
    return p.lexically_normal().string();
}

std::string shownPath(const FileChoice& choice) {
    if (choice.fileName.empty()) return choice.folder;
    if (choice.folder.empty()) return choice.fileName;
    return (std::filesystem::path(choice.folder) / choice.fileName).string();
}

}  // namespace

void ScriptedOperator::message(const std::string& text, const std::string& title, MessageKind kind) {
    std::string answer = "OK";
    if (!m_scriptActive) {
        m_real.message(text, title, kind);
    } else if (const std::string* next = m_answers.front(); next && sameCaption(*next, "OK")) {
        m_answers.take();
    } else {
        answer += kDefault;
    }
    m_transcript.write({messageKind(kind), title, text, answer});
}

Answer ScriptedOperator::question(const std::string& text, const std::string& title, const Buttons& buttons) {
    const Buttons offered = buttons.empty() ? Buttons{Answer::Ok} : buttons;
    if (!m_scriptActive) {
        const Answer a = m_real.question(text, title, offered);
        m_transcript.write({"question", title, text, answerCaption(a)});
        return a;
    }
    Answer a = defaultAnswer(offered);
    std::string note = kDefault;
    if (const auto queued = m_answers.take()) {
        if (const auto fits = answerFor(*queued, offered)) {
            a = *fits;
            note.clear();
        } else {
            note = misfit(*queued);
        }
    }
    m_transcript.write({"question", title, text, std::string(answerCaption(a)) + note});
    return a;
}

std::optional<std::string> ScriptedOperator::chooseFile(const char* kind, const FileChoice& choice, bool save) {
    std::optional<std::string> path;
    std::string note;
    if (!m_scriptActive) {
        path = save ? m_real.chooseSaveFile(choice) : m_real.chooseOpenFile(choice);
    } else if (const auto queued = m_answers.take()) {
        if (!queued->empty() && !isCancel(*queued)) path = resolvePath(*queued, choice, save);
    } else {
        note = kDefault;
    }
    m_transcript.write({kind, choice.title, shownPath(choice), path.value_or(kCancelled) + note});
    return path;
}

std::optional<std::string> ScriptedOperator::chooseOpenFile(const FileChoice& choice) {
    return chooseFile("open-file", choice, false);
}

std::optional<std::string> ScriptedOperator::chooseSaveFile(const FileChoice& choice) {
    return chooseFile("save-file", choice, true);
}

std::optional<std::string> ScriptedOperator::inputText(const std::string& title, const std::string& prompt,
                                                       const std::string& initial) {
    std::optional<std::string> text;
    std::string note;
    if (!m_scriptActive) {
        text = m_real.inputText(title, prompt, initial);
    } else if (const auto queued = m_answers.take()) {
        if (!isCancel(*queued)) text = *queued;
    } else {
        note = kDefault;
    }
    const std::string shown = initial.empty() ? prompt : prompt + " [" + initial + "]";
    m_transcript.write({"input", title, shown, text.value_or(kCancelled) + note});
    return text;
}

std::optional<ColourRef> ScriptedOperator::chooseColour(ColourRef initial) {
    std::optional<ColourRef> colour;
    std::string note;
    if (!m_scriptActive) {
        colour = m_real.chooseColour(initial);
    } else if (const auto queued = m_answers.take()) {
        if (!isCancel(*queued)) {
            colour = parseColour(*queued);
            if (!colour) note = misfit(*queued);
        }
    } else {
        note = kDefault;
    }
    m_transcript.write({"colour", "", colourText(initial), (colour ? colourText(*colour) : kCancelled) + note});
    return colour;
}

void ScriptedOperator::beep() {
    m_transcript.write({"beep"});
    m_real.beep();
}

}  // namespace mca
