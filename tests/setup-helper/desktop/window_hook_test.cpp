// DspHook and DspUnHook on a real window: the decoration replaces the
// window's own painting, children and other events carry on, and unhooking
// brings the window's painting back.
#include "src/window_hook.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QWidget>
#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "custom.h"
#include "qt_application.h"
#include "src/decoration.h"

namespace {

// A call record with one variable, as the setup program passes it.
struct HookCall {
    HookCall(QWidget* window, const char* name, const char* value, const char* parameter)
        : names(32, '\0'), values(32, '\0') {
        std::strncpy(names.data(), name, 31);
        std::strncpy(values.data(), value, 31);
        record.window = window;
        record.nameSlotSize = 32;
        record.valueSlotSize = 32;
        record.variableCount = 1;
        record.variableNames = names.data();
        record.variableValues = values.data();
        record.parameter = parameter;
    }
    std::vector<char> names, values;
    CustomCallRecord record{};
};

class WindowHookTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testApplication();
        custom::setScreenSizeOverride(QSize(1152, 864));
        window_ = std::make_unique<QWidget>();
        window_->resize(900, 700);
        window_->setAutoFillBackground(true);
        QPalette palette = window_->palette();
        palette.setColor(QPalette::Window, QColor(200, 100, 50));
        window_->setPalette(palette);
        child_ = new QLabel(window_.get());
        child_->setAutoFillBackground(true);
        child_->setPalette(QPalette(QColor(10, 200, 10)));
        child_->setGeometry(600, 400, 50, 40);
        window_->show();
    }
    void TearDown() override {
        HookCall none(nullptr, "", "", "");
        DspUnHook(&none.record);
        custom::setScreenSizeOverride(QSize());
    }

    QImage grab() { return window_->grab().toImage().convertToFormat(QImage::Format_RGB32); }

    std::unique_ptr<QWidget> window_;
    QLabel* child_ = nullptr;
};

TEST_F(WindowHookTest, DecorationReplacesTheWindowsPaintingUntilUnhooked) {
    const QImage before = grab();
    EXPECT_EQ(before.pixel(100, 650), qRgb(200, 100, 50));

    HookCall call(window_.get(), "%EDITION%", "1", "EDITION");
    EXPECT_EQ(DspHook(&call.record), 1);
    EXPECT_TRUE(custom::decorationInstalled());
    const QImage hooked = grab();
    const QImage expected = custom::renderDecoration(
        custom::createDecorationAssets(QSize(1152, 864)), window_->size(), 1);
    // The window itself shows the decoration, the child paints itself on top.
    int differing = 0;
    for (int y = 0; y < hooked.height(); ++y)
        for (int x = 0; x < hooked.width(); ++x) {
            const bool inChild = child_->geometry().contains(x, y);
            if (!inChild && hooked.pixel(x, y) != expected.pixel(x, y)) ++differing;
        }
    EXPECT_EQ(differing, 0);
    EXPECT_EQ(hooked.pixel(620, 420), qRgb(10, 200, 10));
    EXPECT_EQ(hooked.pixel(900 - 320 + 2, 35), qRgb(0, 255, 255));

    // Other events still reach the window.
    window_->resize(800, 600);
    EXPECT_EQ(window_->size(), QSize(800, 600));
    EXPECT_EQ(grab().pixel(800 - 320 + 2, 35), qRgb(0, 255, 255));

    EXPECT_EQ(DspUnHook(&call.record), 1);
    EXPECT_FALSE(custom::decorationInstalled());
    window_->resize(900, 700);
    EXPECT_EQ(grab(), before);
}

TEST_F(WindowHookTest, MissingOrOtherVariableShowsNoLabel) {
    for (const char* parameter : {"MISSING", "edition"}) {
        HookCall call(window_.get(), "%EDITION%", "1", parameter);
        ASSERT_EQ(DspHook(&call.record), 1);
        const QImage image = grab();
        EXPECT_NE(image.pixel(900 - 320 + 2, 35), qRgb(0, 255, 255)) << parameter;
        EXPECT_NE(image.pixel(100, 650), qRgb(200, 100, 50)) << parameter;  // still decorated
        DspUnHook(&call.record);
    }
    HookCall second(window_.get(), "%EDITION%", "2", "EDITION");
    DspHook(&second.record);
    EXPECT_EQ(grab().pixel(900 - 260 + 2, 35), qRgb(255, 255, 0));
}

TEST_F(WindowHookTest, ScreenHeightOfTheHostScalesTheDecoration) {
    custom::setScreenSizeOverride(QSize(1920, 1080));
    HookCall call(window_.get(), "%EDITION%", "1", "EDITION");
    DspHook(&call.record);
    // At 1080 the label is a quarter larger than at 864: it starts at least
    // 400 pixels left of the right edge, not 320, and stays whole.
    const QImage image = grab();
    int left = image.width(), right = -1;
    for (int x = 0; x < image.width(); ++x)
        if (image.pixel(x, 12 + 31) == qRgb(0, 255, 255)) {
            left = std::min(left, x);
            right = std::max(right, x);
        }
    EXPECT_LE(left, 900 - 400 + 2);
    EXPECT_LT(right, 900 - 1);
    EXPECT_GT(right - left, 340 * 1080 / 864);
}

TEST_F(WindowHookTest, HookingTwiceNeedsOneUnhookAndAGoneWindowIsHarmless) {
    HookCall call(window_.get(), "%EDITION%", "1", "EDITION");
    DspHook(&call.record);
    DspHook(&call.record);
    DspUnHook(&call.record);
    EXPECT_FALSE(custom::decorationInstalled());
    EXPECT_EQ(grab().pixel(100, 650), qRgb(200, 100, 50));

    DspHook(&call.record);
    window_.reset();  // the setup program closes its window first
    QWidget other;
    other.resize(100, 100);
    other.show();
    EXPECT_FALSE(other.grab().isNull());
    EXPECT_EQ(DspUnHook(&call.record), 1);

    HookCall noWindow(nullptr, "%EDITION%", "1", "EDITION");
    EXPECT_EQ(DspHook(&noWindow.record), 1);
    EXPECT_FALSE(custom::decorationInstalled());
    EXPECT_EQ(DspHook(nullptr), 1);
}

}  // namespace
