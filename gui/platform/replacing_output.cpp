// Writing a file under a temporary name and renaming it into place.
#include "replacing_output.h"

#include <filesystem>
#include <system_error>

namespace mca {

bool writeReplacing(const QString& path, const std::function<bool(const QString& temporaryPath)>& write) {
    const std::filesystem::path target = path.toStdString();
    std::filesystem::path temporary = target;
    temporary.replace_filename("." + target.stem().string() + ".writing" + target.extension().string());
    std::error_code ignored;
    if (write(QString::fromStdString(temporary.string()))) {
        std::error_code renamed;
        std::filesystem::rename(temporary, target, renamed);
        if (!renamed) return true;
    }
    std::filesystem::remove(temporary, ignored);
    return false;
}

}  // namespace mca
