// Ownership of the application objects and the release of their trees.

#include "ui/platform.h"

#include <algorithm>

namespace {

void markReleasing(Control& c) {
    c.releasing = true;
    for (auto& child : c.children)
        markReleasing(*child);
}

// onDestroy of c before its children's; each control's owned objects are released
// (last owned first) after its children, and its window goes after theirs.
void release(Platform& platform, Control& c) {
    if (c.onDestroy.fn != nullptr) c.onDestroy.fn(c.onDestroy.context, c);
    for (auto& child : c.children)
        release(platform, *child);
    for (auto it = c.releasers.rbegin(); it != c.releasers.rend(); ++it)
        (*it)();
    c.releasers.clear();
    if (c.window != nullptr) platform.destroyWindow(c);
}

} // namespace

Control& Platform::adoptApplication(std::unique_ptr<Control> application) {
    applications_.push_back(std::move(application));
    return *applications_.back();
}

void Platform::releaseApplication(Control& application) {
    auto it = std::find_if(applications_.begin(), applications_.end(),
                           [&](const auto& a) { return a.get() == &application; });
    if (it == applications_.end()) return;
    markReleasing(application);
    release(*this, application);
    applications_.erase(it);
}

void Platform::releaseAll() {
    for (auto& app : applications_) {
        markReleasing(*app);
        release(*this, *app);
    }
    applications_.clear();
}

void Platform::releaseControl(Control& c) {
    markReleasing(c);
    release(*this, c);
    if (c.parent == nullptr) return;
    auto& siblings = c.parent->children;
    siblings.erase(std::find_if(siblings.begin(), siblings.end(),
                                [&](const auto& child) { return child.get() == &c; }));
}
