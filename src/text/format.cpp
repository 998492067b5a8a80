#include "text/format.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

constexpr size_t kOutputLimit = 1024;

struct Spec {
    bool left = false;      // '-'
    bool zeroPad = false;   // '0'
    bool alternate = false; // '#': 0x before hexadecimal digits
    size_t width = 0;
    int precision = -1; // -1: none given
};

// A text argument is read as the platform formatter reads a character address:
// up to its first NUL.
std::string_view untilNul(std::string_view text) {
    const size_t nul = text.find('\0');
    return nul == std::string_view::npos ? text : text.substr(0, nul);
}

std::string digitsOf(uint32_t value, uint32_t base, bool upper) {
    const char* symbols = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    char buffer[32];
    size_t n = 0;
    do {
        buffer[n++] = symbols[value % base];
        value /= base;
    } while (value != 0);
    std::string out;
    while (n > 0) out += buffer[--n];
    return out;
}

uint32_t magnitude(int32_t n) {
    return n < 0 ? 0u - static_cast<uint32_t>(n) : static_cast<uint32_t>(n);
}

// prefix (sign or 0x) and digits, widened by precision and width.
void appendNumber(std::string& out, std::string_view prefix, std::string_view digits,
                  const Spec& spec) {
    size_t zeros = 0;
    if (spec.precision >= 0 && digits.size() < static_cast<size_t>(spec.precision))
        zeros = static_cast<size_t>(spec.precision) - digits.size();
    const size_t length = prefix.size() + zeros + digits.size();
    const size_t fill = length < spec.width ? spec.width - length : 0;
    if (spec.zeroPad && !spec.left && spec.precision < 0) zeros += fill;
    else if (!spec.left) out.append(fill, ' ');
    out += prefix;
    out.append(zeros, '0');
    out += digits;
    if (spec.left) out.append(fill, ' ');
}

void appendText(std::string& out, std::string_view text, const Spec& spec) {
    if (spec.precision >= 0 && text.size() > static_cast<size_t>(spec.precision))
        text = text.substr(0, static_cast<size_t>(spec.precision));
    const size_t fill = text.size() < spec.width ? spec.width - text.size() : 0;
    if (!spec.left) out.append(fill, ' ');
    out += text;
    if (spec.left) out.append(fill, ' ');
}

// A number placeholder given a text argument shows 0.
int32_t numberOf(const FormatArg* arg) {
    return arg != nullptr && arg->kind == FormatArg::Kind::Int ? arg->number : 0;
}

} // namespace

std::string formatText(std::string_view format, std::initializer_list<FormatArg> args) {
    std::string out;
    const FormatArg* next = args.begin();
    auto take = [&]() -> const FormatArg* { return next != args.end() ? next++ : nullptr; };

    size_t i = 0;
    while (i < format.size() && format[i] != '\0' && out.size() < kOutputLimit) {
        if (format[i] != '%') {
            out += format[i++];
            continue;
        }
        ++i;
        Spec spec;
        for (; i < format.size(); ++i) {
            const char flag = format[i];
            if (flag == '-') spec.left = true;
            else if (flag == '0') spec.zeroPad = true;
            else if (flag == '#') spec.alternate = true;
            else break;
        }
        for (; i < format.size() && format[i] >= '0' && format[i] <= '9'; ++i)
            spec.width = std::min<size_t>(spec.width * 10 + static_cast<size_t>(format[i] - '0'),
                                          kOutputLimit);
        if (i < format.size() && format[i] == '.') {
            spec.precision = 0;
            for (++i; i < format.size() && format[i] >= '0' && format[i] <= '9'; ++i)
                spec.precision =
                    std::min(spec.precision * 10 + (format[i] - '0'), static_cast<int>(kOutputLimit));
        }
        if (i < format.size() && (format[i] == 'h' || format[i] == 'l')) ++i; // all 32-bit
        if (i >= format.size() || format[i] == '\0') break; // a lone % at the end shows nothing
        const char type = format[i++];

        switch (type) {
        case 'd':
        case 'i': {
            const int32_t n = numberOf(take());
            appendNumber(out, n < 0 ? "-" : "", digitsOf(magnitude(n), 10, false), spec);
            break;
        }
        case 'u':
            appendNumber(out, "", digitsOf(static_cast<uint32_t>(numberOf(take())), 10, false), spec);
            break;
        case 'x':
        case 'X': {
            const uint32_t n = static_cast<uint32_t>(numberOf(take()));
            std::string_view prefix;
            if (spec.alternate && n != 0) prefix = type == 'x' ? "0x" : "0X";
            appendNumber(out, prefix, digitsOf(n, 16, type == 'X'), spec);
            break;
        }
        case 'c':
        case 'C': {
            const FormatArg* arg = take();
            char c = '\0';
            if (arg != nullptr && arg->kind == FormatArg::Kind::Int)
                c = static_cast<char>(arg->number);
            else if (arg != nullptr && !arg->text.empty())
                c = arg->text[0];
            if (c == '\0') { // the formatter's output ends at a NUL it writes
                out.resize(std::min(out.size(), kOutputLimit));
                return out;
            }
            appendText(out, std::string_view(&c, 1), spec);
            break;
        }
        case 's':
        case 'S': {
            const FormatArg* arg = take();
            if (arg != nullptr && arg->kind == FormatArg::Kind::Int) { // its decimal form
                std::string digits = arg->number < 0 ? std::string("-") : std::string();
                digits += digitsOf(magnitude(arg->number), 10, false);
                appendText(out, digits, spec);
            } else {
                appendText(out, arg != nullptr ? untilNul(arg->text) : std::string_view(), spec);
            }
            break;
        }
        default: // "%%" and unknown types show the character itself
            out += type;
            break;
        }
    }
    if (out.size() > kOutputLimit) out.resize(kOutputLimit);
    return out;
}
