// nuclida: the nuclide-library editor. Its edition is the application title fixed at build time;
// it creates Library/ beside itself and greets the operator for three seconds.
#include "editor_window.h"

#include "core/errors.h"
#include "core/folders.h"
#include "library/editor_edition.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const auto edition = mca::editorEditionFromTitle(NUCLIDA_TITLE);
    if (!edition) {
        QMessageBox::critical(nullptr, QString(), QStringLiteral("Invalid exe name! Application will close."));
        return 1;
    }
    const QString title = QString::fromUtf8(edition->title.data(), static_cast<int>(edition->title.size()));
    QApplication::setApplicationDisplayName(title);
    std::filesystem::path library;
    try {
        library = mca::createEditorLibraryFolder(mca::applicationFolder());
    } catch (const mca::StartupError& e) {
        QMessageBox::critical(nullptr, title, QString::fromStdString(e.what()));
        return 1;
    }
    mca::EditorWindow window(title, library);
    window.show();
    QTimer::singleShot(0, &window, [&window] { window.showAbout(true); });
    return QApplication::exec();
}
