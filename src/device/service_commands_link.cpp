// The service commands that change how MCA 1 talks or what it keeps: baud rate, two-byte
// stream, the offset typed by hand, and the battery table.
#include "device/service_commands.h"

#include "core/atomic_file.h"
#include "core/errors.h"

#include <algorithm>

namespace mca {

bool ServiceCommands::switchToFastBaud() {
    if (!ready()) return false;
    if (mca::switchToFastBaud(link())) return true;
    show(kFastBaudUnsupported, MessageKind::Error);
    return false;
}

bool ServiceCommands::switchToNormalBaud() {
    if (!ready()) return false;
    mca::switchToNormalBaud(link());
    return true;
}

bool ServiceCommands::setTwoByteStream(bool on) {
    if (!ready()) return false;
    mca::setTwoByteStream(m_w.session(kServiceInstrument), m_w.platform.waiter, on);
    return true;
}

bool ServiceCommands::setOffsetOverride(int offset) {
    if (!ready()) return false;
    return m_control.setOffsetOf(kServiceInstrument, offset);
}

void ServiceCommands::trackBattery(bool on) { m_engine.trackBattery = on; }

std::vector<BatteryRow> ServiceCommands::batteryRows() const {
    const std::vector<BatteryRow>& all = m_engine.batteryTable();
    const auto first = static_cast<std::ptrdiff_t>(std::min(m_batteryRowsCleared, all.size()));
    return {all.begin() + first, all.end()};
}

void ServiceCommands::clearBatteryTable() { m_batteryRowsCleared = m_engine.batteryTable().size(); }

bool ServiceCommands::saveBatteryTable() {
    FileChoice choice{"Save Battery Voltages", m_w.folders.spectra.string(), "Battery.csv",
                      "Comma Separated Files (*.csv)", "csv"};
    const auto file = m_w.op().chooseSaveFile(choice);
    if (!file) return false;
    std::string text = "Date Time,Battery Volts,Rate\r\n";
    for (const BatteryRow& row : batteryRows()) text += row.dateTime + "," + row.volts + "," + row.rate + "\r\n";
    try {
        writeFileAtomically(*file, text);
    } catch (const FileError& e) {
        show(e.what(), MessageKind::Error);
        return false;
    }
    return true;
}

}  // namespace mca
