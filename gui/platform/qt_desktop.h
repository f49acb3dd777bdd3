// The desktop as Qt reaches it: documents and web addresses open with the desktop's default
// program, programs start detached, the clipboard takes text and pictures.
#pragma once

#include "core/desktop.h"

namespace mca {

class QtDesktop : public Desktop {
public:
    // A path (relative to the current folder, or absolute) or an address with a scheme
    // ("https://...", "mailto:...").
    bool openWithDefaultProgram(const std::string& pathOrUrl) override;
    bool startProgram(const std::string& program, const std::vector<std::string>& arguments) override;
    void setClipboardText(const std::string& text) override;
    // PNG bytes; bytes that are no picture leave the clipboard as it was.
    void setClipboardImage(const std::string& pngBytes) override;
    // The documents folder of the desktop, else the home folder when that is not there.
    std::string documentsFolder() const override;
};

}  // namespace mca
