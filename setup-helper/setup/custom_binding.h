// The setup program's side of Custom: loads the library beside the program
// and calls its exports with a call record of the setup program's variables.
#pragma once

#include <platform/dynamic_library.h>

#include <string>
#include <vector>

#include "custom.h"

namespace setup {

class CustomBinding {
  public:
    // Loads libcustom.so (custom.dll) from the first of `folders` that has
    // it and resolves its three exports. False with `error` set when that
    // fails.
    bool load(const std::vector<std::string>& folders, std::string& error);

    // Sets the setup variable `name` (without "%" signs) for later calls.
    void setVariable(const std::string& name, const std::string& value);

    int dspHook(void* window, const std::string& editionVariable);
    int dspUnHook();
    int setDate(const std::string& parameter);

  private:
    CustomCallRecord record(void* window, const std::string& parameter);

    using Export = int32_t(CUSTOM_CALL*)(CustomCallRecord*);
    platform::DynamicLibrary library_;
    Export dspHook_ = nullptr;
    Export dspUnHook_ = nullptr;
    Export setDate_ = nullptr;
    std::vector<char> names_;   // 32-byte slots
    std::vector<char> values_;  // 260-byte slots
    std::size_t count_ = 0;
};

}  // namespace setup
