// Fuzzes the nuclide library reader and the views built from it: any bytes must read without
// fault into rows of seven cells, build the views or fail with the conversion error, and a table
// read once must be written and read back to the same cells whenever the written text is still
// detected as comma separated.
#include "core/quiet_platform.h"
#include "core/text_encoding.h"
#include "library/library_reader.h"
#include "library/library_writer.h"
#include "library/nuclide_data.h"
#include "library/nuclide_library.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void checkViews(const mca::LibraryTable& table) {
    mca::QuietPlatform quiet;
    try {
        const mca::NuclideLibrary library = mca::NuclideLibrary::fromTable(table, quiet.platform().op);
        if (library.searchTable().size() != library.nuclideList().size()) std::abort();
        if (library.enabledTable().size() > library.rawTable().size()) std::abort();
        // Each query walks the enabled table, so a few names are enough.
        const std::size_t queried = std::min<std::size_t>(library.nuclideList().size(), 8);
        for (std::size_t i = 0; i < queried; ++i) {
            (void)mca::nuclideDataView(library, library.nuclideList()[i]);
            (void)mca::isotopeLineBars(library, library.nuclideList()[i]);
        }
    } catch (const mca::LibraryConversionError&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string text = mca::cp1252ToUtf8(bytes);
    if (mca::kLibrarySeparators.find(mca::detectLibrarySeparator(text)) == std::string_view::npos) std::abort();
    const mca::LibraryTable table = mca::readLibraryText(text);
    checkViews(table);

    const std::string written = mca::writeLibraryText(table);
    if (mca::detectLibrarySeparator(written) != ',') return 0;
    if (mca::readLibraryText(written) != table) std::abort();
    return 0;
}
