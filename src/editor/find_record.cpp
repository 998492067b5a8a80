// Find and the guide. Ctrl+F opens a small dialog: part of a name or objectId,
// in any letter case, and Enter chooses the next object that has it in any
// record list (ships, lasers, shields, missiles, stations, wares), shows its
// page and gives its list the focus; F3 goes on to the next one. F1 opens the
// guide in the window's language.

#include "editor/control_list.h"
#include "editor/editor.h"
#include "editor/main_form.h"
#include "tables/game_state.h"
#include "tables/ware_list.h"
#include "text/cp1251.h"
#include "text/format.h"
#include "ui/control.h"
#include "ui/fit_texts.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>

namespace {

constexpr int kMargin = 12;
constexpr int kBoxWidth = 220;
constexpr int kButtonHeight = 25;
constexpr int kButtonMinWidth = 75;

// A list Find goes through, the page it is on and the group holding it.
struct Searched {
    TableId table;
    Control* list;
    int page;
    const Control* group;
};

// In the order Find goes through them.
std::array<Searched, 6> searchedLists(MainForm& f) {
    return {{{TableId::ships, f.shipList, 0, &tabPage(*f.tabs, 0)},
             {TableId::lasers, f.laser.list, 1, f.laser.box},
             {TableId::shields, f.shield.list, 1, f.shield.box},
             {TableId::rockets, f.rocket.list, 1, f.rocket.box},
             {TableId::stations, f.station.list, 2, f.station.box},
             {TableId::wareB, f.ware.list, 2, f.ware.box}}};
}

std::string_view objectIdAt(const GameState& g, TableId id, int entry) {
    if (id == TableId::wareB) {
        const TWares* ware = wareAt(g, entry);
        return ware != nullptr ? std::string_view(ware->objectId) : std::string_view();
    }
    return visitTable(g, id, [&](const auto& t) -> std::string_view {
        if constexpr (requires { t.records[0].objectId; })
            if (entry >= 0 && static_cast<size_t>(entry) < t.records.size()) return t.records[entry].objectId;
        return {};
    });
}

struct Match {
    size_t list;
    int entry;
};

// The first entry after the one shown by the group that holds `from` (else the
// shown page's first list) that has `part`, through the lists in order and
// around to that entry itself.
std::optional<Match> nextMatch(MainForm& f, const Control& from, std::string_view part) {
    const std::array<Searched, 6> lists = searchedLists(f);
    const std::string wanted = cp1251::lowerCase(part);
    const auto has = [&](size_t k, int entry) {
        return cp1251::lowerCase(itemText(*lists[k].list, entry)).find(wanted) != std::string::npos ||
               cp1251::lowerCase(objectIdAt(*f.game, lists[k].table, entry)).find(wanted) != std::string::npos;
    };
    const auto holding = std::find_if(lists.begin(), lists.end(), [&](const Searched& s) { return within(&from, s.group); });
    const auto onPage = std::find_if(lists.begin(), lists.end(),
                                     [&](const Searched& s) { return s.page == currentTab(*f.tabs); });
    const size_t first = static_cast<size_t>((holding != lists.end() ? holding : onPage) - lists.begin()) % lists.size();
    const int start = std::max(0, selectedIndex(*lists[first].list) + 1);
    for (size_t step = 0; step <= lists.size(); ++step) {
        const size_t k = (first + step) % lists.size();
        const int count = itemCount(*lists[k].list);
        const int end = step == lists.size() ? std::min(start, count) : count;
        for (int entry = step == 0 ? start : 0; entry < end; ++entry)
            if (has(k, entry)) return Match{k, entry};
    }
    return std::nullopt;
}

// Chooses the match as a user would: its page, its entry, the focus on its list.
void showMatch(MainForm& f, const Match& m) {
    const Searched s = searchedLists(f)[m.list];
    showTab(*f.tabs, s.page);
    chooseEntry(f, s.table, m.entry);
    setFocus(*s.list);
}

struct FindDialog {
    MainForm& form;
    const Control& from;
    Control* dialog = nullptr;
    Control* what = nullptr;
    std::optional<Match> found;
};

void onFindNext(void* context, Control&) {
    FindDialog& d = *static_cast<FindDialog*>(context);
    d.form.findText = controlText(*d.what);
    if (d.form.findText.empty()) return;
    d.found = nextMatch(d.form, d.from, d.form.findText);
    if (d.found) {
        endDialog(*d.dialog, kIdOk);
        return;
    }
    showInputTip(*d.what, d.form.text(Text::findNotFoundTitle),
                 formatText(d.form.text(Text::findNotFound), {d.form.findText}));
}

void onFindCancel(void* context, Control&) {
    endDialog(*static_cast<FindDialog*>(context)->dialog, kIdCancel);
}

Control& findButton(FindDialog& d, Text text, std::string_view name, ClickSlot::Fn onClick) {
    Control& b = createButton(*d.dialog, d.form.text(text)).setId(controlNumber(name));
    setFontStyle(b, 0);
    b.resize(std::max(kButtonMinWidth, textExtent(b).width), kButtonHeight);
    b.onClick = {onClick, &d};
    return b;
}

// The label and the box (the last text searched for, selected) in a row, and the
// two buttons at the right under them.
void openFindDialog(MainForm& f, const Control& from) {
    FindDialog d{f, from, nullptr, nullptr, std::nullopt};
    d.dialog = &createDialog(*f.window, f.text(Text::findCaption));
    Control& label = createLabel(*d.dialog, f.text(Text::findWhat)).setId(controlNumber("find.whatLabel"));
    setFontStyle(label, 0);
    label.place(kMargin, kMargin + 3).setAutoSize(true);
    d.what = &createEditBox(*d.dialog, 0).setId(controlNumber("find.what"));
    setFontStyle(*d.what, 0);
    setColour(*d.what, kColourWindow);
    d.what->place(kMargin + label.width + 8, kMargin).resize(kBoxWidth, 0);
    setControlText(*d.what, f.findText);
    Control& next = findButton(d, Text::findNext, "find.next", onFindNext);
    Control& cancel = findButton(d, Text::dialogCancel, "find.cancel", onFindCancel);
    setDefaultButton(next);
    setCancelButton(cancel);
    setKeyCommand(*d.dialog, kKeyF3, {onFindNext, &d});
    const int width = d.what->x + kBoxWidth + kMargin;
    const int buttonsY = kMargin + 34;
    cancel.place(width - kMargin - cancel.width, buttonsY);
    next.place(cancel.x - 8 - next.width, buttonsY);
    setClientSize(*d.dialog, width, buttonsY + kButtonHeight + kMargin);
    showModal(*d.dialog);
    if (d.found) showMatch(f, *d.found);
}

void onFindKey(void* context, Control& sender) {
    openFindDialog(*static_cast<MainForm*>(context), sender);
}

// F3: the next match of the last text; without one, or with nothing more to
// find, the dialog (which then tells).
void onFindNextKey(void* context, Control& sender) {
    MainForm& f = *static_cast<MainForm*>(context);
    const std::optional<Match> m = f.findText.empty() ? std::nullopt : nextMatch(f, sender, f.findText);
    if (m) showMatch(f, *m);
    else openFindDialog(f, sender);
}

void onHelpKey(void* context, Control&) {
    MainForm& f = *static_cast<MainForm*>(context);
    const std::string_view guide = f.text(Text::guideFile);
    if (!openProgramFile(*f.window, guide))
        messageBoxOwned(*f.window, formatText(f.text(Text::guideMissing), {std::string(guide)}),
                        controlText(*f.application), kMbOk | kMbIconExclamation);
}

} // namespace

void addFindAndHelp(MainForm& f) {
    setKeyCommand(*f.window, 'F', {onFindKey, &f});
    setKeyCommand(*f.window, kKeyF3, {onFindNextKey, &f});
    setKeyCommand(*f.window, kKeyF1, {onHelpKey, &f});
}
