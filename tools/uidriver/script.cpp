#include "script.h"

#include "utf.h"

namespace uidriver {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Appends the value of the ${NAME} that starts at line[i] and moves i past it.
bool expandVariable(std::string_view line, std::size_t& i, std::string& out, const VariableLookup& lookup,
                    std::string& error) {
    const std::size_t close = line.find('}', i + 2);
    if (close == std::string_view::npos) {
        error = "unclosed ${";
        return false;
    }
    const std::string_view name = line.substr(i + 2, close - i - 2);
    std::optional<std::string> value = lookup ? lookup(name) : std::nullopt;
    if (!value) {
        error = "variable " + std::string(name) + " is not set";
        return false;
    }
    out += *value;
    i = close + 1;
    return true;
}

// Reads the quoted word that starts at line[i] (its opening quote), with its
// escapes and variables, and moves i past its closing quote.
bool readQuoted(std::string_view line, std::size_t& i, std::string& word, const VariableLookup& lookup,
                std::string& error) {
    for (++i; i < line.size();) {
        const char c = line[i];
        if (c == '"') {
            ++i;
            if (i < line.size() && !isBlank(line[i])) {
                error = "text right after a closing quote";
                return false;
            }
            return true;
        }
        if (c == '$' && i + 1 < line.size() && line[i + 1] == '{') {
            if (!expandVariable(line, i, word, lookup, error)) return false;
            continue;
        }
        if (c != '\\' || i + 1 >= line.size()) {
            word += c;
            ++i;
            continue;
        }
        const char e = line[i + 1];
        i += 2;
        switch (e) {
        case '"': word += '"'; break;
        case '\\': word += '\\'; break;
        case 'n': word += '\n'; break;
        case 't': word += '\t'; break;
        case 'r': word += '\r'; break;
        case 'b': word += '\b'; break;
        case 'u': {
            char32_t code = 0;
            for (int k = 0; k < 4; ++k) {
                const int h = i + k < line.size() ? hexValue(line[i + k]) : -1;
                if (h < 0) {
                    error = "\\u needs four hex digits";
                    return false;
                }
                code = code * 16 + static_cast<char32_t>(h);
            }
            i += 4;
            word += codePointToUtf8(code);
            break;
        }
        default: word += '\\'; word += e; break;
        }
    }
    error = "unterminated quote";
    return false;
}

// Reads the bare word that starts at line[i], up to a blank outside a selector's [...].
bool readBare(std::string_view line, std::size_t& i, std::string& word, const VariableLookup& lookup,
              std::string& error) {
    int depth = 0;
    while (i < line.size() && (depth > 0 || !isBlank(line[i]))) {
        if (line[i] == '[') ++depth;
        if (line[i] == ']' && depth > 0 && line[i - 1] != '\\') --depth;
        if (line[i] == '$' && i + 1 < line.size() && line[i + 1] == '{') {
            if (!expandVariable(line, i, word, lookup, error)) return false;
            continue;
        }
        word += line[i++];
    }
    return true;
}

} // namespace

ParsedLine parseLine(std::string_view line, int lineNumber, const VariableLookup& lookup) {
    ParsedLine result;
    std::vector<std::string> words;
    std::size_t i = 0;
    while (true) {
        while (i < line.size() && isBlank(line[i])) ++i;
        if (i >= line.size()) break;
        if (words.empty() && line[i] == '#') break;
        std::string word;
        const bool read = line[i] == '"' ? readQuoted(line, i, word, lookup, result.error)
                                         : readBare(line, i, word, lookup, result.error);
        if (!read) return result;
        words.push_back(std::move(word));
    }
    if (words.empty()) return result;
    result.empty = false;
    result.command.line = lineNumber;
    result.command.name = words.front();
    result.command.args.assign(words.begin() + 1, words.end());
    return result;
}

std::vector<std::string> splitLines(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.emplace_back(line);
        start = end + 1;
    }
    if (!lines.empty() && lines.back().empty()) lines.pop_back();
    return lines;
}

} // namespace uidriver
