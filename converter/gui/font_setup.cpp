#include "font_setup.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QRawFont>
#include <QtGlobal>

// The resources live in a static library; they are registered by hand.
static void registerResources() { Q_INIT_RESOURCE(zelko7); }

namespace gui {

void prepareDesktop() {
    static const bool registered = (registerResources(), true);
    (void)registered;
    const QString wanted = QString::fromUtf8(kTemplateFontFamily);
    if (QFontDatabase::families().contains(wanted)) return;
    QFont::insertSubstitution(wanted, QString::fromUtf8(kFallbackFontFamily));
}

QString resolvedTemplateFamily() {
    QFont font(QString::fromUtf8(kTemplateFontFamily), 9);
    return QFontInfo(font).family();
}

QString missingGlyphs(const QFont& font, const QString& text) {
    const QRawFont raw = QRawFont::fromFont(font);
    QString missing;
    for (const char32_t c : text.toUcs4()) {
        if (c < 0x20) continue;
        if (!raw.supportsCharacter(c)) missing += QString::fromUcs4(&c, 1);
    }
    return missing;
}

}  // namespace gui
