#include "font_setup.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLibraryInfo>
#include <QRawFont>
#include <QTranslator>
#include <QtGlobal>

// The resources live in a static library; they are registered by hand.
static void registerResources() { Q_INIT_RESOURCE(zelko7); }

namespace gui {

bool installJapaneseTranslations() {
    // Qt's own texts (the buttons of message boxes, the labels of file
    // dialogs) in Japanese, as the rest of the program. The translator lives
    // as long as the process.
    static QTranslator* const translator = [] {
        auto* loaded = new QTranslator(QCoreApplication::instance());
        const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
        if (!loaded->load(QStringLiteral("qtbase_ja"), folder) &&
            !loaded->load(QStringLiteral("qt_ja"), folder)) {
            delete loaded;
            return static_cast<QTranslator*>(nullptr);
        }
        QCoreApplication::installTranslator(loaded);
        return loaded;
    }();
    return translator != nullptr;
}

void prepareDesktop() {
    static const bool registered = (registerResources(), true);
    (void)registered;
    installJapaneseTranslations();
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
