// The operator through Qt's standard dialogs: message boxes, file dialogs, text input, colour
// choice and the beep. Texts arrive in UTF-8 and keep their exact wording.
#pragma once

#include "core/operator.h"

#include <QString>

class QWidget;

namespace mca {

class QtOperator : public Operator {
public:
    explicit QtOperator(QWidget* parent = nullptr) : m_parent(parent) {}
    // The window the dialogs are shown over; null for none.
    void setParent(QWidget* parent) { m_parent = parent; }

    void message(const std::string& text, const std::string& title, MessageKind kind) override;
    // Closing the box (or Escape) answers its last button.
    Answer question(const std::string& text, const std::string& title, const Buttons& buttons) override;
    std::optional<std::string> chooseOpenFile(const FileChoice& choice) override;
    std::optional<std::string> chooseSaveFile(const FileChoice& choice) override;
    std::optional<std::string> inputText(const std::string& title, const std::string& prompt,
                                         const std::string& initial) override;
    std::optional<ColourRef> chooseColour(ColourRef initial) override;
    void beep() override;

private:
    QWidget* m_parent;
};

// "Library Files (*.lib)|*.lib" as Qt writes a filter: "Library Files (*.lib)". Several
// description|pattern pairs become Qt's ";;"-separated list.
QString qtFilter(const std::string& filter);

}  // namespace mca
