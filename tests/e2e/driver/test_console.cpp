#include "test_console.h"

#include <algorithm>

namespace e2e {

TestConsole::TestConsole() {
  FreeConsole();
  if (!AllocConsole()) return;
  SetConsoleOutputCP(932);
  output_ = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  // Room for every block of a run of a few minutes: nothing scrolls out of the buffer.
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (Valid() && GetConsoleScreenBufferInfo(output_, &info)) {
    SetConsoleScreenBufferSize(output_, {info.dwSize.X, 9999});
  }
}

TestConsole::~TestConsole() {
  if (output_ != INVALID_HANDLE_VALUE) CloseHandle(output_);
  FreeConsole();
}

bool TestConsole::SetAttribute(WORD attribute) const {
  return Valid() && SetConsoleTextAttribute(output_, attribute) != FALSE;
}

std::vector<TestConsole::Row> TestConsole::Rows() const {
  std::vector<Row> rows;
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (!Valid() || !GetConsoleScreenBufferInfo(output_, &info)) return rows;
  const SHORT width = info.dwSize.X;
  for (SHORT y = 0; y <= info.dwCursorPosition.Y; ++y) {
    Row row;
    row.text.resize(static_cast<std::size_t>(width));
    row.attributes.resize(static_cast<std::size_t>(width));
    DWORD chars = 0;
    DWORD attributes = 0;
    ReadConsoleOutputCharacterW(output_, row.text.data(), static_cast<DWORD>(width), {0, y},
                                &chars);
    ReadConsoleOutputAttribute(output_, row.attributes.data(), static_cast<DWORD>(width), {0, y},
                               &attributes);
    std::size_t end = std::min<std::size_t>(chars, attributes);
    while (end > 0 && row.text[end - 1] == L' ') --end;
    row.text.resize(end);
    row.attributes.resize(end);
    rows.push_back(std::move(row));
  }
  return rows;
}

std::wstring TestConsole::Text() const {
  std::wstring text;
  for (const Row& row : Rows()) text += row.text + L"\n";
  return text;
}

}  // namespace e2e
