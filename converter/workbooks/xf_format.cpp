#include "xf_format.h"

#include "biff_records.h"

namespace workbooks {

XfAttributes defaultCellFormat() {
    XfAttributes a;
    a.fill(-1);
    a[xfa::kFont] = 0;
    a[xfa::kFormat] = 0;
    a[xfa::kHorizontal] = 0;
    a[xfa::kWrap] = 0;
    a[xfa::kVertical] = 2;
    a[xfa::kRotation] = 0;
    return a;
}

XfAttributes decodeXf(const std::uint8_t* d, std::size_t length, bool biff8) {
    XfAttributes a = defaultCellFormat();
    using namespace xfa;
    if (biff8 && length >= 20) {
        a[kFont] = static_cast<std::int16_t>(get16(d));
        a[kFormat] = static_cast<std::int16_t>(get16(d + 2));
        a[kHorizontal] = d[6] & 7;
        a[kWrap] = (d[6] >> 3) & 1;
        a[kVertical] = (d[6] >> 4) & 7;
        a[kRotation] = d[7];
        const std::uint32_t b = get32(d + 10);
        a[kStyleLeft] = b & 0xF;
        a[kStyleRight] = (b >> 4) & 0xF;
        a[kStyleTop] = (b >> 8) & 0xF;
        a[kStyleBottom] = (b >> 12) & 0xF;
        a[kColourLeft] = (b >> 16) & 0x7F;
        a[kColourRight] = (b >> 23) & 0x7F;
        const std::uint32_t c = get32(d + 14);
        a[kColourTop] = c & 0x7F;
        a[kColourBottom] = (c >> 7) & 0x7F;
        a[kPattern] = (c >> 26) & 0x3F;
        const std::uint32_t p = get16(d + 18);
        a[kPatternColour1] = p & 0x7F;
        a[kPatternColour2] = (p >> 7) & 0x7F;
    } else if (!biff8 && length >= 16) {
        a[kFont] = static_cast<std::int16_t>(get16(d));
        a[kFormat] = static_cast<std::int16_t>(get16(d + 2));
        const std::uint32_t al = get16(d + 6);
        a[kHorizontal] = al & 7;
        a[kWrap] = (al >> 3) & 1;
        a[kVertical] = (al >> 4) & 7;
        a[kRotation] = (al >> 8) & 3;
        const std::uint32_t c = get32(d + 8);
        a[kPatternColour1] = c & 0x7F;
        a[kPatternColour2] = (c >> 7) & 0x7F;
        a[kPattern] = (c >> 16) & 0x3F;
        a[kStyleBottom] = (c >> 22) & 7;
        a[kColourBottom] = (c >> 25) & 0x7F;
        const std::uint32_t e = get32(d + 12);
        a[kStyleTop] = e & 7;
        a[kStyleLeft] = (e >> 3) & 7;
        a[kStyleRight] = (e >> 6) & 7;
        a[kColourTop] = (e >> 9) & 0x7F;
        a[kColourLeft] = (e >> 16) & 0x7F;
        a[kColourRight] = (e >> 23) & 0x7F;
    }
    return a;
}

std::string encodeXf(const XfAttributes& a, bool biff8) {
    using namespace xfa;
    auto u = [&a](std::size_t i) { return static_cast<std::uint32_t>(a[i] < 0 ? 0 : a[i]); };
    RecordData d;
    d.u16(u(kFont)).u16(u(kFormat)).u16(0x0001);  // cell XF, locked, parent style 0
    const std::uint32_t align =
        (u(kHorizontal) & 7) | (u(kWrap) & 1) << 3 | (u(kVertical) & 7) << 4;
    if (biff8) {
        d.u8(align).u8(u(kRotation)).u8(0).u8(0xFC);
        d.u32((u(kStyleLeft) & 0xF) | (u(kStyleRight) & 0xF) << 4 | (u(kStyleTop) & 0xF) << 8 |
              (u(kStyleBottom) & 0xF) << 12 | (u(kColourLeft) & 0x7F) << 16 |
              (u(kColourRight) & 0x7F) << 23);
        d.u32((u(kColourTop) & 0x7F) | (u(kColourBottom) & 0x7F) << 7 | (u(kPattern) & 0x3F) << 26);
        d.u16((u(kPatternColour1) & 0x7F) | (u(kPatternColour2) & 0x7F) << 7);
    } else {
        d.u16(align | (u(kRotation) & 3) << 8 | 0xFC00);
        d.u32((u(kPatternColour1) & 0x7F) | (u(kPatternColour2) & 0x7F) << 7 |
              (u(kPattern) & 0x3F) << 16 | (u(kStyleBottom) & 7) << 22 |
              (u(kColourBottom) & 0x7F) << 25);
        d.u32((u(kStyleTop) & 7) | (u(kStyleLeft) & 7) << 3 | (u(kStyleRight) & 7) << 6 |
              (u(kColourTop) & 0x7F) << 9 | (u(kColourLeft) & 0x7F) << 16 |
              (u(kColourRight) & 0x7F) << 23);
    }
    return d.str();
}

XfAttributes mergeFormats(const XfAttributes& existing, const XfAttributes& requested) {
    XfAttributes a = existing;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const bool colour = (i >= xfa::kColourTop && i <= xfa::kColourRight) ||
                            i == xfa::kPatternColour1 || i == xfa::kPatternColour2;
        const std::int16_t r = requested[i];
        const bool given = colour ? (r >= 1 && r <= 63) : r > 0;
        if (given && r != a[i]) a[i] = r;
    }
    normaliseFormat(a);
    return a;
}

void normaliseFormat(XfAttributes& a) {
    using namespace xfa;
    for (std::size_t i : {kFont, kFormat, kHorizontal, kWrap, kRotation})
        if (a[i] < 0) a[i] = 0;
    if (a[kVertical] < 0) a[kVertical] = 2;
    for (std::size_t i = kStyleTop; i <= kStyleRight; ++i)
        if (a[i] < 0 || a[i] > 7) a[i] = 0;
    for (std::size_t i : {kColourTop, kColourBottom, kColourLeft, kColourRight, kPatternColour1})
        if (a[i] < 8 || a[i] > 63) a[i] = 64;
    if (a[kPatternColour2] < 8 || a[kPatternColour2] > 63) a[kPatternColour2] = 1;
    if (a[kPattern] == 1 && a[kPatternColour1] >= 1 && a[kPatternColour1] <= 63)
        a[kPatternColour2] = 0;
    if (a[kPattern] < 0) a[kPattern] = 0;
    if (a[kPattern] == 0 && a[kPatternColour2] > 1) {
        a[kPattern] = 1;
        a[kPatternColour1] = a[kPatternColour2];
        a[kPatternColour2] = 0;
    }
    for (std::size_t i = 0; i < 4; ++i) {
        std::int16_t& colour = a[kColourTop + i];
        if (a[kStyleTop + i] == 0)
            colour = 0;
        else if (colour == 0)
            colour = 64;
    }
}

}  // namespace workbooks
