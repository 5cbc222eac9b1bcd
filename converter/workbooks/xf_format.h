// Cell formats (XF records) as the copy writer compares them: seventeen
// attributes decoded from a BIFF5 or BIFF8 XF record, the merge of a new
// cell's format with the format of the cell it replaces, and the list of
// formats already in the workbook that a merged format is matched against.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace workbooks {

// Font, number format, horizontal alignment, wrap, vertical alignment,
// rotation, line styles top/bottom/left/right, line colours top/bottom/
// left/right, fill pattern, pattern colour 1, pattern colour 2.
using XfAttributes = std::array<std::int16_t, 17>;

namespace xfa {
enum : std::size_t {
    kFont,
    kFormat,
    kHorizontal,
    kWrap,
    kVertical,
    kRotation,
    kStyleTop,
    kStyleBottom,
    kStyleLeft,
    kStyleRight,
    kColourTop,
    kColourBottom,
    kColourLeft,
    kColourRight,
    kPattern,
    kPatternColour1,
    kPatternColour2
};
}

// The default cell format (XF 15 and every index up to 20).
XfAttributes defaultCellFormat();
XfAttributes decodeXf(const std::uint8_t* data, std::size_t length, bool biff8);
// A cell XF record (locked, parent style 0): 16 bytes in BIFF5, 20 in BIFF8.
std::string encodeXf(const XfAttributes& a, bool biff8);
// Attributes of `requested` above zero (colours 1-63) that differ replace
// those of `existing`; the result is then normalised.
XfAttributes mergeFormats(const XfAttributes& existing, const XfAttributes& requested);
void normaliseFormat(XfAttributes& a);

struct XfMatchEntry {
    XfAttributes attributes;
    std::uint32_t index;  // the XF index it stands for
};
using XfMatchList = std::vector<XfMatchEntry>;

}  // namespace workbooks
