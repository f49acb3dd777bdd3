// Pictures of the spectrum: to the clipboard as PNG through the desktop, and to files in the
// format of their extension.
#include "chart_fixture.h"

#include <QFile>
#include <QImage>

#include <filesystem>

namespace mca {
namespace {

class ChartPicturesTest : public ChartFixture {
protected:
    ChartPicturesTest() {
        area.resize(800, 600);
        w().session(1).spectrum.counts[100] = 10;
        area.refreshAll();
    }
};

TEST_F(ChartPicturesTest, CaptureSpectrumPutsAPngOnTheClipboard) {
    area.captureSpectrumToClipboard();
    const std::string& png = t.desktop.clipboardImage;
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(png.substr(1, 3), "PNG");
    EXPECT_FALSE(QImage::fromData(QByteArray(png.data(), static_cast<qsizetype>(png.size()))).isNull());
}

TEST_F(ChartPicturesTest, SaveSpectrumWritesTheFormatOfTheExtension) {
    const std::pair<const char*, QByteArray> cases[] = {
        {"spectrum.png", QByteArray("\x89PNG")}, {"spectrum.bmp", QByteArray("BM")},
        {"spectrum.jpg", QByteArray("\xFF\xD8")}, {"spectrum.pdf", QByteArray("%PDF")},
        {"spectrum.svg", QByteArray("<?xml")},
    };
    for (const auto& [name, magic] : cases) {
        SCOPED_TRACE(name);
        const std::string path = (t.folder.path() / name).string();
        op.fileChoices = {path};
        area.saveSpectrumAsGraphic();
        QFile file(QString::fromStdString(path));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_TRUE(file.read(magic.size()) == magic);
    }
    EXPECT_EQ(op.transcript().back().title, "Save Spectrum as Graphic");
    EXPECT_TRUE(op.messages().empty());
}

TEST_F(ChartPicturesTest, UnwritablePictureIsReported) {
    op.fileChoices = {(t.folder.path() / "missing" / "spectrum.png").string()};
    area.saveSpectrumAsGraphic();
    EXPECT_EQ(op.messages().size(), 1u);
}

TEST_F(ChartPicturesTest, ScreenPicturesGoToTheClipboardAndTheFile) {
    QWidget window;
    window.resize(300, 200);
    area.captureScreenToClipboard(&window);
    EXPECT_EQ(t.desktop.clipboardImage.substr(1, 3), "PNG");

    t.desktop.clipboardImage.clear();
    const std::string path = (t.folder.path() / "screen.jpg").string();
    op.fileChoices = {path};
    area.saveScreenAsGraphic(&window);
    EXPECT_FALSE(t.desktop.clipboardImage.empty());
    EXPECT_FALSE(QImage(QString::fromStdString(path)).isNull());
}

}  // namespace
}  // namespace mca
