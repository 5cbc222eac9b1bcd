// Keystroke latency of the text search dialog: for each text, the time from
// setting the search text (as a keystroke does) until the dialog has listed
// the matches and repainted, over the real dictionary. The engine's share
// alone is printed beside it. Run offscreen: make search-bench.
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "gui/sjis_qt.h"
#include "keszip.h"
#include "search/core/search_listings.h"
#include "search/text_search_dialog.h"

namespace {

constexpr int kRounds = 7;

// From the top level and single kana to full town names, in kanji, hiragana
// and half-width katakana.
const char* const kTexts[] = {
    "*",
    "あ",
    "と",
    "ち",
    "東",
    "ｻ",
    "北海道*",
    "北海道",
    "東京都*",
    "東京都ち",
    "とうきょうとち",
    "中央区",
    "千代田区",
    "東京都千代田区*",
    "東京都千代田区霞が関",
    "大阪府大阪市北区*",
    "北海道札幌市*",
    "北海道札幌市中央区北一条西",
    "京都府京都市中京区*",
    "神奈川県横浜市港北区日吉本町",
    "さっぽろしちゅうおうく",
    "ｻｯﾎﾟﾛｼ",
    "沖縄県八重山郡与那国町",
};

struct Timing {
    double median = 0, slowest = 0;
};

template <typename Run>
Timing measure(Run run) {
    std::vector<double> ms;
    for (int i = 0; i < kRounds; ++i) {
        QElapsedTimer timer;
        timer.start();
        run();
        ms.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.back()};
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (!KesZipOpen()) {
        std::fprintf(stderr, "text_search_latency: KESZIP.DIC could not be opened\n");
        return 1;
    }
    std::string initial;
    gui::TextSearchDialog dialog(&initial);
    dialog.show();
    auto* edit = dialog.findChild<QLineEdit*>("edit1093");
    auto* list = dialog.findChild<QListWidget*>("list1096");

    std::printf("%-32s %7s %12s %12s %12s\n", "text", "lines", "dialog ms", "slowest ms",
                "engine ms");
    double worst = 0;
    for (const char* utf8 : kTexts) {
        const QString text = QString::fromUtf8(utf8);
        const QString before = text.left(text.size() - 1);
        const std::string sjis = gui::toSjis(text);
        // One keystroke: the text before it, then the text with it.
        Timing dialogTime = measure([&] {
            edit->blockSignals(true);
            edit->setText(before);
            edit->blockSignals(false);
            edit->setText(text);
            dialog.repaint();
        });
        // The keystroke above includes this; it is timed without the widgets too.
        Timing engineTime = measure([&] { converter::search::listMatchingPlaces(sjis); });
        worst = std::max(worst, dialogTime.slowest);
        std::printf("%-32s %7d %12.2f %12.2f %12.2f\n", utf8, list->count(), dialogTime.median,
                    dialogTime.slowest, engineTime.median);
    }
    std::printf("slowest keystroke: %.2f ms (%d rounds per text)\n", worst, kRounds);
    return 0;
}
