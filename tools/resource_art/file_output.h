// Writing the generated files so that an unchanged picture keeps its file
// (and its time stamp): a rebuild then compiles no resources again.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace resource_art {

// Writes bytes to path unless the file already holds exactly them; true
// when it wrote. Throws std::runtime_error when the file cannot be written.
bool WriteIfChanged(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace resource_art
