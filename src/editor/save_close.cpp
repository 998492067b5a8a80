// Saving on request and the question asked by every closing of the window.

#include "editor/editor.h"
#include "editor/main_form.h"
#include "tables/game_state.h"
#include "tables/save_tables.h"
#include "text/cp1251.h"
#include "ui/control.h"
#include "ui/styles.h"

#include <string>
#include <vector>

namespace {

MainForm& formOf(void* context) { return *static_cast<MainForm*>(context); }

// Writes every table; tells the user which files could not be written.
bool saveAndReport(MainForm& f) {
    const std::vector<std::string> failed = saveAllTables(*f.game);
    if (failed.empty()) return true;
    std::string text;
    text = u8"Не удалось сохранить файлы:"_cp1251;
    for (const std::string& path : failed) text += "\r\n" + path;
    // Titled like the start-up error, but modal to the window the user works in.
    messageBoxOwned(*f.window, text, controlText(*f.application), kMbOk | kMbIconError);
    return false;
}

} // namespace

void onSaveClicked(void* context, Control&) { saveAndReport(formOf(context)); }

void onCloseClicked(void* context, Control&) { requestClose(*formOf(context).window); }

void confirmClose(void* context, Control&, bool& accept) {
    MainForm& f = formOf(context);
    const int answer = messageBoxOwned(*f.window, u8"Файлы не сохранены! Сохранить?"_cp1251,
                                       u8"Внимание!"_cp1251, kMbYesNo | kMbIconExclamation);
    // A save that failed keeps the window open, so no edit is lost.
    accept = answer != kIdYes || saveAndReport(f);
}

void showAbout(void* context, Control&) {
    MainForm& f = formOf(context);
    const std::string_view lines[] = {
        u8"Редактор кораблей, параметров станций, вооружения, товаров"_cp1251,
        "",
        u8"Версия 2.1"_cp1251,
        "",
        u8"Идея: команда Orvex"_cp1251,
        u8"Программа: команда Orvex"_cp1251,
        "",
        u8"Посвящается всем пилотам, что бороздят просторы игры"_cp1251,
        u8"Об ошибках сообщайте разработчикам Orvex через страницу проекта"_cp1251,
    };
    std::string text;
    for (size_t i = 0; i < std::size(lines); ++i) {
        if (i > 0) text += "\r\n"; // no break after the last line
        text += lines[i];
    }
    messageBoxOwned(*f.window, text, u8"О программе"_cp1251, kMbOk | kMbIconInformation);
}
