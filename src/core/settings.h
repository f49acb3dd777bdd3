// The preferences read from the settings file at start and written back at close: display
// colours and options, analysis parameters, gain stabilization and the field-station options.
// Presets, the dead-time options and the HV units live in AppState and the instrument sessions.
#pragma once

#include "core/operator.h"

#include <array>
#include <string>

namespace mca {

// The five update choices; the acquisition tick runs every second whichever is chosen.
enum class RefreshChoice { ThreeSeconds, TwoSeconds, OneSecond, HalfSecond, QuarterSecond };

enum class TraceStyle { Line, Bars, Pixels };

enum class YAxisScale { Linear, Logarithmic };

// Display smoothing factors the view offers; any other stored value reads as 1.
inline constexpr std::array<int, 6> kSmoothFactors{1, 8, 16, 24, 36, 48};

struct Settings {
    // Acquisition and hardware
    double digitalThresh = 0.0;
    int minOffset = 50;
    bool specifyComPort = false;
    bool specifyComPort2 = false;
    bool persist = false;
    int gsTargetChannel = 2554;
    int gsPlusMinus = 50;
    int gsTargetSum = 5000;
    int gsImbalance = 2;
    bool autoStab = false;
    RefreshChoice refresh = RefreshChoice::OneSecond;
    bool noSound = false;
    bool ringOnce = true;
    bool ringUntil = false;
    std::string lastScript;

    // Display
    ColourRef mainSpectrumColor = 16777215;
    ColourRef secondarySpectrumColor = 65280;
    ColourRef backgroundColor = 0;
    ColourRef roiColor = 255;
    ColourRef selectedRoiColor = 16711935;
    ColourRef isotopeLinesColor = 255;
    ColourRef foundPeaksColor = 65280;
    ColourRef gridColor = 3487029;
    ColourRef chartLabelColor = 16777215;
    bool displayChecked = true;
    bool showGridChecked = true;
    bool showAxisLabels = false;
    int smoothFactor = 1;
    TraceStyle mainTraceStyle = TraceStyle::Line;
    TraceStyle staticTraceStyle = TraceStyle::Line;
    bool showRois = false;
    bool continuousUpdate = false;
    bool quickGrow = true;
    YAxisScale yAxis = YAxisScale::Linear;
    bool xAxisAsEnergy = true;
    bool xAxisAsEnergyMeV = true;
    bool useKeV = true;
    bool showHints = true;
    bool showNewUserHints = true;
    int cutoffChannel = 10;
    int effMult = 10;

    // Analysis
    std::string clFactor = "4";
    std::string corrCoeff = "55";
    bool smoothBkgd = false;
    bool stripCompton = false;
    bool reportNegAsZero = false;
    double sensitivity = 1.0;
    double significance = 5.0;
    int smooth = 10;
    int minWidth = 10;
    int maxWidth = 50;
    double keVOfCentroid = 25.0;
    double percentOfCentroid = 3.0;
    bool searchByKeV = true;
    bool searchByPercent = false;
    bool searchByArea = false;
    bool searchByFwhm = false;
    double leftPeakStart = 0.025;
    double rightPeakStart = -0.025;
    bool useQuantity = false;
    bool usePCi = false;
    bool useUCi = false;
    bool useMCi = false;
    bool useDpm = true;
    bool useBq = false;
    bool useKBq = false;
    bool useMBq = false;
    bool useGBq = false;
    std::string sampleUnits = "g";
    std::string lastRoiSet;
    std::string lastLibrary;   // the edition's default library until the file says otherwise

    // Field station only
    double exposureSensitivity1 = 900.0;
    double exposureSensitivity2 = 900.0;
    bool autoConnectMet = false;
    bool autoStart = false;
    bool autoConnectMca2 = false;
    std::string lastMetStationPort = "COM1";
    bool peakId1 = true;
    bool libId1 = true;
    bool saveSpec1 = true;
    bool saveAlways1 = true;
    bool peakId2 = true;
    bool libId2 = true;
    bool saveSpec2 = true;
    bool saveAlways2 = true;
    std::string peakDbfName1 = "Peak Search 1";
    std::string libDbfName1 = "Library ID 1";
    std::string alarmsDbfName1 = "Alarms 1";
    std::string peakDbfName2 = "Peak Search 2";
    std::string libDbfName2 = "Lib ID 2";
    std::string alarmsDbfName2 = "Alarms 2";
    std::string metDbfName = "Meteorological";
    int acqTime = 3600;
    int expRateTime = 15;
    int almChkTime = 15;
    int metLogTime = 60;
};

}  // namespace mca
