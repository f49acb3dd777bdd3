// A small JSON writer.
#include "json_writer.h"

#include "core/number_text.h"

#include <cmath>
#include <cstdio>

namespace mca::analyze {

std::string jsonQuoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(static_cast<unsigned char>(c)));
                    out += buf;
                } else {
                    out += c;
                }
        }
    }
    return out + "\"";
}

void JsonWriter::beforeValue() {
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (!m_first.empty()) {
        if (!m_first.back()) m_out += ',';
        m_first.back() = false;
    }
}

void JsonWriter::beginObject() {
    beforeValue();
    m_out += '{';
    m_first.push_back(true);
}

void JsonWriter::endObject() {
    m_out += '}';
    m_first.pop_back();
}

void JsonWriter::beginArray() {
    beforeValue();
    m_out += '[';
    m_first.push_back(true);
}

void JsonWriter::endArray() {
    m_out += ']';
    m_first.pop_back();
}

void JsonWriter::key(std::string_view name) {
    beforeValue();
    m_out += jsonQuoted(name) + ':';
    m_afterKey = true;
}

void JsonWriter::string(std::string_view text) {
    beforeValue();
    m_out += jsonQuoted(text);
}

void JsonWriter::number(double value) {
    beforeValue();
    m_out += std::isfinite(value) ? formatFull(value) : "null";
}

void JsonWriter::boolean(bool value) {
    beforeValue();
    m_out += value ? "true" : "false";
}

}  // namespace mca::analyze
