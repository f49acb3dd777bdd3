// A boundary for runs with no one at the screen and no instrument: batch tools and fuzzers. The
// clock is the machine's, pauses return at once, timers never fire, questions take their last
// button, messages are kept (and echoed to a stream when one is given), and no port opens.
#pragma once

#include "core/platform.h"
#include "core/system_clock.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace mca {

class QuietPlatform : private Operator, private Waiter, private Scheduler, private Desktop, private SerialPortProvider {
public:
    explicit QuietPlatform(std::ostream* echo = nullptr) : m_echo(echo) {}
    Platform platform() { return Platform{m_clock, *this, *this, *this, *this, *this}; }
    const std::vector<std::string>& messages() const { return m_messages; }

private:
    void message(const std::string& text, const std::string& title, MessageKind kind) override;
    Answer question(const std::string& text, const std::string& title, const Buttons& buttons) override;
    std::optional<std::string> chooseOpenFile(const FileChoice&) override { return std::nullopt; }
    std::optional<std::string> chooseSaveFile(const FileChoice&) override { return std::nullopt; }
    std::optional<std::string> inputText(const std::string&, const std::string&, const std::string&) override {
        return std::nullopt;
    }
    std::optional<ColourRef> chooseColour(ColourRef) override { return std::nullopt; }
    void beep() override {}
    void pause(int) override {}
    TimerId startTimer(int, std::function<void()>) override { return 0; }
    void stopTimer(TimerId) override {}
    bool openWithDefaultProgram(const std::string&) override { return false; }
    bool startProgram(const std::string&, const std::vector<std::string>&) override { return false; }
    void setClipboardText(const std::string&) override {}
    void setClipboardImage(const std::string&) override {}
    std::string documentsFolder() const override { return "/tmp"; }
    std::unique_ptr<SerialPort> open(int comNumber, int baud) override;
    std::vector<PortListing> listPorts() override { return {}; }

    SystemClock m_clock;
    std::ostream* m_echo;
    std::vector<std::string> m_messages;
};

}  // namespace mca
