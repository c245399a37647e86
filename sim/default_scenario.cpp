#include "default_scenario.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "scenario_lexer.h"
#include "scenario_parser.h"

namespace sim {
namespace {

#ifdef _WIN32
constexpr bool kWindowsHost = true;
#else
constexpr bool kWindowsHost = false;
#endif

Scenario Broken(const std::string& reason) {
  std::fprintf(stderr, "quorvane simulator: %s; the driver will fail to initialise\n",
               reason.c_str());
  return BrokenDriverScenario();
}

}  // namespace

std::string HostScenarioPath(std::string_view path, bool windowsHost) {
  if (windowsHost && !path.empty() && path.front() == '/') return "Z:" + std::string(path);
  return std::string(path);
}

bool ReadScenarioFile(const std::string& path, std::string* text, std::string* error) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    if (error != nullptr) *error = "cannot open scenario file " + path;
    return false;
  }
  std::string content(kMaxScenarioBytes + 1, '\0');
  file.read(content.data(), static_cast<std::streamsize>(content.size()));
  content.resize(static_cast<std::size_t>(file.gcount()));
  if (content.size() > kMaxScenarioBytes) {
    if (error != nullptr) *error = "scenario file " + path + " is larger than 1 MiB";
    return false;
  }
  *text = std::move(content);
  return true;
}

Scenario DefaultScenario() {
  const char* variable = std::getenv(kScenarioVariable);
  std::string text(DemoScenarioText());
  std::string where = "the built-in demo scenario";
  std::string error;
  if (variable != nullptr && variable[0] != '\0') {
    where = HostScenarioPath(variable, kWindowsHost);
    if (!ReadScenarioFile(where, &text, &error)) return Broken(error);
  }
  Scenario scenario;
  if (!ParseScenario(text, &scenario, &error)) return Broken(where + ", " + error);
  return scenario;
}

}  // namespace sim
