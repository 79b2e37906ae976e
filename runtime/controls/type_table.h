// Building a component type's table: its property descriptors (the type-specific ones,
// numbered by their public numbers) and its TypeDescriptor.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <type_traits>

#include "runtime/call/type_descriptor.h"
#include "runtime/controls/component_types.h"

namespace barvell::runtime::controls {

// Flag bit that lets a type's components raise events (the dispatcher checks it).
constexpr uint32_t kRaisesEvents = 0x04;

constexpr int32_t kCommonPropertyCount = 8;

struct NamedProperty {
  int32_t number;  // the public number (barvell::property), common properties included
  const char* name;
  const char* english_name;
  uint16_t data_type;
};

// A type's reader and writer are asked for a type-specific number (0 = the first after
// the common properties); they switch on the public number it stands for.
constexpr int32_t PublicProperty(int32_t type_specific) {
  return type_specific + kCommonPropertyCount;
}

// The type-specific descriptors of a type, as many as the component type list gives it;
// those not named are integers without a name, which the program never reaches. A number
// outside the type's range does not compile.
template <TypeId kType>
constexpr auto PropertyTable(std::initializer_list<NamedProperty> named) {
  constexpr size_t kCount = size_t(ComponentTypeOf(kType).properties - kCommonPropertyCount);
  std::array<PropertyDescriptor, kCount> table{};
  for (PropertyDescriptor& p : table) p = {nullptr, nullptr, nullptr, data_type::kInt, 0, 0};
  for (const NamedProperty& n : named) {
    table.at(size_t(n.number - kCommonPropertyCount)) = {n.name, n.english_name, nullptr,
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

// A type's descriptor: its names from the component type list.
template <size_t N>
constexpr TypeDescriptor MakeType(TypeId type, uint32_t flags,
                                  const std::array<PropertyDescriptor, N>& properties,
                                  TypeInterface interface_function) {
  const ComponentType& entry = ComponentTypeOf(type);
  return TypeDescriptor{entry.chinese_name, entry.english_name, {0, 0, 0},  flags,
                        {0, 0, 0},          int32_t(N),         properties.data(),
                        interface_function};
}

}  // namespace barvell::runtime::controls
