// Application subroutines as the window engine calls them.
//
// Every subroutine bound to an event has the one C++ signature below: it
// receives the event's arguments as the dwords the caller pushed (first
// argument first; a two-dword argument is low dword, then high dword) and
// answers whether it returned a value, and which.
//
// How the handler table and the code base fit together: the form block binds
// an event to an offset from the application's code base, and the form
// reader's fix-up turns it into the address code base + offset. The
// application's handler table lists its subroutines so that a subroutine's
// offset is its index in the table; the engine turns an address back into
// address - code base and calls that entry. An address outside the table, or
// an empty entry, calls nothing.
#pragma once

#include <cstdint>
#include <span>

namespace horavia::ui {

struct SubroutineResult {
  bool returned = false;  // the subroutine returned a value
  std::uint32_t low = 0;
  std::uint32_t high = 0;

  static SubroutineResult None() { return {}; }
  static SubroutineResult Value(std::uint32_t low, std::uint32_t high = 0) { return {true, low, high}; }
  static SubroutineResult Bool(bool value) { return {true, value ? 1u : 0u, 0}; }
};

using AppSubroutine = SubroutineResult (*)(std::span<const std::uint32_t> arguments);

struct HandlerTable {
  std::uintptr_t codeBase = 0;
  std::span<const AppSubroutine> subroutines;

  // The subroutine at `address`, or null.
  AppSubroutine find(std::uintptr_t address) const {
    if (address < codeBase) return nullptr;
    std::uintptr_t index = address - codeBase;
    if (index >= subroutines.size()) return nullptr;
    return subroutines[index];
  }
};

}  // namespace horavia::ui
