// Fuzzes the command-line reader with argument lists made of the input split at zero bytes.
#include "core/command_line.h"

#include <cstdint>
#include <string>
#include <vector>

namespace {

class SilentOperator : public mca::Operator {
public:
    void message(const std::string&, const std::string&, mca::MessageKind) override {}
    mca::Answer question(const std::string&, const std::string&, const mca::Buttons& b) override { return b.back(); }
    std::optional<std::string> chooseOpenFile(const mca::FileChoice&) override { return std::nullopt; }
    std::optional<std::string> chooseSaveFile(const mca::FileChoice&) override { return std::nullopt; }
    std::optional<std::string> inputText(const std::string&, const std::string&, const std::string&) override {
        return std::nullopt;
    }
    std::optional<mca::ColourRef> chooseColour(mca::ColourRef) override { return std::nullopt; }
    void beep() override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> args(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) args.emplace_back();
        else args.back().push_back(static_cast<char>(data[i]));
    }
    SilentOperator op;
    (void)mca::parseCommandLine(args, op);
    return 0;
}
