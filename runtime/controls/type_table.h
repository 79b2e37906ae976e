// Building a component type's table: its property descriptors (the type-specific ones,
// numbered from 0 after the eight common properties) and its TypeDescriptor.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <type_traits>

#include "runtime/call/type_descriptor.h"

namespace barvell::runtime::controls {

// Flag bit that lets a type's components raise events (the dispatcher checks it).
constexpr uint32_t kRaisesEvents = 0x04;

constexpr int32_t kCommonPropertyCount = 8;

struct NamedProperty {
  int32_t index;  // as the program numbers it, common properties included
  const char* name;
  const char* english_name;
  uint16_t data_type;
};

// `total` properties counting the common ones; those not named are integers without a
// name, which the program never reaches.
template <size_t kTotal>
constexpr std::array<PropertyDescriptor, kTotal - kCommonPropertyCount> PropertyTable(
    std::initializer_list<NamedProperty> named) {
  std::array<PropertyDescriptor, kTotal - kCommonPropertyCount> table{};
  for (PropertyDescriptor& p : table) p = {nullptr, nullptr, nullptr, data_type::kInt, 0, 0};
  for (const NamedProperty& n : named) {
    table[size_t(n.index - kCommonPropertyCount)] = {n.name, n.english_name, nullptr,
                                                     n.data_type, 0, 0};
  }
  return table;
}

// A type's interface function: its create operation and, where the type has them, its
// property reader and writer, handed out by operation number.
template <auto kCreate, auto kRead = nullptr, auto kWrite = nullptr>
TypeOperation Operations(int32_t operation) {
  auto as_operation = [](auto function) -> TypeOperation {
    if constexpr (std::is_null_pointer_v<decltype(function)>) {
      return nullptr;
    } else {
      return reinterpret_cast<TypeOperation>(function);
    }
  };
  switch (operation) {
    case type_operation::kCreate: return as_operation(kCreate);
    case type_operation::kReadProperty: return as_operation(kRead);
    case type_operation::kWriteProperty: return as_operation(kWrite);
    default: return nullptr;
  }
}

template <size_t N>
constexpr TypeDescriptor MakeType(const char* name, const char* english_name, uint32_t flags,
                                  const std::array<PropertyDescriptor, N>& properties,
                                  TypeInterface interface_function) {
  return TypeDescriptor{name,  english_name, {0, 0, 0},         flags,
                        {0, 0, 0}, int32_t(N), properties.data(), interface_function};
}

}  // namespace barvell::runtime::controls
