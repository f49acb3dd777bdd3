// The common report header block and the gathering of its inputs from the workstation.
#include "roi/report_header.h"

#include "core/hardware_codes.h"
#include "core/number_text.h"
#include "core/workstation.h"

#include <chrono>
#include <ctime>
#include <filesystem>

namespace mca {

namespace {

std::string savedLine(const std::string& label, const std::optional<DateTime>& modified) {
    return label + " saved " + (modified ? formatDateTimeText(*modified) : std::string(kFileNotFoundText));
}

std::string acquisitionTimeLine(const ReportHeaderInputs& in) {
    return "Acquisition Time = " + in.elapsedSecondsText + " seconds = " + formatGeneral(in.elapsedSeconds / 60.0, 4) +
           " minutes";
}

// Paragraph 2 of a document that opens with a title and its blank line, else the end.
std::size_t afterTitleBlank(const ReportBuilder& report) {
    const auto& p = report.paragraphs();
    if (p.size() >= 2 && p[0].style.sizePoints == kTitlePoints && p[1].text.empty()) return 2;
    return p.size();
}

}  // namespace

std::string reportTitle(const Edition& edition, const std::string& name) {
    return std::string(edition.productName) + ":  " + name;
}

std::vector<std::string> commonHeaderLines(const ReportHeaderInputs& in) {
    std::vector<std::string> lines;
    if (in.spectrumFromFile) {
        lines.push_back("Spectrum File: " + in.spectrumPath);
        lines.push_back(savedLine("Spectrum File", in.spectrumModified));
    } else {
        lines.push_back("Spectrum File: (spectrum not saved)");
    }
    if (!in.backgroundPath.empty()) {
        lines.push_back("Background File: " + in.backgroundPath);
        lines.push_back(savedLine("Background File", in.backgroundModified));
    } else {
        lines.push_back("Background File: (no background was subtracted)");
    }
    lines.push_back("Sample Description:  " + (in.sampleDescription.empty() ? "None" : in.sampleDescription));
    lines.push_back("Sample Quantity:  " +
                    (in.useSampleQuantity ? in.sampleQuantity + " " + in.sampleUnits : std::string("None")));
    lines.emplace_back();
    lines.push_back(std::string(in.edition.instrumentName) + " s/n " + in.instrumentSerial);
    lines.push_back("Detector s/n " + in.detectorSerial + ", " + in.detectorManufacturer + " " +
                    in.detectorDescription + ", " + in.cableLength + " " + in.cableUnits + " cable");
    lines.push_back("Operating Voltage = " + in.operatingVoltage + "V");
    lines.push_back("Coarse Gain = " + in.coarseGainText);
    lines.push_back("Fine Gain = " + formatFixed(in.fineGainFactor, 3));
    const double coarse = parseFloat(in.coarseGainText).value_or(0.0);
    lines.push_back("Overall Gain = " + formatFixed(coarse * in.fineGainFactor, 3));
    lines.push_back("Threshold = " + in.threshold + " mV");
    lines.push_back(acquisitionTimeLine(in));
    lines.emplace_back();
    return lines;
}

void addCommonHeader(ReportBuilder& report, const ReportHeaderInputs& in, const std::vector<std::string>& extraLines) {
    const std::size_t extrasAt = afterTitleBlank(report);
    const ReportStyle regular{kBodyPoints, false};
    for (const std::string& line : commonHeaderLines(in)) report.addParagraph(line, regular);
    std::vector<ReportParagraph> extras;
    for (const std::string& line : extraLines) extras.push_back(ReportParagraph{line, regular});
    report.insertParagraphs(extrasAt, extras);
}

std::optional<DateTime> fileModifiedTime(const std::string& path) {
    std::error_code error;
    const auto written = std::filesystem::last_write_time(path, error);
    if (error) return std::nullopt;
    const auto system = std::chrono::file_clock::to_sys(written);
    const std::time_t seconds = std::chrono::system_clock::to_time_t(
        std::chrono::time_point_cast<std::chrono::system_clock::duration>(system));
    std::tm local{};
    if (!localtime_r(&seconds, &local)) return std::nullopt;
    return DateTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec, 0};
}

ReportHeaderInputs gatherReportHeaderInputs(const Workstation& w, const DetectorRecord& r,
                                            const std::string& backgroundPath) {
    const InstrumentSession& mca1 = w.session(1);
    ReportHeaderInputs in;
    in.edition = w.state.edition;
    in.spectrumPath = w.screen.spectrumFileName;
    in.spectrumFromFile = !in.spectrumPath.empty();
    if (in.spectrumFromFile) in.spectrumModified = fileModifiedTime(in.spectrumPath);
    in.backgroundPath = backgroundPath;
    if (!backgroundPath.empty()) in.backgroundModified = fileModifiedTime(backgroundPath);
    in.sampleDescription = w.sample.description;
    in.useSampleQuantity = w.sample.useQuantity;
    in.sampleQuantity = w.sample.quantity;
    in.sampleUnits = w.settings.sampleUnits;
    in.instrumentSerial = mca1.serialNumber;
    in.detectorSerial = r[field::kSerial];
    in.detectorManufacturer = r[field::kName];
    in.detectorDescription = r[field::kDescription];
    in.cableLength = r[field::kCableLength];
    in.cableUnits = r[field::kCableUnits];
    in.operatingVoltage = r[field::kHighVoltage];
    in.threshold = r[field::kThreshold];
    const auto coarse = static_cast<std::size_t>(mca1.settings.coarseGainIndex);
    in.coarseGainText = coarse < kCoarseGainTexts.size() ? std::string(kCoarseGainTexts[coarse]) : std::string{};
    in.fineGainFactor = (mca1.settings.fineGain + 1) / static_cast<double>(kMaxFineGain + 1);
    in.elapsedSecondsText = w.screen.elapsedTime;
    in.elapsedSeconds = w.state.realTime;
    return in;
}

}  // namespace mca
