// The templates ask for "ＭＳ ゴシック" 9 pt. Where that font is missing the
// program draws with a monospaced Japanese Gothic of the same metrics
// (half-width characters half as wide as full-width ones), so that texts
// line up as the templates expect.
#pragma once

#include <QString>

class QFont;

namespace gui {

inline constexpr const char* kTemplateFontFamily = "ＭＳ ゴシック";
inline constexpr const char* kFallbackFontFamily = "Noto Sans Mono CJK JP";

// Loads the program's resources (templates' bitmaps, icon), Qt's Japanese
// translations, and installs the font substitution when the template font is
// missing. Called once before any window is made.
void prepareDesktop();
// Installs Qt's Japanese translations (Debian: qt6-translations-l10n) once;
// false when they are not installed, and Qt's texts stay English.
bool installJapaneseTranslations();
// The family actually used for the template font.
QString resolvedTemplateFamily();
// Characters of `text` that `font` has no glyph for ("" when all are there).
QString missingGlyphs(const QFont& font, const QString& text);

}  // namespace gui
