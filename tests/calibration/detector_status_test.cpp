// The Detector Status window's lines for one and two instruments and every optional line.
#include "calibration/detector_status.h"

#include "support/test_workstation.h"

#include <gtest/gtest.h>

namespace mca {
namespace {

using Strings = std::vector<std::string>;

DetectorRecord detector(const std::string& name, const std::string& serial) {
    DetectorRecord r;
    r[field::kName] = name;
    r[field::kSerial] = serial;
    r[field::kDescription] = "2x2 NaI";
    r[field::kCableLength] = "3";
    r[field::kCableUnits] = "ft.";
    return r;
}

TEST(DetectorStatus, OneInstrumentWithNothingLoaded) {
    DetectorStatusInput in;
    in.instruments[0] = {"200123", detector("Birch", "B1")};
    in.libraryPath = "/app/Library/TREL.lib";
    EXPECT_EQ(detectorStatusLines(in),
              (Strings{"Detector: Birch", "Serial #: B1", "Description: 2x2 NaI", "Cable Length: 3 ft.",
                       "NO ROI SET IS LOADED OR HAS NOT BEEN SAVED.", "Current Library File: /app/Library/TREL.lib",
                       "ENERGY CALIBRATION HAS NOT BEEN PERFORMED.", "EFFICIENCY CALIBRATION NOT AVAILABLE."}));
}

TEST(DetectorStatus, TwoInstrumentsWithEveryOptionalLine) {
    DetectorStatusInput in;
    in.twoInstruments = true;
    in.instruments[0] = {"200123", detector("Birch", "B1")};
    in.instruments[1] = {"200456", detector("Osier", "O7")};
    in.roiSetPath = "/app/CalFiles/Cs.roi";
    in.roiSetUnsaved = true;
    in.libraryPath = "/app/Library/TREL.lib";
    in.energyCalibrationValid = true;
    in.efficiencyCalibrationLoaded = true;
    in.liveFilePath = "/app/Spectra/a.usf";
    in.backgroundFilePath = "/app/Spectra/bg.usf";
    in.staticFilePath = "/app/Spectra/st.usf";
    EXPECT_EQ(detectorStatusLines(in),
              (Strings{"MCA 1 s/n: 200123", "MCA 1 Detector: Birch", "MCA 1 Detector s/n: B1",
                       "MCA 1 Detector Description: 2x2 NaI", "MCA 1 Cable Length: 3 ft.", "MCA 2 s/n: 200456",
                       "MCA 2 Detector: Osier", "MCA 2 Detector s/n: O7", "MCA 2 Detector Description: 2x2 NaI",
                       "MCA 2 Cable Length: 3 ft.", "Current ROI Set: /app/CalFiles/Cs.roi",
                       "Current Library File: /app/Library/TREL.lib",
                       "  ROI SET HAS NOT BEEN SAVED SINCE LAST CHANGE.", "Energy calibration has been performed.",
                       "Efficiency calibration has been performed.", "Live File = /app/Spectra/a.usf",
                       "Background File = /app/Spectra/bg.usf", "Static Display File = /app/Spectra/st.usf"}));
}

TEST(DetectorStatus, InstrumentsComeFromTheSessionsAndSelectedRecords) {
    testing::TestWorkstation t;
    Workstation& w = *t;
    DetectorDatabases dbs;
    w.session(1).serialNumber = "200123";
    w.session(2).serialNumber = "200456";
    dbs.database(1).add(detector("Birch", "B1"));
    dbs.database(2).add(detector("Osier", "O7"));

    DetectorStatusInput in;
    fillDetectorStatusInstruments(in, w, dbs);
    EXPECT_FALSE(in.twoInstruments);
    EXPECT_EQ(in.instruments[0].detector[field::kName], "Birch");

    w.session(2).open = true;
    fillDetectorStatusInstruments(in, w, dbs);
    EXPECT_TRUE(in.twoInstruments);
    EXPECT_EQ(in.instruments[1].instrumentSerial, "200456");
    EXPECT_EQ(in.instruments[1].detector[field::kSerial], "O7");
}

}  // namespace
}  // namespace mca
