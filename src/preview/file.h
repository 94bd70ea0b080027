// Writing a whole file at once.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace dms {
namespace preview {

// Writes bytes to path, replacing it whole; on failure (reason in error)
// path is left as it was and no other file is left behind.
bool writeFile(const std::vector<uint8_t>& bytes, const std::string& path, std::string& error);

}  // namespace preview
}  // namespace dms
