// nuclida: the nuclide-library editor. Its edition is the application title fixed at build time;
// it creates Library/ beside itself and greets the operator for three seconds. Under MCA_UI_SCRIPT
// a script runs it and answers its questions (see platform/ui_script_session.h).
#include "editor_window.h"

#include "core/errors.h"
#include "core/folders.h"
#include "library/editor_edition.h"
#include "platform/ui_script_session.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    mca::UiScriptSession ui;
    const auto edition = mca::editorEditionFromTitle(NUCLIDA_TITLE);
    if (!edition) {
        ui.op().message("Invalid exe name! Application will close.", {}, mca::MessageKind::Error);
        return 1;
    }
    const QString title = QString::fromUtf8(edition->title.data(), static_cast<int>(edition->title.size()));
    QApplication::setApplicationDisplayName(title);
    std::filesystem::path library;
    try {
        library = mca::createEditorLibraryFolder(mca::applicationFolder());
    } catch (const mca::StartupError& e) {
        ui.op().message(e.what(), std::string(edition->title), mca::MessageKind::Error);
        return 1;
    }
    mca::EditorWindow window(title, library, &ui.op());
    ui.setDialogParent(&window);
    window.show();
    QTimer::singleShot(0, &window, [&window] { window.showAbout(true); });
    ui.start([&window] { window.close(); });
    return QApplication::exec();
}
