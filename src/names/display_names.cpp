#include "names/display_names.h"

#include "text/texts.h"
#include "text/files.h"
#include "text/format.h"

std::string findNamePage(std::string_view folder) {
    for (std::string_view page : kNamePages) {
        std::string path = std::string(folder) + std::string(page);
        if (fileExists(path)) return path;
    }
    return {};
}

std::string displayName(const NamePage& page, int32_t nameTextId, std::string_view objectId) {
    std::string name = lookupName(page, nameTextId);
    return name.empty() ? std::string(objectId) : name;
}

std::string stationDisplayName(const NamePage& page, int32_t nameTextId, int32_t race,
                               Language language) {
    return formatText("%s (%s)", {lookupName(page, nameTextId), raceName(race, language)});
}
