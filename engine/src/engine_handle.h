// What a KesZipHandle of the exported interface is: one engine over a
// dictionary folder. The classic exports use one default handle of the
// process; callers create more with KesZipCreate.
#pragma once

#include <platform/sjis.h>

#include <memory>
#include <string>

#include "keszip.h"
#include "zip_engine.h"

struct KesZipHandle {
    // `folder` empty: the files beside the library, as the classic exports use them.
    explicit KesZipHandle(std::string folder = {}) : engine(std::move(folder)) {}
    keszip::ZipEngine engine;
    // The UTF-8 calls' conversions, made on their first use; the texts are
    // kept so that a batch of lookups reuses their memory.
    std::unique_ptr<platform::SjisConverter> utf8Converter;
    std::string sjisText, utf8Text;
};

namespace keszip {

// The handle behind the classic exports, made when the library is loaded and
// destroyed when it is unloaded (which frees every table still loaded).
KesZipHandle& defaultHandle();

}  // namespace keszip
