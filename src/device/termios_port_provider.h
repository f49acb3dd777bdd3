// Opens "COM" + n on the device the port table names for it.
#pragma once

#include "core/serial_port.h"
#include "device/port_table.h"

#include <memory>
#include <vector>

namespace mca {

class TermiosPortProvider : public SerialPortProvider {
public:
    explicit TermiosPortProvider(PortTable table) : m_table(std::move(table)) {}

    // A TermiosSerialPort. Throws SerialPortError "COMn does not exist" for a number the table does
    // not hold, and the port's own errors (missing, busy, no permission) otherwise.
    std::unique_ptr<SerialPort> open(int comNumber, int baud) override;
    std::vector<PortListing> listPorts() override { return m_table.listing(); }

    const PortTable& table() const { return m_table; }
    // Devices come and go (a cable plugged in, mca-sim started); the port dialog rescans through this.
    void setTable(PortTable table) { m_table = std::move(table); }

private:
    PortTable m_table;
};

}  // namespace mca
