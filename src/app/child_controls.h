// The main window's sixteen children in creation order: class, caption, kind and id. Captions
// with Japanese text are created through the wide API so that they show right whatever the
// system's ANSI code page is.
#pragma once

#include <array>

#include "app/window_layout.h"

namespace app {

enum class ControlKind { kGroupBox, kCheckBox };

struct ChildControl {
  const wchar_t* className;
  const wchar_t* caption;
  bool wide;  // created with the wide API (Japanese caption)
  ControlKind kind;
  int id;
};

inline constexpr int kGroupBoxId = 1100;
inline constexpr int kInfoGroupIndex = 12;
inline constexpr int kCsvButtonIndex = 13;
inline constexpr int kShotButtonIndex = 14;
inline constexpr int kDetailButtonIndex = 15;
inline constexpr int kTabControlId = 16;

inline constexpr std::array<ChildControl, kChildCount> kChildControls = {{
    {L"button", L"Graphics Clock", false, ControlKind::kGroupBox, kGroupBoxId},
    {L"button", L"Graphics Clock 履歴", true, ControlKind::kGroupBox, kGroupBoxId},
    {L"button", L"Memory Clock", false, ControlKind::kGroupBox, kGroupBoxId},
    {L"button", L"Memory Clock 履歴", true, ControlKind::kGroupBox, kGroupBoxId},
    {L"button", L"GPU Load", false, ControlKind::kGroupBox, kGroupBoxId},
    {L"button", L"GPU Load 履歴", true, ControlKind::kGroupBox, kGroupBoxId},
    {L"button", L"Memory Usage", false, ControlKind::kGroupBox, kGroupBoxId},
    {L"button", L"Memory Usage 履歴", true, ControlKind::kGroupBox, kGroupBoxId},
    {L"button", L"Temperature", false, ControlKind::kGroupBox, kGroupBoxId},
    {L"button", L"Temperature 履歴", true, ControlKind::kGroupBox, kGroupBoxId},
    {L"button", L"Power Draw", false, ControlKind::kGroupBox, kGroupBoxId},
    {L"button", L"Power Draw 履歴", true, ControlKind::kGroupBox, kGroupBoxId},
    {L"button", L"GPU インフォメーション", true, ControlKind::kGroupBox, kGroupBoxId},
    {L"BUTTON", L"CSV 出力", true, ControlKind::kCheckBox, 0},
    {L"BUTTON", L"Screen Shot", false, ControlKind::kCheckBox, 0},
    {L"BUTTON", L"詳細モード", true, ControlKind::kCheckBox, 0},
}};

// Where each child stands before the first resize places it.
std::array<Box, kChildCount> InitialChildBoxes();

}  // namespace app
