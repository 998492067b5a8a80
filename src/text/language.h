#pragma once
// The interface language of both programs and the rule that chooses it at start.
// The rule is a pure function of what the platform and the user say, so that
// every front end (the editor, orvex-cli on Windows and on Linux) follows it alike.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

enum class Language { ru, en };

// "ru" → ru, "en" → en; nothing for any other text.
std::optional<Language> languageNamed(std::string_view name);

// Russian when the primary language of a Windows language id (its low 10 bits)
// is Russian (0x19, as in 0x0419), English for every other id.
Language languageOfWindows(uint16_t languageId);

// Russian when the first of LC_ALL, LC_MESSAGES, LANG that is set and not empty
// starts with "ru"; English otherwise (nothing set included). Null means unset.
Language languageOfLocale(const char* lcAll, const char* lcMessages, const char* lang);

struct LanguageChoice {
    Language language = Language::ru;
    std::optional<std::string> refused; // the value that named no language, if one was given
};

// The option (--lang) wins over the variable (ORVEX_LANG); an empty or absent
// variable does not count. A value other than "ru" or "en" is refused: the
// choice then falls back to the system's language and names the refused value.
LanguageChoice chooseLanguage(std::optional<std::string_view> option, const char* variable,
                              Language system);
