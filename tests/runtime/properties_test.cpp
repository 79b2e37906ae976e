// Reading and writing properties on component records and live objects built in the test.
#include <gtest/gtest.h>

#include <cstring>

#include "child_process.h"
#include "fake_components.h"
#include "runtime/call/font_description.h"
#include "runtime/call/heap.h"
#include "runtime/call/properties.h"
#include "runtime/call/type_descriptor.h"
#include "test_program.h"

namespace barvell {
namespace {

using runtime::RawProperty;
using testing::FakeComponent;
using testing::FakeObject;
using testing::FakeRegistry;
using testing::RunInChild;
using testing::TestProgram;

// A test type with one property of each conversion, numbered from 0 after the common ones.
enum TestProperty : int32_t { kNumber, kFlag, kPicture, kPointer, kFont, kCaption, kWide };
constexpr runtime::PropertyDescriptor kTestProperties[] = {
    {"数值", "Number", nullptr, runtime::data_type::kInt, 0, 0},
    {"标志", "Flag", nullptr, runtime::data_type::kLogical, 0, 0},
    {"图片", "Picture", nullptr, runtime::data_type::kPicture, 0, 0},
    {"鼠标指针", "MousePointer", nullptr, runtime::data_type::kMousePointer, 0, 0},
    {"字体", "Font", nullptr, runtime::data_type::kFont, 0, 0},
    {"标题", "Caption", nullptr, runtime::data_type::kText, 0, 0},
    {"长数", "Wide", nullptr, runtime::data_type::kLong, 0, 0},
};

bool ReadTest(runtime::ComponentObject* object, int32_t property, RawProperty* out) {
  auto* o = static_cast<FakeObject*>(object);
  if (o->values.count(property)) out->value = o->values[property];
  if (o->bytes.count(property)) {
    out->data = o->bytes[property].data();
    out->length = uint32_t(o->bytes[property].size());
  }
  if (o->texts.count(property)) out->data = o->texts[property].c_str();
  return true;
}

bool WriteTest(runtime::ComponentObject* object, int32_t property, const RawProperty& raw) {
  auto* o = static_cast<FakeObject*>(object);
  switch (property) {
    case kPicture:
    case kPointer:
    case kFont: {
      auto* p = static_cast<const uint8_t*>(raw.data);
      o->bytes[property].assign(p, p + raw.length);
      break;
    }
    case kCaption: o->texts[property] = static_cast<const char*>(raw.data); break;
    default: o->values[property] = raw.value; break;
  }
  return true;
}

runtime::TypeOperation TestInterface(int32_t operation) {
  switch (operation) {
    case runtime::type_operation::kReadProperty:
      return reinterpret_cast<runtime::TypeOperation>(&ReadTest);
    case runtime::type_operation::kWriteProperty:
      return reinterpret_cast<runtime::TypeOperation>(&WriteTest);
    default: return nullptr;
  }
}

// Library 1 with the test type as type 5 (the edit box's TypeId); types 1 to 4 are empty.
const runtime::TypeDescriptor kTypes[5] = {
    {}, {}, {}, {},
    {"测试", "Test", {}, 0, {}, int32_t(std::size(kTestProperties)), kTestProperties,
     &TestInterface},
};
const CommandLibrary kTestLibrary = {"test", 0, nullptr, 5, kTypes, nullptr};

constexpr WindowId kWindow = 0x52010001;
constexpr ComponentId kEdit = 0x1601001B;
constexpr ComponentId kMenu = 0x26010328;
constexpr ComponentId kUnloaded = 0x16010020;

class Properties : public ::testing::Test {
 protected:
  void SetUp() override {
    program_.libraries = {&kTestLibrary};
    kernel_ = &program_.Start();
    window_.type = type_id::kWindow;
    edit_.type = type_id::kEditBox;
    edit_.object = &object_;
    edit_.geometry = {64, 90, 88, 20};
    edit_.tag = "标记";
    edit_.flags = runtime::component_flag::kVisible | runtime::component_flag::kTabStop;
    object_.geometry = {65, 91, 90, 22};
    unloaded_.type = type_id::kEditBox;
    unloaded_.geometry = {8, 16, 56, 24};
    unloaded_.flags = runtime::component_flag::kDisabled;
    unloaded_.cursor = {0x89, 0x7F, 0, 0};
    menu_.menu_item = true;
    menu_.type = type_id::kMenuItem;
    menu_.caption = "帮助";
    menu_.flags = runtime::menu_flag::kChecked;
    registry_.Add(kWindow, 0, &window_);
    registry_.Add(kWindow, kEdit, &edit_);
    registry_.Add(kWindow, kMenu, &menu_);
    registry_.Add(kWindow, kUnloaded, &unloaded_);
    registry_.Install();
  }
  void TearDown() override { runtime::Frame() = {}; }

  int64_t Read(ComponentId c, int32_t property, int32_t element = -1) {
    return kernel_->ReadProperty(kWindow, c, property, element);
  }
  void Write(ComponentId c, int32_t property, uint64_t value, int32_t element = -1) {
    kernel_->WriteProperty(kWindow, c, property, element, uint32_t(value), uint32_t(value >> 32));
  }
  static uint64_t Bits(const void* p) { return uint64_t(reinterpret_cast<uintptr_t>(p)); }
  template <typename T>
  static T* Block(int64_t v) { return reinterpret_cast<T*>(static_cast<uintptr_t>(v)); }
  static std::vector<uint8_t> TakeBytes(int64_t v) {
    void* block = Block<void>(v);
    if (block == nullptr) return {};
    std::vector<uint8_t> out(ArrayElements(block), ArrayElements(block) + ArrayElementCount(block));
    runtime::FreeBlock(block);
    return out;
  }
  static std::string TakeText(int64_t v) {
    char* text = Block<char>(v);
    std::string out = text != nullptr ? text : "(null)";
    runtime::FreeBlock(text);
    return out;
  }

  TestProgram program_;
  const KernelEntryTable* kernel_ = nullptr;
  FakeComponent window_, edit_, menu_, unloaded_;
  FakeObject object_;
  FakeRegistry registry_;
};

TEST_F(Properties, CommonPropertiesComeFromTheLiveObjectOrTheTemplate) {
  EXPECT_EQ(Read(kEdit, 0), 65);  // live window rectangle, not the template's 64
  EXPECT_EQ(Read(kEdit, 3), 22);
  EXPECT_EQ(Read(kUnloaded, 0), 8);
  EXPECT_EQ(Read(kUnloaded, 2), 56);

  object_.visible = false;
  object_.enabled = false;
  EXPECT_EQ(Read(kEdit, 5), 0);  // the template says visible; the window is not
  EXPECT_EQ(Read(kEdit, 6), 1);
  EXPECT_EQ(Read(kUnloaded, 5), 0);  // flag bit 0
  EXPECT_EQ(Read(kUnloaded, 6), 1);  // flag bit 1

  object_.has_window = false;  // an object whose window is gone counts as unloaded
  EXPECT_EQ(Read(kEdit, 0), 64);
  EXPECT_EQ(Read(kEdit, 5), 1);
}

TEST_F(Properties, TagIsANewTextAndAnEmptyTagIsNull) {
  int64_t tag = Read(kEdit, 4);
  EXPECT_NE(Block<char>(tag), edit_.tag.c_str());
  EXPECT_EQ(TakeText(tag), "标记");
  EXPECT_EQ(Read(kUnloaded, 4), 0);
  EXPECT_EQ(Read(0 /* window component */, 4), 0);
}

TEST_F(Properties, MousePointerIsTheTemplateCursorDataAsAByteArray) {
  EXPECT_EQ(TakeBytes(Read(kUnloaded, 7)), (std::vector<uint8_t>{0x89, 0x7F, 0, 0}));
  EXPECT_EQ(Read(kEdit, 7), 0);  // no cursor data: the empty byte array
}

TEST_F(Properties, WritingCommonPropertiesReachesObjectOrTemplate) {
  Write(kEdit, 2, 100);
  EXPECT_EQ(object_.geometry.width, 100);
  EXPECT_EQ(object_.geometry.left, 65);
  EXPECT_EQ(edit_.geometry.width, 88);  // the template is not written while loaded
  Write(kUnloaded, 1, uint32_t(-5));
  EXPECT_EQ(unloaded_.geometry.top, -5);

  Write(kEdit, 5, 0);
  EXPECT_FALSE(object_.visible);
  Write(kEdit, 6, 1);
  EXPECT_FALSE(object_.enabled);
  Write(kUnloaded, 6, 0);
  EXPECT_EQ(unloaded_.flags & runtime::component_flag::kDisabled, 0u);
  Write(kUnloaded, 5, 1);
  EXPECT_NE(unloaded_.flags & runtime::component_flag::kVisible, 0u);

  static const char tag[] = "新标记";
  Write(kEdit, 4, Bits(tag));
  EXPECT_EQ(edit_.tag, "新标记");
  Write(kEdit, 4, 0);
  EXPECT_EQ(edit_.tag, "");

  const uint8_t hand[] = {0x89, 0x7F, 0, 0};
  void* cursor = runtime::NewByteArray(hand);
  Write(kEdit, 7, Bits(cursor));
  EXPECT_EQ(edit_.cursor, std::vector<uint8_t>(hand, hand + 4));
  EXPECT_EQ(object_.cursor_seen, edit_.cursor);
  runtime::FreeBlock(cursor);
}

TEST_F(Properties, MenuItemsHaveCaptionCheckDisabledAndVisible) {
  EXPECT_EQ(TakeText(Read(kMenu, 0)), "帮助");
  EXPECT_EQ(Read(kMenu, 1), 1);
  EXPECT_EQ(Read(kMenu, 2), 0);
  EXPECT_EQ(Read(kMenu, 3), 1);

  Write(kMenu, 3, 0);
  EXPECT_EQ(menu_.flags, runtime::menu_flag::kChecked | runtime::menu_flag::kHidden);
  Write(kMenu, 1, 0);
  Write(kMenu, 2, 1);
  EXPECT_EQ(menu_.flags, runtime::menu_flag::kHidden | runtime::menu_flag::kDisabled);
  static const char caption[] = "关于";
  Write(kMenu, 0, Bits(caption));
  EXPECT_EQ(menu_.caption, "关于");
  EXPECT_EQ(menu_.menu_rebuilds, 4);  // each write rebuilds the menu bar
}

TEST_F(Properties, TypeSpecificValuesAreConvertedByDataType) {
  object_.values[kNumber] = 0xFF000000u;
  object_.values[kFlag] = 7;  // only exactly 1 reads as true
  object_.values[kWide] = 0x123456789ABCDEF0ull;
  object_.bytes[kPicture] = {1, 2, 3};
  object_.texts[kCaption] = "标题";
  EXPECT_EQ(Read(kEdit, 8 + kNumber), int32_t(0xFF000000u));
  EXPECT_EQ(Read(kEdit, 8 + kFlag), 0);
  object_.values[kFlag] = 1;
  EXPECT_EQ(Read(kEdit, 8 + kFlag), 1);
  EXPECT_EQ(uint64_t(Read(kEdit, 8 + kWide)), 0x123456789ABCDEF0ull);
  EXPECT_EQ(TakeBytes(Read(kEdit, 8 + kPicture)), (std::vector<uint8_t>{1, 2, 3}));
  EXPECT_EQ(TakeText(Read(kEdit, 8 + kCaption)), "标题");
  object_.texts[kCaption] = "";
  EXPECT_EQ(Read(kEdit, 8 + kCaption), 0);
  EXPECT_EQ(Read(kEdit, 8 + 40), 0);  // beyond the type's properties
}

TEST_F(Properties, StandardCursorNumbersMapToCursorIds) {
  object_.values[kPointer] = 15;  // the hand
  EXPECT_EQ(TakeBytes(Read(kEdit, 8 + kPointer)), (std::vector<uint8_t>{0x89, 0x7F, 0, 0}));
  object_.values[kPointer] = 0;
  object_.bytes[kPointer] = {9, 9, 9, 9, 9};  // the bytes of a cursor file pass as they are
  EXPECT_EQ(TakeBytes(Read(kEdit, 8 + kPointer)), (std::vector<uint8_t>{9, 9, 9, 9, 9}));
}

TEST_F(Properties, WritesConvertTheProgramsValue) {
  Write(kEdit, 8 + kNumber, 0xFFFFFFFF00000005ull);  // a 32-bit kind takes the low word
  EXPECT_EQ(object_.values[kNumber], 5u);
  Write(kEdit, 8 + kFlag, 42);
  EXPECT_EQ(object_.values[kFlag], 1u);
  Write(kEdit, 8 + kWide, 0x0000000100000002ull);
  EXPECT_EQ(object_.values[kWide], 0x0000000100000002ull);
  static const char text[] = "条码";
  Write(kEdit, 8 + kCaption, Bits(text));
  EXPECT_EQ(object_.texts[kCaption], "条码");
  Write(kEdit, 8 + kCaption, 0);  // null is the empty text
  EXPECT_EQ(object_.texts[kCaption], "");
  const uint8_t bytes[] = {4, 5};
  void* array = runtime::NewByteArray(bytes);
  Write(kEdit, 8 + kPicture, Bits(array));
  EXPECT_EQ(object_.bytes[kPicture], (std::vector<uint8_t>{4, 5}));
  runtime::FreeBlock(array);
}

TEST_F(Properties, FontMembersAndTheWholeRecord) {
  // No font yet: the default GUI font, 9 points.
  EXPECT_EQ(Read(kEdit, 8 + kFont, 5), 9);
  EXPECT_EQ(Read(kEdit, 8 + kFont, 1), 0);

  Write(kEdit, 8 + kFont, 20, 5);  // size 20 points: height -MulDiv(20, 96, 72) = -27
  ASSERT_EQ(object_.bytes[kFont].size(), 60u);
  int32_t height;
  std::memcpy(&height, object_.bytes[kFont].data(), 4);
  EXPECT_EQ(height, -27);
  EXPECT_EQ(Read(kEdit, 8 + kFont, 5), 20);

  Write(kEdit, 8 + kFont, uint32_t(-10), 0);  // angles come into 0..3599
  EXPECT_EQ(Read(kEdit, 8 + kFont, 0), 3590);
  Write(kEdit, 8 + kFont, 1, 1);
  Write(kEdit, 8 + kFont, 1, 4);
  static const char face[] = "黑体";
  Write(kEdit, 8 + kFont, Bits(face), 6);
  EXPECT_EQ(TakeText(Read(kEdit, 8 + kFont, 6)), "黑体");
  static const char too_long[] = "0123456789012345678901234567890123";
  Write(kEdit, 8 + kFont, Bits(too_long), 6);
  EXPECT_EQ(TakeText(Read(kEdit, 8 + kFont, 6)), "宋体");

  auto* record = Block<FontRecord>(Read(kEdit, 8 + kFont, -1));
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->angle, 3590);
  EXPECT_EQ(record->bold, 1);
  EXPECT_EQ(record->italic, 0);
  EXPECT_EQ(record->strike_out, 0);
  EXPECT_EQ(record->underline, 1);
  EXPECT_EQ(record->size, 20);
  EXPECT_STREQ(record->face, "宋体");

  // The whole record written back, changed.
  static char face2[] = "楷体";
  record->bold = 0;
  record->italic = 1;
  record->size = 12;
  runtime::FreeBlock(record->face);
  record->face = face2;
  Write(kEdit, 8 + kFont, Bits(record), -1);
  runtime::FreeBlock(record);
  EXPECT_EQ(Read(kEdit, 8 + kFont, 1), 0);
  EXPECT_EQ(Read(kEdit, 8 + kFont, 2), 1);
  EXPECT_EQ(Read(kEdit, 8 + kFont, 5), 12);
  EXPECT_EQ(TakeText(Read(kEdit, 8 + kFont, 6)), "楷体");

  object_.bytes[kFont] = {1, 2, 3};  // malformed: the default font again
  EXPECT_EQ(Read(kEdit, 8 + kFont, 5), 9);
}

TEST_F(Properties, FreeStandingObjectsUseTheTypesOwnNumbers) {
  object_.values[kNumber] = 77;
  intptr_t object = reinterpret_cast<intptr_t>(static_cast<runtime::ComponentObject*>(&object_));
  EXPECT_EQ(kernel_->Service(service::kReadObjectProperty, type_id::kEditBox, object, kNumber, -1, 0),
            77);
  kernel_->Service(service::kWriteObjectProperty, type_id::kEditBox, object, kFlag, -1, 3);
  EXPECT_EQ(object_.values[kFlag], 1u);
  // An unknown type has no properties.
  EXPECT_EQ(kernel_->Service(service::kReadObjectProperty, type_id::kButton, object, kNumber, -1, 0),
            0);
}

TEST(PropertiesDeath, TypeSpecificPropertiesNeedALiveWindowObject) {
  auto read = RunInChild([] {
    TestProgram program;
    program.libraries = {&kTestLibrary};
    const KernelEntryTable& kernel = program.Start();
    FakeComponent window, edit;
    edit.type = type_id::kEditBox;
    FakeRegistry registry;
    registry.Add(kWindow, 0, &window);
    registry.Add(kWindow, kUnloaded, &edit);
    registry.Install();
    kernel.ReadProperty(kWindow, 0x16010020, 8, -1);
  });
  EXPECT_EQ(read.exit_code, 255);
  EXPECT_NE(read.boxes.find("错误信息：读取组件属性时发现指定窗口尚未载入\r\n\r\n1375797249, "
                            "369164320\r\n\"\"\r\n\"\"\r\n"),
            std::string::npos);

  auto write = RunInChild([] {
    TestProgram program;
    const KernelEntryTable& kernel = program.Start();
    FakeComponent window, edit;
    FakeRegistry registry;
    registry.Add(kWindow, 0, &window);
    registry.Add(kWindow, kUnloaded, &edit);
    registry.Install();
    kernel.WriteProperty(kWindow, kUnloaded, 9, -1, 1, 0);
  });
  EXPECT_EQ(write.exit_code, 255);
  EXPECT_NE(write.boxes.find("修改组件属性时发现指定窗口尚未载入"), std::string::npos);
}

TEST(PropertiesDeath, AWindowOutsideTheRegistryIsFatal) {
  auto outcome = RunInChild([] {
    TestProgram program;
    program.Start().ReadProperty(0x52010001, 0x1601001B, 0, -1);
  });
  EXPECT_EQ(outcome.exit_code, 255);
  EXPECT_NE(outcome.boxes.find("错误信息：未载入欲访问窗口组件所在的窗口\r\n\r\n1375797249, "
                               "369164315\r\n未找到所指定的窗口\r\n"),
            std::string::npos);
}

}  // namespace
}  // namespace barvell
