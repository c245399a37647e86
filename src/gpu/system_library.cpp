#include "gpu/system_library.h"

namespace gpu {
namespace {

// Systems from this build on understand the LOAD_LIBRARY_SEARCH_* flags.
constexpr std::uint32_t kFirstNewBuild = 9200;

// Flags that could widen the search beyond the system directory; they are always removed.
constexpr std::uint32_t kSearchFlags =
    platform::kLoadWithAlteredSearchPath | platform::kLoadLibrarySearchDllLoadDir |
    platform::kLoadLibrarySearchApplicationDir | platform::kLoadLibrarySearchUserDirs |
    platform::kLoadLibrarySearchSystem32 | platform::kLoadLibrarySearchDefaultDirs;

const wchar_t* const kCryptoLibraries[3] = {L"msasn1.dll", L"cryptnet.dll", L"cryptbase.dll"};

}  // namespace

bool SystemLibraryLoader::IsNewSystem() {
  if (buildClass_ == BuildClass::kUnknown) {
    buildClass_ = system_.BuildNumberAtLeast(kFirstNewBuild) ? BuildClass::kNew : BuildClass::kOld;
  }
  return buildClass_ == BuildClass::kNew;
}

std::wstring SystemLibraryLoader::SystemPath(const std::wstring& name) {
  std::wstring path = system_.SystemDirectory();
  if (path.empty() || path.back() != L'\\') path.push_back(L'\\');
  return path + name;
}

platform::ModuleHandle SystemLibraryLoader::LoadFromSystem(const std::wstring& name,
                                                           std::uint32_t flags) {
  if (IsNewSystem()) {
    return system_.LoadLibraryEx(name, flags | platform::kLoadLibrarySearchSystem32);
  }
  return system_.LoadLibraryEx(SystemPath(name), flags);
}

void SystemLibraryLoader::PreloadCryptoLibraries() {
  for (const platform::ModuleHandle module : preloaded_) {
    if (module != nullptr) return;  // done once one of them is in
  }
  for (int i = 0; i < 3; ++i) {
    preloaded_[i] = LoadFromSystem(kCryptoLibraries[i], 0);
    const bool required = i < 2;  // cryptbase.dll is optional
    if (preloaded_[i] == nullptr && required &&
        system_.LastError() == platform::kErrorModNotFound) {
      preloadSucceeded_ = false;
    }
  }
}

platform::ModuleHandle SystemLibraryLoader::Load(const std::wstring& name, std::uint32_t flags) {
  system_.SetLastError(0);
  if (name.find_first_of(L"\\/") != std::wstring::npos) {
    system_.SetLastError(platform::kErrorBadArguments);
    return nullptr;
  }
  PreloadCryptoLibraries();
  if (!preloadSucceeded_) {
    system_.SetLastError(platform::kErrorModNotFound);
    return nullptr;
  }
  return LoadFromSystem(name, flags & ~kSearchFlags);
}

}  // namespace gpu
