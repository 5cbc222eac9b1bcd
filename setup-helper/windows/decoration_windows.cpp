#include "decoration_windows.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace custom {
namespace {

constexpr int kDesignHeight = 864;
const char* const kVersionText = "Version 1.4";
const char* const kMakerName = "The KesZip Project";
const char* const kMakerHomePage = "https://www.keszip.example/";
const char* const kMakerMail = "support@keszip.example";
const char* const kProductLabel = " Product Version ";
const char* const kUpdateLabel = " Update Kit ";

int scaled(int screenHeight, int designValue) { return screenHeight * designValue / kDesignHeight; }

struct Fonts {
    HFONT small = nullptr, maker = nullptr, largeVertical = nullptr, vertical70 = nullptr,
          version = nullptr, label = nullptr;
    std::array<HFONT*, 6> all() {
        return {&small, &maker, &largeVertical, &vertical70, &version, &label};
    }
};

HFONT romanFont(int height, int escapement, int weight, bool italic) {
    return CreateFontA(height, 0, escapement, escapement, weight, italic, FALSE, FALSE,
                       ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       VARIABLE_PITCH | FF_ROMAN, "Times New Roman");
}

Fonts createFonts(int h) {
    Fonts fonts;
    fonts.small = romanFont(scaled(h, 28), 0, 400, false);
    fonts.maker = romanFont(scaled(h, 34), 0, 400, false);
    fonts.largeVertical = romanFont(scaled(h, 170), 900, 400, false);
    fonts.vertical70 = romanFont(scaled(h, 70), 900, 400, false);
    fonts.version = romanFont(scaled(h, 50), 900, 400, true);
    fonts.label = romanFont(scaled(h, 50), 0, 1000, true);
    return fonts;
}

void deleteFonts(Fonts& fonts) {
    for (HFONT* font : fonts.all()) {
        if (*font) DeleteObject(*font);
        *font = nullptr;
    }
}

// What DspHook sets up and DspUnHook takes down; one per process, on the
// setup program's UI thread.
struct Decoration {
    HWND window = nullptr;
    HHOOK messageHook = nullptr;
    HHOOK sentHook = nullptr;
    int edition = 0;
};
Decoration& decoration() {
    static Decoration state;
    return state;
}

void writeText(HDC dc, HFONT font, int x, int y, const char* text) {
    HGDIOBJ old = SelectObject(dc, font);
    TextOutA(dc, x, y, text, static_cast<int>(std::strlen(text)));
    SelectObject(dc, old);
}

void paintWindow(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    if (dc) {
        RECT client{};
        GetClientRect(window, &client);
        paintDecoration(dc, client, GetSystemMetrics(SM_CYSCREEN), decoration().edition);
    }
    EndPaint(window, &paint);
}

// Both hooks paint the remembered window on its paint message and keep the
// message from the next hook; everything else goes on unchanged.
LRESULT CALLBACK messageHook(int code, WPARAM wParam, LPARAM lParam) {
    auto* message = reinterpret_cast<MSG*>(lParam);
    if (code >= 0 && message && message->message == WM_PAINT &&
        message->hwnd == decoration().window) {
        paintWindow(message->hwnd);
        return 0;
    }
    return CallNextHookEx(decoration().messageHook, code, wParam, lParam);
}

LRESULT CALLBACK sentHook(int code, WPARAM wParam, LPARAM lParam) {
    auto* message = reinterpret_cast<CWPSTRUCT*>(lParam);
    if (code >= 0 && message && message->message == WM_PAINT &&
        message->hwnd == decoration().window) {
        paintWindow(message->hwnd);
        return 0;
    }
    return CallNextHookEx(decoration().sentHook, code, wParam, lParam);
}

HINSTANCE thisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExA(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCSTR>(&thisModule), &module);
    return module;
}

}  // namespace

void paintDecoration(HDC dc, const RECT& client, int h, int edition) {
    const auto s = [h](int designValue) { return scaled(h, designValue); };
    // Gradient: 256 bands from bright blue at the top to black at the bottom.
    for (int i = 0; i < 256; ++i) {
        RECT band{0, h * i / 256, 2000, h * (i + 1) / 256};
        HBRUSH brush = CreateSolidBrush(RGB(0, 0, 255 - i));
        FillRect(dc, &band, brush);
        DeleteObject(brush);
    }
    Fonts fonts = createFonts(h);
    const int left = client.left, top = client.top, right = client.right, bottom = client.bottom;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    writeText(dc, fonts.version, left + s(210), top + s(270), kVersionText);
    writeText(dc, fonts.maker, right - s(380), bottom - s(130), kMakerName);
    RECT rule{right - s(380), bottom - s(93), right - s(50), bottom - s(91)};
    FillRect(dc, &rule, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    writeText(dc, fonts.small, right - s(380), bottom - s(90), kMakerHomePage);
    writeText(dc, fonts.small, right - s(380), bottom - s(60), kMakerMail);
    if (edition == 1 || edition == 2) {
        SetBkMode(dc, OPAQUE);
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, edition == 1 ? RGB(0, 255, 255) : RGB(255, 255, 0));
        writeText(dc, fonts.label, right - s(edition == 1 ? 320 : 260), top + s(10),
                  edition == 1 ? kProductLabel : kUpdateLabel);
    }
    deleteFonts(fonts);
}

void installWindowsDecoration(HWND window, int edition) {
    removeWindowsDecoration();
    Decoration& state = decoration();
    state.window = window;
    state.edition = edition;
    if (window) InvalidateRect(window, nullptr, TRUE);
    const DWORD thread = GetCurrentThreadId();
    state.messageHook = SetWindowsHookExA(WH_GETMESSAGE, messageHook, thisModule(), thread);
    state.sentHook = SetWindowsHookExA(WH_CALLWNDPROC, sentHook, thisModule(), thread);
}

void removeWindowsDecoration() {
    Decoration& state = decoration();
    if (state.messageHook) UnhookWindowsHookEx(state.messageHook);
    if (state.sentHook) UnhookWindowsHookEx(state.sentHook);
    state = Decoration();
}

}  // namespace custom
