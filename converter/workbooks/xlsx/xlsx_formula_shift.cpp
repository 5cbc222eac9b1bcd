#include "xlsx_formula_shift.h"

#include <optional>

#include "xlsx_cell_reference.h"
#include "xlsx_reader.h"

namespace workbooks {
namespace {

bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
// A character that continues a name, a number or a reference.
bool isWordChar(char c) {
    return isLetter(c) || isDigit(c) || c == '_' || c == '.' || c == '$' || c == '\\' ||
           static_cast<unsigned char>(c) >= 0x80;
}

// One end of a reference: a column, a row or both, each relative or absolute.
struct Part {
    std::optional<std::int64_t> column, row;  // 0-based
    bool absoluteColumn = false, absoluteRow = false;
};

// "$B$12", "B12", "$B", "12" (what `want` allows); none for anything else.
std::optional<Part> parsePart(std::string_view word, bool wantColumn, bool wantRow) {
    Part part;
    std::size_t i = 0;
    if (wantColumn) {
        if (i < word.size() && word[i] == '$') part.absoluteColumn = true, ++i;
        std::int64_t column = 0;
        int letters = 0;
        for (; i < word.size() && isLetter(word[i]); ++i) {
            if (++letters > 3) return std::nullopt;
            const char c = static_cast<char>(word[i] & ~0x20);  // upper case
            column = column * 26 + (c - 'A' + 1);
        }
        if (letters == 0 || column > kXlsxMaxColumns) return std::nullopt;
        part.column = column - 1;
    }
    if (wantRow) {
        if (i < word.size() && word[i] == '$') part.absoluteRow = true, ++i;
        std::int64_t row = 0;
        int digits = 0;
        for (; i < word.size() && isDigit(word[i]); ++i) {
            if (++digits > 7) return std::nullopt;
            row = row * 10 + (word[i] - '0');
        }
        if (digits == 0 || row < 1 || row > kXlsxMaxRows) return std::nullopt;
        part.row = row - 1;
    }
    if (i != word.size()) return std::nullopt;
    return part;
}

// The part moved and written; false when it leaves the sheet.
bool writePart(Part part, std::int64_t rows, std::int64_t columns, std::string& out) {
    if (part.column) {
        const std::int64_t column = *part.column + (part.absoluteColumn ? 0 : columns);
        if (column < 0 || column >= kXlsxMaxColumns) return false;
        if (part.absoluteColumn) out += '$';
        out += columnName(static_cast<std::uint32_t>(column));
    }
    if (part.row) {
        const std::int64_t row = *part.row + (part.absoluteRow ? 0 : rows);
        if (row < 0 || row >= kXlsxMaxRows) return false;
        if (part.absoluteRow) out += '$';
        out += std::to_string(row + 1);
    }
    return true;
}

// A quoted text ("...") or sheet name ('...') from its opening quote, with
// doubled quotes inside; its length.
std::size_t quotedLength(std::string_view text, std::size_t from) {
    const char quote = text[from];
    std::size_t i = from + 1;
    while (i < text.size()) {
        if (text[i] == quote) {
            if (i + 1 < text.size() && text[i + 1] == quote) {
                i += 2;
                continue;
            }
            return i + 1 - from;
        }
        ++i;
    }
    return text.size() - from;
}

}  // namespace

std::string shiftFormula(std::string_view formula, std::int64_t rows, std::int64_t columns) {
    std::string out;
    out.reserve(formula.size() + 8);
    std::size_t i = 0;
    auto wordAt = [&](std::size_t from) {
        std::size_t end = from;
        while (end < formula.size() && isWordChar(formula[end])) ++end;
        return formula.substr(from, end - from);
    };
    while (i < formula.size()) {
        const char c = formula[i];
        if (c == '"' || c == '\'') {
            const std::size_t length = quotedLength(formula, i);
            out.append(formula.substr(i, length));
            i += length;
            continue;
        }
        if (c == '[') {
            std::size_t end = i;
            for (int depth = 0; end < formula.size(); ++end) {
                if (formula[end] == '[') ++depth;
                if (formula[end] == ']' && --depth == 0) break;
            }
            end = end < formula.size() ? end + 1 : end;
            out.append(formula.substr(i, end - i));
            i = end;
            continue;
        }
        if (!isWordChar(c) || c == '.') {
            out += c;
            ++i;
            continue;
        }
        const std::string_view word = wordAt(i);
        std::size_t next = i + word.size();
        const char after = next < formula.size() ? formula[next] : '\0';
        // A function's or sheet's name, or a word glued to something else.
        const bool named = after == '(' || after == '!' || (i > 0 && formula[i - 1] == '.');
        std::optional<Part> first, second;
        std::string_view secondWord;
        if (!named) {
            // A cell, or a range of columns or of rows (B:D, 2:5).
            first = parsePart(word, true, true);
            for (int kind = 0; !first && kind < 2 && after == ':'; ++kind) {
                const bool columnsOnly = kind == 0;
                auto head = parsePart(word, columnsOnly, !columnsOnly);
                secondWord = wordAt(next + 1);
                auto tail = parsePart(secondWord, columnsOnly, !columnsOnly);
                if (head && tail) first = head, second = tail;
            }
            if (first && !second && after == ':') {
                secondWord = wordAt(next + 1);
                const char beyond = next + 1 + secondWord.size() < formula.size()
                                        ? formula[next + 1 + secondWord.size()]
                                        : '\0';
                if (beyond != '(' && beyond != '!') second = parsePart(secondWord, true, true);
                if (!second) secondWord = {};
            }
        }
        if (!first) {
            out.append(word);
            i = next;
            continue;
        }
        std::string moved;
        bool kept = writePart(*first, rows, columns, moved);
        if (second) {
            moved += ':';
            kept = writePart(*second, rows, columns, moved) && kept;
            next += 1 + secondWord.size();
        }
        out += kept ? moved : "#REF!";
        i = next;
    }
    return out;
}

}  // namespace workbooks
