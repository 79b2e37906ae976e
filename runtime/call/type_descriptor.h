// Component types as the runtime sees them: a TypeDescriptor per type inside a command
// library, holding the type's names, flag word, property descriptors and the interface
// function that hands out the type's operations by number.
#pragma once

#include <cstdint>

#include "barvell/call_interface.h"
#include "runtime/call/component_view.h"

namespace barvell::runtime {

// Data-type codes of property descriptors, grouped by how a raw value is converted.
namespace data_type {
constexpr uint16_t kInt = 1000;
constexpr uint16_t kInt2 = 1001;
constexpr uint16_t kLong = 1002;
constexpr uint16_t kLogical = 1003;
constexpr uint16_t kLong2 = 1004;
constexpr uint16_t kColour = 1006;
constexpr uint16_t kPicture = 1009;
constexpr uint16_t kIcon = 1010;
constexpr uint16_t kMousePointer = 1011;
constexpr uint16_t kSound = 1012;
constexpr uint16_t kFont = 1013;
constexpr uint16_t kChoice = 1014;
constexpr uint16_t kChoice2 = 1015;
constexpr uint16_t kChoice3 = 1017;
constexpr uint16_t kBytes = 1023;
constexpr uint16_t kBytes2 = 1024;
constexpr uint16_t kText = 1005;  // any code not listed above is a text
}  // namespace data_type

struct PropertyDescriptor {
  const char* name;          // may be null
  const char* english_name;  // may be null
  const char* description;   // may be null
  uint16_t data_type;
  uint16_t flags;
  uint32_t reserved;
};

// A property value as a type's reader produces it and its writer receives it: 32- and
// 64-bit kinds, logical values and standard-cursor numbers in `value`; texts (zero-
// terminated) at `data`; byte-valued kinds and fonts as `length` bytes at `data`. A reader
// may instead give a text as a heap block of its own in `text_block`, taken over as the
// value read (a long text is then not copied once more).
struct RawProperty {
  uint64_t value = 0;
  const void* data = nullptr;
  uint32_t length = 0;
  char* text_block = nullptr;
};

// The operations a type's interface function hands out, by number.
namespace type_operation {
constexpr int32_t kCreate = 1;
constexpr int32_t kReadProperty = 6;
constexpr int32_t kWriteProperty = 7;
}  // namespace type_operation

using TypeOperation = void (*)();
using TypeInterface = TypeOperation (*)(int32_t operation);

// Property readers and writers take the type-specific property number (0 = the first
// after the eight common properties). A reader returns false when it has no value.
using ReadPropertyOperation = bool (*)(ComponentObject* object, int32_t property,
                                       RawProperty* out);
using WritePropertyOperation = bool (*)(ComponentObject* object, int32_t property,
                                        const RawProperty& value);

// Type flag bits read by the loader and the dispatcher.
namespace type_flag {
constexpr uint32_t kNoVisibleWindow = 0x8000;
constexpr uint32_t kPageContainer = 0x100;
constexpr uint32_t kReparentChildren = 0x80;
constexpr uint32_t kNotifyParent = 0x100000;
}  // namespace type_flag

// The designed 56-byte record, as a C++ struct with the same fields in the same order.
struct TypeDescriptor {
  const char* name;          // Chinese type name; null for an empty descriptor
  const char* english_name;
  uint32_t reserved1[3];
  uint32_t flags;
  uint32_t reserved2[3];
  int32_t property_count;
  const PropertyDescriptor* properties;
  TypeInterface interface_function;

  template <typename Operation>
  Operation GetOperation(int32_t number) const {
    if (interface_function == nullptr) return nullptr;
    return reinterpret_cast<Operation>(interface_function(number));
  }
  const PropertyDescriptor* Property(int32_t number) const {
    return number >= 0 && number < property_count ? &properties[number] : nullptr;
  }
};

}  // namespace barvell::runtime
