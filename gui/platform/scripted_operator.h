// The operator of a Qt program that may be run by a UI script. With a script active it never shows
// a dialog: each prompt takes the next queued answer, or its default side (Cancel if offered, else
// No, else the last button; no file, text or colour; OK for a message). Without a script it asks
// the real operator. Either way every prompt and its answer goes to the transcript:
//   message | <title> | <text> | OK            (also warning | ..., error | ...)
//   question | <title> | <text> | Cancel (default)
//   open-file | <title> | <folder/name> | <path or (cancel)>     (save-file likewise)
//   input | <title> | <prompt> [<initial>] | <text or (cancel)>
//   colour | | <#RRGGBB initial> | <#RRGGBB or (cancel)>
//   beep
// A queued answer that does not fit the prompt is used up and the default taken, noted as
// "(default; "<answer>" does not fit)". A message takes a queued answer only when it is "OK".
// For file, text and colour choices the answer "(cancel)" or "Cancel" cancels. A relative file
// answer is taken in the choice's folder, as typing a name into the file dialog would; a save
// choice adds its default suffix to a name without one.
#pragma once

#include "core/operator.h"

namespace mca {

class ScriptAnswers;
class UiTranscript;

class ScriptedOperator : public Operator {
public:
    ScriptedOperator(Operator& real, ScriptAnswers& answers, UiTranscript& transcript, bool scriptActive)
        : m_real(real), m_answers(answers), m_transcript(transcript), m_scriptActive(scriptActive) {}

    bool scriptActive() const { return m_scriptActive; }
    void setScriptActive(bool active) { m_scriptActive = active; }

    void message(const std::string& text, const std::string& title, MessageKind kind) override;
    Answer question(const std::string& text, const std::string& title, const Buttons& buttons) override;
    std::optional<std::string> chooseOpenFile(const FileChoice& choice) override;
    std::optional<std::string> chooseSaveFile(const FileChoice& choice) override;
    std::optional<std::string> inputText(const std::string& title, const std::string& prompt,
                                         const std::string& initial) override;
    std::optional<ColourRef> chooseColour(ColourRef initial) override;
    void beep() override;

private:
    std::optional<std::string> chooseFile(const char* kind, const FileChoice& choice, bool save);

    Operator& m_real;
    ScriptAnswers& m_answers;
    UiTranscript& m_transcript;
    bool m_scriptActive;
};

}  // namespace mca
