// The desktop for the terminal front: xdg-open for documents, programs started without waiting,
// and the XDG documents folder. There is no clipboard at a terminal; clipboard text is printed.
#pragma once

#include "core/desktop.h"

#include <iosfwd>

namespace mca::console {

class PosixDesktop : public Desktop {
public:
    explicit PosixDesktop(std::ostream& out) : m_out(out) {}

    bool openWithDefaultProgram(const std::string& pathOrUrl) override;
    bool startProgram(const std::string& program, const std::vector<std::string>& arguments) override;
    void setClipboardText(const std::string& text) override;
    void setClipboardImage(const std::string& pngBytes) override;
    std::string documentsFolder() const override;

private:
    std::ostream& m_out;
};

}  // namespace mca::console
