// LoadLibrary and the start step's load.
#include "library/load_library.h"

#include "core/errors.h"
#include "core/operator.h"
#include "core/workstation.h"
#include "library/library_reader.h"

namespace mca {

std::filesystem::path libraryPath(const std::filesystem::path& libraryFolder, const std::filesystem::path& file) {
    return file.has_parent_path() ? file : libraryFolder / file;
}

bool loadLibraryFile(NuclideLibrary& library, const std::filesystem::path& file,
                     const std::filesystem::path& libraryFolder, Operator& op) {
    const std::filesystem::path path = libraryPath(libraryFolder, file);
    LibraryTable table;
    try {
        table = readLibraryFile(path);
    } catch (const FileError&) {
        op.message("Cannot open file " + path.string(), {}, MessageKind::Error);
        return false;
    }
    try {
        NuclideLibrary loaded = NuclideLibrary::fromTable(std::move(table), op);
        loaded.setFile(path);
        library = std::move(loaded);
    } catch (const LibraryConversionError& e) {
        op.message(e.what(), {}, MessageKind::Error);
        return false;
    }
    return true;
}

bool LoadLibrary(NuclideLibrary& library, bool prompt, const std::filesystem::path& libraryFolder, Operator& op) {
    if (!prompt) return loadLibraryFile(library, library.filePath(), libraryFolder, op);
    const FileChoice choice{"Load Library", libraryFolder.string(), library.fileName(), kLibraryFileFilter,
                            kLibraryFileSuffix};
    const auto chosen = op.chooseOpenFile(choice);
    if (!chosen) return false;
    return loadLibraryFile(library, *chosen, libraryFolder, op);
}

bool LoadLibrary(Workstation& w, NuclideLibrary& library, bool prompt) {
    if (!prompt && library.filePath().empty()) {
        return loadLibraryFile(w, library, w.settings.lastLibrary);
    }
    if (!LoadLibrary(library, prompt, w.folders.library, w.op())) return false;
    w.settings.lastLibrary = library.fileName();
    return true;
}

bool loadLibraryFile(Workstation& w, NuclideLibrary& library, const std::filesystem::path& file) {
    if (!loadLibraryFile(library, file, w.folders.library, w.op())) return false;
    w.settings.lastLibrary = library.fileName();
    return true;
}

}  // namespace mca
