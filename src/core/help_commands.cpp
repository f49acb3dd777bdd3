// The Help menu of mca.
#include "core/help_commands.h"

#include "core/startup.h"

#include <filesystem>

namespace mca {

std::filesystem::path helpFile(const Workstation& w) {
    const auto& app = w.folders.application;
    if (std::filesystem::exists(app / "VORA-II_MCA.HLP")) return app / "VORA-II_MCA.HLP";
    const std::filesystem::path manual = app / std::string(w.state.edition.manualFile);
    if (w.state.fieldStation && !std::filesystem::exists(manual)) return app / "OSKA_Manual.pdf";
    return manual;
}

void openHelp(Workstation& w) { w.platform.desktop.openWithDefaultProgram(helpFile(w).string()); }

AboutTexts aboutTexts(const Workstation& w) {
    return {std::string(w.state.edition.productName), "Interface Version " + w.state.programVersion,
            "Firmware Version " + w.session(1).firmwareText};
}

void showAbout(Workstation& w, StartCloseSteps& steps, const std::function<void(const AboutTexts&)>& showModal) {
    const bool wasAcquiring = w.state.acquiring;
    if (wasAcquiring) {
        const Answer a = w.op().question(
            "Opening the About Box will force the current acquisition to stop.  Proceed?",
            std::string(w.state.edition.windowCaption), kYesNo);
        if (a != Answer::Yes) return;
        steps.stopAcquisition(w);
    }
    showModal(aboutTexts(w));
    if (wasAcquiring) steps.startAcquisition(w);
}

void showVersionInformation(Workstation& w) {
    w.op().message(versionInformationText(w.state.edition, fourPartVersion()));
}

}  // namespace mca
