#include "text/line_list.h"

#include <climits>
#include <cstdint>
#include <cstring>
#include <utility>

#include "text/files.h"

namespace {

// The first byte from p on that could end a line or its text (code 13 or less),
// or end. Eight bytes are tested at a time: a word holds such a byte exactly
// when some byte b has b - 14 borrowing while b itself is below 128.
const char* skipOrdinaryBytes(const char* p, const char* end) {
    constexpr uint64_t kOnes = 0x0101010101010101u;
    constexpr uint64_t kHighBits = 0x8080808080808080u;
    while (end - p >= 8) {
        uint64_t word;
        std::memcpy(&word, p, sizeof word);
        if (((word - kOnes * 14) & ~word & kHighBits) != 0) break;
        p += 8;
    }
    while (p<end&& static_cast<unsigned char>(*p)> 13)
        ++p;
    return p;
}

} // namespace

LineList::LineList(LineList&& other) noexcept
    : block_(std::move(other.block_)), lines_(std::move(other.lines_)), shape_(std::exchange(other.shape_, {})) {
    other.lines_.clear();
}

LineList& LineList::operator=(LineList&& other) noexcept {
    if (this != &other) {
        block_ = std::move(other.block_);
        lines_ = std::move(other.lines_);
        shape_ = std::exchange(other.shape_, {});
        other.lines_.clear();
    }
    return *this;
}

std::string_view LineList::item(int index) const {
    if (index < 0 || index >= count()) return {};
    return lines_[static_cast<size_t>(index)];
}

void LineList::clear() {
    std::vector<std::string_view>().swap(lines_);
    block_.reset();
    shape_ = {};
}

std::string LineList::text() const {
    size_t total = 0;
    for (const std::string_view line : lines_) total += line.size() + 2;
    std::string out;
    out.reserve(total);
    for (const std::string_view line : lines_) (out += line) += "\r\n";
    return out;
}

void LineList::setText(std::string_view text) {
    setText(std::string(text)); // copied before the old content goes
}

void LineList::setText(std::string&& text) {
    auto block = std::make_unique<std::string>(std::move(text));
    clear();
    block_ = std::move(block);

    const char* const begin = block_->data();
    const char* p = begin;
    const char* const end = p + block_->size();
    bool sawCr = false, sawLf = false, brokeLast = false;
    const auto noteNul = [&](const char* at) {
        if (shape_.nulOffset >= 0) return;
        shape_.nulOffset = at - begin;
        shape_.nulLine = static_cast<int>(lines_.size());
    };
    while (p < end && *p != '\0' && lines_.size() < static_cast<size_t>(INT_MAX)) {
        const char* const start = p;
        const char* nul = nullptr;
        while (p < end) {
            p = skipOrdinaryBytes(p, end);
            if (p == end) break;
            const char c = *p;
            if (c == '\r' || c == '\n') break;
            if (c == '\0' && nul == nullptr) {
                nul = p;
                noteNul(p);
            }
            ++p;
        }
        lines_.emplace_back(start, static_cast<size_t>((nul ? nul : p) - start));
        brokeLast = p < end;
        if (p < end) {
            (*p == '\r' ? sawCr : sawLf) = true;
            p += (*p == '\r' && p + 1 < end && p[1] == '\n') ? 2 : 1;
        }
    }
    if (p < end && *p == '\0') noteNul(p);
    shape_.lfOnly = sawLf && !sawCr;
    shape_.finalBreak = brokeLast && p == end;
    if (lines_.empty()) block_.reset();
}

bool LineList::loadFromFile(std::string_view path) {
    std::string bytes;
    if (!readWholeFile(path, bytes)) return false;
    setText(std::move(bytes));
    return true;
}
