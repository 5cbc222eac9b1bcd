// A private copy of libkeszip.so loaded from a folder, the way callers load
// it, so that each test gets a fresh engine and the file-location rule is
// exercised for real.
#pragma once

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/test_support.h"

namespace exports_test {

class Library {
  public:
    explicit Library(const testing_support::TempDir& dir) {
        std::string path = dir.file("libkeszip.so");
        std::filesystem::copy_file(testing_support::binPath("libkeszip.so"), path);
        handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle_) ADD_FAILURE() << dlerror();
    }
    ~Library() {
        if (handle_) dlclose(handle_);
    }
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;
    template <typename F>
    F* get(const char* name) {
        void* symbol = handle_ ? dlsym(handle_, name) : nullptr;
        if (!symbol) ADD_FAILURE() << "missing export " << name;
        return reinterpret_cast<F*>(symbol);
    }

  private:
    void* handle_ = nullptr;
};

}  // namespace exports_test
