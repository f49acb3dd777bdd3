// Runs a UI script from the event loop. Each line is started from a timer, and every action that
// may open a modal dialog is posted to the event loop instead of called, so the runner returns at
// once and its next lines run inside the dialog's own event loop (a press on the dialog's button
// then closes it). The runner never re-enters itself and never waits forever: a button, menu item
// or field that has not appeared within the find timeout is noted in the transcript and skipped.
#pragma once

#include "ui_script.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace mca {

class ScriptAnswers;
class UiTranscript;

struct UiScriptTiming {
    int gapMilliseconds = 50;             // between lines, so the UI settles
    int findTimeoutMilliseconds = 10000;  // how long press, menu and set look for their widget
    int quitTimeoutMilliseconds = 10000;  // after quit, how long the program may take to close
};

class UiScriptRunner : public QObject {
    Q_OBJECT
public:
    // `quit` runs the program's normal close sequence; empty means QApplication::closeAllWindows.
    UiScriptRunner(std::vector<UiCommand> commands, ScriptAnswers& answers, UiTranscript& transcript,
                   std::function<void()> quit = {}, UiScriptTiming timing = {}, QObject* parent = nullptr);

    // Begins with the first line after one gap.
    void start();
    bool isFinished() const { return m_finished; }

signals:
    // After the last line has been run; for quit, just before the program is asked to close.
    void finished();

private:
    void step();
    void finish();
    // Runs the command; what it still waits for when it should be tried again after a gap (its
    // widget not there yet), nullopt when done.
    std::optional<std::string> run(const UiCommand& command);
    std::optional<std::string> runMenu(const UiCommand& command);
    std::optional<std::string> runPress(const UiCommand& command);
    std::optional<std::string> runSet(const UiCommand& command);
    void runShot(const UiCommand& command);
    // Ends the program with exit code 1 when a window is still open after the quit timeout.
    void runQuit(const UiCommand& command);
    void note(const UiCommand& command, const std::string& what);
    void scheduleNext(int milliseconds);

    std::vector<UiCommand> m_commands;
    ScriptAnswers& m_answers;
    UiTranscript& m_transcript;
    std::function<void()> m_quit;
    UiScriptTiming m_timing;
    QTimer m_timer;
    QElapsedTimer m_clock;
    std::size_t m_next = 0;
    qint64 m_retryingSinceMs = -1;  // steady time the current line was first tried, -1 if not retrying
    bool m_inStep = false;
    bool m_finished = false;
};

}  // namespace mca
