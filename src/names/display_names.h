#pragma once
// How an object is listed, the same in the editor's lists, in check's findings
// and in the command-line tool's output.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "names/name_page.h"
#include "text/language.h"

// The name pages a game folder may hold, the preferred one first.
inline constexpr std::string_view kNamePages[2] = {"t\\70001.xml", "t\\440001.xml"};

// The name page a game folder uses: folder + "t\70001.xml", else folder +
// "t\440001.xml"; empty when neither exists.
std::string findNamePage(std::string_view folder);

// The entry an object is listed under (Windows-1251): the name the page holds
// for its text id, else its objectId (also when there is no page); for a station,
// which has a race, that followed by the race name in brackets, "%s (%s)" (a race
// outside 1..6 gives empty brackets).
std::string listedName(const NamePage* page, int32_t nameTextId, std::string_view objectId,
                       std::optional<int32_t> race, Language language);
