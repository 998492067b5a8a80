#pragma once
// How the editor lists an object, shared by every front end: the name the page
// holds for the object's text id, else its objectId; stations with their race.

#include <cstdint>
#include <string>
#include <string_view>

#include "names/name_page.h"
#include "text/language.h"
#include "text/texts.h" // raceName

// The name pages a game folder may hold, the preferred one first.
inline constexpr std::string_view kNamePages[2] = {"t\\70001.xml", "t\\440001.xml"};

// The name page a game folder uses: folder + "t\70001.xml", else folder +
// "t\440001.xml"; empty when neither exists.
std::string findNamePage(std::string_view folder);

// The name the page holds for the id; the objectId when that is empty.
std::string displayName(const NamePage& page, int32_t nameTextId, std::string_view objectId);


// A station's entry: "%s (%s)" with the name as the page holds it (even empty)
// and the race name.
std::string stationDisplayName(const NamePage& page, int32_t nameTextId, int32_t race,
                               Language language = Language::ru);
