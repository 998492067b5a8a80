#include "names/display_names.h"

#include "text/files.h"
#include "text/format.h"
#include "text/texts.h"

std::string findNamePage(std::string_view folder) {
    for (std::string_view page : kNamePages) {
        std::string path = std::string(folder) + std::string(page);
        if (fileExists(path)) return path;
    }
    return {};
}

std::string listedName(const NamePage* page, int32_t nameTextId, std::string_view objectId,
                       std::optional<int32_t> race, Language language) {
    std::string name = page ? lookupName(*page, nameTextId) : std::string();
    // An empty entry names nothing a person could pick, so stations too fall back.
    if (name.empty()) name = objectId;
    if (!race) return name;
    return formatText("%s (%s)", {name, raceName(*race, language)});
}
