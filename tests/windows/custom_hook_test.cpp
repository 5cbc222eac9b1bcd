// DspHook and DspUnHook of Custom.dll on a window of the test's own, called as
// a setup program calls them (the library loaded by name, the exports found by
// their plain names): the decoration replaces the window's own painting, a
// child window paints itself on top, and unhooking brings the window's
// painting back. Needs a display at least as high as the window (the test
// script runs it on a virtual one); the decoration scales with its height.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <vector>

#include "custom.h"

namespace {

constexpr int kWidth = 900;
constexpr int kHeight = 700;
constexpr COLORREF kBackground = RGB(200, 100, 50);
constexpr COLORREF kChild = RGB(10, 200, 10);

using HookFunction = int32_t(CUSTOM_CALL*)(CustomCallRecord*);

// A call record with one variable, as the setup program passes it.
struct HookCall {
    HookCall(HWND window, const char* name, const char* value, const char* parameter)
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

HWND makeWindow(const wchar_t* className, COLORREF colour, DWORD style, HWND parent, int x, int y,
                int width, int height) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = CreateSolidBrush(colour);
    windowClass.lpszClassName = className;
    RegisterClassW(&windowClass);
    return CreateWindowExW(0, className, L"", style, x, y, width, height, parent, nullptr,
                           windowClass.hInstance, nullptr);
}

class CustomHook : public ::testing::Test {
  protected:
    void SetUp() override {
        library_ = LoadLibraryW(L"Custom.dll");
        ASSERT_NE(library_, nullptr) << "Custom.dll beside the test";
        hook_ = reinterpret_cast<HookFunction>(
            reinterpret_cast<void*>(GetProcAddress(library_, "DspHook")));
        unhook_ = reinterpret_cast<HookFunction>(
            reinterpret_cast<void*>(GetProcAddress(library_, "DspUnHook")));
        ASSERT_TRUE(hook_ && unhook_);
        screen_ = GetSystemMetrics(SM_CYSCREEN);
        ASSERT_GE(screen_, kHeight) << "the display is lower than the window";
        // A pop-up window has no frame: its client area is the whole window.
        window_ =
            makeWindow(L"KeszipHookTestWindow", kBackground,
                       WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, nullptr, 0, 0, kWidth, kHeight);
        child_ = makeWindow(L"KeszipHookTestChild", kChild, WS_CHILD | WS_VISIBLE, window_, 600,
                            400, 50, 40);
        ASSERT_TRUE(window_ && child_);
        settle();
    }
    void TearDown() override {
        HookCall none(nullptr, "", "", "");
        if (unhook_) unhook_(&none.record);
        if (window_) DestroyWindow(window_);
        if (library_) FreeLibrary(library_);
    }

    // Runs the message loop until the window has painted whatever it had to.
    void settle() {
        UpdateWindow(window_);
        for (int round = 0; round < 20; ++round) {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
            Sleep(10);
        }
    }
    void repaint() {
        InvalidateRect(window_, nullptr, TRUE);
        settle();
    }
    // A length of the design (for a screen 864 pixels high) on this screen.
    int scaled(int designValue) const { return screen_ * designValue / 864; }
    // The colour of the gradient's band at height y: 256 bands over the
    // screen's height, from bright blue to black.
    COLORREF band(int y) const {
        int i = 0;
        while (i < 255 && screen_ * (i + 1) / 256 <= y) ++i;
        return RGB(0, 0, 255 - i);
    }
    COLORREF pixel(int x, int y) {
        HDC dc = GetDC(window_);
        const COLORREF colour = GetPixel(dc, x, y);
        ReleaseDC(window_, dc);
        return colour;
    }

    HMODULE library_ = nullptr;
    HookFunction hook_ = nullptr;
    HookFunction unhook_ = nullptr;
    HWND window_ = nullptr;
    HWND child_ = nullptr;
    int screen_ = 0;
};

TEST_F(CustomHook, DecorationReplacesTheWindowsPaintingUntilUnhooked) {
    ASSERT_EQ(pixel(100, 650), kBackground);

    struct Case {
        const char* value;
        int labelLeft;  // from the right edge, in design pixels; 0: no label
        COLORREF label;
    };
    for (const Case& c :
         {Case{"1", 320, RGB(0, 255, 255)}, Case{"2", 260, RGB(255, 255, 0)}, Case{"7", 0, 0}}) {
        HookCall call(window_, "%EDITION%", c.value, "EDITION");
        ASSERT_EQ(hook_(&call.record), 1);
        settle();
        for (int y : {1, 430, 650}) EXPECT_EQ(pixel(100, y), band(y)) << c.value << " " << y;
        EXPECT_EQ(pixel(kWidth - scaled(370), kHeight - scaled(93)), RGB(255, 255, 255))
            << c.value;                                 // the rule
        EXPECT_EQ(pixel(620, 420), kChild) << c.value;  // the child paints itself
        if (c.labelLeft) {
            EXPECT_EQ(pixel(kWidth - scaled(c.labelLeft) + 2, scaled(20)), c.label) << c.value;
        }
        // Painting asked for again is decorated again.
        repaint();
        EXPECT_EQ(pixel(100, 1), RGB(0, 0, 255)) << c.value;

        EXPECT_EQ(unhook_(&call.record), 1);
        repaint();
        EXPECT_EQ(pixel(100, 1), kBackground) << c.value;
        EXPECT_EQ(pixel(100, 650), kBackground) << c.value;
        EXPECT_EQ(pixel(kWidth - scaled(320) + 2, scaled(20)), kBackground) << c.value;
    }
}

TEST_F(CustomHook, HookingTwiceNeedsOneUnhookAndAGoneWindowIsHarmless) {
    HookCall call(window_, "%EDITION%", "1", "EDITION");
    hook_(&call.record);
    hook_(&call.record);
    unhook_(&call.record);
    repaint();
    EXPECT_EQ(pixel(100, 650), kBackground);

    hook_(&call.record);
    DestroyWindow(window_);  // the setup program closes its window first
    window_ = nullptr;
    HWND other =
        makeWindow(L"KeszipHookTestOther", kChild, WS_POPUP | WS_VISIBLE, nullptr, 0, 0, 100, 100);
    UpdateWindow(other);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    HDC dc = GetDC(other);
    EXPECT_EQ(GetPixel(dc, 50, 50), kChild);
    ReleaseDC(other, dc);
    DestroyWindow(other);
    EXPECT_EQ(unhook_(&call.record), 1);
    EXPECT_EQ(hook_(nullptr), 1);
}

}  // namespace
