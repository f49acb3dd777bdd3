// The About window through the Help menu command: the edition's texts, and the question that
// comes first while acquiring.
#include "dialogs/about_window.h"

#include "dialog_test_fixture.h"

#include <QLabel>

namespace mca {
namespace {

using Strings = std::vector<std::string>;

class AboutWindowTest : public testing::ApplicationFixture {
protected:
    gui::ModalRunner runner() {
        return [this](QDialog& d) {
            for (const char* name : {"productName", "interfaceVersion", "firmwareVersion"}) {
                shown.push_back(testing::child<QLabel>(d, name)->text().toStdString());
            }
            d.accept();
            return d.result();
        };
    }

    Strings shown;
};

TEST_F(AboutWindowTest, ShowsTheProductNameAndBothVersions) {
    w().state.programVersion = "1.4.2";
    w().session(1).firmwareText = "1.08";
    gui::showAboutWindow(app, nullptr, runner());
    EXPECT_EQ(shown, (Strings{"TREL MCA", "Interface Version 1.4.2", "Firmware Version 1.08"}));
    EXPECT_TRUE(t.op.questions().empty());
}

TEST_F(AboutWindowTest, WhileAcquiringNoAtTheQuestionShowsNothing) {
    w().state.acquiring = true;
    t.op.answers = {Answer::No};
    gui::showAboutWindow(app, nullptr, runner());
    EXPECT_EQ(t.op.questions(),
              Strings{"Opening the About Box will force the current acquisition to stop.  Proceed?"});
    EXPECT_TRUE(shown.empty());
    EXPECT_TRUE(w().state.acquiring);
}

}  // namespace
}  // namespace mca
