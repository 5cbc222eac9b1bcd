// Paths of the running program and of loaded modules.
#pragma once

#include <string>

namespace platform {

// Full path of the running program, or "" when it cannot be had.
std::string programPath();

// Full path of the shared library (or program) that contains `address`,
// typically the address of a function of that module; "" when unknown.
std::string modulePathOf(const void* address);

// Directory part of `path` including its trailing separator ("" when none).
std::string directoryOf(const std::string& path);

// `directory` joined with `name`, adding a separator when needed.
std::string joinPath(const std::string& directory, const std::string& name);

bool fileExists(const std::string& path);

}  // namespace platform
