// Energy calibration: the fit of the record's points and the conversions between channel and keV.
#include "calibration/energy_calibration.h"

#include "analysis/curve_fit.h"
#include "core/number_text.h"

#include <cmath>

namespace mca {

namespace {

// A root of a2 ch^2 + a1 ch + (a0 - E) = 0 that cannot be formed (negative square root, division
// by zero or overflow) counts as 0.
double finiteOrZero(double value) {
    return std::isfinite(value) ? value : 0.0;
}

// s = sqrt(a1^2 - 4 a2 (a0 - E)), r1 = -(a1 + s) / (2 a2), r2 = (s - a1) / (2 a2).
// The channel is r2 when positive, else r1 when positive, then kept within 1 .. 4094.
double quadraticChannel(const EnergyCalibration& cal, double keV) {
    double r1 = 0.0;
    double r2 = 0.0;
    const double radicand = cal.a1 * cal.a1 - 4.0 * cal.a2 * (cal.a0 - keV);
    if (radicand >= 0.0 && cal.a2 != 0.0) {
        const double s = std::sqrt(radicand);
        r1 = finiteOrZero(-(cal.a1 + s) / (2.0 * cal.a2));
        r2 = finiteOrZero((s - cal.a1) / (2.0 * cal.a2));
    }
    double channel = r2 > 0.0 ? r2 : (r1 > 0.0 ? r1 : 0.0);
    if (!(channel > 0.0)) {
        channel = 1.0;
    }
    if (channel > kQuadraticChannelMax) {
        channel = kQuadraticChannelMax;
    }
    return channel;
}

void fitParabola(EnergyCalibration& cal, const TCurveFit& fit) {
    const ParabolicFitResult parabola = fit.ParabolicFit();
    cal.a0 = parabola.a0;
    cal.a1 = parabola.a1;
    cal.a2 = parabola.a2;
    cal.quadraticQuality = parabola.q;
    cal.quadraticValid = quadraticFitSound(cal);
}

void fitLine(EnergyCalibration& cal, const TCurveFit& fit) {
    LinearFitResult line;
    try {
        line = fit.LinearFit();
    } catch (const FitDivisionError&) {
        // Fewer than two distinct channels: there is no line, and the calibration stays invalid.
        line = LinearFitResult{};
    }
    cal.k = line.k;
    cal.d = line.d;
    cal.linearQuality = line.q;
    cal.linearValid = linearFitSound(cal);
}

}  // namespace

std::optional<EnergyPoint> energyCalibrationPoint(const DetectorRecord& record, int k) {
    const std::string& channelText = record[field::kFirstChannel + k];
    const std::string& energyText = record[field::kFirstEnergy + k];
    if (channelText.empty() || energyText.empty()) {
        return std::nullopt;
    }
    const std::optional<double> channel = parseFloat(channelText);
    const std::optional<double> keV = parseFloat(energyText);
    if (!channel || !keV) {
        return std::nullopt;
    }
    return EnergyPoint{*channel, *keV};
}

bool linearFitSound(const EnergyCalibration& cal) {
    return cal.k != 0.0 && cal.linearQuality != 0.0;
}

bool quadraticFitSound(const EnergyCalibration& cal) {
    return cal.a0 != 0.0 && cal.a1 != 0.0 && cal.a2 != 0.0;
}

EnergyCalibrationKind energyCalibrationKind(const EnergyCalibration& cal) {
    if (cal.linearValid && cal.useLinear) {
        return EnergyCalibrationKind::Linear;
    }
    // Two points cannot carry a parabola: with the quadratic order chosen the line still serves.
    if (cal.pointCount < 3) {
        return linearFitSound(cal) ? EnergyCalibrationKind::Linear : EnergyCalibrationKind::None;
    }
    if (cal.quadraticValid && !cal.useLinear) {
        return EnergyCalibrationKind::Quadratic;
    }
    return EnergyCalibrationKind::None;
}

bool isQuadraticActive(const EnergyCalibration& cal) {
    return energyCalibrationKind(cal) == EnergyCalibrationKind::Quadratic;
}

double ChannelToKeV(const EnergyCalibration& cal, double channel) {
    switch (energyCalibrationKind(cal)) {
    case EnergyCalibrationKind::Linear:
        return cal.k * channel + cal.d;
    case EnergyCalibrationKind::Quadratic:
        return cal.a2 * channel * channel + cal.a1 * channel + cal.a0;
    case EnergyCalibrationKind::None:
        break;
    }
    return kNoEnergyKeV;
}

double ChannelToMeV(const EnergyCalibration& cal, double channel) {
    return ChannelToKeV(cal, channel) / 1000.0;
}

double KeVToChannel(const EnergyCalibration& cal, double keV, int channelCount) {
    double channel = kNoEnergyKeV;
    switch (energyCalibrationKind(cal)) {
    case EnergyCalibrationKind::Linear:
        // A division that fails answers 0 at once, without the clamp below.
        if (cal.k == 0.0) {
            return 0.0;
        }
        channel = (keV - cal.d) / cal.k;
        if (!std::isfinite(channel)) {
            return 0.0;
        }
        break;
    case EnergyCalibrationKind::Quadratic:
        channel = quadraticChannel(cal, keV);
        break;
    case EnergyCalibrationKind::None:
        break;
    }
    const double last = channelCount - 1;
    if (channel > last) {
        channel = last;
    }
    if (channel < 0.0) {
        channel = 0.0;
    }
    return channel;
}

void RecomputeEnergyCalibration(EnergyCalibration& cal, const DetectorRecord& record) {
    TCurveFit fit;
    for (int k = 0; k < kCalibrationPointCount; ++k) {
        if (const std::optional<EnergyPoint> point = energyCalibrationPoint(record, k)) {
            fit.AddPoint(point->channel, point->keV);
        }
    }
    cal.pointCount = fit.pointCount();
    fitParabola(cal, fit);
    fitLine(cal, fit);
    cal.useLinear = cal.quadraticValid ? record[field::kCalibrationOrder] != "2" : true;
}

void chooseEnergyCalibrationOrder(EnergyCalibration& cal, bool quadratic) {
    if (quadratic) {
        cal.quadraticValid = quadraticFitSound(cal);
        cal.linearValid = false;
        cal.useLinear = false;
    } else {
        cal.linearValid = linearFitSound(cal);
        cal.useLinear = true;
    }
}

}  // namespace mca
