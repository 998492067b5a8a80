// The interface language at start: the user's pin (--lang, then ORVEX_LANG) or
// the Windows interface language; a pin that names no language is told once.

#include "editor/editor.h"
#include "text/format.h"
#include "text/texts.h"
#include "ui/control.h"
#include "ui/styles.h"

Language chooseEditorLanguage(Control& application, std::optional<std::string_view> option,
                              const char* variable, uint16_t windowsLanguageId) {
    const LanguageChoice choice =
        chooseLanguage(option, variable, languageOfWindows(windowsLanguageId));
    if (choice.refused) {
        // In both languages: the pin that should have chosen one was not understood.
        const std::string message =
            formatText(text(Text::badLanguage, Language::ru), {*choice.refused}) + "\r\n" +
            formatText(text(Text::badLanguage, Language::en), {*choice.refused});
        messageBox(application, message, kMbOk | kMbIconExclamation);
    }
    return choice.language;
}
