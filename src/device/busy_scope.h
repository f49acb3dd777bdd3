// Marks a command as running for as long as it runs, whatever way it ends, so the controls that
// could start it again stay refused while its pauses let other events through.
#pragma once

namespace mca {

class BusyScope {
public:
    explicit BusyScope(bool& flag) : m_flag(flag) { m_flag = true; }
    ~BusyScope() { m_flag = false; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    bool& m_flag;
};

}  // namespace mca
