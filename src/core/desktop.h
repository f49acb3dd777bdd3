// What the core asks of the desktop: open a document with its default program, start another
// program, the clipboard, and the user's documents folder.
#pragma once

#include <string>
#include <vector>

namespace mca {

class Desktop {
public:
    virtual ~Desktop() = default;
    // Opens a file or web address with the desktop's default program; false when that failed.
    virtual bool openWithDefaultProgram(const std::string& pathOrUrl) = 0;
    // Starts a program without waiting for it; false when it could not be started.
    virtual bool startProgram(const std::string& program, const std::vector<std::string>& arguments) = 0;
    virtual void setClipboardText(const std::string& text) = 0;
    // A picture as encoded image bytes (PNG).
    virtual void setClipboardImage(const std::string& pngBytes) = 0;
    // The user's documents folder (XDG documents folder, else the home folder).
    virtual std::string documentsFolder() const = 0;
};

}  // namespace mca
