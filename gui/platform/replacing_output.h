// Files that Qt writes by name (pictures, PDF): they are written under a hidden temporary name in
// the same folder, with the same extension (some writers choose their format by it), and renamed
// over the target only when complete, so a failed write leaves any old file as it was.
#pragma once

#include <QString>

#include <functional>

namespace mca {

// Calls `write` with the temporary path; when it returns true the temporary file replaces `path`.
// False when writing or renaming failed; the temporary file is removed then.
bool writeReplacing(const QString& path, const std::function<bool(const QString& temporaryPath)>& write);

}  // namespace mca
