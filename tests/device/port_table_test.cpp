// The port table: explicit entries, MCA_PORTS parsing, and numbering of the devices found.
#include "device/port_table.h"

#include "support/test_workstation.h"

#include <gtest/gtest.h>

#include <fstream>

namespace mca {
namespace {

namespace fs = std::filesystem;

// A fake /dev and /sys: plain files stand in for the device nodes.
class FakeMachine {
public:
    FakeMachine() {
        m_root = fs::canonical(m_folder.path());
        fs::create_directories(dev() / "serial" / "by-id");
        for (const char* name : {"ttyUSB0", "ttyUSB1", "ttyUSB2", "ttyUSB10", "ttyACM0", "ttyS0", "ttyS1", "ttyS2",
                                 "ttyS10", "ttyUSBx", "ttyprintk", "tty0", "console"})
            std::ofstream(dev() / name) << "";
        fs::create_symlink("../../ttyUSB1", dev() / "serial" / "by-id" / "usb-Maker_Cable-if00-port0");
        fs::create_symlink("../../ttyUSB7", dev() / "serial" / "by-id" / "usb-Unplugged-if00-port0");
        uartType("ttyS0", "4");
        uartType("ttyS1", "0");  // registered by the driver, no UART behind it
    }

    fs::path dev() const { return m_root / "dev"; }
    std::string device(const char* name) const { return (dev() / name).string(); }
    PortScanRoots roots() const { return {dev(), m_root / "sys"}; }

private:
    void uartType(const char* name, const char* type) const {
        const fs::path folder = m_root / "sys" / "class" / "tty" / name;
        fs::create_directories(folder);
        std::ofstream(folder / "type") << type << "\n";
    }

    testing::TempFolder m_folder;
    fs::path m_root;
};

struct Row {
    int comNumber;
    std::string device;
    std::string description;
    bool operator==(const Row&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Row& row) {
    return out << "COM" << row.comNumber << " " << row.device << " '" << row.description << "'";
}

std::vector<Row> rows(const PortTable& table) {
    std::vector<Row> result;
    for (const PortListing& p : table.listing()) result.push_back({p.comNumber, p.device, p.description});
    return result;
}

TEST(PortTable, FoundDevicesAreNumberedFromCom1InStableOrder) {
    const FakeMachine machine;
    const PortTable table({}, "", machine.roots());
    const std::vector<Row> expected = {
        {1, machine.device("ttyUSB1"), "usb-Maker_Cable-if00-port0"},  // by-id first, then not again
        {2, machine.device("ttyUSB0"), ""},
        {3, machine.device("ttyUSB2"), ""},
        {4, machine.device("ttyUSB10"), ""},  // numbers in names compare by value
        {5, machine.device("ttyACM0"), ""},
        {6, machine.device("ttyS0"), ""},     // ttyS1 has no UART
        {7, machine.device("ttyS2"), ""},
        {8, machine.device("ttyS10"), ""},
    };
    EXPECT_EQ(rows(table), expected);
    EXPECT_EQ(table.deviceFor(4), machine.device("ttyUSB10"));
    EXPECT_EQ(table.deviceFor(9), std::nullopt);
    EXPECT_EQ(table.deviceFor(0), std::nullopt);
}

TEST(PortTable, ExplicitEntriesKeepTheirNumbersAndFoundDevicesFillTheGaps) {
    const FakeMachine machine;
    const IniFile settings =
        IniFile::parse("[ports]\r\ncom2=/dev/special\r\nCOM4=\"" + machine.device("ttyUSB0") + "\"\r\n");
    const PortTable table(settings, "COM1=/dev/pts/4,COM2=/dev/loses", machine.roots());
    const std::vector<Row> expected = {
        {1, "/dev/pts/4", "configured"},
        {2, "/dev/special", "configured"},  // the settings win over MCA_PORTS
        {3, machine.device("ttyUSB1"), "usb-Maker_Cable-if00-port0"},
        {4, machine.device("ttyUSB0"), "configured"},  // named explicitly, so not numbered again
        {5, machine.device("ttyUSB2"), ""},
        {6, machine.device("ttyUSB10"), ""},
        {7, machine.device("ttyACM0"), ""},
        {8, machine.device("ttyS0"), ""},
        {9, machine.device("ttyS2"), ""},
        {10, machine.device("ttyS10"), ""},
    };
    EXPECT_EQ(rows(table), expected);
}

TEST(PortTable, AnExplicitByIdLinkAndItsTargetAreOneDevice) {
    const FakeMachine machine;
    const std::string link = (machine.dev() / "serial" / "by-id" / "usb-Maker_Cable-if00-port0").string();
    const PortTable table({}, "COM9=" + link, machine.roots());
    const std::vector<Row> listed = rows(table);
    EXPECT_EQ(listed.back(), (Row{9, link, "configured"}));
    for (const Row& row : listed) EXPECT_NE(row.device, machine.device("ttyUSB1")) << row;
}

TEST(PortTable, SettingsEntriesNeedAnAbsoluteDevice) {
    const testing::TempFolder empty;
    const IniFile settings = IniFile::parse(
        "[Ports]\r\nCOM1=ttyUSB0\r\nCOM2=\r\nCOM3=/dev/ttyACM0\r\nCOM256=/dev/last\r\nCOM257=/dev/beyond\r\n"
        "LPT1=/dev/lp0\r\n[Other]\r\nCOM5=/dev/elsewhere\r\n");
    const PortTable table(settings, "", {empty.path(), empty.path()});
    const std::vector<Row> expected = {{3, "/dev/ttyACM0", "configured"}, {256, "/dev/last", "configured"}};
    EXPECT_EQ(rows(table), expected);
}

struct VariableCase {
    const char* name;
    const char* value;
    std::vector<Row> expected;
};

class PortsVariable : public ::testing::TestWithParam<VariableCase> {};

TEST_P(PortsVariable, Parses) {
    const testing::TempFolder empty;
    EXPECT_EQ(rows(PortTable({}, GetParam().value, {empty.path(), empty.path()})), GetParam().expected);
}

const char* kConfigured = "configured";

INSTANTIATE_TEST_SUITE_P(
    PortTable, PortsVariable,
    ::testing::Values(
        VariableCase{"Empty", "", {}},
        VariableCase{"One", "COM3=/dev/pts/4", {{3, "/dev/pts/4", kConfigured}}},
        VariableCase{"TwoInCOMOrder", "COM5=/dev/ttyACM0,COM3=/dev/pts/4",
                     {{3, "/dev/pts/4", kConfigured}, {5, "/dev/ttyACM0", kConfigured}}},
        VariableCase{"BlanksAroundParts", " COM3 = /dev/pts/4 ,\tCOM5=/dev/ttyACM0 ",
                     {{3, "/dev/pts/4", kConfigured}, {5, "/dev/ttyACM0", kConfigured}}},
        VariableCase{"AnyLetterCase", "com7=/dev/x,Com8=/dev/y",
                     {{7, "/dev/x", kConfigured}, {8, "/dev/y", kConfigured}}},
        VariableCase{"EmptyItemsIgnored", ",,COM1=/dev/a,,", {{1, "/dev/a", kConfigured}}},
        VariableCase{"FirstOfTwoForOneNumberWins", "COM3=/dev/a,COM3=/dev/b", {{3, "/dev/a", kConfigured}}},
        VariableCase{"HighestNumber", "COM256=/dev/a", {{256, "/dev/a", kConfigured}}},
        VariableCase{"NoEquals", "COM1/dev/a", {}},
        VariableCase{"NotCom", "LPT1=/dev/a", {}},
        VariableCase{"NoNumber", "COM=/dev/a", {}},
        VariableCase{"Zero", "COM0=/dev/a", {}},
        VariableCase{"BeyondTheHighest", "COM257=/dev/a", {}},
        VariableCase{"Signed", "COM+3=/dev/a,COM-3=/dev/b", {}},
        VariableCase{"LeadingZero", "COM03=/dev/a", {}},
        VariableCase{"TrailingLetters", "COM3a=/dev/a", {}},
        VariableCase{"NumberTooLongForInt", "COM99999999999=/dev/a", {}},
        VariableCase{"EmptyDevice", "COM3=", {}},
        VariableCase{"RelativeDevice", "COM3=ttyUSB0", {}},
        VariableCase{"MalformedLeavesNeighboursAlone", "junk,COM2=/dev/b,COM3=rel,=,COM4=/dev/d",
                     {{2, "/dev/b", kConfigured}, {4, "/dev/d", kConfigured}}}),
    [](const ::testing::TestParamInfo<VariableCase>& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace mca
