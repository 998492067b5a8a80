#include "ui/trace.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Kind {
    const char* name;
    long long total = 0; // microseconds
    int count = 0;
    int depth = 0; // spans of this kind running now: only the outermost counts
};

struct Trace {
    std::FILE* file = nullptr;
    std::chrono::steady_clock::time_point base = std::chrono::steady_clock::now();
    long long lastMark = 0;
    std::vector<Kind> kinds;
};

Trace* trace() {
    static Trace* const t = [] () -> Trace* {
        const char* path = std::getenv("ORVEX_TRACE");
        if (path == nullptr || *path == '\0') return nullptr;
        std::FILE* f = std::fopen(path, "a");
        if (f == nullptr) return nullptr;
        auto* made = new Trace; // lives to the end of the program
        made->file = f;
        return made;
    }();
    return t;
}

long long microseconds(const Trace& t) {
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now() - t.base)
        .count();
}

} // namespace

bool traceOn() {
    return trace() != nullptr;
}

void traceMark(std::string_view what) {
    Trace* t = trace();
    if (t == nullptr) return;
    const long long now = microseconds(*t);
    std::fprintf(t->file, "%9.3f ms  (+%8.3f)  %.*s\n", now / 1000.0, (now - t->lastMark) / 1000.0,
                 static_cast<int>(what.size()), what.data());
    std::fflush(t->file);
    t->lastMark = now;
}

void traceTotals(std::string_view heading) {
    Trace* t = trace();
    if (t == nullptr) return;
    std::fprintf(t->file, "  totals %.*s:\n", static_cast<int>(heading.size()), heading.data());
    for (Kind& k : t->kinds) {
        std::fprintf(t->file, "  %9.3f ms  %6d x  %s\n", k.total / 1000.0, k.count, k.name);
        k.total = 0;
        k.count = 0;
    }
    std::fflush(t->file);
}

TraceSpan::TraceSpan(const char* kind) : kind_(-1), start_(0) {
    Trace* t = trace();
    if (t == nullptr) return;
    for (size_t i = 0; i < t->kinds.size() && kind_ < 0; ++i)
        if (std::strcmp(t->kinds[i].name, kind) == 0) kind_ = static_cast<int>(i);
    if (kind_ < 0) {
        kind_ = static_cast<int>(t->kinds.size());
        t->kinds.push_back({kind});
    }
    ++t->kinds[kind_].depth;
    start_ = microseconds(*t);
}

TraceSpan::~TraceSpan() {
    Trace* t = trace();
    if (t == nullptr) return;
    Kind& k = t->kinds[kind_];
    if (--k.depth > 0) return;
    k.total += microseconds(*t) - start_;
    ++k.count;
}
