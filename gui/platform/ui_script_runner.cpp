// Running a UI script from the event loop.
#include "ui_script_runner.h"

#include "script_answers.h"
#include "ui_field_setter.h"
#include "ui_transcript.h"
#include "ui_widget_lookup.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPixmap>
#include <QPointer>

#include <iostream>

namespace mca {

namespace {

std::string duration(int milliseconds) {
    if (milliseconds % 1000 == 0) return std::to_string(milliseconds / 1000) + " s";
    return std::to_string(milliseconds) + " ms";
}

bool anyWindowOpen() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isWindow() && w->isVisible()) return true;
    }
    return false;
}

}  // namespace

UiScriptRunner::UiScriptRunner(std::vector<UiCommand> commands, ScriptAnswers& answers, UiTranscript& transcript,
                               std::function<void()> quit, UiScriptTiming timing, QObject* parent)
    : QObject(parent),
      m_commands(std::move(commands)),
      m_answers(answers),
      m_transcript(transcript),
      m_quit(std::move(quit)),
      m_timing(timing) {
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &UiScriptRunner::step);
    m_clock.start();
}

void UiScriptRunner::start() { scheduleNext(m_timing.gapMilliseconds); }

void UiScriptRunner::scheduleNext(int milliseconds) { m_timer.start(std::max(milliseconds, 0)); }

void UiScriptRunner::note(const UiCommand& command, const std::string& what) {
    m_transcript.write({"script", std::to_string(command.lineNumber), command.line, what});
    std::cerr << "UI script line " << command.lineNumber << " (" << command.line << "): " << what << '\n';
}

void UiScriptRunner::step() {
    // A timer cannot fire inside its own slot, but a slot that runs an event loop could let it.
    if (m_inStep) return scheduleNext(m_timing.gapMilliseconds);
    if (m_next >= m_commands.size()) return finish();
    m_inStep = true;
    const UiCommand& command = m_commands[m_next];
    const auto waitingFor = run(command);
    bool done = !waitingFor;
    if (waitingFor) {
        if (m_retryingSinceMs < 0) m_retryingSinceMs = m_clock.elapsed();
        if (m_clock.elapsed() - m_retryingSinceMs >= m_timing.findTimeoutMilliseconds) {
            note(command, *waitingFor + " after " + duration(m_timing.findTimeoutMilliseconds));
            done = true;
        }
    }
    m_inStep = false;
    if (!done) return scheduleNext(m_timing.gapMilliseconds);
    m_retryingSinceMs = -1;
    ++m_next;
    // Lines after quit would act on a program that is closing; quit itself finishes the run.
    if (command.kind == UiCommandKind::Quit) return;
    const bool wait = command.kind == UiCommandKind::Wait;
    scheduleNext(wait ? std::stoi(command.arguments[0]) : m_timing.gapMilliseconds);
}

void UiScriptRunner::finish() {
    if (m_finished) return;
    m_finished = true;
    emit finished();
}

std::optional<std::string> UiScriptRunner::run(const UiCommand& command) {
    switch (command.kind) {
        case UiCommandKind::Answer: m_answers.push(command.arguments[0]); return std::nullopt;
        case UiCommandKind::Menu: return runMenu(command);
        case UiCommandKind::Press: return runPress(command);
        case UiCommandKind::Set: return runSet(command);
        case UiCommandKind::Wait: return std::nullopt;
        case UiCommandKind::Shot: runShot(command); return std::nullopt;
        case UiCommandKind::Quit: runQuit(command); return std::nullopt;
        case UiCommandKind::Unknown: note(command, "unknown command, skipped"); return std::nullopt;
    }
    return std::nullopt;
}

// The action may open a modal dialog: it is posted, so this line ends and the next ones run
// inside the dialog's event loop.
std::optional<std::string> UiScriptRunner::runMenu(const UiCommand& command) {
    QAction* action = findMenuAction(command.arguments);
    if (!action) return "menu item not found";
    if (!action->isEnabled()) return "menu item still disabled";
    // As for a person, the menu bar is out of reach while a modal dialog is up.
    if (QApplication::activeModalWidget()) return "menu out of reach behind a modal window";
    QTimer::singleShot(0, action, [action] { action->trigger(); });
    return std::nullopt;
}

std::optional<std::string> UiScriptRunner::runPress(const UiCommand& command) {
    QAbstractButton* button = findButton(command.arguments[0]);
    if (!button) return "button not found";
    if (!button->isEnabled()) return "button still disabled";
    QTimer::singleShot(0, button, [button] { button->click(); });
    return std::nullopt;
}

std::optional<std::string> UiScriptRunner::runSet(const UiCommand& command) {
    QWidget* field = findNamedWidget(command.arguments[0]);
    if (!field) return "field not found";
    // Filling a field may run a check that shows a dialog, so this too is posted.
    QPointer<UiScriptRunner> self(this);
    QTimer::singleShot(0, field, [self, field, command] {
        const std::string problem = setFieldValue(*field, command.arguments[1]);
        if (!problem.empty() && self) self->note(command, problem);
    });
    return std::nullopt;
}

void UiScriptRunner::runShot(const UiCommand& command) {
    const std::vector<QWidget*> windows = scriptTargetWindows();
    if (windows.empty()) return note(command, "no window to take a picture of");
    const QFileInfo file(QString::fromStdString(command.arguments[0]));
    if (!QDir().mkpath(file.absolutePath())) return note(command, "cannot make the folder");
    if (!windows.front()->grab().save(file.absoluteFilePath(), "PNG")) note(command, "cannot write the picture");
}

void UiScriptRunner::runQuit(const UiCommand& command) {
    QTimer::singleShot(0, this, [this] {
        // The close sequence may end the runner's owner; nothing of the runner is used after it.
        const std::function<void()> quit = m_quit;
        finish();
        if (quit) quit();
        else QApplication::closeAllWindows();
    });
    if (m_timing.quitTimeoutMilliseconds <= 0) return;
    // A close sequence that keeps a window open would leave a scripted run going for ever.
    QTimer::singleShot(m_timing.quitTimeoutMilliseconds, this, [this, command] {
        if (!anyWindowOpen()) return;
        note(command, "the program did not close; ending it");
        QCoreApplication::exit(1);
    });
}

}  // namespace mca
