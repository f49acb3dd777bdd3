// The detector dialogs at the terminal.
#include "console_front_end.h"

#include "calibration/detector_add_dialog.h"
#include "core/number_text.h"
#include "core/operator.h"

#include <ostream>

namespace mca::console {

SelectDialogEnd ConsoleFrontEnd::runDetectorSelect(DetectorSelectDialog& dialog) {
    m_out << "\n" << dialog.title() << "\n";
    const auto list = dialog.list();
    for (std::size_t i = 0; i < list.size(); ++i) m_out << "  " << i + 1 << ". " << list[i] << "\n";
    const auto answer = m_op.inputText(dialog.title(), "Use detector number (empty to cancel)",
                                       std::to_string(dialog.listIndex() + 1));
    const auto number = answer ? parseInteger(*answer) : std::nullopt;
    if (!number || *number < 1 || *number > static_cast<long long>(list.size())) return dialog.cancel();
    dialog.chooseListItem(static_cast<int>(*number - 1));
    dialog.useThisDetector();
    return dialog.close();
}

void ConsoleFrontEnd::runDetectorAdd(DetectorAddDialog& dialog) {
    const auto ask = [&](const char* prompt, const std::string& initial) {
        return m_op.inputText("Add New Detector", prompt, initial).value_or(initial);
    };
    DetectorEntries& e = dialog.editEntries();
    dialog.setName(ask("Detector name", e.name));
    dialog.setSerial(ask("Detector serial number", e.serial));
    dialog.setDescription(ask("Description", e.description));
    e.highVoltage = ask("High voltage (volts)", e.highVoltage);
    dialog.add();
}

void ConsoleFrontEnd::showDoneWindow() { m_out << "\nDone!\n" << std::flush; }

}  // namespace mca::console
