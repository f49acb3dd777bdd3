// Filling a field as a person would, for the set command of a UI script: the value goes in and the
// widget sends the signals an edit by hand sends.
#pragma once

#include <string>

class QWidget;

namespace mca {

// Line edits take the text (then editingFinished and returnPressed); spin boxes a number; combo
// boxes an item's text or its index (an editable one any text); check boxes and radio buttons
// "1"/"0"/"true"/"false"; plain and rich text edits the text, with \n read as a line end.
// Returns an empty string when done, else why not, e.g. "not a number: abc".
std::string setFieldValue(QWidget& widget, const std::string& value);

}  // namespace mca
