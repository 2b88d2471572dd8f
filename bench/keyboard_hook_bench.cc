// The keyboard hook's decision for one key-down, which runs on every key press in every Outlook
// window while the add-in is loaded: a letter typed into a mail (no shortcut matches, the
// common case) and Alt+3 (a filing shortcut matches), with all thirteen shortcuts armed (Alt+1
// … Alt+0, Alt+Z, Alt+K and Backspace) in an explorer on the Inbox. Argument: the Outlook year (2007
// adds the command bar's entries to the table). Counter: calls into Outlook per key-down.
#include <cstdint>

#include <benchmark/benchmark.h>

#include "bench/started_add_in.h"
#include "host/framework/keyboard/keyboard_hook_logic.h"

namespace {

using quivra::bench::OutlookMachine;
using quivra::bench::StartedAddIn;
using quivra::framework::THookVerdict;
using quivra::framework::TKeyPress;

constexpr std::uint32_t kKeyDown = 0x001E0001;  // repeat count 1, scan code of A

void HookKeyDown(benchmark::State& state, const TKeyPress& press, THookVerdict::Kind want) {
  OutlookMachine machine(static_cast<int>(state.range(0)), 20);
  StartedAddIn addin(machine);
  addin.Start();
  quivra::framework::TKeyboardHookLogic* hook = addin.addin().KeyboardHook();
  int armed = 0;
  for (const auto* shortcut :
       addin.module().ComponentsOf<quivra::framework::TKeyboardShortcut>()) {
    armed += shortcut->Enabled() ? 1 : 0;
  }
  if (hook == nullptr || armed != 13) {
    state.SkipWithError("the hook is not installed with thirteen shortcuts armed");
    return;
  }
  machine.world().outlook.ResetCallCounts();
  for (auto _ : state) {
    const THookVerdict verdict = hook->KeyMessage(press, true);
    benchmark::DoNotOptimize(verdict);
    if (verdict.Action != want) {
      state.SkipWithError("the hook decided otherwise");
      break;
    }
  }
  state.counters["outlook_calls"] = static_cast<double>(machine.world().outlook.TotalCalls()) /
                                    static_cast<double>(state.iterations());
}

void BM_HookKeyNoMatch(benchmark::State& state) {
  HookKeyDown(state, TKeyPress{'A', kKeyDown, false, false, false},
              THookVerdict::Kind::kPass);
}
BENCHMARK(BM_HookKeyNoMatch)->ArgName("outlook")->Arg(2007)->Arg(2013);

void BM_HookKeyMatch(benchmark::State& state) {
  HookKeyDown(state, TKeyPress{'3', kKeyDown, false, false, true},
              THookVerdict::Kind::kPostShortcut);
}
BENCHMARK(BM_HookKeyMatch)->ArgName("outlook")->Arg(2007)->Arg(2013);

}  // namespace
