// Serial ports opened through the port table.
#include "device/termios_port_provider.h"

#include "device/termios_port.h"

namespace mca {

std::unique_ptr<SerialPort> TermiosPortProvider::open(int comNumber, int baud) {
    const std::optional<std::string> device = m_table.deviceFor(comNumber);
    if (!device) throw SerialPortError("COM" + std::to_string(comNumber) + " does not exist");
    return std::make_unique<TermiosSerialPort>(comNumber, *device, baud);
}

}  // namespace mca
