// A SystemApi whose libraries are tables of symbols, for testing the loaders' decisions.
#pragma once

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/system_api.h"

namespace testing_support {

struct FakeModule {
  std::map<std::string, void*> symbols;
  int loads = 0, frees = 0;
};

struct LoadCall {
  std::wstring file;
  std::uint32_t flags;
};

class FakeSystem final : public platform::SystemApi {
 public:
  // Libraries are found by exactly the file text the loader asks for.
  void AddModule(const std::wstring& file, FakeModule* module) { modules_[file] = module; }
  // A library whose load fails with `error` (126 when it does not exist).
  void FailModule(const std::wstring& file, std::uint32_t error) { failures_[file] = error; }
  // The two crypto libraries the loader needs first, and `nvapi` as nvapi64.dll unless null.
  void AddNvapiModules(FakeModule* nvapi, FakeModule* crypto) {
    if (nvapi != nullptr) AddModule(L"nvapi64.dll", nvapi);
    AddModule(L"msasn1.dll", crypto);
    AddModule(L"cryptnet.dll", crypto);
  }

  bool newSystem = true;
  std::wstring systemDirectory = L"C:\\windows\\system32";
  std::vector<LoadCall> loadCalls;
  std::vector<std::uint32_t> sleeps;
  int buildQueries = 0;

  bool BuildNumberAtLeast(std::uint32_t build) override {
    ++buildQueries;
    return newSystem && build <= 19045;
  }
  std::wstring SystemDirectory() override { return systemDirectory; }
  platform::ModuleHandle LoadLibraryEx(const std::wstring& file, std::uint32_t flags) override {
    loadCalls.push_back({file, flags});
    const auto failure = failures_.find(file);
    const auto found = modules_.find(file);
    if (failure != failures_.end() || found == modules_.end()) {
      lastError_ = failure != failures_.end() ? failure->second : platform::kErrorModNotFound;
      return nullptr;
    }
    ++found->second->loads;
    return found->second;
  }
  void* FindSymbol(platform::ModuleHandle module, const char* name) override {
    auto* fake = static_cast<FakeModule*>(module);
    auto found = fake->symbols.find(name);
    return found == fake->symbols.end() ? nullptr : found->second;
  }
  void ReleaseModule(platform::ModuleHandle module) override {
    if (module != nullptr) ++static_cast<FakeModule*>(module)->frees;
  }
  std::uint32_t LastError() override { return lastError_; }
  void SetLastError(std::uint32_t error) override { lastError_ = error; }
  void SleepMs(std::uint32_t milliseconds) override { sleeps.push_back(milliseconds); }

  std::vector<std::wstring> Tried() const {
    std::vector<std::wstring> files;
    for (const auto& call : loadCalls) files.push_back(call.file);
    return files;
  }
  int LoadsOf(const std::wstring& suffix) const {
    return static_cast<int>(
        std::count_if(loadCalls.begin(), loadCalls.end(),
                      [&](const LoadCall& call) { return call.file.ends_with(suffix); }));
  }

 private:
  std::map<std::wstring, FakeModule*> modules_;
  std::map<std::wstring, std::uint32_t> failures_;
  std::uint32_t lastError_ = 0;
};

}  // namespace testing_support
