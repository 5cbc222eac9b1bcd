#include "sjis_qt.h"

#include <platform/sjis.h>

namespace gui {

QString fromSjis(std::string_view sjis) {
    const std::string utf8 = platform::sjisToUtf8Lossy(sjis);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string toSjis(const QString& text, bool* ok) {
    if (ok) *ok = true;
    const QByteArray utf8 = text.toUtf8();
    if (auto whole = platform::utf8ToSjis(std::string_view(utf8.constData(), utf8.size())))
        return *whole;
    // Convert character by character so that one stray character costs only itself.
    if (ok) *ok = false;
    std::string out;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype n = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QByteArray one = text.mid(i, n).toUtf8();
        if (auto piece = platform::utf8ToSjis(std::string_view(one.constData(), one.size())))
            out += *piece;
        else
            out += '?';
        i += n;
    }
    return out;
}

}  // namespace gui
