// The scripted-operation session of a Qt program, from its environment.
#include "ui_script_session.h"

#include <QtGlobal>

#include <fstream>
#include <iostream>
#include <sstream>

namespace mca {

namespace {

std::string environment(const char* name) { return qEnvironmentVariable(name).toStdString(); }

std::optional<std::string> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

UiScriptSession::UiScriptSession() : UiScriptSession(environment("MCA_UI_SCRIPT"), environment("MCA_TRANSCRIPT")) {}

UiScriptSession::UiScriptSession(const std::string& scriptPath, const std::string& transcriptPath,
                                 UiScriptTiming timing)
    : m_timing(timing), m_transcript(transcriptPath), m_op(m_real, m_answers, m_transcript, !scriptPath.empty()) {
    if (scriptPath.empty()) return;
    if (const auto text = readFile(scriptPath)) {
        m_commands = parseUiScript(*text);
        return;
    }
    m_commands.emplace();
    m_transcript.write({"script", "0", scriptPath, "cannot read the script"});
    std::cerr << "Cannot read the UI script " << scriptPath << '\n';
}

UiScriptRunner* UiScriptSession::start(std::function<void()> quit) {
    if (!m_commands || m_runner) return m_runner.get();
    m_runner = std::make_unique<UiScriptRunner>(*m_commands, m_answers, m_transcript, std::move(quit), m_timing);
    m_runner->start();
    return m_runner.get();
}

}  // namespace mca
