// Saving on request and the question asked by every closing of the window.

#include "editor/editor.h"
#include "editor/main_form.h"
#include "tables/game_state.h"
#include "tables/save_tables.h"
#include "text/files.h"
#include "text/cp1251.h"
#include "ui/control.h"
#include "ui/styles.h"

#include <string>
#include <vector>

namespace {

MainForm& formOf(void* context) { return *static_cast<MainForm*>(context); }

// The system's reason for a file that could not be written, in the user's words.
std::string_view faultText(FileFault fault) {
    switch (fault) {
    case FileFault::ReadOnly:
        return u8"файл только для чтения"_cp1251;
    case FileFault::AccessDenied:
        return u8"нет доступа"_cp1251;
    case FileFault::DiskFull:
        return u8"диск переполнен"_cp1251;
    case FileFault::InUse:
        return u8"файл занят другой программой"_cp1251;
    case FileFault::NoFolder:
        return u8"папка не найдена"_cp1251;
    case FileFault::None:
    case FileFault::Other:
        break;
    }
    return u8"ошибка записи"_cp1251;
}

// Writes every table; tells the user which files could not be written and why,
// and whether the others were.
bool saveAndReport(MainForm& f) {
    const SaveReport report = saveAllTables(*f.game);
    if (report.failed.empty()) return true;
    std::string text(u8"Не удалось сохранить файлы:"_cp1251);
    for (const SaveFailure& failure : report.failed) {
        text += "\r\n" + failure.path;
        text += u8" — "_cp1251;
        text += faultText(failure.fault);
    }
    text += "\r\n\r\n";
    text += report.written > 0 ? u8"Остальные таблицы сохранены."_cp1251
                               : u8"Ни одна таблица не сохранена."_cp1251;
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
    // A save that failed keeps the window open, so no edit is lost; a box closed
    // without Yes or No (Esc under Wine) is no answer, and the window stays.
    if (answer == kIdYes) accept = saveAndReport(f);
    else accept = answer == kIdNo;
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
