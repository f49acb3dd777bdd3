// The Help menu: which manual opens, the About box around an acquisition, the version text.
#include "core/help_commands.h"

#include "core/startup.h"
#include "support/recording_steps.h"
#include "support/test_workstation.h"

#include <gtest/gtest.h>

namespace mca {
namespace {

using testing::TestWorkstation;

void useEdition(Workstation& w, const char* title) {
    w.state.edition = *editionFromTitle(title);
    w.state.fieldStation = w.state.edition.fieldStation;
}

TEST(Help, OpensTheEditionsManualAndPrefersAHelpFile) {
    TestWorkstation t;
    useEdition(*t, "TREL MCA");
    openHelp(*t);
    ASSERT_EQ(t.desktop.opened.size(), 1u);
    EXPECT_EQ(t.desktop.opened[0], (t.app() / "TREL_MCA_Manual.pdf").string());
    t.writeAppFile("VORA-II_MCA.HLP", "help");
    EXPECT_EQ(helpFile(*t), t.app() / "VORA-II_MCA.HLP");
}

TEST(Help, FieldStationFallsBackToTheOskaManual) {
    TestWorkstation t;
    useEdition(*t, "OSKA TALVO");
    EXPECT_EQ(helpFile(*t), t.app() / "OSKA_Manual.pdf");
    t.writeAppFile("OSKA_TALVO_Manual.pdf", "pdf");
    EXPECT_EQ(helpFile(*t), t.app() / "OSKA_TALVO_Manual.pdf");
}

TEST(Help, AFailedOpenIsIgnored) {
    TestWorkstation t;
    t.desktop.openSucceeds = false;
    EXPECT_NO_THROW(openHelp(*t));
    EXPECT_TRUE(t.op.transcript().empty());
}

TEST(About, WhileAcquiringAsksStopsAndRestarts) {
    TestWorkstation t;
    useEdition(*t, "TREL MCA");
    t->state.programVersion = "1.0.0";
    t->session(1).firmwareText = "1.08";
    t->state.acquiring = true;
    testing::RecordingSteps steps;
    AboutTexts shown;
    t.op.answers = {Answer::Yes};
    showAbout(*t, steps, [&](const AboutTexts& a) {
        shown = a;
        steps.calls.push_back("shown");
    });
    EXPECT_EQ(t.op.questions(),
              std::vector<std::string>{"Opening the About Box will force the current acquisition to stop.  Proceed?"});
    EXPECT_EQ(steps.calls, (std::vector<std::string>{"stopAcquisition", "shown", "startAcquisition"}));
    EXPECT_EQ(shown.productName, "TREL MCA");
    EXPECT_EQ(shown.interfaceVersion, "Interface Version 1.0.0");
    EXPECT_EQ(shown.firmwareVersion, "Firmware Version 1.08");
}

TEST(About, NoLeavesTheAcquisitionRunning) {
    TestWorkstation t;
    t->state.acquiring = true;
    testing::RecordingSteps steps;
    t.op.answers = {Answer::No};
    bool shown = false;
    showAbout(*t, steps, [&](const AboutTexts&) { shown = true; });
    EXPECT_FALSE(shown);
    EXPECT_TRUE(steps.calls.empty());
}

TEST(About, IdleShowsWithoutAsking) {
    TestWorkstation t;
    testing::RecordingSteps steps;
    bool shown = false;
    showAbout(*t, steps, [&](const AboutTexts&) { shown = true; });
    EXPECT_TRUE(shown);
    EXPECT_TRUE(t.op.transcript().empty());
}

TEST(VersionInformation, ShowsTheFourNumbers) {
    TestWorkstation t;
    useEdition(*t, "OSKA MCA");
    showVersionInformation(*t);
    EXPECT_EQ(t.op.messages(), std::vector<std::string>{"OSKA MCA Version #" + fourPartVersion()});
    EXPECT_EQ(fourPartVersion(), programVersion() + ".0");
}

}  // namespace
}  // namespace mca
