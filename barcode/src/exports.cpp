// The exported C interface of KesBar. No exception crosses this boundary:
// each export reports a failure to allocate as "output cannot be made".
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "barcode_encoding.h"
#include "barcode_image.h"
#include "engine_binding.h"
#include "kesbar.h"

using kesbar::Barcode;
using kesbar::Result;

namespace {

// The barcode data of a source: an address (first byte with the high bit
// set) goes through the engine, anything else is ready data.
Result prepareData(const char* source, std::string& data) {
    if (!source) return Result::TooShort;
    if (static_cast<unsigned char>(source[0]) & 0x80) {
        Result found = kesbar::addressData(source, data);
        if (found != Result::Success) return found;
    } else {
        data.assign(source);
    }
    return kesbar::finishData(data);
}

Result encodeSource(const char* source, Barcode& barcode) {
    std::string data;
    Result prepared = prepareData(source, data);
    if (prepared != Result::Success) return prepared;
    return kesbar::encode(data, barcode);
}

Result drawSource(const char* source, int height, int widthPercent, int rotate,
                  std::vector<unsigned char>& block) {
    Barcode barcode{};
    Result encoded = encodeSource(source, barcode);
    if (encoded != Result::Success) return encoded;
    if (!kesbar::drawBarcode(barcode, height, widthPercent, rotate != 0, block)) {
        return Result::NoOutput;
    }
    return Result::Success;
}

template <typename Body>
int guarded(Body body) {
    try {
        return static_cast<int>(body());
    } catch (...) {
        return static_cast<int>(Result::NoOutput);
    }
}

}  // namespace

extern "C" {

KESBAR_API int KESBAR_CALL KesBar(const char* source, const char* fileName, int height,
                                  int widthPercent, int rotate) {
    return guarded([&] {
        std::vector<unsigned char> block;
        Result drawn = drawSource(source, height, widthPercent, rotate, block);
        if (drawn != Result::Success || !fileName) return drawn;
        std::FILE* file = std::fopen(fileName, "wb");
        if (!file) return Result::NoOutput;
        std::size_t written = std::fwrite(block.data(), 1, block.size(), file);
        // A failed flush on close also loses bytes.
        bool closed = std::fclose(file) == 0;
        return written == block.size() && closed ? Result::Success : Result::ShortWrite;
    });
}

KESBAR_API int KESBAR_CALL KesBarImage(const char* source, int height, unsigned char** image,
                                       int* size, int widthPercent, int rotate) {
    return guarded([&] {
        std::vector<unsigned char> block;
        Result drawn = drawSource(source, height, widthPercent, rotate, block);
        if (drawn == Result::Success) {
            // The block passes to the caller, who releases it with KesBarFree.
            void* out = image && size ? std::malloc(block.size()) : nullptr;
            if (out) {
                std::memcpy(out, block.data(), block.size());
                *image = static_cast<unsigned char*>(out);
                *size = static_cast<int>(block.size());
                return Result::Success;
            }
            drawn = Result::NoOutput;
        }
        if (drawn == Result::BadCharacter || drawn == Result::NoOutput) {
            if (image) *image = nullptr;
            if (size) *size = 0;
        }
        return drawn;
    });
}

KESBAR_API void KESBAR_CALL KesBarFree(unsigned char* image) { std::free(image); }

KESBAR_API int KESBAR_CALL KesBarStr(const char* source, char* text) {
    return guarded([&] {
        Barcode barcode{};
        Result encoded = encodeSource(source, barcode);
        if (encoded != Result::Success) return encoded;
        if (!text) return Result::NoOutput;
        std::string names = kesbar::barcodeText(barcode);
        std::memcpy(text, names.c_str(), names.size() + 1);
        return Result::Success;
    });
}

}  // extern "C"
