#pragma once
// Every line the driver prints is one JSON object; texts are UTF-8.

#include <string>
#include <string_view>
#include <vector>

namespace uidriver {

// The text as a JSON string literal, quotes included: '"', '\' and control
// characters are escaped, other bytes (UTF-8) are copied unchanged.
std::string jsonString(std::string_view text);

// Builds one JSON object, fields in the order they are added.
struct JsonLine {
    std::string body;

    JsonLine& str(std::string_view key, std::string_view value);
    JsonLine& num(std::string_view key, long long value);
    JsonLine& flag(std::string_view key, bool value);
    JsonLine& list(std::string_view key, const std::vector<std::string>& values);
    JsonLine& raw(std::string_view key, std::string_view json);
    std::string text() const { return "{" + body + "}"; }
};

} // namespace uidriver
