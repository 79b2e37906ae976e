// Library commands through kernel entries 3 and 4, the libraries' notifications and the
// service callback, and runtime initialisation.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "child_process.h"
#include "fake_components.h"
#include "platform/kernel/process.h"
#include "runtime/call/command_library.h"
#include "runtime/call/heap.h"
#include "runtime/call/runtime_state.h"
#include "runtime/call/service_callback.h"
#include "runtime/call/shutdown.h"
#include "test_program.h"

namespace barvell {
namespace {

using runtime::ServiceCallback;
using testing::FakeComponent;
using testing::FakeObject;
using testing::FakeRegistry;
using testing::RunInChild;
using testing::TestProgram;

// A second library whose commands echo what they were given.
void CountArguments(ResultRecord* result, int32_t count, ArgRecord* args) {
  EXPECT_EQ(result->low, 0u);  // handed a zeroed record
  EXPECT_EQ(result->high, 0u);
  EXPECT_EQ(result->extra, 0u);
  result->low = uint32_t(count);
  result->high = count > 0 ? args[count - 1].low : 0;
  result->extra = 0xE;
}
void NewText(ResultRecord* result, int32_t, ArgRecord*) { result->SetPointer(runtime::CopyText("新")); }

ServiceCallback g_callback = nullptr;
std::vector<std::pair<int32_t, intptr_t>> g_notifications;
intptr_t Notify(int32_t notification, intptr_t argument) {
  g_notifications.push_back({notification, argument});
  if (notification == runtime::notification::kInitialise) {
    g_callback = reinterpret_cast<ServiceCallback>(argument);
  }
  return 0;
}

constexpr LibraryCommand kEchoCommands[] = {CountArguments, NewText};
const CommandLibrary kEchoLibrary = {"echo", 2, kEchoCommands, 0, nullptr, &Notify};
const runtime::TypeDescriptor kBarTypes[1] = {{"条", "Bar", {}, 0x8000, {}, 0, nullptr, nullptr}};
const CommandLibrary kBarLibrary = {"bar", 0, nullptr, 1, kBarTypes, nullptr};

TestProgram ProgramWithLibraries() {
  TestProgram program;
  program.libraries = {&runtime::kCoreLibrary, &kEchoLibrary, nullptr, &kBarLibrary};
  return program;
}

TEST(LibraryCommands, FirstLibraryThroughEntryFour) {
  TestProgram program = ProgramWithLibraries();
  const KernelEntryTable& kernel = program.Start();
  ArgRecord text = ArgRecord::Text("条码ab");
  ResultRecord length = kernel.CallLibraryCommand(command::kTextLength, 1, &text);
  EXPECT_EQ(length.Int(), 6);  // bytes
  ArgRecord left[2] = {ArgRecord::Text("条码ab"), ArgRecord::Int(2)};
  ResultRecord piece = kernel.CallLibraryCommand(command::kLeftText, 2, left);
  EXPECT_STREQ(piece.Pointer<char>(), "条");
  kernel.FreeBlock(piece.Pointer<char>());
}

TEST(LibraryCommands, ANullTableMeansTheRuntimesOwnLibraries) {
  TestProgram program;
  const KernelEntryTable& kernel = program.Start();  // no libraries given
  program.descriptor.library_count = 9;
  program.descriptor.libraries = nullptr;
  kernel.Service(service::kInitialise, 0, 0, 0, 0, 0);
  ArgRecord text = ArgRecord::Text("abc");
  EXPECT_EQ(kernel.CallLibraryCommand(command::kTextLength, 1, &text).Int(), 3);
  EXPECT_EQ(runtime::State().libraries.size(), 9u);
}

TEST(LibraryCommands, LaterLibrariesThroughEntryThreeByZeroBasedNumber) {
  TestProgram program = ProgramWithLibraries();
  const KernelEntryTable& kernel = program.Start();
  ArgRecord args[3] = {ArgRecord::Int(1), ArgRecord::Int(2), ArgRecord::Int(33)};
  ResultRecord r = kernel.CallLibraryCommandOf(1, 0, 3, args);
  EXPECT_EQ(r.low, 3u);
  EXPECT_EQ(r.high, 33u);
  EXPECT_EQ(r.extra, 0xEu);  // all three words come back
  ResultRecord text = kernel.CallLibraryCommandOf(1, 1, 0, nullptr);
  EXPECT_STREQ(text.Pointer<char>(), "新");
  kernel.FreeBlock(text.Pointer<char>());
}

TEST(LibraryCommands, MissingLibraryOrCommandIsFatalNotAWildJump) {
  for (auto call : {+[](const KernelEntryTable& k) { k.CallLibraryCommandOf(2, 0, 0, nullptr); },
                    +[](const KernelEntryTable& k) { k.CallLibraryCommandOf(1, 2, 0, nullptr); },
                    +[](const KernelEntryTable& k) { k.CallLibraryCommand(-1, 0, nullptr); }}) {
    auto outcome = RunInChild([call] {
      TestProgram program = ProgramWithLibraries();
      call(program.Start());
    });
    EXPECT_EQ(outcome.exit_code, 255);
    EXPECT_EQ(outcome.boxes.rfind("错误|运行时出错!", 0), 0u);
  }
}

TEST(LibraryServices, NotifiedAtInitialisationAndShutdown) {
  auto outcome = RunInChild([] {
    g_notifications.clear();
    TestProgram program = ProgramWithLibraries();
    program.Start();
    if (g_notifications.size() == 1 && g_notifications[0].first == 1 && g_callback != nullptr &&
        g_callback(runtime::library_service::kVersion, 0, 0) == 0x70005) {
      testing::ChildWrite("initialised;");
    }
    runtime::Shutdown(0);
    if (g_notifications.size() == 2 && g_notifications[1] == std::pair<int32_t, intptr_t>{6, 0}) {
      testing::ChildWrite("shut down;");
    }
    runtime::Shutdown(0);  // a second shutdown does nothing
    if (g_notifications.size() == 2) testing::ChildWrite("once");
  });
  EXPECT_EQ(outcome.written, "initialised;shut down;once");
}

TEST(LibraryServices, CallbackAnswersTypesPathsAndMemory) {
  TestProgram program = ProgramWithLibraries();
  program.Start();
  using namespace runtime::library_service;
  ServiceCallback callback = g_callback;
  ASSERT_NE(callback, nullptr);

  EXPECT_EQ(callback(kTypeDescriptor, 0x00040001, 0), reinterpret_cast<intptr_t>(&kBarTypes[0]));
  EXPECT_EQ(callback(kTypeDescriptor, 0x00040002, 0), 0);  // beyond the library's types
  EXPECT_EQ(callback(kTypeDescriptor, 0x00030001, 0), 0);  // a null library
  EXPECT_EQ(callback(kTypeDescriptor, 0x00010001, 0), 0);  // no types yet in the core library

  std::string self = platform::ModuleFileName();
  auto* directory = reinterpret_cast<const char*>(callback(kProgramDirectory, 0, 0));
  auto* file = reinterpret_cast<const char*>(callback(kProgramFileName, 0, 0));
  EXPECT_EQ(std::string(directory) + "/" + file, self);
  EXPECT_EQ(std::string(file), "runtime_tests");

  void* block = reinterpret_cast<void*>(callback(kAllocate, 16, 0));
  ASSERT_NE(block, nullptr);
  block = reinterpret_cast<void*>(callback(kReallocate, reinterpret_cast<intptr_t>(block), 32));
  callback(kFree, reinterpret_cast<intptr_t>(block), 0);
  EXPECT_EQ(callback(kAllocate, -1, 1), 0);  // a failure may be asked to give null
}

TEST(LibraryServices, WindowServicesWaitForTheRegistry) {
  TestProgram program = ProgramWithLibraries();
  program.Start();
  using namespace runtime::library_service;
  EXPECT_EQ(g_callback(kRegistry, 0, 0), 0);
  EXPECT_EQ(g_callback(kLoadWindow, 0, 0), -1);
  EXPECT_EQ(g_callback(kComponentObject, 0x52010001, 0), 0);
  uint32_t source[2] = {9, 9};
  EXPECT_EQ(g_callback(kEventSource, reinterpret_cast<intptr_t>(source), 0), 0);

  // With a registry: the live object of a loaded component, nothing for a menu item.
  FakeObject object;
  FakeComponent window, menu;
  window.object = &object;
  menu.menu_item = true;
  menu.object = &object;
  FakeRegistry registry;
  registry.Add(0x52010001, 0, &window);
  registry.Add(0x52010001, 0x26010328, &menu);
  registry.Install();
  EXPECT_EQ(g_callback(kComponentObject, 0x52010001, 0),
            reinterpret_cast<intptr_t>(static_cast<runtime::ComponentObject*>(&object)));
  EXPECT_EQ(g_callback(kComponentObject, 0x52010001, 0x26010328), 0);
  object.has_window = false;
  EXPECT_EQ(g_callback(kComponentObject, 0x52010001, 0), 0);
  runtime::Frame() = {};
}

TEST(LibraryServices, RequiredComponentObjectIsFatalWhenMissing) {
  auto outcome = RunInChild([] {
    TestProgram program = ProgramWithLibraries();
    program.Start();
    g_callback(runtime::library_service::kRequireComponentObject, 0x52010001, 0x16010029);
  });
  EXPECT_EQ(outcome.exit_code, 255);
  EXPECT_NE(outcome.boxes.find("错误信息：指定窗口或窗口组件不存在或尚未载入\r\n\r\n1375797249, "
                               "369164329\r\n未找到所指定的窗口\r\n"),
            std::string::npos);
}

TEST(Initialisation, CurrentDirectoryBecomesTheProgramDirectory) {
  auto outcome = RunInChild([] {
    ::chdir("/");
    TestProgram program;
    program.Start();
    testing::ChildWrite(platform::CurrentDirectory() == runtime::State().program_directory
                            ? "same"
                            : "different");
  });
  EXPECT_EQ(outcome.written, "same");
}

TEST(Initialisation, StartWindowWithoutLoaderIsFatal) {
  auto outcome = RunInChild([] {
    TestProgram program;
    program.Start().LoadStartWindow(0x52010001);
  });
  EXPECT_EQ(outcome.exit_code, 255);
  EXPECT_NE(outcome.boxes.find("错误信息：载入启动窗口失败\r\n"), std::string::npos);
}

TEST(Services, FindFileWalksMatchesAndClosesAtTheEnd) {
  std::filesystem::path dir = std::filesystem::temp_directory_path() /
                              ("barvell_find_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir / "Sub");
  std::ofstream(dir / "a.bmp") << "x";
  std::ofstream(dir / "B.BMP") << "x";
  std::ofstream(dir / "c.png") << "x";

  TestProgram program;
  const KernelEntryTable& kernel = program.Start();
  auto find_all = [&](const std::string& pattern, uint32_t attributes, bool dirs_only) {
    std::vector<std::string> names;
    intptr_t handle = 0;
    while (char* name = reinterpret_cast<char*>(kernel.Service(
               service::kFindFile, reinterpret_cast<intptr_t>(pattern.c_str()), attributes,
               dirs_only, reinterpret_cast<intptr_t>(&handle), 0))) {
      names.push_back(name);
      kernel.FreeBlock(name);
      EXPECT_NE(handle, 0);
    }
    EXPECT_EQ(handle, 0);  // closed at the end
    std::sort(names.begin(), names.end());
    return names;
  };
  std::string base = dir.string() + "/";
  EXPECT_EQ(find_all(base + "*.bmp", 0, false), (std::vector<std::string>{"B.BMP", "a.bmp"}));
  EXPECT_EQ(find_all(base + "?.*", 0, false),
            (std::vector<std::string>{"B.BMP", "a.bmp", "c.png"}));
  EXPECT_EQ(find_all(base + "*", 0, true), (std::vector<std::string>{"Sub"}));
  EXPECT_EQ(find_all(base + "*", 0x10, false), (std::vector<std::string>{"Sub"}));
  EXPECT_TRUE(find_all(base + "*.gif", 0, false).empty());

  // A search closed early.
  intptr_t handle = 0;
  std::string pattern = base + "*";
  char* first = reinterpret_cast<char*>(kernel.Service(
      service::kFindFile, reinterpret_cast<intptr_t>(pattern.c_str()), 0, 0,
      reinterpret_cast<intptr_t>(&handle), 0));
  kernel.FreeBlock(first);
  kernel.Service(service::kCloseFileSearch, handle, 0, 0, 0, 0);
  kernel.Service(service::kCloseFileSearch, 0, 0, 0, 0, 0);  // null is ignored
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace barvell
