// The offline workstation of mca-analyze.
#include "offline_session.h"

#include "core/errors.h"
#include "spectrumio/spe_file_loader.h"
#include "spectrumio/spectrum_file_layout.h"
#include "spectrumio/spectrum_file_loader.h"
#include "spectrumio/spectrum_file_reader.h"
#include "spectrumio/spectrum_file_writer.h"

#include <iostream>

namespace mca::analyze {

OfflineSession::OfflineSession() : m_quiet(&std::cerr) {
    m_workstation = std::make_unique<Workstation>(m_quiet.platform(), std::string(builtApplicationTitle()),
                                                  applicationFolder());
    if (const auto edition = editionFromTitle(m_workstation->applicationTitle)) m_workstation->state.edition = *edition;
    m_workstation->state.offline = true;
}

bool OfflineSession::load(const std::filesystem::path& file) {
    try {
        // A .spe file (any case of the extension) becomes the grid one of our own files reads into.
        m_grid = isSpeFile(file) ? speSpectrumGrid(readSpeFile(file), m_workstation->settings.sampleUnits)
                                 : readSpectrumFile(file);
    } catch (const FileError& e) {
        std::cerr << e.what() << "\n";
        return false;
    }
    SpectrumLoadHooks hooks;
    SpectrumLoadTarget target{*m_workstation, 1, m_record, 0, {}, m_calibration, hooks, {}};
    return loadSpectrumGrid(target, m_grid, file.string());
}

void OfflineSession::save(const std::filesystem::path& file) {
    SpectrumFileSources sources{*m_workstation,  1, m_record, nullptr, m_calibration, m_record[field::kRoiSet],
                                m_grid.cell(usf::kEffCalFile, usf::kValueColumn), {}, {}};
    SaveSpectrumFile(sources, file);
}

}  // namespace mca::analyze
