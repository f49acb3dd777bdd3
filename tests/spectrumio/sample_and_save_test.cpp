// The sample panel's commands, "Save Spectrum as File..." and the automatic file names.
#include "spectrumio/sample_commands.h"
#include "spectrumio/spectrum_save_command.h"

#include "core/errors.h"
#include "support/test_workstation.h"

#include <gtest/gtest.h>

namespace mca {
namespace {

using testing::TestWorkstation;
using Strings = std::vector<std::string>;

TEST(SampleCommands, EveryChangeMakesTheSpectrumUnsaved) {
    TestWorkstation t;
    Workstation& w = *t;
    setSampleDescription(w, "Soil, 20 cm");
    EXPECT_TRUE(w.state.spectrumUnsaved);
    w.state.spectrumUnsaved = false;
    EXPECT_TRUE(setSampleQuantity(w, "125.5"));
    EXPECT_TRUE(w.state.spectrumUnsaved);
    EXPECT_DOUBLE_EQ(sampleQuantityValue(w.sample), 125.5);
    w.state.spectrumUnsaved = false;
    EXPECT_FALSE(setSampleQuantity(w, "lots"));
    EXPECT_FALSE(w.state.spectrumUnsaved);
    EXPECT_EQ(w.sample.quantity, "125.5");
    EXPECT_TRUE(setSampleUnits(w, "ml"));
    EXPECT_EQ(w.settings.sampleUnits, "ml");
    EXPECT_FALSE(setSampleUnits(w, "oz"));
    setUseSampleQuantity(w, true);
    EXPECT_TRUE(w.sample.useQuantity);
}

TEST(SampleCommands, ClearFieldsKeepsTheUnitsAndForgetsTheFile) {
    TestWorkstation t;
    Workstation& w = *t;
    setSampleDescription(w, "x");
    setSampleQuantity(w, "3");
    setSampleUnits(w, "kg");
    w.screen.spectrumFileName = "/data/a.usf";
    w.state.spectrumUnsaved = false;
    clearSampleFields(w);
    EXPECT_EQ(w.sample.description, "");
    EXPECT_EQ(w.sample.quantity, "0");
    EXPECT_EQ(w.settings.sampleUnits, "kg");
    EXPECT_EQ(w.screen.spectrumFileName, "");
    EXPECT_TRUE(w.state.spectrumUnsaved);
}

class SaveAsTest : public ::testing::Test {
protected:
    SaveAsTest() {
        actions.save = [this](int n, const std::filesystem::path& p) {
            calls.push_back("save " + std::to_string(n) + " " + p.string());
            if (failSave) throw FileError("Cannot create file " + p.string());
        };
        actions.stopAcquisition = [this] {
            calls.push_back("stop");
            w.state.acquiring = false;
        };
        actions.startAcquisition = [this] { calls.push_back("start"); };
    }

    TestWorkstation t;
    Workstation& w = *t;
    SaveAsActions actions;
    Strings calls;
    bool failSave = false;
};

TEST_F(SaveAsTest, AnEmptySpectrumIsNotSaved) {
    saveSpectrumAsFile(w, actions);
    EXPECT_EQ(t.op.messages(), Strings{kEmptySpectrumMessage});
    EXPECT_TRUE(calls.empty());
}

TEST_F(SaveAsTest, StopsAsksSavesAndRestarts) {
    w.session(1).spectrum.counts[5] = 1;
    w.state.acquiring = true;
    w.state.spectrumUnsaved = true;
    t.op.fileChoices = {std::string("/data/run1.usf")};
    saveSpectrumAsFile(w, actions);
    EXPECT_EQ(calls, (Strings{"stop", "save 1 /data/run1.usf", "start"}));
    EXPECT_EQ(t.op.transcript()[0].title, "Save Spectrum");
    EXPECT_EQ(w.screen.spectrumFileName, "/data/run1.usf");
    EXPECT_FALSE(w.state.spectrumUnsaved);
}

TEST_F(SaveAsTest, FourChartsAskPerOpenInstrumentAndACancelSkipsOnlyThatOne) {
    w.state.quadLayout = true;
    for (int n : {1, 2, 4}) w.session(n).open = true;
    w.session(2).alias = "North";
    w.session(1).spectrum.counts[1] = 3;
    t.op.fileChoices = {std::string("/d/1.usf"), std::nullopt, std::string("/d/4.usf")};
    saveSpectrumAsFile(w, actions);
    EXPECT_EQ(calls, (Strings{"save 1 /d/1.usf", "save 4 /d/4.usf"}));
    EXPECT_EQ(t.op.transcript()[0].title, "Save Spectrum for MCA 1");
    EXPECT_EQ(t.op.transcript()[1].title, "Save Spectrum for MCA 2 (North)");
    EXPECT_EQ(t.op.transcript()[2].title, "Save Spectrum for MCA 4");
    EXPECT_EQ(w.screen.spectrumFileName, "/d/4.usf");
}

TEST_F(SaveAsTest, AFailedWriteIsShownAndTheSpectrumStaysUnsaved) {
    w.session(1).spectrum.counts[5] = 1;
    w.state.spectrumUnsaved = true;
    failSave = true;
    t.op.fileChoices = {std::string("/nowhere/x.usf")};
    saveSpectrumAsFile(w, actions);
    EXPECT_EQ(t.op.messages(), Strings{"Cannot create file /nowhere/x.usf"});
    EXPECT_TRUE(w.state.spectrumUnsaved);
}

TEST(SpectrumFileNames, AutomaticNamesAndDialogTitles) {
    const AppFolders f = appFoldersFor("/app", "/docs");
    const DateTime t{2026, 12, 9, 13, 2, 3, 0};
    EXPECT_EQ(endOfAcquisitionFile(f, t), std::filesystem::path("/app/Spectra/2026 12 09 13-02-03.usf"));
    EXPECT_EQ(fieldStationFile(f, t), std::filesystem::path("/docs/TALVO Spectra/2026 12 09 13-02-03.usf"));
    EXPECT_EQ(scriptFile(f, t), std::filesystem::path("/app/Spectra/26-12-09_130203.usf"));
    EXPECT_EQ(sequentialFile(f, "Run", "B"), std::filesystem::path("/app/Spectra/Run_B.usf"));
    EXPECT_EQ(loadDialogTitle(1), "Load Spectrum to Live");
    EXPECT_EQ(loadDialogTitle(3), "Load Spectrum3 to Live");
}

}  // namespace
}  // namespace mca
