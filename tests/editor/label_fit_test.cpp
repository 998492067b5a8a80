// Every label and check box caption of the window, measured in the window's own
// font (Tahoma, height 11) by the Win32 platform: an English text may not run
// into an input, another check box or out of its group where the Russian one
// does not.

#include "editor/main_form.h"
#include "editor_game.h"
#include "tables/game_state.h"
#include "ui/control.h"
#include "ui/win32/win32_platform.h"
#include "version.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

namespace {

using Overlaps = std::set<std::pair<std::string, std::string>>; // (text's path, what it runs into)

bool isObstacle(const Control& c) {
    return c.kind == ControlKind::EditBox || c.kind == ControlKind::List || c.kind == ControlKind::CheckBox;
}

// Each control is named by its path of child indices, the same in both windows.
void collect(const Control& parent, const std::string& path, Overlaps& out) {
    for (size_t i = 0; i < parent.children.size(); ++i) {
        const Control& c = *parent.children[i];
        const std::string own = path + "/" + std::to_string(i);
        collect(c, own, out);
        if ((c.kind != ControlKind::Label && c.kind != ControlKind::CheckBox) || c.text.empty()) continue;
        if (parent.kind == ControlKind::GroupBox && c.x + c.width > parent.width)
            out.insert({own, "the group's edge"});
        for (size_t k = 0; k < parent.children.size(); ++k) {
            const Control& o = *parent.children[k];
            if (k == i || !isObstacle(o)) continue;
            const int oHeight = o.height > 0 ? o.height : 21;
            const bool across = c.x < o.x + o.width && o.x < c.x + c.width;
            const bool along = c.y < o.y + oHeight && o.y < c.y + c.height;
            if (across && along) out.insert({own, path + "/" + std::to_string(k)});
        }
    }
}

Overlaps overlapsIn(Language language) {
    TempGame game;
    writeEditorGame(game);
    GameState state;
    state.folder = game.folder();
    Win32Platform platform;
    Control& application = createApplication(platform, ORVEX_CAPTION);
    Overlaps overlaps;
    if (MainForm* form = buildMainWindow(application, state, language)) collect(*form->window, "", overlaps);
    return overlaps;
}

TEST(LabelFit, EnglishLabelsFitWhereTheRussianOnesDo) {
    const Overlaps russian = overlapsIn(Language::ru);
    for (const auto& overlap : overlapsIn(Language::en))
        EXPECT_TRUE(russian.count(overlap)) << overlap.first << " runs into " << overlap.second;
}

} // namespace
