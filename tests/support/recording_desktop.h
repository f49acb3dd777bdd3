// A desktop for tests: records what was opened, started and put on the clipboard.
#pragma once

#include "core/desktop.h"

#include <string>
#include <vector>

namespace mca::testing {

class RecordingDesktop : public Desktop {
public:
    explicit RecordingDesktop(std::string documentsFolderPath = "/tmp") : documents(std::move(documentsFolderPath)) {}

    bool openWithDefaultProgram(const std::string& pathOrUrl) override {
        opened.push_back(pathOrUrl);
        return openSucceeds;
    }
    bool startProgram(const std::string& program, const std::vector<std::string>& arguments) override {
        started.push_back(program);
        startedArguments.push_back(arguments);
        return startSucceeds;
    }
    void setClipboardText(const std::string& text) override { clipboardText = text; }
    void setClipboardImage(const std::string& pngBytes) override { clipboardImage = pngBytes; }
    std::string documentsFolder() const override { return documents; }

    std::string documents;
    bool openSucceeds = true;
    bool startSucceeds = true;
    std::vector<std::string> opened;
    std::vector<std::string> started;
    std::vector<std::vector<std::string>> startedArguments;
    std::string clipboardText;
    std::string clipboardImage;
};

}  // namespace mca::testing
