#include "tables/fields.h"

std::string_view takeField(std::string_view& line) {
    // Fields are a few characters long: a plain scan beats a library search call.
    size_t semicolon = 0;
    while (semicolon < line.size() && line[semicolon] != ';') ++semicolon;
    if (semicolon == line.size()) {
        if (!line.empty()) line.remove_prefix(1);
        return {};
    }
    const std::string_view field = line.substr(0, semicolon);
    line.remove_prefix(semicolon + 1);
    return field;
}
