// ui_demo.exe: a small window on the control layer ("Демонстрация слоя", client
// area 480 x 360, application caption "Демо v1"), the bare layer that
// bench/startup_under_wine.sh times beside the editor. Every event it receives
// is appended to the status label at 8,310 (which starts with "ready") as one
// token, after a blank:
//   change:edit1:<text>   the digits-only edit box right of "Целое" changed
//   change:edit2:<text>   the edit box right of "Дробное" (digits, '.', backspace) changed
//   change:list1:<index>  the list right of "Корабль" reported a user's choice
//   click:check1:on|off   the check box "Включено" was clicked, after it toggled
//   click:btn1            "Сообщение" was clicked (then a box with the application's
//                         caption: msgbox:<answer> when it returned, 1 = OK)
//   tab:<index>           a tab was chosen ("Ввод" holds the group "Поля", "Выбор" the
//                         group "Список")
//   close:asked           a close request (title bar or "Закрыть") reached the window
//                         (question "Закрыть окно?", caption "Вопрос", Yes/No), then
//                         close:no or close:yes
// Positions and sizes are the ones set below; the layout script reads them back.

#include "text/cp1251.h"
#include "ui/control.h"
#include "ui/win32/win32_platform.h"

#include <windows.h>

#include <string>

namespace {

struct Demo {
    Control* app = nullptr;
    Control* window = nullptr;
    Control* status = nullptr;
    std::string events = "ready";
};

Demo& demoOf(void* context) {
    return *static_cast<Demo*>(context);
}

void record(Demo& d, const std::string& token) {
    d.events += " " + token;
    setControlText(*d.status, d.events);
}

void onEdit1(void* context, Control& c) {
    record(demoOf(context), "change:edit1:" + controlText(c));
}
void onEdit2(void* context, Control& c) {
    record(demoOf(context), "change:edit2:" + controlText(c));
}
void onList1(void* context, Control& c) {
    record(demoOf(context), "change:list1:" + std::to_string(selectedIndex(c)));
}
void onCheck1(void* context, Control& c) {
    record(demoOf(context), std::string("click:check1:") + (isChecked(c) ? "on" : "off"));
}
void onTab(void* context, Control& c) {
    record(demoOf(context), "tab:" + std::to_string(currentTab(c)));
}

void onMessageButton(void* context, Control&) {
    Demo& d = demoOf(context);
    record(d, "click:btn1");
    const int answer = messageBox(*d.app, u8"Привет из демо"_cp1251, kMbOk | kMbIconInformation);
    record(d, "msgbox:" + std::to_string(answer));
}

void onCloseButton(void* context, Control&) {
    requestClose(*demoOf(context).window);
}

void onCloseRequest(void* context, Control& window, bool& accept) {
    Demo& d = demoOf(context);
    record(d, "close:asked");
    const int answer = messageBoxOwned(window, u8"Закрыть окно?"_cp1251, u8"Вопрос"_cp1251,
                                       kMbYesNo | kMbIconQuestion);
    accept = answer == kIdYes;
    record(d, accept ? "close:yes" : "close:no");
}

// Digits, '.' and backspace pass; everything else is discarded.
void decimalFilter(void*, Control&, char& ch, unsigned) {
    if (ch != '\b' && ch != '.' && (ch < '0' || ch > '9')) ch = 0;
}

Control& regular(Control& c) {
    setFontStyle(c, 0);
    return c;
}

Control& label(Control& parent, std::string_view text, int x, int y) {
    return regular(createLabel(parent, text).place(x, y).setAutoSize(true));
}

Control& groupBox(Control& parent, std::string_view caption) {
    Control& box = createGroupBox(parent, caption).place(3, 3).resize(460, 150).setTabStop(false);
    setFontStyle(box, kBold);
    setCaptionAlignment(box, Alignment::Centre);
    return box;
}

void build(Demo& d) {
    Control& w = createMainWindow(*d.app, u8"Демонстрация слоя"_cp1251);
    d.window = &w;
    w.place(194, 114);
    setClientSize(w, 480, 360);
    setStyle(w, kStyleOverlapped | kStyleCaption | kStyleSysMenu | kStyleMinimizeBox |
                    kStyleClipChildren);
    setColour(w, kColourFace);
    setFontName(w, "Tahoma");
    setFontHeight(w, 11);
    w.onCloseRequest = {onCloseRequest, &d};

    Control& tabs = createTabControl(w, {u8"Ввод"_cp1251, u8"Выбор"_cp1251}, kTabsFixedWidth)
                        .place(3, 3)
                        .resize(474, 300)
                        .setTabStop(false);
    setTabItemSize(tabs, 100, 18);
    tabs.onSelect = {onTab, &d};

    Control& fields = groupBox(tabPage(tabs, 0), u8"Поля"_cp1251);
    label(fields, u8"Целое"_cp1251, 16, 26);
    Control& edit1 = regular(createEditBox(fields, kDigitsOnly).place(120, 22).resize(90, 0));
    edit1.onChange = {onEdit1, &d};
    label(fields, u8"Дробное"_cp1251, 16, 56);
    Control& edit2 = regular(createEditBox(fields, 0).place(120, 52).resize(90, 0));
    edit2.onChange = {onEdit2, &d};
    edit2.onKeyChar = {decimalFilter, &d};
    label(fields, u8"Только цифры и точка"_cp1251, 220, 56);

    Control& choice = groupBox(tabPage(tabs, 1), u8"Список"_cp1251);
    label(choice, u8"Корабль"_cp1251, 16, 26);
    Control& list1 = regular(createList(choice, 0).place(120, 22).resize(200, 0));
    for (std::string_view entry :
         {u8"Альфа"_cp1251, u8"Бета"_cp1251, u8"Гамма"_cp1251, std::string_view("Delta")})
        addItem(list1, entry);
    list1.onChange = {onList1, &d};
    Control& check1 =
        regular(createCheckBox(choice, u8"Включено"_cp1251).place(16, 60).setAutoSize(true));
    check1.onClick = {onCheck1, &d};

    d.status = &createLabel(w, d.events).place(8, 310).setAutoSize(true);
    Control& message = createButton(w, u8"Сообщение"_cp1251).place(200, 330).resize(90, 25);
    message.onClick = {onMessageButton, &d};
    Control& close = createButton(w, u8"Закрыть"_cp1251).place(300, 330).resize(90, 25);
    close.onClick = {onCloseButton, &d};

    holdSize(w);
    enableTabNavigation(w);
    centre(w);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    Win32Platform platform;
    Demo demo;
    demo.app = &createApplication(platform, u8"Демо v1"_cp1251);
    build(demo);
    runMessageLoop(*demo.app);
    return 0;
}
