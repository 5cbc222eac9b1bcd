// Rewrites the XML of one worksheet with text cells put into it. Every byte
// of the sheet outside the cells that change is copied as it stands: the
// rewriter follows the parser's byte positions and copies the source between
// them, inserting new cells and replacing existing ones in place.
// A replaced cell that was the master of a shared formula leaves the formula
// to the cells that used it: each later cell of the sheet that refers to it
// gets the formula written out in full, its references moved from the
// master's place to the cell's (a sheet's masters come before the cells that
// use them, at the start of their ranges).
#pragma once

#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <utility>

struct XML_ParserStruct;

namespace workbooks {

// (row, column), both 0-based → UTF-8 text.
using XlsxCellTexts = std::map<std::pair<std::uint32_t, std::uint32_t>, std::string>;

class SheetRewriter {
  public:
    SheetRewriter(const XlsxCellTexts& cells, std::FILE* out);
    ~SheetRewriter();
    SheetRewriter(const SheetRewriter&) = delete;
    SheetRewriter& operator=(const SheetRewriter&) = delete;

    // Feeds the next piece of the source sheet; `last` for the final call.
    // False when the sheet is not well-formed or the output cannot be written.
    bool feed(const char* data, std::size_t size, bool last);

  private:
    friend struct SheetRewriterEvents;
    // The formula of a replaced master at (row, column).
    struct SharedFormula {
        std::int64_t row = 0, column = 0;
        std::string text;
    };
    void copyTo(long long position);
    void dropTo(long long position);
    void write(const std::string& text);
    std::string sourceText(long long position, int count) const;
    void writeCell(std::uint32_t row, std::uint32_t column, const std::string& style,
                   const std::string& text);
    // Writes new rows for every pending cell on a row before `row`.
    void writeRowsBefore(std::int64_t row);
    void writeCellsOfRowBefore(std::int64_t row, std::int64_t column);

    const XlsxCellTexts& cells_;
    XlsxCellTexts::const_iterator next_;
    std::FILE* out_;
    XML_ParserStruct* parser_;
    // Source bytes fed so far; those before pendingOffset_ are copied or
    // dropped already (compacted once per feed, not per event).
    std::string pending_;
    std::size_t pendingOffset_ = 0;
    long long pendingStart_ = 0;  // stream position of pending_[pendingOffset_]
    bool skipping_ = false;
    bool failed_ = false;
    std::string prefix_;  // namespace prefix of the sheet's elements, with ':'
    int sheetDataDepth_ = 0;
    std::int64_t row_ = -1;
    std::int64_t column_ = -1;
    bool rowWritten_ = false;  // the current row was written whole (it was empty)
    bool skippingCell_ = false;
    std::map<std::string, SharedFormula> dissolved_;  // by shared index (si)
    bool capturing_ = false;                          // reading a replaced master's formula text
    std::string capturedIndex_;                       // its shared index
    std::string captured_;                            // its text
    bool skippingFormula_ = false;                    // dropping a formula element written out anew
};

// The text escaped for XML character data (characters XML cannot hold dropped).
std::string escapeXmlText(const std::string& text);

}  // namespace workbooks
