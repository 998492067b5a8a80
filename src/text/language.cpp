#include "text/language.h"

namespace {

constexpr uint16_t kPrimaryLanguageMask = 0x3FF;
constexpr uint16_t kPrimaryRussian = 0x19;

} // namespace

std::optional<Language> languageNamed(std::string_view name) {
    if (name == "ru") return Language::ru;
    if (name == "en") return Language::en;
    return std::nullopt;
}

Language languageOfWindows(uint16_t languageId) {
    return (languageId & kPrimaryLanguageMask) == kPrimaryRussian ? Language::ru : Language::en;
}

Language languageOfLocale(const char* lcAll, const char* lcMessages, const char* lang) {
    for (const char* value : {lcAll, lcMessages, lang}) {
        if (value == nullptr || *value == '\0') continue;
        return std::string_view(value).starts_with("ru") ? Language::ru : Language::en;
    }
    return Language::en;
}

LanguageChoice chooseLanguage(std::optional<std::string_view> option, const char* variable,
                              Language system) {
    std::optional<std::string_view> asked = option;
    if (!asked && variable != nullptr && *variable != '\0') asked = variable;
    if (!asked) return {system, std::nullopt};
    if (const std::optional<Language> named = languageNamed(*asked)) return {*named, std::nullopt};
    return {system, std::string(*asked)};
}
