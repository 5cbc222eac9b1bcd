#include "numeric_picture.h"

#include <cstdlib>
#include <string>

namespace gui {

std::optional<QString> showThroughPicture(const QString& picture, int flags, long long value) {
    if (value == 0 && (flags & kBlankZero)) {
        QString blank = picture;
        for (QChar& c : blank)
            if (c == u'#' || c == u',' || c == u'.' || c == u'/' || c == u':') c = u' ';
        return blank;
    }
    QString digits = QString::number(value < 0 ? -value : value);
    if (value < 0) digits.prepend(u'-');
    QString shown = picture;
    qsizetype next = digits.size() - 1;
    for (qsizetype i = shown.size() - 1; i >= 0; --i) {
        if (shown[i] != u'#') {
            // Separators before the first digit read as blanks.
            if (next < 0) shown[i] = u' ';
            continue;
        }
        shown[i] = next >= 0 ? digits[next--] : QChar(u' ');
    }
    if (next >= 0) return std::nullopt;
    return shown;
}

double readPictureValue(const QString& text) {
    std::string kept;
    for (const QChar c : text) {
        if (c.unicode() > u'9') break;
        if (c.isDigit() || c == u'-' || c == u'.') kept += static_cast<char>(c.unicode());
    }
    return kept.empty() ? 0.0 : std::strtod(kept.c_str(), nullptr);
}

}  // namespace gui
