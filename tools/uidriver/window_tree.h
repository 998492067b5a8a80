#pragma once
// A snapshot of a window and everything under it, as the driver reads it from
// another process. Selectors are matched against it; it holds no window
// handles' meaning itself, so it can be built by hand in tests.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace uidriver {

// The parts of a node read only when something looks at them: reading a
// window's text or rectangle from another process costs a round trip each.
enum : unsigned { kNodeText = 1, kNodeGeometry = 2, kNodeAll = 3 };

struct WindowNode {
    std::uintptr_t handle = 0;
    int parent = -1;              // index in WindowTree::nodes; -1 for the root
    std::vector<int> children;    // in window order (creation order for controls)
    std::string path;             // child indices from the root, "0/2/5"; "" for the root
    std::string className;        // UTF-8
    std::uint32_t style = 0;
    bool focused = false;
    unsigned loaded = kNodeAll;   // which lazy parts below are read
    // kNodeText:
    std::string text;             // UTF-8, WM_GETTEXT
    // kNodeGeometry:
    int id = 0;
    int x = 0, y = 0;             // relative to the parent's client area
    int width = 0, height = 0;
    bool visible = false;         // the window and all its ancestors are shown
    bool enabled = false;
    std::uint32_t exStyle = 0;
};

// Nodes in depth-first pre-order (document order); nodes[0] is the root.
struct WindowTree {
    std::vector<WindowNode> nodes;
    void (*load)(WindowNode& node, unsigned parts) = nullptr; // reads lazy parts; none for hand-made trees
};

// The node with the given lazy parts read (loading them the first time).
WindowNode& need(WindowTree& tree, int index, unsigned parts);

// The class name without the prefix a toolkit gives its own registered copies
// of the standard classes ("obj_Edit" -> "Edit"): the part after the last '_'.
std::string_view baseClassName(std::string_view className);

// What a control is, from its base class and button style: "Edit", "ComboBox",
// "Tab", "Static", "GroupBox", "CheckBox", "RadioButton", "Button", "ListBox",
// "Dialog" (#32770) or "Window" for anything else.
std::string_view kindOf(const WindowNode& node);

// Whether node is below ancestor (not equal to it).
bool isDescendant(const WindowTree& tree, int node, int ancestor);

} // namespace uidriver
