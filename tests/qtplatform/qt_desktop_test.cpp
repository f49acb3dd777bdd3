// The desktop through Qt: clipboard text and pictures, programs started detached, and the
// documents folder.
#include "platform/qt_desktop.h"

#include "qtsupport/qt_test_application.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>

namespace mca {
namespace {

std::string pngOf(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}

TEST(QtDesktop, ClipboardTakesTextAndPictures) {
    qtTestApplication();
    QtDesktop desktop;
    desktop.setClipboardText("Cs-137\t661.66 keV µ");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("Cs-137\t661.66 keV µ"));

    QImage picture(7, 5, QImage::Format_RGB32);
    picture.fill(QColor(10, 200, 30));
    desktop.setClipboardImage(pngOf(picture));
    const QImage pasted = QGuiApplication::clipboard()->image();
    ASSERT_EQ(pasted.size(), QSize(7, 5));
    EXPECT_EQ(pasted.pixelColor(3, 2), QColor(10, 200, 30));

    desktop.setClipboardImage("not a picture");
    EXPECT_EQ(QGuiApplication::clipboard()->image().size(), QSize(7, 5));
}

TEST(QtDesktop, StartsProgramsThatExist) {
    qtTestApplication();
    QtDesktop desktop;
    EXPECT_TRUE(desktop.startProgram("true", {"ignored"}));
    EXPECT_FALSE(desktop.startProgram("/no/such/program", {}));
    EXPECT_FALSE(desktop.startProgram("", {}));
}

TEST(QtDesktop, DocumentsFolderIsAnExistingFolder) {
    qtTestApplication();
    const QFileInfo folder(QString::fromStdString(QtDesktop().documentsFolder()));
    EXPECT_TRUE(folder.isDir());
    EXPECT_TRUE(folder.isAbsolute());
}

}  // namespace
}  // namespace mca
