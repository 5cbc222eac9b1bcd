// Runs the body of an export so that no exception crosses the C boundary:
// any exception becomes the export's failure result 0.
#pragma once

namespace keszip {

template <typename F>
int guarded(F&& body) noexcept {
    try {
        return body();
    } catch (...) {
        return 0;
    }
}

}  // namespace keszip
