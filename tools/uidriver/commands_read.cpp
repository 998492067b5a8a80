// Commands that read controls: dump, get and the expectations.

#include "commands.h"
#include "interpreter.h"

#include <commctrl.h>

#include "utf.h"

namespace uidriver {

bool cmdDump(Target& t, const Command& c, JsonLine& out, std::string& error) {
    if (!needWindow(t, error)) return false;
    settle(t);
    Resolved r;
    if (c.args.empty()) {
        r.tree = snapshot(t.window);
        r.node = 0;
    } else if (!resolve(t, c.args[0], r, error)) {
        return false;
    }
    int count = 0;
    for (int i = 0; i < static_cast<int>(r.tree.nodes.size()); ++i) {
        if (i != r.node && !isDescendant(r.tree, i, r.node)) continue;
        printLine(describeJson(r.tree, i).text());
        ++count;
    }
    out.num("controls", count);
    return true;
}

bool cmdGet(Target& t, const Command& c, JsonLine& out, std::string& error) {
    settle(t);
    Resolved r;
    if (!resolve(t, c.args[0], r, error)) return false;
    if (c.args.size() == 1) {
        printLine(describeJson(r.tree, r.node).text());
        return true;
    }
    std::string value;
    if (!property(r.get(), c.args[1], value, error)) return false;
    out.str("target", r.name()).str("property", c.args[1]).str("value", value);
    return true;
}

bool cmdExpect(Target& t, const Command& c, JsonLine& out, std::string& error) {
    const std::string expected = normalised(c.args[2]);
    std::string seen;
    std::string target;
    bool hardError = false;
    const bool ok = retry(
        t,
        [&] {
            Resolved r;
            if (!resolve(t, c.args[0], r, error)) return false;
            target = r.name();
            if (!property(r.get(), c.args[1], seen, error)) {
                hardError = error.rfind("unknown property", 0) == 0 || error.find("has no property") != std::string::npos;
                return hardError;
            }
            if (seen == expected) return true;
            error = c.args[1] + " of " + target + " is \"" + seen + "\", expected \"" + expected + "\"";
            return false;
        },
        error);
    if (ok && hardError) return false;
    if (ok) out.str("target", target).str("property", c.args[1]).str("value", seen);
    return ok;
}

bool cmdExpectItems(Target& t, const Command& c, JsonLine& out, std::string& error) {
    const std::vector<std::string> expected(c.args.begin() + 1, c.args.end());
    return retry(
        t,
        [&] {
            Resolved r;
            if (!resolve(t, c.args[0], r, error)) return false;
            std::vector<std::string> items;
            if (kindOf(r.get()) == "ComboBox") items = comboItems(r.handle());
            else if (kindOf(r.get()) == "Tab") items = tabTexts(r.handle());
            else {
                error = r.name() + " has no entries";
                return false;
            }
            if (items == expected) {
                out.str("target", r.name()).num("count", static_cast<long long>(items.size()));
                return true;
            }
            error = "entries of " + r.name() + " are [" + joined(items) + "], expected [" + joined(expected) + "]";
            return false;
        },
        error);
}

bool cmdExpectNone(Target& t, const Command& c, JsonLine&, std::string& error) {
    const SelectorParse parsed = parseSelector(c.args[0]);
    if (!parsed.error.empty()) {
        error = "selector " + c.args[0] + ": " + parsed.error;
        return false;
    }
    if (!needWindow(t, error)) return false;
    return retry(
        t,
        [&] {
            WindowTree tree = snapshot(t.window);
            const std::vector<int> found = findAll(tree, 0, parsed.selector);
            if (found.empty()) return true;
            error = describeNode(tree, found.front()) + " matches " + c.args[0];
            return false;
        },
        error);
}

} // namespace uidriver
