#pragma once
// Selectors name the controls a command works on (see README.md):
//   #0/2/5                                    child indices from the window
//   Button[Сохранить]                         class or kind, exact text
//   GroupBox[Лазеры] > Edit[right-of=Ценовой коэффициент]
//   Static[at=70,54]   ComboBox[id=ship.list]   ComboBox[id=1001]   CheckBox[n=3]
//   Edit[visible]

#include <string>
#include <string_view>
#include <vector>

#include "window_tree.h"

namespace uidriver {

struct SelectorCondition {
    enum class Key { Text, Contains, Id, At, RightOf, Visible, Enabled };
    Key key = Key::Text;
    std::string text;   // Text, Contains, RightOf; Id: its name when given by name
    int a = 0, b = 0;   // Id (a, the number; a name's from editor/control_list.h); At (a = x, b = y)
};

struct SelectorStep {
    std::string name;                         // class, base class or kind; "" or "*" for any
    std::vector<SelectorCondition> conditions;
    int nth = -1;                             // [n=k]: the k-th match (0-based); -1: must be unique
};

struct Selector {
    bool isPath = false;
    std::vector<int> path;                    // for '#': child indices from the root
    std::vector<SelectorStep> steps;          // each step searches below the previous one's matches
};

struct SelectorParse {
    Selector selector;
    std::string error;                        // non-empty when the text is not a selector
};

// Parses a selector. Returns an error for an empty text, a bad index path,
// an unclosed '[', an unknown key, an id that is neither a number nor a name,
// a non-numeric at/n or an empty step.
SelectorParse parseSelector(std::string_view text);

struct SelectorMatch {
    std::vector<int> nodes;                   // indices into the tree, document order
    std::string error;
};

// Every node below root that the selector names, in document order; an index
// path names at most one node. Never fails; an empty list when nothing matches.
// Reads the lazy parts of the nodes it has to look at.
std::vector<int> findAll(WindowTree& tree, int root, const Selector& selector);

// The one node the selector names below root; an error naming the selector
// when none does (and an id name no control carries), or listing the
// candidates when more than one does.
SelectorMatch findOne(WindowTree& tree, int root, const Selector& selector, std::string_view text);

// "#0/2/5 Edit \"12\"": how errors and logs name a node.
std::string describeNode(WindowTree& tree, int index);

} // namespace uidriver
