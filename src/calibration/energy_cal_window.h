// The "Energy Cal" window without its pixels: fourteen rows pairing an energy with a channel, the
// order choice, and the commands that calibrate, cancel and close. The program's window shows this
// state and forwards its controls here; selecting a detector for MCA 1 drives it unseen.
#pragma once

#include "calibration/detector_record.h"
#include "calibration/energy_calibration.h"
#include "core/workstation.h"

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace mca {

inline constexpr const char* kEnergyCalRefusedMessage =
    "Cannot perform Energy Calibration while Shape Calibration Window is open.";
inline constexpr const char* kTooFewEnergyPointsMessage =
    "You must have at least two calibration points to perform energy calibration!";
inline constexpr const char* kEnergyPointsNotSequentialMessage =
    "Energy calibration are not sequential.  Strange results may occur.";
inline constexpr const char* kEnergyCalCloseQuestion =
    "Any changes to the energy calibration will be lost.  Proceed?";
inline constexpr const char* kEnergyCalLoadErrorMessage = "An error setting the energy calibration has occurred";
inline constexpr const char* kEnergyCalCaption = "Energy Cal";

inline constexpr const char* kPresetFirstEnergy = "32.89";
inline constexpr const char* kPresetSecondEnergy = "661.7";
inline constexpr double kMaxEntryKeV = 10000.0;
inline constexpr int kMaxEntryChannel = 4096;
inline constexpr int kChannelUpBelow = 4095;   // the up button acts while the channel is below this
inline constexpr int kChannelDownAbove = 1;    // the down button acts while the channel is above this

// What the window needs from the rest of the program; the acquisition engine, the detector
// database and the displays live elsewhere.
class EnergyCalHost {
public:
    virtual ~EnergyCalHost() = default;
    virtual bool acquiring() const = 0;
    virtual void stopAcquisition() = 0;
    virtual void startAcquisition() = 0;
    // Writes MCA 1's detector database to its file.
    virtual void saveDetectorDatabase() = 0;
    // A calibration was applied: recompute the ROI channels from their energies, redraw the
    // spectrum, enable the energy-axis choices and, online, the fine-gain tool and fine tuning.
    virtual void calibrationApplied() = 0;
    // The fit display, when open, shows the calibration as it now stands.
    virtual void refreshFitDisplay() = 0;
};

// Where the order choice comes from when the window opens.
enum class OrderPreset {
    FromCalibration,   // quadratic when quadratic valid and not use linear (the menu command)
    FromRecord,        // the record's own field 49 (a detector just selected)
};

struct EnergyCalOpening {
    bool resolutionWindowOpen = false;
    bool startingUp = false;   // the program's start-up: no out-of-order warnings
    OrderPreset order = OrderPreset::FromCalibration;
};

enum class MarkerAxis { Channels, KeV, MeV };

struct EnergyCalRow {
    std::string energy;    // keV, 0 .. 10000, or empty
    std::string channel;   // 1 .. 4096, or empty
};

using EnergyCalRows = std::array<EnergyCalRow, kCalibrationPointCount>;

// The mirror of the last window: application folder / ("mca" + MCA 1 serial + ".ini").
std::filesystem::path energyCalMirrorPath(const Workstation& workstation);

class EnergyCalWindow {
public:
    // `record` is MCA 1's selected detector record; it and `calibration` outlive the window.
    EnergyCalWindow(Workstation& workstation, EnergyCalibration& calibration, DetectorRecord& record,
                    EnergyCalHost& host);
    // Releases the window (see release()).
    ~EnergyCalWindow();
    EnergyCalWindow(const EnergyCalWindow&) = delete;
    EnergyCalWindow& operator=(const EnergyCalWindow&) = delete;

    // Shows the window: refused with a message while the resolution window is open. Loads the rows
    // from the record (or the "32.89" / "661.7" presets), keeps fields 13-40 as the backup, and
    // calibrates at once when the first two channels are both non-zero. A running acquisition is
    // stopped meanwhile and restarted afterwards. Returns false when refused.
    bool open(const EnergyCalOpening& how = {});
    // While open, "E&nergy Calibrate..." and the fine-gain tool are disabled, "&Double Click Adds
    // Peak" is unchecked and disabled, and double-clicks on the spectrum come here.
    bool isOpen() const { return m_open; }

    const EnergyCalRows& rows() const { return m_rows; }
    // The row whose entries are highlighted; row 0 when the window opens.
    std::optional<int> selectedRow() const { return m_selected; }
    void selectRow(int row);
    // Where the spectrum's marker stands: the selected row's channel, or its energy when the axis
    // shows energy. None when closed, without a selection, or for a channel below 1.
    std::optional<double> markerPosition(MarkerAxis axis) const;

    // Entry changes. Each selects the row and enables "E&nrgy Cal!". Text that is not a number
    // in the entry's range (an integer for channels) changes nothing and returns false. A channel
    // of 0 is kept empty.
    bool setEnergy(int row, std::string_view text);
    bool setChannel(int row, std::string_view text);
    // A double-click on the spectrum at this channel (fractional) sets the selected row's
    // channel to it, rounded. Ignored while closed or beyond the channel entry's range.
    void spectrumDoubleClicked(double channel);
    // The row's channel buttons: up while below 4095, down while above 1. Return whether it moved.
    bool channelUp(int row);
    bool channelDown(int row);

    // "Use Linear Fit" / "Use Quadratic": take effect at once.
    void useLinearFit();
    void useQuadratic();
    bool quadraticChosen() const { return m_quadratic; }

    // "E&nrgy Cal!": sort the rows, store them and the order in the record, save the detector
    // database (not offline) and recompute.
    void calibrate();
    bool calibrateEnabled() const { return m_calibrateEnabled; }
    // "&Cancel" until a calibration has been made in this opening, then "&Close".
    std::string cancelCaption() const { return m_calibrated ? "&Close" : "&Cancel"; }

    // "&Cancel" / "&Close": closes keeping the current calibration.
    void cancel();
    // The frame's close box: asks first; Yes restores fields 13-40 from the backup and recomputes.
    // Returns whether the window closed.
    bool closeByFrame();
    // Destroys the window: when it was ever shown, its fourteen rows are written to the mirror file
    // (section CurrentEnergyCal, Energy1..14 and Channel1..14, empty as 0). A failure to write is
    // shown to the operator. Done once; the destructor calls it.
    void release();

private:
    EnergyCalRow& rowAt(int row);
    bool loadRows();
    void performCalibration(bool warnOutOfOrder);
    void sortRows(bool warnOutOfOrder);
    void storeIntoRecord();
    void recompute();
    void publish();
    void writeMirrorFile() const;

    Workstation& m_w;
    EnergyCalibration& m_cal;
    DetectorRecord& m_record;
    EnergyCalHost& m_host;

    EnergyCalRows m_rows;
    std::array<std::string, 2 * kCalibrationPointCount> m_backup;   // fields 13-40 on opening
    std::optional<int> m_selected;
    bool m_quadratic = false;
    bool m_calibrateEnabled = false;
    bool m_calibrated = false;
    bool m_open = false;
    bool m_everShown = false;
    bool m_released = false;
};

// "Use this detector" for MCA 1: the calibration starts afresh (nothing of the previous detector
// survives), then the window opens unseen with the order of the record's field 49, calibrates when
// the record's first two channels are set, and is released at once.
void loadDetectorEnergyCalibration(Workstation& workstation, EnergyCalibration& calibration, DetectorRecord& record,
                                   EnergyCalHost& host, bool startingUp, bool resolutionWindowOpen = false);

}  // namespace mca
