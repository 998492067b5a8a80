// Which language the programs speak: one table for the whole choice rule.

#include "text/language.h"

#include <gtest/gtest.h>

namespace {

constexpr Language ru = Language::ru, en = Language::en;

TEST(Language, WindowsLanguageIdsByTheirPrimaryLanguage) {
    // 0x0419 Russian; 0x0819 Russian (Moldova) shares the primary language.
    for (auto [id, expected] : {std::pair<uint16_t, Language>{0x0419, ru}, {0x0819, ru},
                                {0x0409, en}, {0x0407, en}, {0x0422, en}, {0x0000, en}})
        EXPECT_EQ(languageOfWindows(id), expected) << std::hex << id;
}

TEST(Language, TheFirstSetLocaleVariableDecides) {
    struct Case {
        const char *all, *messages, *lang;
        Language expected;
    };
    for (const Case& c : {Case{nullptr, nullptr, "ru_RU.UTF-8", ru}, {"", "", "ru_RU.UTF-8", ru},
                          {"C", nullptr, "ru_RU.UTF-8", en}, {nullptr, "ru_UA", "en_US", ru},
                          {nullptr, nullptr, nullptr, en}, {nullptr, nullptr, "C.UTF-8", en}})
        EXPECT_EQ(languageOfLocale(c.all, c.messages, c.lang), c.expected) << c.lang;
}

TEST(Language, TheOptionWinsOverTheVariableAndBadValuesAreRefused) {
    struct Case {
        std::optional<std::string_view> option;
        const char* variable;
        Language system, expected;
        std::optional<std::string> refused;
    };
    for (const Case& c : {
             Case{std::nullopt, nullptr, ru, ru, std::nullopt},     // nothing pinned: the system's
             Case{std::nullopt, nullptr, en, en, std::nullopt},
             Case{"en", "ru", ru, en, std::nullopt},                // the option over the variable
             Case{"ru", "en", en, ru, std::nullopt},
             Case{std::nullopt, "en", ru, en, std::nullopt},        // the variable over the system
             Case{std::nullopt, "", ru, ru, std::nullopt},          // an empty variable is unset
             Case{"de", "en", ru, ru, "de"},              // a bad option: refused, the system's
             Case{std::nullopt, "RU", en, en, "RU"},      // names are lower case
             Case{"", nullptr, en, en, ""},               // an empty option is a bad value too
         }) {
        const LanguageChoice choice = chooseLanguage(c.option, c.variable, c.system);
        EXPECT_EQ(choice.language, c.expected) << c.option.value_or("-") << " " << (c.variable ? c.variable : "-");
        EXPECT_EQ(choice.refused, c.refused) << c.option.value_or("-");
    }
}

} // namespace
