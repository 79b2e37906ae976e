// Desktop smoke test of the wx window system, run under Xvfb: opens a window with a group
// box holding an edit box and a button, a multi-line edit box with Chinese text and a
// bitmap surface; types into the edit box through the X server with a filtering sink;
// takes a screenshot of the screen and checks that it is not blank.
//   ui_wx_smoke <screenshot.png>
// Exit 0 on success, 1 on a failed check, 2 when there is no display.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>

#include <unistd.h>

#include "platform/gfx/bitmap.h"
#include "platform/ui/desktop.h"

using namespace barvell;
using namespace barvell::ui;

namespace {

int failures = 0;

void Check(bool ok, const std::string& what) {
  std::printf("%s: %s\n", ok ? "ok" : "FAILED", what.c_str());
  if (!ok) ++failures;
}

// Lets digits through and swallows everything else, as a numeric input filter does.
struct DigitsOnly : EventSink {
  int clicks = 0;
  int changes = 0;
  int keyDowns = 0;
  std::intptr_t userValue = 0;
  Event lastDown;
  WindowSystem* ws = nullptr;
  bool OnEvent(const Event& e) override {
    if (e.kind == EventKind::kUserMessage) {
      userValue = e.value;
      ws->PostQuit(e.command);
    }
    if (e.kind == EventKind::kButtonClicked) ++clicks;
    if (e.kind == EventKind::kEditChanged) ++changes;
    if (e.kind == EventKind::kKeyDown) ++keyDowns;
    if (e.kind == EventKind::kMouseDown) lastDown = e;
    return false;
  }
  char32_t OnCharacter(WindowHandle, char32_t c) override {
    return (c >= U'0' && c <= U'9') || c < 32 ? c : 0;
  }
};

void Pump(WindowSystem& ws, int milliseconds) {
  auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  while (std::chrono::steady_clock::now() < until) {
    while (ws.HasPendingEvent()) ws.DispatchOne();
    ws.ProcessIdle();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

std::string Run(const std::string& command) {
  std::string out;
  if (FILE* p = popen(command.c_str(), "r")) {
    char buf[256];
    while (std::fgets(buf, sizeof buf, p)) out += buf;
    pclose(p);
  }
  while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
  return out;
}

// Handles what is pending, as a running handler's DoEvents does, without idle time.
void PumpEventsOnly(WindowSystem& ws, int milliseconds) {
  auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  while (std::chrono::steady_clock::now() < until) {
    while (ws.HasPendingEvent()) ws.DispatchOne();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

// Stripes like the bars of a barcode, framed in red.
gfx::Bitmap Bars(int width, int height) {
  gfx::Bitmap b(width, height, 0xFFFFFF);
  for (int x = 20; x < width - 20; ++x)
    if ((x / 3) % 3 != 1)
      for (int y = 20; y < height - 30; ++y) b.SetPixel(x, y, 0x000000);
  for (int x = 0; x < width; ++x) b.SetPixel(x, 0, 0xFF0000), b.SetPixel(x, height - 1, 0xFF0000);
  for (int y = 0; y < height; ++y) b.SetPixel(0, y, 0xFF0000), b.SetPixel(width - 1, y, 0xFF0000);
  return b;
}

}  // namespace

int main(int argc, char** argv) {
  std::string shot = argc > 1 ? argv[1] : "ui_wx_smoke.png";
  std::unique_ptr<WindowSystem> ws = CreateDesktopWindowSystem(argc, argv);
  if (!ws) {
    std::puts("ui_wx_smoke: no display");
    return 2;
  }
  DigitsOnly sink;
  sink.ws = ws.get();
  ws->SetEventSink(&sink);

  TopLevelParams params;
  params.caption = "条码生成 冒烟测试";
  params.outer = {40, 40, 540, 360};
  params.border = WindowBorder::kFixed;
  params.minimiseBox = true;
  WindowHandle window = ws->CreateTopLevel(params);
  ws->SetMenuBar(window, {MenuItem{"帮助", 0, true, false, false,
                                   {MenuItem{"教程", 20001, true, false, false, {}},
                                    MenuItem{"关于", 20002, true, false, false, {}}}}});

  auto control = [&](ControlKind kind, WindowHandle parent, Rect r, std::string text, bool multi = false) {
    ControlParams c;
    c.kind = kind;
    c.parent = parent;
    c.rect = r;
    c.text = std::move(text);
    c.multiLine = multi;
    c.tabStop = kind != ControlKind::kSurface && kind != ControlKind::kGroupBox;
    return ws->CreateControl(c);
  };
  // A cover created before the panel, then placed above it, as the loader orders siblings.
  gfx::Bitmap blue(30, 30, 0x0000FF);
  WindowHandle cover = control(ControlKind::kSurface, window, {0, 0, 30, 30}, "");
  ws->SetSurfaceBitmap(cover, &blue, 0x0000FF);
  gfx::Bitmap bars = Bars(280, 170);
  WindowHandle surface = control(ControlKind::kSurface, window, {10, 10, 280, 170}, "");
  ws->SetSurfaceBitmap(surface, &bars, 0xF0F0F0);
  ws->PlaceAfter(surface, cover);
  WindowHandle group = control(ControlKind::kGroupBox, window, {310, 10, 210, 160}, "编码信息");
  // The sizes of the program's own controls: 20-pixel edit boxes and lists.
  WindowHandle fixed = control(ControlKind::kEdit, group, {80, 30, 120, 20}, "690");
  WindowHandle format = control(ControlKind::kDropDownList, group, {80, 70, 56, 20}, "");
  ws->SetItems(format, {"PNG", "JPG", "BMP"});
  ws->SetCurrent(format, 1);
  WindowHandle compute = control(ControlKind::kPushButton, group, {10, 110, 80, 24}, "计算编码");
  WindowHandle browse = control(ControlKind::kPushButton, group, {180, 70, 20, 20}, "..");
  WindowHandle multi =
      control(ControlKind::kEdit, window, {10, 190, 280, 100}, "固定编码：6901234\r\n自主编码：56789", true);
  WindowHandle save = control(ControlKind::kPushButton, window, {310, 190, 210, 34}, "保存图片");
  (void)compute;
  (void)browse;

  ws->Show(window, ShowMode::kShow);
  Pump(*ws, 800);

  Check(ws->IsVisible(window), "the window is shown");
  Check(ws->GetText(multi) == "固定编码：6901234\r\n自主编码：56789", "multi-line text round-trips with CR LF");
  Check(ws->Parent(fixed) == group, "the edit box lies in the group box");
  Check(ws->GetCurrent(format) == 1 && ws->GetItems(format).size() == 3, "the list holds its items");
  Point g = ws->ClientToScreen(group, {0, 0});
  Rect r = ws->GetRect(fixed);
  Check(r.left == 80 && r.top == 30, "the edit box is placed in the group's client area");
  Point e = ws->ClientToScreen(fixed, {0, 0});
  Check(e.x >= g.x + 80 && e.y >= g.y + 30 && e.x < g.x + 90 && e.y < g.y + 40,
        "the edit box's screen position follows the group box");

  // Type through the X server: the sink lets digits through and swallows letters.
  Check(ws->SetFocus(fixed), "the edit box takes the focus");
  ws->SetSelection(fixed, 3, 3);
  Pump(*ws, 200);
  std::string xid = Run("xdotool search --onlyvisible --pid " + std::to_string(getpid()) + " | head -n 1");
  if (!xid.empty()) {
    Run("xdotool windowfocus --sync " + xid + " 2>/dev/null");
    Pump(*ws, 200);
    ws->SetFocus(fixed);
    Pump(*ws, 200);
    Run("xdotool type --delay 30 '12ab3'");
    Pump(*ws, 800);
    std::printf("typed: \"%s\", %d key downs, %d changes\n", ws->GetText(fixed).c_str(), sink.keyDowns, sink.changes);
    Check(ws->GetText(fixed) == "690123", "typed characters pass the sink's filter");
    Check(sink.keyDowns >= 5, "key downs reach the sink");
    Point button = ws->ClientToScreen(save, {100, 17});
    Run("xdotool mousemove " + std::to_string(button.x) + " " + std::to_string(button.y) + " click 1");
    Pump(*ws, 500);
    Check(sink.clicks == 1, "a click on the button reports it clicked");
    Point onCover = ws->ClientToScreen(cover, {25, 26});
    Run("xdotool mousemove " + std::to_string(onCover.x) + " " + std::to_string(onCover.y) + " click 1");
    Pump(*ws, 300);
    Check(sink.lastDown.window == cover && sink.lastDown.position == Point{25, 26},
          "a click where the cover hides the panel reaches the cover, in its own coordinates");
  } else {
    Check(false, "xdotool finds the window");
  }

  // The loop primitives: a message posted from another thread wakes the waiting loop,
  // whose handler posts the quit that ends it.
  std::thread poster([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    ws->PostUserMessage(7, 42);
  });
  auto started = std::chrono::steady_clock::now();
  int quitCode = -1;
  for (;;) {
    if (ws->IsQuitPosted()) {
      quitCode = ws->TakeQuit();
      break;
    }
    if (std::chrono::steady_clock::now() - started > std::chrono::seconds(10)) break;
    if (!ws->HasPendingEvent() && !ws->ProcessIdle()) ws->WaitForEvent();
    else if (ws->HasPendingEvent()) ws->DispatchOne();
  }
  poster.join();
  Check(quitCode == 7 && sink.userValue == 42, "a posted message wakes the loop and its quit ends it");

  Pump(*ws, 300);
  std::system(("import -window root '" + shot + "'").c_str());
  std::string colours = Run("convert '" + shot + "' -format %k info:");
  std::printf("screenshot %s: %s colours\n", shot.c_str(), colours.c_str());
  Check(std::atoi(colours.c_str()) > 8, "the screenshot is not blank");
  Point overlap = ws->ClientToScreen(cover, {25, 25});  // inside the panel's red frame too
  std::string pixel = Run("convert '" + shot + "' -format '%[pixel:p{" + std::to_string(overlap.x) + "," +
                          std::to_string(overlap.y) + "}]' info:");
  Check(pixel == "blue" || pixel == "srgb(0,0,255)", "the cover lies above the panel (" + pixel + ")");

  // A surface held before its bitmap is erased shows the old picture while only events
  // are handled (a batch between two codes), and its bitmap again once the loop idles.
  auto barAt = [&](const std::string& when) {
    Point p = ws->ClientToScreen(surface, {60, 60});  // on a bar, clear of the cover
    std::string file = shot + "." + when + ".png";
    std::system(("import -window root '" + file + "'").c_str());
    std::string pixel = Run("convert '" + file + "' -format '%[pixel:p{" + std::to_string(p.x) +
                            "," + std::to_string(p.y) + "}]' info:");
    std::remove(file.c_str());
    return pixel == "black" || pixel == "srgb(0,0,0)";
  };
  Check(barAt("before"), "the panel shows its bars");
  ws->HoldSurface(surface);
  bars.Fill(0xFFFFFF);
  ws->Invalidate(surface);
  PumpEventsOnly(*ws, 300);
  Check(barAt("held"), "an erased panel that was held still shows its bars while events run");
  Pump(*ws, 300);
  Check(!barAt("released"), "once the loop idles the panel shows its erased bitmap");

  ws->Destroy(window);
  Check(!ws->IsWindow(fixed), "destroying the window takes its controls along");
  Pump(*ws, 100);
  ws.reset();
  return failures == 0 ? 0 : 1;
}
