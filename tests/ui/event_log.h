#pragma once
// Records the events controls raise, in order, as "kind:tag" or "kind:tag:text".

#include "ui/control.h"

#include <string>
#include <vector>

struct EventLog {
    std::vector<std::string> events;
    int depth = 0; // > 0 while a logged handler runs

    static EventLog& of(void* context) { return *static_cast<EventLog*>(context); }

    static void change(void* context, Control& c) {
        EventLog& log = of(context);
        log.events.push_back("change:" + std::to_string(tag(c)) + ":" + controlText(c) +
                             (log.depth > 0 ? ":nested" : ""));
    }
    static void select(void* context, Control& c) {
        of(context).events.push_back("select:" + std::to_string(tag(c)));
    }
    static void click(void* context, Control& c) {
        EventLog& log = of(context);
        std::string entry = "click:" + std::to_string(tag(c));
        if (c.kind == ControlKind::CheckBox) entry += isChecked(c) ? ":on" : ":off";
        log.events.push_back(entry);
    }
    static void destroy(void* context, Control& c) {
        of(context).events.push_back("destroy:" + std::to_string(tag(c)));
    }

    void watch(Control& c, int32_t id) {
        setTag(c, id);
        c.onChange = {change, this};
        c.onClick = {click, this};
        c.onDestroy = {destroy, this};
    }
};
