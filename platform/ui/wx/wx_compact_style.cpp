#include "platform/ui/wx/wx_compact_style.h"

#include <wx/platform.h>

#include <cstring>

#if defined(__WXGTK__)
#include <dlfcn.h>
#endif

namespace barvell::ui {

#if defined(__WXGTK__)

namespace {

// The few GTK calls needed to add a style sheet for the whole screen. wx has GTK loaded but
// exposes neither its headers nor its link names, so they are looked up in the process.
using NewProvider = void* (*)();
using LoadData = int (*)(void* provider, const char* data, long length, void** error);
using DefaultScreen = void* (*)();
using AddForScreen = void (*)(void* screen, void* provider, unsigned priority);
using Unref = void (*)(void* object);

constexpr unsigned kApplicationPriority = 600;  // GTK_STYLE_PROVIDER_PRIORITY_APPLICATION

// Native controls of the original platform fit text in 20 pixels; GTK's default theme
// pads them to more than 30, which would clip every control of the templates.
constexpr char kCompactCss[] =
    "entry { min-height: 0; padding: 0 3px; }\n"
    "button { min-height: 0; min-width: 0; padding: 0 4px; }\n"
    "combobox button { padding: 0 2px; }\n"
    "combobox arrow { min-width: 10px; min-height: 10px; }\n"
    "combobox cellview { margin: 0; }\n";

template <typename F>
F Lookup(const char* name) {
  return reinterpret_cast<F>(dlsym(RTLD_DEFAULT, name));
}

}  // namespace

void InstallCompactStyle() {
  auto newProvider = Lookup<NewProvider>("gtk_css_provider_new");
  auto loadData = Lookup<LoadData>("gtk_css_provider_load_from_data");
  auto defaultScreen = Lookup<DefaultScreen>("gdk_screen_get_default");
  auto addForScreen = Lookup<AddForScreen>("gtk_style_context_add_provider_for_screen");
  auto unref = Lookup<Unref>("g_object_unref");
  if (!newProvider || !loadData || !defaultScreen || !addForScreen || !unref) return;
  void* screen = defaultScreen();
  if (!screen) return;
  void* provider = newProvider();
  if (!provider) return;
  if (loadData(provider, kCompactCss, static_cast<long>(std::strlen(kCompactCss)), nullptr))
    addForScreen(screen, provider, kApplicationPriority);
  unref(provider);
}

#else
void InstallCompactStyle() {}  // other toolkits size their controls as asked
#endif

}  // namespace barvell::ui
