// The desktop through Qt: QDesktopServices, QProcess and the clipboard.
#include "qt_desktop.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUrl>

namespace mca {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

// "https://...", "mailto:..." but not "C:..." or a plain path.
bool hasScheme(const QString& s) {
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    return scheme.match(s).hasMatch();
}

}  // namespace

bool QtDesktop::openWithDefaultProgram(const std::string& pathOrUrl) {
    const QString s = qs(pathOrUrl);
    if (s.isEmpty()) return false;
    const QUrl url = hasScheme(s) ? QUrl(s) : QUrl::fromLocalFile(QFileInfo(s).absoluteFilePath());
    return QDesktopServices::openUrl(url);
}

bool QtDesktop::startProgram(const std::string& program, const std::vector<std::string>& arguments) {
    if (program.empty()) return false;
    QStringList args;
    for (const std::string& a : arguments) args << qs(a);
    return QProcess::startDetached(qs(program), args);
}

void QtDesktop::setClipboardText(const std::string& text) {
    if (QClipboard* clipboard = QGuiApplication::clipboard()) clipboard->setText(qs(text));
}

void QtDesktop::setClipboardImage(const std::string& pngBytes) {
    const QByteArray bytes(pngBytes.data(), static_cast<qsizetype>(pngBytes.size()));
    const QImage image = QImage::fromData(bytes, "PNG");
    if (image.isNull()) return;
    if (QClipboard* clipboard = QGuiApplication::clipboard()) clipboard->setImage(image);
}

std::string QtDesktop::documentsFolder() const {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir()) return documents.toStdString();
    return QDir::homePath().toStdString();
}

}  // namespace mca
