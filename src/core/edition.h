// The editions of the workstation. The build fixes the application title; at start the title is
// matched against this table, and every caption, file name and edition word comes from the row.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace mca {

enum class EditionKind { Vora, Trel, Oska };

struct Edition {
    std::string_view applicationTitle;   // "TREL MCA"
    EditionKind kind;
    bool fieldStation;
    std::string_view windowCaption;      // "TREL MCA"
    std::string_view statusPrefix;       // "M415 #"
    std::string_view comPortMenuCaption;
    std::string_view secondComPortMenuCaption;
    std::string_view defaultLibrary;     // "TREL.lib"
    std::string_view instrumentName;     // the edition word inside messages: "Model 415"
    std::string_view shortName;          // "TREL": the close confirmation and the library messages
    std::string_view productName;        // "TREL MCA": report titles, version text, main caption
    std::string_view supportMenuCaption;
    std::string_view manualFile;         // the PDF manual in the application folder
    std::string_view libraryEditorProgram;   // nuclida's file name for this edition
};

inline constexpr std::string_view kInvalidTitleMessage = "Invalid exe name! Application will close.";

// The four editions in the order VORA-II MCA, TREL MCA, OSKA MCA, OSKA TALVO.
const std::array<Edition, 4>& editionTable();

// The edition whose application title is `title`, or nullopt for any other title.
std::optional<Edition> editionFromTitle(std::string_view title);

// The application title this program was built with (it may match no edition).
std::string_view builtApplicationTitle();

// "VORA-II MCA -- " and the like: the main caption that precedes an alias.
std::string aliasCaption(const Edition& edition, const std::string& alias);

// The splash caption of an instrument: "VORA-II #" + serial + alias text (VORA),
// "Model 415 #" + serial (TREL) or "OSKA #" + serial (OSKA), the latter two with the alias text too.
std::string instrumentCaption(const Edition& edition, const std::string& serial, const std::string& aliasText);

// "TREL MCA Version #" + the four version numbers.
std::string versionInformationText(const Edition& edition, const std::string& fourPartVersion);

}  // namespace mca
