// Reading a file that another process appends to: opened with full sharing, so the writer is
// never refused while the driver reads.
#pragma once

#include <optional>
#include <string>

namespace e2e {

bool FileExists(const std::wstring& path);
// The whole content, or nothing when the file cannot be opened or read.
std::optional<std::string> ReadFileBytes(const std::wstring& path);
// Makes the file anew with `bytes`; false when it cannot be written whole.
bool WriteFileBytes(const std::wstring& path, const std::string& bytes);

}  // namespace e2e
