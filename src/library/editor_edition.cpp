// The table of nuclida's editions and its start-up folder.
#include "library/editor_edition.h"

#include "core/errors.h"

#include <system_error>

namespace mca {

namespace {

constexpr std::array<EditorEdition, 3> kEditorEditions{{
    {EditionKind::Vora, "VORA-II Library Editor", "nuclida"},
    {EditionKind::Trel, "TREL Library Editor", "TREL_nuclida"},
    {EditionKind::Oska, "OSKA Library Editor", "OSKA_nuclida"},
}};

}  // namespace

const std::array<EditorEdition, 3>& editorEditionTable() { return kEditorEditions; }

std::optional<EditorEdition> editorEditionFromTitle(std::string_view title) {
    for (const EditorEdition& e : kEditorEditions) {
        if (e.title == title) return e;
    }
    return std::nullopt;
}

const EditorEdition& editorEditionFor(EditionKind kind) {
    for (const EditorEdition& e : kEditorEditions) {
        if (e.kind == kind) return e;
    }
    return kEditorEditions.front();
}

std::string editorVersionLine(std::string_view fourPartVersion) {
    return "Interface Version " + std::string(fourPartVersion);
}

std::filesystem::path createEditorLibraryFolder(const std::filesystem::path& applicationFolder) {
    const std::filesystem::path folder = applicationFolder / "Library";
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error || !std::filesystem::is_directory(folder)) throw StartupError(folder.string());
    return folder;
}

}  // namespace mca
