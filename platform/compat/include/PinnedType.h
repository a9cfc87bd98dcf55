// QUILLON_PIN_TYPE(expression, type): the build fails unless the expression,
// the address of a function or method, has exactly that type.
//
// Exports, callbacks and COM methods are pinned this way to the calling
// convention of the other side of their binary interface. At 32 bits (x86)
// cdecl, stdcall and thiscall are different function types, so a wrong
// convention fails the i686 build here, where otherwise the program calling
// the binary would unbalance its stack. At 64 bits there is one convention
// and the pin checks the rest of the signature.
#pragma once

#include <type_traits>

#define QUILLON_PIN_TYPE(expression, ...) \
  static_assert(std::is_same_v<decltype(expression), __VA_ARGS__>, #expression " must be of type " #__VA_ARGS__)
