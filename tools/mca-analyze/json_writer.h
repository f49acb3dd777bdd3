// A small JSON writer for mca-analyze's output: objects, arrays, strings and numbers, written as
// they come, with the commas and escapes in their places.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace mca::analyze {

class JsonWriter {
public:
    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    // The key of the next value inside an object.
    void key(std::string_view name);
    void string(std::string_view text);
    // Finite numbers in the shortest decimal form; NaN and infinities as null.
    void number(double value);
    void boolean(bool value);
    const std::string& text() const { return m_out; }

private:
    void beforeValue();
    std::string m_out;
    std::vector<bool> m_first;   // per open container: no element written yet
    bool m_afterKey = false;
};

// The text as a JSON string literal, quotes included.
std::string jsonQuoted(std::string_view text);

}  // namespace mca::analyze
