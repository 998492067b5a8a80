#include "text/line_list.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <utility>

#include "text/files.h"

LineList::LineList(LineList&& other) noexcept
    : block_(std::move(other.block_)), lines_(std::move(other.lines_)),
      first_(std::exchange(other.first_, 0)) {
    other.lines_.clear();
}

LineList& LineList::operator=(LineList&& other) noexcept {
    if (this != &other) {
        block_ = std::move(other.block_);
        lines_ = std::move(other.lines_);
        first_ = std::exchange(other.first_, 0);
        other.lines_.clear();
    }
    return *this;
}

LineList::Line LineList::ownedLine(std::string_view text) {
    Line line;
    if (!text.empty()) {
        line.copy.reset(new char[text.size()]);
        std::memcpy(line.copy.get(), text.data(), text.size());
        line.text = std::string_view(line.copy.get(), text.size());
    }
    return line;
}

std::string_view LineList::item(int index) const {
    if (index < 0 || index >= count()) return {};
    return lines_[first_ + static_cast<size_t>(index)].text;
}

int LineList::add(std::string_view text) {
    const int index = count();
    lines_.push_back(ownedLine(text));
    return index;
}

void LineList::setItem(int index, std::string_view text) {
    if (index < 0 || index >= count()) return;
    Line line = ownedLine(text); // copied first: text may be this very line
    lines_[first_ + static_cast<size_t>(index)] = std::move(line);
}

void LineList::remove(int index) {
    if (index < 0 || index >= count()) return;
    if (index > 0) {
        lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(first_ + static_cast<size_t>(index)));
        return;
    }
    lines_[first_] = Line{};
    ++first_;
    // Compact once the dead front outweighs the live lines: every line moves
    // a bounded number of times however many are removed from the front.
    if (first_ * 2 >= lines_.size()) {
        lines_.erase(lines_.begin(), lines_.begin() + static_cast<std::ptrdiff_t>(first_));
        first_ = 0;
    }
}

void LineList::clear() {
    std::vector<Line>().swap(lines_);
    first_ = 0;
    block_.reset();
}

std::string LineList::text() const {
    size_t total = 0;
    for (size_t i = first_; i < lines_.size(); ++i) total += lines_[i].text.size() + 2;
    std::string out;
    out.reserve(total);
    for (size_t i = first_; i < lines_.size(); ++i) {
        out += lines_[i].text;
        out += "\r\n";
    }
    return out;
}

void LineList::setText(std::string_view text) {
    setText(std::string(text)); // copied before the old content goes
}

void LineList::setText(std::string&& text) {
    auto block = std::make_unique<std::string>(std::move(text));
    clear();
    block_ = std::move(block);

    const char* p = block_->data();
    const char* const end = p + block_->size();
    // CR LF files have as many CRs as LFs as lines; other files grow the vector.
    const auto crs = std::count(p, end, '\r');
    const auto lfs = std::count(p, end, '\n');
    lines_.reserve(static_cast<size_t>(std::min<std::ptrdiff_t>(std::max(crs, lfs), INT_MAX - 1)) + 1);

    while (p < end && *p != '\0' && lines_.size() < static_cast<size_t>(INT_MAX)) {
        const char* const start = p;
        const char* nul = nullptr;
        while (p < end) {
            const auto c = static_cast<unsigned char>(*p);
            if (c > 13) {
                ++p;
                continue;
            }
            if (c == '\r' || c == '\n') break;
            if (c == 0 && nul == nullptr) nul = p;
            ++p;
        }
        lines_.push_back(Line{std::string_view(start, static_cast<size_t>((nul ? nul : p) - start)), nullptr});
        if (p < end) p += (*p == '\r' && p + 1 < end && p[1] == '\n') ? 2 : 1;
    }
    if (lines_.empty()) block_.reset();
}

bool LineList::loadFromFile(std::string_view path) {
    std::string bytes;
    if (!readWholeFile(path, bytes)) return false;
    setText(std::move(bytes));
    return true;
}

bool LineList::saveToFile(std::string_view path) const {
    return writeWholeFile(path, text());
}
