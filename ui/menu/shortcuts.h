// The menu shortcut table: index (as a menu item stores it) -> the key name
// shown after a tab in the caption, and the accelerator key.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace horavia::ui {

// Modifier bits of an accelerator.
namespace key_modifier {
constexpr std::uint32_t kCtrl = 1;
constexpr std::uint32_t kShift = 2;
constexpr std::uint32_t kAlt = 4;
}  // namespace key_modifier

struct Shortcut {
  std::string_view name;    // "" for none
  std::uint32_t key = 0;    // virtual-key code, 0 for none
  std::uint32_t modifiers = 0;
};

inline constexpr int kShortcutCount = 77;  // 0 (none) and 1-76

namespace detail {
inline constexpr std::string_view kCtrlLetterNames[26] = {
    "Ctrl+A", "Ctrl+B", "Ctrl+C", "Ctrl+D", "Ctrl+E", "Ctrl+F", "Ctrl+G", "Ctrl+H", "Ctrl+I",
    "Ctrl+J", "Ctrl+K", "Ctrl+L", "Ctrl+M", "Ctrl+N", "Ctrl+O", "Ctrl+P", "Ctrl+Q", "Ctrl+R",
    "Ctrl+S", "Ctrl+T", "Ctrl+U", "Ctrl+V", "Ctrl+W", "Ctrl+X", "Ctrl+Y", "Ctrl+Z"};
inline constexpr std::string_view kFunctionNames[4][12] = {
    {"F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "F11", "F12"},
    {"Ctrl+F1", "Ctrl+F2", "Ctrl+F3", "Ctrl+F4", "Ctrl+F5", "Ctrl+F6", "Ctrl+F7", "Ctrl+F8", "Ctrl+F9",
     "Ctrl+F10", "Ctrl+F11", "Ctrl+F12"},
    {"Shift+F1", "Shift+F2", "Shift+F3", "Shift+F4", "Shift+F5", "Shift+F6", "Shift+F7", "Shift+F8",
     "Shift+F9", "Shift+F10", "Shift+F11", "Shift+F12"},
    {"Ctrl+Shift+F1", "Ctrl+Shift+F2", "Ctrl+Shift+F3", "Ctrl+Shift+F4", "Ctrl+Shift+F5",
     "Ctrl+Shift+F6", "Ctrl+Shift+F7", "Ctrl+Shift+F8", "Ctrl+Shift+F9", "Ctrl+Shift+F10",
     "Ctrl+Shift+F11", "Ctrl+Shift+F12"}};
inline constexpr std::uint32_t kFunctionModifiers[4] = {0, key_modifier::kCtrl, key_modifier::kShift,
                                                        key_modifier::kCtrl | key_modifier::kShift};

constexpr std::array<Shortcut, kShortcutCount> MakeShortcuts() {
  std::array<Shortcut, kShortcutCount> t{};
  for (int i = 0; i < 26; ++i) t[1 + i] = {kCtrlLetterNames[i], 0x41u + i, key_modifier::kCtrl};
  for (int group = 0; group < 4; ++group) {
    for (int f = 0; f < 12; ++f) {
      t[27 + group * 12 + f] = {kFunctionNames[group][f], 0x70u + f, kFunctionModifiers[group]};
    }
  }
  t[75] = {"Ins", 0x2D, 0};
  t[76] = {"Del", 0x2E, 0};
  return t;
}
}  // namespace detail

inline constexpr std::array<Shortcut, kShortcutCount> kShortcuts = detail::MakeShortcuts();

// The entry for a stored index; index 0 and indexes of 77 and above give none.
constexpr Shortcut ShortcutAt(std::uint32_t index) {
  if (index == 0 || index >= kShortcutCount) return {};
  return kShortcuts[index];
}

}  // namespace horavia::ui
