#include "selector.h"
#include "utf.h"

#include "editor/control_list.h"
#include "ui/mnemonic.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace uidriver {

namespace {


bool parseInt(std::string_view s, int& value) {
    if (s.empty()) return false;
    const char* end = s.data() + s.size();
    auto [ptr, ec] = std::from_chars(s.data(), end, value);
    return ec == std::errc() && ptr == end;
}

bool isNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '*'; }

// A control's id name, as the program names its controls: a letter, then
// letters, digits, '.' and '_' ("ship.hullStrength", "weapon.3").
bool isIdName(std::string_view s) {
    if (s.empty() || !std::isalpha(static_cast<unsigned char>(s.front()))) return false;
    return std::all_of(s.begin(), s.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '_';
    });
}

// The toolkit's own names for the kinds, accepted next to the platform's.
std::string_view aliasFor(std::string_view name) {
    if (equalsIgnoringCase(name, "Label")) return "Static";
    if (equalsIgnoringCase(name, "List")) return "ComboBox";
    if (equalsIgnoringCase(name, "EditBox")) return "Edit";
    if (equalsIgnoringCase(name, "TabControl")) return "Tab";
    return name;
}

bool nameMatches(std::string_view name, const WindowNode& node) {
    if (name.empty() || name == "*") return true;
    name = aliasFor(name);
    return equalsIgnoringCase(name, node.className) || equalsIgnoringCase(name, baseClassName(node.className)) ||
           equalsIgnoringCase(name, kindOf(node));
}

bool overlapsVertically(const WindowNode& a, const WindowNode& b) {
    const int top = std::max(a.y, b.y);
    const int bottom = std::min(a.y + std::max(a.height, 1), b.y + std::max(b.height, 1));
    return top < bottom;
}

// A push button's text as a person reads it, without the "&" of its Alt letter.
std::string shownText(const WindowNode& node) {
    return kindOf(node) == "Button" ? withoutMnemonics(node.text) : node.text;
}

bool conditionHolds(WindowTree& tree, int index, const SelectorCondition& c) {
    switch (c.key) {
    case SelectorCondition::Key::Text: {
        const WindowNode& node = need(tree, index, kNodeText);
        return node.text == c.text || shownText(node) == c.text;
    }
    case SelectorCondition::Key::Contains: return need(tree, index, kNodeText).text.find(c.text) != std::string::npos;
    case SelectorCondition::Key::Id: // 0 is no id: it names no control
        return c.a != 0 && need(tree, index, kNodeGeometry).id == c.a;
    case SelectorCondition::Key::At: {
        const WindowNode& node = need(tree, index, kNodeGeometry);
        return node.x == c.a && node.y == c.b;
    }
    case SelectorCondition::Key::Visible: return need(tree, index, kNodeGeometry).visible;
    case SelectorCondition::Key::Enabled: return need(tree, index, kNodeGeometry).enabled;
    case SelectorCondition::Key::RightOf: return true; // needs the siblings: see keepRightOf
    }
    return false;
}

// Keeps the candidates that are, for some sibling reading `label`, the nearest
// candidate to its right on the same row.
std::vector<int> keepRightOf(WindowTree& tree, const std::vector<int>& candidates, const std::string& label) {
    std::vector<int> kept;
    for (int c : candidates) {
        const WindowNode& node = need(tree, c, kNodeGeometry);
        if (node.parent < 0) continue;
        for (int l : tree.nodes[node.parent].children) {
            if (l == c || need(tree, l, kNodeText).text != label) continue;
            const WindowNode& lab = need(tree, l, kNodeGeometry);
            if (node.x <= lab.x || !overlapsVertically(lab, node)) continue;
            const bool nearer = std::any_of(candidates.begin(), candidates.end(), [&](int other) {
                const WindowNode& o = need(tree, other, kNodeGeometry);
                return other != c && o.parent == node.parent && o.x > lab.x && o.x < node.x && overlapsVertically(lab, o);
            });
            if (!nearer) {
                kept.push_back(c);
                break;
            }
        }
    }
    return kept;
}

std::vector<int> matchStep(WindowTree& tree, const std::vector<int>& scopes, const SelectorStep& step) {
    std::vector<int> found;
    for (int i = 0; i < static_cast<int>(tree.nodes.size()); ++i) {
        const bool inScope = std::any_of(scopes.begin(), scopes.end(), [&](int s) { return isDescendant(tree, i, s); });
        if (!inScope || !nameMatches(step.name, tree.nodes[i])) continue;
        const bool all = std::all_of(step.conditions.begin(), step.conditions.end(),
                                     [&](const SelectorCondition& c) { return conditionHolds(tree, i, c); });
        if (all) found.push_back(i);
    }
    for (const SelectorCondition& c : step.conditions)
        if (c.key == SelectorCondition::Key::RightOf) found = keepRightOf(tree, found, c.text);
    if (step.nth >= 0) {
        if (step.nth < static_cast<int>(found.size())) return {found[step.nth]};
        return {};
    }
    return found;
}

bool parseCondition(std::string_view body, SelectorStep& step, std::string& error) {
    SelectorCondition c;
    const std::size_t eq = body.find('=');
    const std::string_view key = eq == std::string_view::npos ? body : body.substr(0, eq);
    const std::string_view value = eq == std::string_view::npos ? std::string_view() : body.substr(eq + 1);
    if (body == "visible") {
        c.key = SelectorCondition::Key::Visible;
    } else if (body == "enabled") {
        c.key = SelectorCondition::Key::Enabled;
    } else if (eq != std::string_view::npos && key == "text") {
        c.text = std::string(value);
    } else if (eq != std::string_view::npos && key == "contains") {
        c.key = SelectorCondition::Key::Contains;
        c.text = std::string(value);
    } else if (eq != std::string_view::npos && key == "right-of") {
        c.key = SelectorCondition::Key::RightOf;
        c.text = std::string(value);
    } else if (eq != std::string_view::npos && key == "id") {
        // A number, or a name the program's list of controls numbers (0: none).
        c.key = SelectorCondition::Key::Id;
        if (isIdName(value)) {
            c.text = std::string(value);
            c.a = controlNumber(value);
        } else if (!parseInt(value, c.a)) {
            error = "id needs a number or a name";
            return false;
        }
    } else if (eq != std::string_view::npos && key == "at") {
        c.key = SelectorCondition::Key::At;
        const std::size_t comma = value.find(',');
        if (comma == std::string_view::npos || !parseInt(value.substr(0, comma), c.a) ||
            !parseInt(value.substr(comma + 1), c.b)) {
            error = "at needs x,y";
            return false;
        }
    } else if (eq != std::string_view::npos && key == "n") {
        if (!parseInt(value, step.nth) || step.nth < 0) {
            error = "n needs a number from 0";
            return false;
        }
        return true;
    } else {
        // A plain text, also when it holds '=' after something that is not a key.
        c.text = std::string(body);
    }
    step.conditions.push_back(std::move(c));
    return true;
}

// Whether any control below root carries this id.
bool hasId(WindowTree& tree, int root, int id) {
    for (int i = 0; i < static_cast<int>(tree.nodes.size()); ++i)
        if (isDescendant(tree, i, root) && need(tree, i, kNodeGeometry).id == id) return true;
    return false;
}

} // namespace

SelectorParse parseSelector(std::string_view text) {
    SelectorParse result;
    Selector& sel = result.selector;
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    if (text.empty()) {
        result.error = "empty selector";
        return result;
    }
    if (text.front() == '#') {
        sel.isPath = true;
        std::string_view rest = text.substr(1);
        while (!rest.empty()) {
            const std::size_t slash = rest.find('/');
            int index = 0;
            if (!parseInt(rest.substr(0, slash), index) || index < 0) {
                result.error = "bad index path";
                return result;
            }
            sel.path.push_back(index);
            if (slash == std::string_view::npos) break;
            rest.remove_prefix(slash + 1);
            if (rest.empty()) {
                result.error = "bad index path";
                return result;
            }
        }
        return result;
    }
    std::size_t i = 0;
    while (true) {
        SelectorStep step;
        while (i < text.size() && text[i] == ' ') ++i;
        while (i < text.size() && isNameChar(text[i])) step.name += text[i++];
        bool hasCondition = false;
        while (i < text.size() && text[i] == '[') {
            std::string body;
            ++i;
            bool closed = false;
            while (i < text.size()) {
                if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == ']' || text[i + 1] == '\\')) {
                    body += text[i + 1];
                    i += 2;
                } else if (text[i] == ']') {
                    closed = true;
                    ++i;
                    break;
                } else {
                    body += text[i++];
                }
            }
            if (!closed) {
                result.error = "unclosed [";
                return result;
            }
            if (!parseCondition(body, step, result.error)) return result;
            hasCondition = true;
        }
        if (step.name.empty() && !hasCondition) {
            result.error = "empty step";
            return result;
        }
        sel.steps.push_back(std::move(step));
        while (i < text.size() && text[i] == ' ') ++i;
        if (i >= text.size()) break;
        if (text[i] != '>') {
            result.error = std::string("unexpected '") + text[i] + "'";
            return result;
        }
        ++i;
    }
    return result;
}

std::vector<int> findAll(WindowTree& tree, int root, const Selector& selector) {
    if (tree.nodes.empty() || root < 0 || root >= static_cast<int>(tree.nodes.size())) return {};
    if (selector.isPath) {
        int node = root;
        for (int index : selector.path) {
            const std::vector<int>& children = tree.nodes[node].children;
            if (index >= static_cast<int>(children.size())) return {};
            node = children[index];
        }
        return {node};
    }
    std::vector<int> scopes = {root};
    for (const SelectorStep& step : selector.steps) {
        scopes = matchStep(tree, scopes, step);
        if (scopes.empty()) break;
    }
    return scopes;
}

SelectorMatch findOne(WindowTree& tree, int root, const Selector& selector, std::string_view text) {
    SelectorMatch match;
    match.nodes = findAll(tree, root, selector);
    if (match.nodes.empty()) {
        match.error = "no control matches " + std::string(text);
        // A mistyped or retired id name is the likely slip: say so.
        for (const SelectorStep& step : selector.steps)
            for (const SelectorCondition& c : step.conditions) {
                if (c.key != SelectorCondition::Key::Id || c.text.empty()) continue;
                if (c.a == 0)
                    match.error += " (the program has no control named " + c.text + ")";
                else if (!hasId(tree, root, c.a))
                    match.error += " (no control has the id " + c.text + ", number " +
                                   std::to_string(c.a) + ")";
            }
    } else if (match.nodes.size() > 1) {
        match.error = std::to_string(match.nodes.size()) + " controls match " + std::string(text) + ":";
        for (std::size_t k = 0; k < match.nodes.size() && k < 8; ++k)
            match.error += " [" + describeNode(tree, match.nodes[k]) + "]";
        if (match.nodes.size() > 8) match.error += " ...";
        match.error += "; add [n=k] or narrow it";
    }
    return match;
}

std::string describeNode(WindowTree& tree, int index) {
    const WindowNode& node = need(tree, index, kNodeText);
    return "#" + node.path + " " + std::string(kindOf(node)) + " \"" + node.text + "\"";
}

} // namespace uidriver
