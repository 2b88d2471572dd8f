// The add-in's keyboard hook with real Windows input: a window plays Outlook's explorer in
// front, the add-in module files over the simulated Outlook, and key strokes are injected with
// SendInput as a person's would arrive. Alt+3 with slot 3 bound moves the selected items and
// never reaches the window; an unassigned Alt+4 does; once the hook is removed Alt+3 passes
// too. Prints one PASS or FAIL line per check and exits with the number of failures.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "core/add_in_module.h"
#include "host/framework/com/keyboard_hook.h"
#include "host/framework/keyboard/keyboard_hook_logic.h"
#include "host/outlook/sim/standard_world.h"
#include "model/configuration.h"
#include "platform/compositions/sim/sim_platform.h"
#include "tests/e2e/check_report.h"
#include "tests/support/slot_assignment.h"

namespace {

using namespace quivra;

using e2e::Check;

// The key messages the window in front received: "down 51", "up 18" (virtual keys).
std::vector<std::string> received;

LRESULT CALLBACK ExplorerProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      received.push_back("down " + std::to_string(wparam));
      return 0;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      // Handled here, so that Alt alone does not enter menu mode.
      received.push_back("up " + std::to_string(wparam));
      return 0;
    default:
      return ::DefWindowProcW(window, message, wparam, lparam);
  }
}

bool Received(const std::string& message) {
  for (const std::string& seen : received) {
    if (seen == message)
      return true;
  }
  return false;
}

// Takes the thread's messages for a while: the hook runs as they are taken, the shortcut
// window's message is dispatched after.
void Pump(DWORD milliseconds) {
  const DWORD start = ::GetTickCount();
  MSG msg;
  while (::GetTickCount() - start < milliseconds) {
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    ::Sleep(10);
  }
}

INPUT Key(WORD virtual_key, bool up) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtual_key;
  input.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(virtual_key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

// Alt pressed, the key pressed and released, Alt released, as a person types Alt+3.
void TypeAlt(WORD virtual_key) {
  INPUT inputs[] = {Key(VK_MENU, false), Key(virtual_key, false), Key(virtual_key, true),
                    Key(VK_MENU, true)};
  const UINT sent = ::SendInput(4, inputs, sizeof(INPUT));
  Check(sent == 4, "the key strokes were injected");
  Pump(400);
}

HWND ShowExplorerWindow() {
  WNDCLASSEXW window_class = {};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = ExplorerProc;
  window_class.hInstance = ::GetModuleHandleW(nullptr);
  window_class.lpszClassName = L"QuivraExplorerStandIn";
  ::RegisterClassExW(&window_class);
  HWND window =
      ::CreateWindowExW(0, L"QuivraExplorerStandIn", L"Inbox - Outlook", WS_OVERLAPPEDWINDOW, 0, 0,
                        640, 480, nullptr, nullptr, window_class.hInstance, nullptr);
  ::ShowWindow(window, SW_SHOW);
  ::SetForegroundWindow(window);
  ::SetFocus(window);
  Pump(200);
  return window;
}

}  // namespace

int main() {
  HWND explorer_window = ShowExplorerWindow();
  Check(explorer_window != nullptr && ::GetForegroundWindow() == explorer_window,
        "the explorer window is in front");

  outlook::sim::StandardWorld world;
  platform::sim::SimPlatform sim;
  core::Configuration config;
  core::TAddInModule module(sim.platform(), config, world.outlook.application());
  module.comAddInModuleAddInInitialize(module);
  test::ConfigureSlot(config, 3, world.alpha);
  module.PlaceButtonBar();

  framework::TKeyboardHookLogic logic(module, world.outlook.application());
  auto hook = std::make_unique<framework::com::TKeyboardHook>(logic);
  Check(hook->Window() != nullptr && !::IsWindowVisible(hook->Window()),
        "the shortcut window exists and is hidden");

  // Alt+3: the two selected mails go to slot 3's folder; Outlook never sees the 3.
  const outlook::sim::SimItem first = world.inbox_mail[0];
  const outlook::sim::SimItem second = world.inbox_mail[1];
  world.explorer.Select({first, second});
  TypeAlt('3');
  Check(first.folder().path() == world.alpha.path() && second.folder().path() == world.alpha.path(),
        "Alt+3 moved the selected items to " + world.alpha.path() + " (now in " +
            first.folder().path() + ")");
  Check(!Received("down 51"), "the 3 of Alt+3 did not reach the window");
  Check(Received("up 18"), "the release of Alt reached the window");
  Check(sim.message_boxes.shown().empty(), "no message was shown");

  // Alt+4: no slot, no shortcut; the window gets the key and nothing moves.
  received.clear();
  const outlook::sim::SimItem third = world.inbox_mail[2];
  world.explorer.Select({third});
  TypeAlt('4');
  Check(Received("down 52"), "Alt+4 reached the window");
  Check(third.folder().path() == world.inbox.path(), "Alt+4 moved nothing");

  // Without the hook Alt+3 is Outlook's again.
  hook.reset();
  received.clear();
  TypeAlt('3');
  Check(Received("down 51"), "after the hook is removed Alt+3 reaches the window");
  Check(third.folder().path() == world.inbox.path(), "after the hook is removed nothing moves");

  ::DestroyWindow(explorer_window);
  std::printf("%d failed\n", e2e::Failures());
  return e2e::Failures();
}
