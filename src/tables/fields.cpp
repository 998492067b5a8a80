#include "tables/fields.h"

std::string_view takeField(std::string_view& line) {
    const auto semicolon = line.find(';');
    if (semicolon == std::string_view::npos) {
        if (!line.empty()) line.remove_prefix(1);
        return {};
    }
    const std::string_view field = line.substr(0, semicolon);
    line.remove_prefix(semicolon + 1);
    return field;
}
