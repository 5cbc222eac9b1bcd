/* A caller of keszip.dll as a spreadsheet macro or an old program is: the
 * library loaded by name, every function found by its plain name and called
 * through a stdcall pointer, texts in Shift-JIS. It prints what it got, one
 * line per call, for the test script to compare. */
#include <stdio.h>
#include <string.h>
#include <windows.h>

/* GetProcAddress answers a generic function pointer that every caller casts
 * to the function's own type. */
#pragma GCC diagnostic ignored "-Wcast-function-type"

typedef int(__stdcall* OpenFunction)(void);
typedef int(__stdcall* Zelko7Function)(const char*, char*, char*);
typedef int(__stdcall* Zelko57Function)(const char*, char*, char*, char*);
typedef int(__stdcall* HyphenFunction)(int);
typedef int(__stdcall* JisFunction)(char*);
typedef const char*(__stdcall* VersionFunction)(void);
typedef int(__stdcall* BarStrFunction)(const char*, char*);

/* "東京都千代田区千代田" and "大阪府大阪市北区梅田１丁目" in Shift-JIS. */
static const char kTokyo[] =
    "\x93\x8c\x8b\x9e\x93\x73\x90\xe7\x91\xe3\x93\x63\x8b\xe6\x90\xe7"
    "\x91\xe3\x93\x63";
static const char kOsaka[] =
    "\x91\xe5\x8d\xe3\x95\x7b\x91\xe5\x8d\xe3\x8e\x73\x96\x6b\x8b\xe6"
    "\x94\x7e\x93\x63\x82\x50\x92\x9a\x96\xda";

static FARPROC find(HMODULE library, const char* name) {
    FARPROC function = GetProcAddress(library, name);
    if (!function) printf("missing %s\n", name);
    return function;
}

int main(void) {
    HMODULE keszip = LoadLibraryA("keszip.dll");
    if (!keszip) {
        printf("cannot load keszip.dll (error %lu)\n", (unsigned long)GetLastError());
        return 1;
    }
    OpenFunction open = (OpenFunction)find(keszip, "KesZipOpen");
    Zelko7Function zelko7 = (Zelko7Function)find(keszip, "zelko7");
    Zelko57Function zelko57 = (Zelko57Function)find(keszip, "zelko57");
    HyphenFunction setHyphen = (HyphenFunction)find(keszip, "SetHyphenMode");
    JisFunction jisNow = (JisFunction)find(keszip, "GetJisCodeNow");
    VersionFunction version = (VersionFunction)find(keszip, "GetZe7DllVersion");
    if (!open || !zelko7 || !zelko57 || !setHyphen || !jisNow || !version) return 1;

    char code7[16], oldCode[16], number[32], jis[8];
    printf("KesZipOpen %d\n", open());
    printf("GetZe7DllVersion %s\n", version());
    int flags = zelko7(kTokyo, code7, number);
    printf("zelko7 %d %s\n", flags, code7);
    printf("SetHyphenMode %d\n", setHyphen(1));
    flags = zelko57(kOsaka, oldCode, code7, number);
    printf("zelko57 %d %s %s %s\n", flags, oldCode, code7, number);
    printf("GetJisCodeNow %d %s\n", jisNow(jis), jis);
    setHyphen(0);

    /* KesBar loads keszip.dll itself, by name, on its first address. */
    HMODULE kesbar = LoadLibraryA("kesbar.dll");
    BarStrFunction barStr = kesbar ? (BarStrFunction)find(kesbar, "KesBarStr") : NULL;
    if (barStr) {
        char text[128];
        memset(text, 0, sizeof text);
        const int result = barStr(kTokyo, text);
        printf("KesBarStr %d %s\n", result, text);
    } else {
        printf("cannot use kesbar.dll\n");
    }

    HMODULE custom = LoadLibraryA("Custom.dll");
    printf("Custom %s %s %s\n", custom && GetProcAddress(custom, "DspHook") ? "DspHook" : "-",
           custom && GetProcAddress(custom, "DspUnHook") ? "DspUnHook" : "-",
           custom && GetProcAddress(custom, "SetDate") ? "SetDate" : "-");
    return 0;
}
