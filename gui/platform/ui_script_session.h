// What a Qt program needs for scripted operation, read from its environment: MCA_UI_SCRIPT names a
// script to run, MCA_TRANSCRIPT a file for the transcript of operator prompts. A program makes one
// session before its windows, hands `op()` to them as their operator, and calls `start` when its
// main window is shown:
//
//     mca::UiScriptSession ui;                      // reads the environment
//     MainWindow window(..., ui.op());
//     ui.setDialogParent(&window);
//     ui.start([&window] { window.close(); });      // or ui.start() to close all windows
//     return QApplication::exec();
//
// Without MCA_UI_SCRIPT the operator is the real one (still transcribed when MCA_TRANSCRIPT is set)
// and start does nothing. A script that cannot be read is noted in the transcript and on stderr;
// the program then runs without its lines, but its operator stays scripted, so it never waits on a
// dialog nobody may be there to see.
#pragma once

#include "qt_operator.h"
#include "script_answers.h"
#include "scripted_operator.h"
#include "ui_script_runner.h"
#include "ui_transcript.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace mca {

class UiScriptSession {
public:
    // Reads MCA_UI_SCRIPT and MCA_TRANSCRIPT.
    UiScriptSession();
    // For tests: a script file (empty: none) and a transcript file (empty: none).
    UiScriptSession(const std::string& scriptPath, const std::string& transcriptPath, UiScriptTiming timing = {});
    UiScriptSession(const UiScriptSession&) = delete;
    UiScriptSession& operator=(const UiScriptSession&) = delete;

    bool scriptActive() const { return m_op.scriptActive(); }
    // The operator to give the program's windows.
    Operator& op() { return m_op; }
    // The window the real dialogs are shown over.
    void setDialogParent(QWidget* parent) { m_real.setParent(parent); }
    ScriptAnswers& answers() { return m_answers; }
    UiTranscript& transcript() { return m_transcript; }
    // Starts the script, if there is one; `quit` as for UiScriptRunner. Null without a script.
    UiScriptRunner* start(std::function<void()> quit = {});

private:
    std::optional<std::vector<UiCommand>> m_commands;
    UiScriptTiming m_timing;
    ScriptAnswers m_answers;
    UiTranscript m_transcript;
    QtOperator m_real;
    ScriptedOperator m_op;
    std::unique_ptr<UiScriptRunner> m_runner;
};

}  // namespace mca
