// mca: the workstation's desktop program. Its edition is the application title fixed at build
// time. MCA_UI_SCRIPT runs a script of operator actions; MCA_TRANSCRIPT records every prompt.
#include "window/workbench.h"

#include "core/edition.h"
#include "core/folders.h"

#include <QApplication>

#include <string>
#include <vector>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    mca::Workbench workbench(std::string(mca::builtApplicationTitle()), mca::applicationFolder());
    if (!workbench.start(arguments)) return 1;
    return QApplication::exec();
}
