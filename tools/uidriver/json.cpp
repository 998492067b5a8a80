#include "json.h"

namespace uidriver {

std::string jsonString(std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out = "\"";
    for (char ch : text) {
        const unsigned char c = static_cast<unsigned char>(ch);
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case '\b': out += "\\b"; break;
        default:
            if (c < 0x20 || c == 0x7F) {
                out += "\\u00";
                out += kHex[c >> 4];
                out += kHex[c & 15];
            } else {
                out += ch;
            }
        }
    }
    return out + "\"";
}

JsonLine& JsonLine::raw(std::string_view key, std::string_view json) {
    if (!body.empty()) body += ',';
    body += jsonString(key);
    body += ':';
    body += json;
    return *this;
}

JsonLine& JsonLine::str(std::string_view key, std::string_view value) { return raw(key, jsonString(value)); }

JsonLine& JsonLine::num(std::string_view key, long long value) { return raw(key, std::to_string(value)); }

JsonLine& JsonLine::flag(std::string_view key, bool value) { return raw(key, value ? "true" : "false"); }

JsonLine& JsonLine::list(std::string_view key, const std::vector<std::string>& values) {
    std::string json = "[";
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i) json += ',';
        json += jsonString(values[i]);
    }
    return raw(key, json + "]");
}

} // namespace uidriver
