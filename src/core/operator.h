// The person at the workstation, as the core sees them: messages, questions, file and text
// choices, colours and the beep. The program shows dialogs; tests answer from a script and keep
// every text shown, so wording is checked exactly.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace mca {

enum class Answer { Ok, Yes, No, Abort, Cancel };

// The caption of an answer's button, as dialogs, the terminal and transcripts show it.
constexpr const char* answerCaption(Answer a) {
    switch (a) {
        case Answer::Ok: return "OK";
        case Answer::Yes: return "Yes";
        case Answer::No: return "No";
        case Answer::Abort: return "Abort";
        case Answer::Cancel: return "Cancel";
    }
    return "OK";
}

enum class MessageKind { Information, Warning, Error };

// Buttons offered by a question, in the order shown.
using Buttons = std::vector<Answer>;
inline const Buttons kYesNo{Answer::Yes, Answer::No};
inline const Buttons kYesNoAbort{Answer::Yes, Answer::No, Answer::Abort};
inline const Buttons kYesNoCancel{Answer::Yes, Answer::No, Answer::Cancel};
inline const Buttons kOkCancel{Answer::Ok, Answer::Cancel};

struct FileChoice {
    std::string title;
    std::string folder;           // initial folder
    std::string fileName;         // proposed name, may be empty
    std::string filter;           // e.g. "Spectrum Files (*.usf)"
    std::string defaultSuffix;    // e.g. "usf"
};

// A colour reference 0x00BBGGRR, as stored in settings files.
using ColourRef = std::uint32_t;

class Operator {
public:
    virtual ~Operator() = default;
    // A modal message with an OK button.
    virtual void message(const std::string& text, const std::string& title = {},
                         MessageKind kind = MessageKind::Information) = 0;
    // A modal question; returns the button pressed (closing the box counts as the last button).
    virtual Answer question(const std::string& text, const std::string& title, const Buttons& buttons) = 0;
    virtual std::optional<std::string> chooseOpenFile(const FileChoice& choice) = 0;
    virtual std::optional<std::string> chooseSaveFile(const FileChoice& choice) = 0;
    // A one-line text entry; nullopt when cancelled.
    virtual std::optional<std::string> inputText(const std::string& title, const std::string& prompt,
                                                 const std::string& initial) = 0;
    virtual std::optional<ColourRef> chooseColour(ColourRef initial) = 0;
    virtual void beep() = 0;
};

}  // namespace mca
