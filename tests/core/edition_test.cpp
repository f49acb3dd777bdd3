// The table of editions and the texts built from it.
#include "core/edition.h"

#include <gtest/gtest.h>

namespace mca {
namespace {

TEST(Edition, TitlesSelectTheirRows) {
    struct Row {
        const char* title;
        EditionKind kind;
        bool fieldStation;
        const char* caption;
        const char* prefix;
        const char* library;
        const char* word;
    };
    const Row rows[] = {
        {"VORA-II MCA", EditionKind::Vora, false, "VORA-II MCx", "VORA-II #", "VORALib.lib", "VORA-II"},
        {"TREL MCA", EditionKind::Trel, false, "TREL MCA", "M415 #", "TREL.lib", "Model 415"},
        {"OSKA MCA", EditionKind::Oska, false, "OSKA MCA", "OSKA #", "OSKA.lib", "OSKA"},
        {"OSKA TALVO", EditionKind::Oska, true, "OSKA TALVO", "OSKA #", "OSKA.lib", "OSKA"},
    };
    for (const Row& r : rows) {
        const auto e = editionFromTitle(r.title);
        ASSERT_TRUE(e) << r.title;
        EXPECT_EQ(e->kind, r.kind);
        EXPECT_EQ(e->fieldStation, r.fieldStation);
        EXPECT_EQ(e->windowCaption, r.caption);
        EXPECT_EQ(e->statusPrefix, r.prefix);
        EXPECT_EQ(e->defaultLibrary, r.library);
        EXPECT_EQ(e->instrumentName, r.word);
    }
}

TEST(Edition, OtherTitlesMatchNothing) {
    for (const char* title : {"", "trel mca", "TREL MCA ", "VORA-II", "mca"}) EXPECT_FALSE(editionFromTitle(title)) << title;
}

TEST(Edition, TheDefaultBuildIsAValidEdition) { EXPECT_TRUE(editionFromTitle(builtApplicationTitle())); }

TEST(Edition, Texts) {
    const Edition vora = *editionFromTitle("VORA-II MCA");
    const Edition trel = *editionFromTitle("TREL MCA");
    const Edition talvo = *editionFromTitle("OSKA TALVO");
    EXPECT_EQ(aliasCaption(vora, "Lab"), "VORA-II MCA -- Lab");
    EXPECT_EQ(aliasCaption(talvo, "Field"), "OSKA MCA -- Field");
    EXPECT_EQ(instrumentCaption(trel, "212345", ""), "Model 415 #212345");
    EXPECT_EQ(versionInformationText(trel, "1.0.0.0"), "TREL MCA Version #1.0.0.0");
    EXPECT_EQ(trel.comPortMenuCaption, "Model 415 COM Port...");
    EXPECT_EQ(trel.secondComPortMenuCaption, "2nd Model 415 COM Port...");
    EXPECT_EQ(trel.supportMenuCaption, "TREL Support Website...");
    EXPECT_EQ(talvo.manualFile, "OSKA_TALVO_Manual.pdf");
}

}  // namespace
}  // namespace mca
