// The table of editions.
#include "core/edition.h"

namespace mca {

namespace {

constexpr std::array<Edition, 4> kEditions{{
    {"VORA-II MCA", EditionKind::Vora, false, "VORA-II MCx", "VORA-II #", "VORA-II COM Port...",
     "2nd VORA-II COM Port...", "VORALib.lib", "VORA-II", "VORA-II", "VORA-II MCA",
     "VORA-II Support Website...", "VORA-II_Manual.pdf", "nuclida"},
    {"TREL MCA", EditionKind::Trel, false, "TREL MCA", "M415 #", "Model 415 COM Port...",
     "2nd Model 415 COM Port...", "TREL.lib", "Model 415", "TREL", "TREL MCA", "TREL Support Website...",
     "TREL_MCA_Manual.pdf", "TREL_nuclida"},
    {"OSKA MCA", EditionKind::Oska, false, "OSKA MCA", "OSKA #", "OSKA COM Port...", "2nd OSKA COM Port...",
     "OSKA.lib", "OSKA", "OSKA", "OSKA MCA", "OSKA Support Website...", "OSKA_Manual.pdf", "OSKA_nuclida"},
    {"OSKA TALVO", EditionKind::Oska, true, "OSKA TALVO", "OSKA #", "OSKA COM Port...", "2nd OSKA COM Port...",
     "OSKA.lib", "OSKA", "OSKA", "OSKA MCA", "OSKA Support Website...", "OSKA_TALVO_Manual.pdf",
     "OSKA_nuclida"},
}};

}  // namespace

const std::array<Edition, 4>& editionTable() { return kEditions; }

std::optional<Edition> editionFromTitle(std::string_view title) {
    for (const Edition& e : kEditions) {
        if (e.applicationTitle == title) return e;
    }
    return std::nullopt;
}

std::string_view builtApplicationTitle() { return MCA_APPLICATION_TITLE; }

std::string aliasCaption(const Edition& edition, const std::string& alias) {
    return std::string(edition.productName) + " -- " + alias;
}

std::string instrumentCaption(const Edition& edition, const std::string& serial, const std::string& aliasText) {
    return std::string(edition.instrumentName) + " #" + serial + aliasText;
}

std::string versionInformationText(const Edition& edition, const std::string& fourPartVersion) {
    return std::string(edition.productName) + " Version #" + fourPartVersion;
}

}  // namespace mca
