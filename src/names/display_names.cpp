#include "names/display_names.h"

#include "text/cp1251.h"
#include "text/files.h"
#include "text/format.h"

std::string findNamePage(std::string_view folder) {
    for (std::string_view page : {"t\\70001.xml", "t\\440001.xml"}) {
        std::string path = std::string(folder) + std::string(page);
        if (fileExists(path)) return path;
    }
    return {};
}

std::string displayName(const NamePage& page, int32_t nameTextId, std::string_view objectId) {
    std::string name = lookupName(page, nameTextId);
    return name.empty() ? std::string(objectId) : name;
}

std::string_view raceName(int32_t race) {
    static constexpr std::string_view names[6] = {u8"Аргон"_cp1251,   u8"Борон"_cp1251,
                                                  u8"Сплит"_cp1251,   u8"Паранид"_cp1251,
                                                  u8"Телади"_cp1251,  u8"Ксенон"_cp1251};
    return race >= 1 && race <= 6 ? names[race - 1] : std::string_view();
}

std::string stationDisplayName(const NamePage& page, int32_t nameTextId, int32_t race) {
    return formatText("%s (%s)", {lookupName(page, nameTextId), raceName(race)});
}
