// The setup window as it opens on screens 768, 864 and 1080 pixels high:
// every text of its decoration is drawn with real glyphs, lies whole inside
// the window and clear of the controls' panel.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QFrame>
#include <QImage>
#include <filesystem>

#include "qt_application.h"
#include "setup/custom_binding.h"
#include "setup/setup_window.h"
#include "src/decoration.h"

namespace {

class DecorationFit : public ::testing::TestWithParam<int> {
  protected:
    void SetUp() override { testApplication(); }
    QSize screen() const { return QSize(GetParam() * 4 / 3, GetParam()); }
};

// Pixels of a text inside its box: white ones that the picture does not
// account for, or black ones on the label's own background.
int inkOf(const QImage& image, const custom::DecorationText& text,
          const custom::DecorationAssets& assets) {
    const int offset = custom::scaled(assets.screen.height(), 10);
    const QRect pictureBox(QPoint(offset, offset), assets.picture.size());
    int ink = 0;
    for (int y = text.box.top(); y <= text.box.bottom(); ++y)
        for (int x = text.box.left(); x <= text.box.right(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (text.background.isValid()) {
                ink += pixel == qRgb(0, 0, 0);
            } else if (pixel == qRgb(255, 255, 255)) {
                const QPoint at(x, y);
                ink += !pictureBox.contains(at) ||
                       assets.picture.pixel(at - pictureBox.topLeft()) != qRgb(255, 255, 255);
            }
        }
    return ink;
}

TEST_P(DecorationFit, EveryTextWholeWithRealGlyphs) {
    setup::CustomBinding unloaded;
    setup::SetupWindow window(unloaded, std::filesystem::path("."));
    window.fitToScreen(screen());
    const QSize client = window.size();
    EXPECT_LE(client.height(), GetParam());
    const QRect inside(QPoint(0, 0), client);
    auto* panel = window.findChild<QFrame*>();
    ASSERT_NE(panel, nullptr);
    window.show();  // lays the panel out
    const QRect panelBox = panel->geometry();

    const custom::DecorationAssets assets = custom::createDecorationAssets(screen());
    for (int edition : {1, 2}) {
        const std::vector<custom::DecorationText> texts =
            custom::decorationTexts(assets, client, edition);
        ASSERT_EQ(texts.size(), 6u);
        const QImage drawn = custom::renderDecoration(assets, client, edition);
        for (const custom::DecorationText& text : texts) {
            const QFontMetrics metrics(text.font);
            for (const uint c : text.text.toUcs4())
                EXPECT_TRUE(metrics.inFontUcs4(c))
                    << text.font.family().toStdString() << " lacks U+" << std::hex << c;
            EXPECT_TRUE(inside.contains(text.box))
                << text.text.toStdString() << " cut off at the window's edge";
            EXPECT_FALSE(text.box.intersects(panelBox))
                << text.text.toStdString() << " under the panel";
            EXPECT_GT(inkOf(drawn, text, assets), text.box.height())
                << text.text.toStdString() << " left no mark";
        }
        // Each character of the name has its own shape: glyphs missing from
        // the font would all be the same empty box.
        const custom::DecorationText& name = texts.front();
        ASSERT_TRUE(name.vertical);
        EXPECT_EQ(name.text, QString::fromUtf8(custom::kProductName));
        const int cell = name.step;
        ASSERT_GT(cell, 0);
        std::vector<QImage> cells;
        for (int i = 0; i < name.text.size(); ++i)
            cells.push_back(
                drawn.copy(name.box.left(), name.box.top() + i * cell, name.box.width(), cell));
        for (std::size_t i = 0; i < cells.size(); ++i)
            for (std::size_t j = i + 1; j < cells.size(); ++j)
                EXPECT_NE(cells[i], cells[j]) << "characters " << i << " and " << j;
    }
}

INSTANTIATE_TEST_SUITE_P(Screens, DecorationFit, ::testing::Values(768, 864, 1080),
                         [](const auto& info) { return std::to_string(info.param); });

}  // namespace
