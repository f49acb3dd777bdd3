// nuclida's editions: the application title the build fixes, which is also the window caption,
// the program file mca starts, and what the About and welcome boxes say.
#pragma once

#include "core/edition.h"

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace mca {

struct EditorEdition {
    EditionKind kind;
    std::string_view title;         // "TREL Library Editor": application title and window caption
    std::string_view programFile;   // "TREL_nuclida", in mca's application folder
};

// VORA, TREL, OSKA.
const std::array<EditorEdition, 3>& editorEditionTable();

// nullopt for a title that names no edition.
std::optional<EditorEdition> editorEditionFromTitle(std::string_view title);

// The editor that belongs to mca's edition (the field station shares OSKA's).
const EditorEdition& editorEditionFor(EditionKind kind);

// At start the About box shows for this long, without its OK button, under this caption.
inline constexpr std::string_view kWelcomeCaption = "Welcome!";
inline constexpr int kWelcomeMilliseconds = 3000;

// "Interface Version " + major.minor.release.build.
std::string editorVersionLine(std::string_view fourPartVersion);

// Creates Library/ in `applicationFolder` when it is missing and returns it; throws StartupError
// whose text is the folder's path when it cannot be made.
std::filesystem::path createEditorLibraryFolder(const std::filesystem::path& applicationFolder);

}  // namespace mca
