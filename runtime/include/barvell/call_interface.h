// The runtime's public call interface: everything the program may know of the runtime.
// The program reaches the runtime only through the KernelEntryTable it is handed at start,
// with the records, type tags and ids declared here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace barvell {

// ---------------------------------------------------------------------------------------
// Ids. Bits 28-31 class (5 window, 0 window component, 1 control, 2 menu item), bits 24-27
// kind (2 window, 6 component), bits 16-23 the value 1, bits 0-15 a sequence number.
using WindowId = uint32_t;
using ComponentId = uint32_t;
using TypeId = uint32_t;  // library number << 16 | type number, both 1-based

constexpr uint32_t IdClass(uint32_t id) { return id >> 28; }
constexpr uint32_t IdKind(uint32_t id) { return (id >> 24) & 0xF; }
constexpr bool IdIsValid(uint32_t id) { return (id & 0x00FFFFFF) != 0 && IdKind(id) != 0; }
constexpr bool IdIsMenuItem(uint32_t id) { return IdKind(id) == 6 && IdClass(id) == 2; }

namespace type_id {
constexpr TypeId kWindow = 0x00010001;
constexpr TypeId kMenuItem = 0x00010003;
constexpr TypeId kEditBox = 0x00010005;
constexpr TypeId kPictureBox = 0x00010006;
constexpr TypeId kDrawPanel = 0x00010008;
constexpr TypeId kGroupBox = 0x00010009;
constexpr TypeId kLabel = 0x0001000A;
constexpr TypeId kButton = 0x0001000B;
constexpr TypeId kComboBox = 0x0001000E;
constexpr TypeId kColourPicker = 0x0001001C;
constexpr TypeId kCommonDialog = 0x0001001F;
constexpr TypeId kSuperBar = 0x00020001;
constexpr TypeId kStatusBar = 0x00030002;
}  // namespace type_id

// ---------------------------------------------------------------------------------------
// Type tags of argument and result records. A component reference is tagged with its
// TypeId instead (low word WindowId, high word ComponentId).
using TypeTag = uint32_t;
namespace tag {
constexpr TypeTag kByte = 0x80000101;
constexpr TypeTag kShort = 0x80000201;
constexpr TypeTag kInt = 0x80000301;
constexpr TypeTag kLong = 0x80000401;
constexpr TypeTag kFloat = 0x80000501;
constexpr TypeTag kDouble = 0x80000601;
constexpr TypeTag kBool = 0x80000002;
constexpr TypeTag kDateTime = 0x80000003;
constexpr TypeTag kText = 0x80000004;
constexpr TypeTag kByteArray = 0x80000005;
constexpr TypeTag kSubroutine = 0x80000006;
constexpr TypeTag kValue8 = 0x80000008;
}  // namespace tag

// One argument of a library command: 12 bytes, value low word, value high word, tag.
// An omitted optional argument is three zero words.
//
// Pointer-valued kinds (text, byte array, array, subroutine pointer) were designed for
// 32-bit pointers held in the low word. On a 64-bit build the pointer takes the low and the
// high word together (low word first), so the record stays 12 bytes and an 8-byte value and
// a pointer are carried the same way.
struct ArgRecord {
  uint32_t low = 0;
  uint32_t high = 0;
  TypeTag tag = 0;

  uint64_t Bits() const { return uint64_t(high) << 32 | low; }
  void SetBits(uint64_t v) {
    low = uint32_t(v);
    high = uint32_t(v >> 32);
  }
  template <typename T>
  T* Pointer() const {
    return reinterpret_cast<T*>(static_cast<uintptr_t>(Bits()));
  }
  const char* Text() const { return Pointer<const char>(); }
  bool IsOmitted() const { return low == 0 && high == 0 && tag == 0; }

  static ArgRecord Int(int32_t v) { return {uint32_t(v), 0, tag::kInt}; }
  static ArgRecord Bool(bool v) { return {v ? 1u : 0u, 0, tag::kBool}; }
  static ArgRecord Long(int64_t v) {
    ArgRecord r{0, 0, tag::kLong};
    r.SetBits(uint64_t(v));
    return r;
  }
  static ArgRecord Double(double v) {
    ArgRecord r{0, 0, tag::kDouble};
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    r.SetBits(bits);
    return r;
  }
  static ArgRecord Float(float v) {
    uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return {bits, 0, tag::kFloat};
  }
  static ArgRecord OfPointer(const void* p, TypeTag t) {
    ArgRecord r{0, 0, t};
    r.SetBits(static_cast<uint64_t>(reinterpret_cast<uintptr_t>(p)));
    return r;
  }
  static ArgRecord Text(const char* s) { return OfPointer(s, tag::kText); }
  static ArgRecord Component(TypeId type, WindowId w, ComponentId c) { return {w, c, type}; }
};
static_assert(sizeof(ArgRecord) == 12, "an argument record is three 32-bit words");
static_assert(offsetof(ArgRecord, low) == 0 && offsetof(ArgRecord, high) == 4 &&
                  offsetof(ArgRecord, tag) == 8,
              "argument record words: value low, value high, type tag");

// What a library command fills: value low word, value high word, and a third word the
// command may set. Pointer results use low and high together, as in ArgRecord.
struct ResultRecord {
  uint32_t low = 0;
  uint32_t high = 0;
  uint32_t extra = 0;

  uint64_t Bits() const { return uint64_t(high) << 32 | low; }
  void SetBits(uint64_t v) {
    low = uint32_t(v);
    high = uint32_t(v >> 32);
  }
  template <typename T>
  T* Pointer() const {
    return reinterpret_cast<T*>(static_cast<uintptr_t>(Bits()));
  }
  void SetPointer(const void* p) {
    SetBits(static_cast<uint64_t>(reinterpret_cast<uintptr_t>(p)));
  }
  int32_t Int() const { return int32_t(low); }
  double Double() const {
    double d;
    uint64_t bits = Bits();
    std::memcpy(&d, &bits, sizeof d);
    return d;
  }
};
static_assert(sizeof(ResultRecord) == 12, "a result record is three 32-bit words");
static_assert(offsetof(ResultRecord, low) == 0 && offsetof(ResultRecord, high) == 4 &&
                  offsetof(ResultRecord, extra) == 8,
              "result record words: value low, value high, extra word");

// Every library command has this one signature.
using LibraryCommand = void (*)(ResultRecord* result, int32_t count, ArgRecord* args);

// ---------------------------------------------------------------------------------------
// Array blocks: u32 dimension count d, d u32 dimension sizes, then the elements (first
// index fastest). Byte arrays are arrays of one dimension of bytes.
struct ArrayHeader {
  uint32_t dimensions;
  // followed by uint32_t sizes[dimensions], then the elements
};

inline uint32_t ArrayElementCount(const void* block) {
  if (block == nullptr) return 0;
  const uint32_t* words = static_cast<const uint32_t*>(block);
  uint32_t count = 1;
  for (uint32_t i = 0; i < words[0]; ++i) count *= words[1 + i];
  return count;
}
inline uint8_t* ArrayElements(void* block) {
  uint32_t* words = static_cast<uint32_t*>(block);
  return reinterpret_cast<uint8_t*>(words + 1 + words[0]);
}
inline const uint8_t* ArrayElements(const void* block) {
  const uint32_t* words = static_cast<const uint32_t*>(block);
  return reinterpret_cast<const uint8_t*>(words + 1 + words[0]);
}

// ---------------------------------------------------------------------------------------
// Event handlers. A handler receives the event's arguments as 32-bit words in argument
// order and says whether it produced a value; a handler returning no value and one
// returning 0 stay distinguishable.
struct HandlerResult {
  bool has_value = false;
  int64_t value = 0;

  static HandlerResult None() { return {}; }
  static HandlerResult Of(int64_t v) { return {true, v}; }
};
using Handler = HandlerResult (*)(const uint32_t* args, uint32_t count);

// ---------------------------------------------------------------------------------------
// The kernel entries, in their fixed order. Entry 2 binds the DLL command on first use and
// returns the export's address; the program calls it with the export's own arguments.
struct KernelEntryTable {
  void (*RaiseRuntimeError)(int32_t error, uint32_t position_a, uint32_t position_b);
  void* (*CallDllCommand)(int32_t number);
  ResultRecord (*CallLibraryCommandOf)(int32_t library, int32_t command, int32_t count,
                                       ArgRecord* args);
  ResultRecord (*CallLibraryCommand)(int32_t command, int32_t count, ArgRecord* args);
  int64_t (*ReadProperty)(WindowId window, ComponentId component, int32_t property,
                          int32_t index);
  void (*WriteProperty)(WindowId window, ComponentId component, int32_t property,
                        int32_t index, uint32_t low, uint32_t high);
  void* (*AllocateBlock)(int32_t bytes);
  void* (*ReallocateBlock)(void* block, int32_t bytes);
  void (*FreeBlock)(void* block);
  void (*EndProgram)(int32_t exit_code);
  void (*RunMessageLoop)();
  void (*LoadStartWindow)(WindowId window);
  // Up to five service arguments (service 5 takes five); unused ones are 0.
  intptr_t (*Service)(int32_t service, intptr_t a, intptr_t b, intptr_t c, intptr_t d,
                      intptr_t e);
};

// The program's start routine: entered once with the runtime's entries; returns 0.
using StartRoutine = int32_t (*)(const KernelEntryTable& kernel);

// A clean-up routine registered with service 3; called once at shutdown with its
// zero-based position in the clean-up list.
using CleanupRoutine = void (*)(int32_t position);

// ---------------------------------------------------------------------------------------
// The program's descriptor, read once by runtime initialisation (service 6). Designed as
// thirteen 32-bit words; on a 64-bit build the address fields are pointer-sized, the
// counts and sizes stay 32-bit. The handler count after the code base is an addition, so
// that every template handler offset can be checked against the table it points into.
struct CommandLibrary;  // a command library of the runtime; opaque to the program
struct HandlerEntry;    // below: the program's handler table, its code base

struct ProgramDescriptor {
  uint32_t run_mode;   // 2 = debug run; non-zero = windows honour their start state
  uint32_t reserved1;  // 0
  uint32_t reserved2;  // 0x10357
  const HandlerEntry* code_base;  // the program's handler table; handler offsets count from it
  uint32_t handler_count;         // entries of that table (an addition: offsets are checked)
  const void* constant_start;
  uint32_t constant_size;
  const void* template_start;
  uint32_t template_size;
  uint32_t library_count;
  // library_count entries, null entries allowed; a null table means the runtime's own
  // libraries in their numbering (the program cannot name them otherwise).
  const CommandLibrary* const* libraries;
  uint32_t dll_command_count;
  const char* const* dll_files;    // empty text = search the system DLLs
  const char* const* dll_exports;  // "#n" = ordinal n
};

// The font record of a font-valued property read or written whole (element index -1):
// angle in tenths of a degree, bold, italic, strike-out, underline, size in points and
// the face name. 28 bytes as designed (32-bit pointer); the face pointer is pointer-sized
// on a 64-bit build. A record read from the runtime owns its face text (FreeBlock it).
struct FontRecord {
  int32_t angle;
  int32_t bold;
  int32_t italic;
  int32_t strike_out;
  int32_t underline;
  int32_t size;
  char* face;
};
static_assert(offsetof(FontRecord, face) == 24, "seven members in order");

// Service numbers reached through KernelEntryTable::Service.
namespace service {
constexpr int32_t kFindFile = 0;
constexpr int32_t kCloseFileSearch = 1;
constexpr int32_t kMakeArrayWritable = 2;
constexpr int32_t kRegisterCleanup = 3;
constexpr int32_t kReadObjectProperty = 4;
constexpr int32_t kWriteObjectProperty = 5;
constexpr int32_t kInitialise = 6;
}  // namespace service

// Commands of the runtime's first command library, by number.
namespace command {
// text and number conversion
constexpr int32_t kTextLength = 0;
constexpr int32_t kLeftText = 1;
constexpr int32_t kRightText = 2;
constexpr int32_t kMidText = 3;
constexpr int32_t kFindText = 4;
constexpr int32_t kToUpper = 5;
constexpr int32_t kSplitText = 6;
constexpr int32_t kToNumber = 7;
constexpr int32_t kToInteger = 8;
constexpr int32_t kToText = 9;
constexpr int32_t kRemainder = 10;
constexpr int32_t kBlankBytes = 11;
constexpr int32_t kByteArrayLength = 12;
// draw panel
constexpr int32_t kClear = 20;
constexpr int32_t kDrawLine = 21;
constexpr int32_t kFillRectangle = 22;
constexpr int32_t kWriteAt = 23;
constexpr int32_t kTextWidth = 24;
constexpr int32_t kTextHeight = 25;
constexpr int32_t kGetPicture = 26;
constexpr int32_t kSetPixel = 27;
constexpr int32_t kDrawRectangle = 28;
// other controls
constexpr int32_t kGetClientWidth = 40;
constexpr int32_t kGetClientHeight = 41;
constexpr int32_t kComboItemData = 42;
constexpr int32_t kAppendText = 43;
// configuration items, files and dialogs
constexpr int32_t kGetRunDirectory = 60;
constexpr int32_t kReadConfigItem = 61;
constexpr int32_t kWriteConfigItem = 62;
constexpr int32_t kFileExists = 63;
constexpr int32_t kWriteToFile = 64;
constexpr int32_t kGetSpecialFolder = 65;  // code 11: the temporary directory, with its separator
constexpr int32_t kShowMessageBox = 66;
constexpr int32_t kOpenDialog = 67;
constexpr int32_t kBrowseForFolder = 68;
constexpr int32_t kLoadWindow = 69;
constexpr int32_t kDoEvents = 70;
constexpr int32_t kOpenWithShell = 71;  // the shell's "open" verb: a web page or a file
}  // namespace command

// Event numbers: those of the window component, those common to every control, and the
// principal event 0 of each control type (what the control is for).
namespace event {
// window component
constexpr int32_t kCreated = 0;
constexpr int32_t kMayClose = 1;
constexpr int32_t kDestroying = 2;
constexpr int32_t kMoved = 3;
constexpr int32_t kSized = 4;
constexpr int32_t kIdle = 7;
constexpr int32_t kTrayIcon = 9;
constexpr int32_t kShown = 10;
constexpr int32_t kHidden = 11;
constexpr int32_t kCloseRequested = 12;
// every control (and the window)
constexpr int32_t kLeftDown = -1;
constexpr int32_t kLeftUp = -2;
constexpr int32_t kDoubleClick = -3;
constexpr int32_t kRightDown = -4;
constexpr int32_t kRightUp = -5;
constexpr int32_t kMouseMove = -6;
constexpr int32_t kGotFocus = -7;
constexpr int32_t kLostFocus = -8;
constexpr int32_t kKeyDown = -9;
constexpr int32_t kKeyUp = -10;
constexpr int32_t kCharacter = -11;
constexpr int32_t kWheel = -12;
// principal events of the control types: each type's event 0, named for what it means
constexpr int32_t kPrincipal = 0;
constexpr int32_t kClicked = 0;          // button, menu item
constexpr int32_t kContentChanged = 0;   // edit box
constexpr int32_t kSelectionChanged = 0; // combo box
constexpr int32_t kColourChanged = 0;    // colour picker
constexpr int32_t kPositionChanged = 0;  // multi-function bar
}  // namespace event

// Property numbers as ReadProperty / WriteProperty take them: 0 to 7 shared by every
// component, 8 onwards those of the component's type.
namespace property {
constexpr int32_t kLeft = 0;
constexpr int32_t kTop = 1;
constexpr int32_t kWidth = 2;
constexpr int32_t kHeight = 3;
constexpr int32_t kTag = 4;
constexpr int32_t kVisible = 5;
constexpr int32_t kDisabled = 6;
constexpr int32_t kMousePointer = 7;
// menu item
constexpr int32_t kMenuCaption = 0;
constexpr int32_t kMenuChecked = 1;
constexpr int32_t kMenuDisabled = 2;
constexpr int32_t kMenuVisible = 3;
// EditBox
constexpr int32_t kEditContent = 8;
// Label
constexpr int32_t kLabelCaption = 8;
// ComboBox
constexpr int32_t kComboStyle = 8;
constexpr int32_t kComboContent = 9;
constexpr int32_t kCurrentSelection = 19;
constexpr int32_t kComboItems = 20;
// ColorPicker
constexpr int32_t kColour = 8;
constexpr int32_t kAllowTransparent = 9;
// DrawPanel
constexpr int32_t kBorderStyle = 8;
constexpr int32_t kBackColour = 9;
constexpr int32_t kBackPicture = 10;
constexpr int32_t kBackPictureMode = 11;
constexpr int32_t kAutoRedraw = 12;
constexpr int32_t kCoordinateUnit = 13;
constexpr int32_t kPenStyle = 14;
constexpr int32_t kDrawMode = 15;
constexpr int32_t kPenWidth = 16;
constexpr int32_t kPenColour = 17;
constexpr int32_t kBrushStyle = 18;
constexpr int32_t kBrushColour = 19;
constexpr int32_t kTextColour = 20;
constexpr int32_t kTextBackColour = 21;
constexpr int32_t kFont = 22;  // element 5: size in points
constexpr int32_t kClientWidth = 23;
constexpr int32_t kClientHeight = 24;
// CommonDlg
constexpr int32_t kDialogKind = 8;
constexpr int32_t kDialogTitle = 9;
constexpr int32_t kFileName = 10;
constexpr int32_t kFilter = 11;
constexpr int32_t kFilterIndex = 12;
constexpr int32_t kInitialDirectory = 13;
constexpr int32_t kDefaultExtension = 14;
constexpr int32_t kCreatePrompt = 15;
constexpr int32_t kFileMustExist = 16;
constexpr int32_t kOverwritePrompt = 17;
constexpr int32_t kPathMustExist = 18;
constexpr int32_t kKeepCurrentDirectory = 19;
// SuperBar
constexpr int32_t kBarOrientation = 9;
constexpr int32_t kBarMinimum = 15;
constexpr int32_t kBarMaximum = 16;
constexpr int32_t kBarPosition = 17;
}  // namespace property

}  // namespace barvell

// ---------------------------------------------------------------------------------------
// The program's handler table, which is its code base: a template's handler offset is the
// entry's index times 8 (a fixed stride, whatever the pointer size), so offset 0 is the
// first entry. A null function is a handler that is not there yet; dispatch skips it.
namespace barvell {
struct HandlerEntry {
  const char* name;
  Handler function;
};
constexpr int32_t kHandlerStride = 8;
}  // namespace barvell
