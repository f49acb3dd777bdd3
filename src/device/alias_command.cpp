// Setting an instrument's alias.
#include "device/alias_command.h"

#include "core/errors.h"
#include "device/alias_chart_title.h"
#include "device/alias_file.h"

namespace mca {

bool setAlias(Workstation& w, int n, DiscoveryHooks& hooks) {
    InstrumentSession& s = w.session(n);
    const std::string name(w.state.edition.instrumentName);
    const std::string mca = "MCA #" + std::to_string(n);
    if (!s.open) {
        w.op().message("An " + name + " must be connected to " + mca + " in order to assign it an alias.");
        return false;
    }
    const auto answer = w.op().inputText("Set Alias for " + mca,
                                         "Enter alias to be used for " + name + " #" + s.serialNumber +
                                             ", currently on " + mca + ".",
                                         s.alias);
    if (!answer) {
        w.op().message(kAliasNotOk);
        return false;
    }
    if (answer->empty()) {
        w.op().message(kAliasBlank);
        return false;
    }
    try {
        writeAliasFile(w.folders, s.serialNumber, *answer);
    } catch (const FileError& e) {
        w.op().message(e.what(), {}, MessageKind::Error);
        return false;
    }
    s.alias = *answer;
    showAliasChartTitle(w, n, hooks);
    w.op().message("Alias for " + name + " #" + s.serialNumber + ", currently " + mca + ", set to " + s.alias);
    return true;
}

}  // namespace mca
