// The lines of a UI script, read into commands. One command a line:
//   answer TEXT         queue TEXT as the answer to the next operator prompt
//   menu A > B > C      trigger a menu item by its captions
//   press CAPTION       press a button in the topmost window
//   set NAME VALUE      fill the field with object name NAME
//   wait MS             pause
//   shot FILE.png       save a picture of the active window
//   quit                close the program
// Blank lines and lines starting with # are skipped; other lines become Unknown commands, so the
// runner can note them and go on.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace mca {

enum class UiCommandKind { Answer, Menu, Press, Set, Wait, Shot, Quit, Unknown };

struct UiCommand {
    UiCommandKind kind = UiCommandKind::Unknown;
    // Answer: {text}; Menu: the captions; Press: {caption}; Set: {name, value}; Wait: {ms};
    // Shot: {file}; Quit: {}; Unknown: {the line}.
    std::vector<std::string> arguments;
    int lineNumber = 0;  // from 1
    std::string line;    // as written, for notes

    bool operator==(const UiCommand&) const = default;
};

std::vector<UiCommand> parseUiScript(std::string_view text);

// The caption a person reads: without the mnemonic ampersands ("&&" stays one "&"), without a
// shortcut after a tab, trimmed.
std::string plainCaption(std::string_view caption);

}  // namespace mca
