// Making room for measured texts. Every left edge of a control in a container
// (and the right edge of each group box, and the container's own right edge)
// is a column line. A line moves right only as far as what stands left of it
// on the same rows needs: a text its measured width and a small gap; an input
// or a group its width and its old gap (inside a group, at most a small one).
// Lines never move left, so columns keep their order and a layout that fits
// stays as it is.

#include "ui/fit_texts.h"

#include "ui/mnemonic.h"

#include <algorithm>
#include <map>
#include <vector>

namespace {

constexpr int kTextGap = 4;      // between a text and the input right of it on its row
constexpr int kTextToText = 1;   // between a text and the text after it (a unit's exponent)
constexpr int kFrameRoom = 3;    // between a text and its group's right frame
constexpr int kCaptionRoom = 24; // the frame's ends around a group caption
constexpr int kHugging = 8;      // a group this near its container's right edge stays at it

bool isText(const Control& c) {
    // Wrapping labels get their texts later and wrap inside their group.
    return (c.kind == ControlKind::Label || c.kind == ControlKind::CheckBox) && !c.text.empty();
}

bool isGroup(const Control& c) {
    return c.kind == ControlKind::GroupBox;
}

bool sameRow(const Control& a, const Control& b) {
    return a.y < b.y + b.height && b.y < a.y + a.height;
}

// A line b must stand at least `distance` right of line a.
struct Need {
    int a, b, distance;
};

// The room kept after a control that is no text: its old gap, inside a group
// at most `most` (the gaps a longer text may take).
int keptGap(int gap, int most, bool inGroup) {
    if (gap < 0) return gap; // overlapping by design: as it was
    return inGroup ? std::min(gap, most) : gap;
}

// Fits the children of box (a group box or a tab page) and answers how far its
// right edge must move. With apply, moves and widens them, and the box's edge
// moves by at least extra (a page whose tab control grew for another page).
int fitContainer(Control& box, int extra, bool apply) {
    const int edge = box.width;
    const bool inGroup = isGroup(box);
    std::vector<int> widths; // what each child needs
    std::vector<int> before; // each child's width before a group inside grew
    std::vector<Need> needs;
    std::map<int, int> place{{0, 0}, {edge, edge}}; // line -> where it goes
    for (auto& owned : box.children) {
        Control& c = *owned;
        const int end = c.x + c.width;
        before.push_back(c.width);
        int width = c.width;
        if (isText(c)) width = std::max(width, textExtent(c).width);
        if (isGroup(c)) width += fitContainer(c, 0, apply);
        widths.push_back(width);
        place[c.x] = c.x;
        if (isGroup(c)) {
            place[end] = end;
            needs.push_back({c.x, end, width});
        }
        if (c.x >= edge) continue;
        needs.push_back(
            {c.x, edge,
             isText(c) ? width + kFrameRoom : width + keptGap(edge - end, kFrameRoom, inGroup)});
        for (auto& other : box.children) {
            const Control& o = *other;
            if (&o == &c || o.x <= c.x || !sameRow(c, o)) continue;
            if (isText(c))
                needs.push_back({c.x, o.x, width + (isText(o) ? kTextToText : kTextGap)});
            else
                needs.push_back({c.x, o.x, width + keptGap(o.x - end, kTextGap, inGroup)});
        }
    }
    if (inGroup) needs.push_back({0, edge, textExtent(box).width + kCaptionRoom});

    for (auto& [line, at] : place) {
        for (const Need& n : needs)
            if (n.b == line) at = std::max(at, place[n.a] + n.distance);
        if (line == edge) at = std::max(at, edge + extra);
    }
    const int grown = place[edge] - edge;
    if (!apply) return grown;

    for (size_t i = 0; i < box.children.size(); ++i) {
        Control& c = *box.children[i];
        const int x = place[c.x];
        if (isGroup(c)) {
            const int right = c.x + before[i];
            int newRight = place[right];
            if (edge - right <= kHugging)
                newRight = std::max(newRight, edge + grown - (edge - right));
            c.resize(newRight - x, 0);
        } else if (isText(c) && c.width < widths[i]) {
            c.resize(widths[i], 0);
        }
        if (x != c.x) c.place(x, c.y);
    }
    if (inGroup && grown > 0) box.resize(edge + grown, 0);
    return grown;
}

} // namespace

Size textExtent(const Control& c) {
    return c.platform->measure(c, 0);
}

std::string shownText(const Control& c) {
    return c.kind == ControlKind::Button ? withoutMnemonics(c.text) : c.text;
}

int fitTexts(Control& window) {
    // The growth the pages need, then every page fitted to the widest.
    int grown = 0;
    for (auto& child : window.children) {
        if (child->kind == ControlKind::TabControl)
            for (Control* page : child->pages)
                grown = std::max(grown, fitContainer(*page, 0, false));
        else if (isGroup(*child))
            grown = std::max(grown, fitContainer(*child, 0, false));
    }
    for (auto& owned : window.children) {
        Control& c = *owned;
        if (c.kind == ControlKind::TabControl) {
            for (Control* page : c.pages)
                fitContainer(*page, grown, true);
            if (grown > 0) c.resize(c.width + grown, 0);
        } else if (isGroup(c)) {
            fitContainer(c, grown, true);
        } else if (grown > 0) {
            c.place(c.x + grown, c.y); // below the tabs, right-aligned
        }
    }
    if (grown > 0)
        setClientSize(window,
                      window.clientWidth >= 0 ? window.clientWidth + grown : window.width + grown,
                      window.clientHeight >= 0 ? window.clientHeight : window.height);
    return grown;
}
