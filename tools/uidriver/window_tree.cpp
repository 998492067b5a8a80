#include "window_tree.h"
#include "utf.h"

#include <cctype>

namespace uidriver {

std::string_view baseClassName(std::string_view className) {
    const std::size_t underscore = className.rfind('_');
    if (underscore == std::string_view::npos || underscore + 1 == className.size()) return className;
    return className.substr(underscore + 1);
}

std::string_view kindOf(const WindowNode& node) {
    const std::string_view base = baseClassName(node.className);
    if (equalsIgnoringCase(base, "Edit")) return "Edit";
    if (equalsIgnoringCase(base, "ComboBox")) return "ComboBox";
    if (equalsIgnoringCase(base, "SysTabControl32")) return "Tab";
    if (equalsIgnoringCase(base, "Static")) return "Static";
    if (equalsIgnoringCase(base, "ListBox") || equalsIgnoringCase(base, "ComboLBox")) return "ListBox";
    if (node.className == "#32770") return "Dialog";
    if (equalsIgnoringCase(base, "Button")) {
        switch (node.style & 0x0F) {
        case 0x07: return "GroupBox";                                 // BS_GROUPBOX
        case 0x02: case 0x03: case 0x05: case 0x06: return "CheckBox"; // (AUTO)CHECKBOX, (AUTO)3STATE
        case 0x04: case 0x09: return "RadioButton";                  // (AUTO)RADIOBUTTON
        default: return "Button";
        }
    }
    return "Window";
}

WindowNode& need(WindowTree& tree, int index, unsigned parts) {
    WindowNode& node = tree.nodes[index];
    const unsigned missing = parts & ~node.loaded;
    if (missing && tree.load) tree.load(node, missing);
    node.loaded |= parts;
    return node;
}

bool isDescendant(const WindowTree& tree, int node, int ancestor) {
    for (int p = tree.nodes[node].parent; p >= 0; p = tree.nodes[p].parent)
        if (p == ancestor) return true;
    return false;
}

} // namespace uidriver
