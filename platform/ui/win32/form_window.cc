#include "platform/ui/win32/form_window.h"

#include <windows.h>

// After windows.h, which it needs.
#include <commctrl.h>

#include <algorithm>
#include <stdexcept>

#include "platform/ui/text_fit.h"
#include "platform/ui/win32/control_window_factory.h"
#include "platform/ui/win32/display.h"
#include "platform/ui/window_placement.h"
#include "platform/win32/wide_text.h"

namespace quivra::ui::win32 {

namespace {

using platform::win32::Utf8ToWide;

constexpr wchar_t kFormClass[] = L"QuivraForm";
constexpr int kFirstControlId = 1000;

// Controls of a parent in their tab order; equal orders keep the order of declaration.
std::vector<Control*> InTabOrder(const Control& parent) {
  std::vector<Control*> children = parent.Controls();
  std::stable_sort(children.begin(), children.end(), [](const Control* a, const Control* b) {
    return a->TabOrder() < b->TabOrder();
  });
  return children;
}

}  // namespace

void FormWindow::RegisterClasses() {
  const HINSTANCE module = ThisModule();
  WNDCLASSEXW frame{};
  frame.cbSize = sizeof(frame);
  frame.style = CS_DBLCLKS;
  frame.lpfnWndProc = FrameProc;
  frame.hInstance = module;
  frame.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  frame.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  frame.lpszClassName = kFormClass;
  ::RegisterClassExW(&frame);
  RegisterControlWindowClasses(frame);
  INITCOMMONCONTROLSEX common{sizeof(common),
                              ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&common);
}

void FormWindow::UnregisterClasses() {
  const HINSTANCE module = ThisModule();
  ::UnregisterClassW(kFormClass, module);
  UnregisterControlWindowClasses(module);
}

FormWindow::FormWindow(Form& form, platform::MessageBoxes& boxes)
    : form_(form), boxes_(boxes), fonts_(SystemDpi(), TextScalePercent()) {}

FormWindow::~FormWindow() {
  // Enabled again before this window hides, so that the owner can take the activation.
  disabled_.reset();
  if (frame_) {
    // The owner becomes active again before this window goes, so that it keeps the focus.
    ::SetWindowPos(frame_.get(), nullptr, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (owner_ != nullptr) {
      ::SetActiveWindow(owner_);
    }
    tooltips_.reset();
    // Destroyed while the control windows still exist: the windows may be called until then.
    frame_.reset();
  }
}

ModalResult FormWindow::ShowModal() {
  struct Hide {
    Form& form;
    ~Hide() { form.EndModal(); }
  } hide{form_};
  HWND active = ::GetActiveWindow();
  owner_ = active != nullptr ? ::GetAncestor(active, GA_ROOT) : nullptr;
  form_.BeginModal();
  if (form_.GetModalResult() != ModalResult::kNone) {
    return form_.GetModalResult();
  }
  // The form's windows follow the DPI of the monitor they are on, whatever the process's
  // awareness; the thread's own is restored when the form closes.
  const PerMonitorDpiScope per_monitor;
  Build();
  Sync();
  Place();
  if (owner_ != nullptr && !::IsWindowEnabled(owner_)) {
    owner_ = nullptr;
  }
  disabled_.emplace(frame_.get());
  ::ShowWindow(frame_.get(), SW_SHOW);
  ::UpdateWindow(frame_.get());
  // The focus is always shown, however the form was opened: Windows hides focus rectangles of a
  // window opened by the mouse until a key is pressed, which leaves a keyboard user guessing.
  // https://learn.microsoft.com/en-us/windows/win32/menurc/wm-changeuistate
  ::SendMessageW(frame_.get(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
  // The focus could not be given while the window was hidden.
  focus_written_ = nullptr;
  SyncFocus();
  if (form_.ActiveControl() == nullptr) {
    // No control was given the focus: the first one in tab order takes it, as the user would.
    if (HWND first = ::GetNextDlgTabItem(frame_.get(), nullptr, FALSE)) {
      ::SetFocus(first);
    }
  }
  if (!Run() && form_.GetModalResult() == ModalResult::kNone) {
    form_.SetModalResult(ModalResult::kCancel);
  }
  return form_.GetModalResult();
}

bool FormWindow::Run() {
  MSG message{};
  while (form_.GetModalResult() == ModalResult::kNone && !destroyed_) {
    const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {
      // The application is quitting: the form closes and the loop above sees the quit too.
      ::PostQuitMessage(static_cast<int>(message.wParam));
      return false;
    }
    if (got == -1) {
      return false;
    }
    if (PreTranslate(message)) {
      continue;
    }
    if (!::IsDialogMessageW(frame_.get(), &message)) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
  }
  return !destroyed_;
}

bool FormWindow::PreTranslate(MSG& message) {
  if (message.hwnd != frame_.get() && !::IsChild(frame_.get(), message.hwnd)) {
    return false;
  }
  if (message.message == WM_KEYDOWN &&
      (message.wParam == VK_RETURN || message.wParam == VK_ESCAPE)) {
    const char key = message.wParam == VK_RETURN ? kEnterKey : kEscapeKey;
    Dispatch([this, key] { form_.KeyPress(key); });
    return true;
  }
  if (message.message == WM_KEYDOWN && message.wParam == VK_F1 && form_.OnHelp) {
    // F1 asks for help; the form shows its own, in place of WM_HELP.
    // https://learn.microsoft.com/en-us/windows/win32/shell/wm-help
    Dispatch([this] { form_.HelpKey(); });
    return true;
  }
  if (message.message == WM_KEYDOWN && (message.wParam == VK_UP || message.wParam == VK_DOWN) &&
      form_.KeyPreview() && form_.OnKeyDown) {
    int key = message.wParam == VK_UP ? kUpKey : kDownKey;
    Dispatch([this, &key] { form_.KeyDown(key); });
    return key == 0;
  }
  if (message.message == WM_CHAR && message.wParam >= 32 && message.wParam < 127 &&
      form_.KeyPreview() && form_.OnKeyPress) {
    char key = static_cast<char>(message.wParam);
    Dispatch([this, &key] { form_.OnKeyPress(key); });
    if (key == 0) {
      return true;
    }
    message.wParam = static_cast<unsigned char>(key);
  }
  return false;
}

void FormWindow::Build() {
  DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  DWORD ex_style = WS_EX_CONTROLPARENT;
  if (form_.GetBorderStyle() == BorderStyle::kDialog) {
    ex_style |= WS_EX_DLGMODALFRAME;
  } else {
    style |= WS_THICKFRAME;
    if (!form_.CloseBoxOnly()) {
      style |= WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    }
  }
  const std::wstring caption = Utf8ToWide(form_.Caption());
  HWND frame = ::CreateWindowExW(ex_style, kFormClass, caption.c_str(), style, CW_USEDEFAULT,
                                 CW_USEDEFAULT, 100, 100, owner_, nullptr, ThisModule(), this);
  if (frame == nullptr) {
    throw std::runtime_error("The window " + form_.Name() + " cannot be created: " +
                             platform::win32::SystemErrorText(::GetLastError()));
  }
  frame_.reset(frame);
  // Drawn at the DPI Windows gives the new window, its texts measured at it.
  fonts_.SetDpi(WindowDpi(frame));
  FitToText(form_, fonts_);
  // Shows a control's hint while the mouse rests on it.
  tooltips_.reset(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                    WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, frame, nullptr,
                                    ThisModule(), nullptr));
  frame_caption_ = form_.Caption();
  ::SendMessageW(frame, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.Get(form_.GetFont())), 0);
  BuildChildren(form_, frame);
}

void FormWindow::BuildChildren(Control& parent, HWND parent_window) {
  for (Control* control : InTabOrder(parent)) {
    const int id = kFirstControlId + static_cast<int>(controls_.size());
    // Owned before its window exists, which may call it from then on.
    ControlWindow& made = *controls_.emplace_back(MakeControlWindow(*control, *this));
    HWND window = made.Create(parent_window, id);
    if (window == nullptr) {
      throw std::runtime_error("The control " + control->Name() + " cannot be created: " +
                               platform::win32::SystemErrorText(::GetLastError()));
    }
    by_window_[window] = &made;
    BuildChildren(*control, window);
  }
}

void FormWindow::Place() {
  RECT window{};
  ::GetWindowRect(frame_.get(), &window);
  const int width = window.right - window.left;
  const int height = window.bottom - window.top;
  Rect wanted{fonts_.Scale(form_.Left()), fonts_.Scale(form_.Top()), width, height};
  if (form_.Position() != FormPosition::kDesigned) {
    RECT area{};
    if (form_.Position() == FormPosition::kMainFormCenter && owner_ != nullptr) {
      ::GetWindowRect(owner_, &area);
    } else {
      ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    }
    wanted.left = area.left + (area.right - area.left - width) / 2;
    wanted.top = area.top + (area.bottom - area.top - height) / 2;
  }
  // On a monitor that is still there, and wholly on its work area; one that is gone gives its
  // place to the owner's monitor or the primary one.
  const Rect placed = PlaceOnScreen(wanted, ScreenOf(owner_));
  ::SetWindowPos(frame_.get(), nullptr, placed.left, placed.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (form_.Position() != FormPosition::kDesigned || placed.left != fonts_.Scale(form_.Left()) ||
      placed.top != fonts_.Scale(form_.Top())) {
    // The form learns where it was placed: its handlers place other windows beside it.
    form_.SetBounds(
        {fonts_.Unscale(placed.left), fonts_.Unscale(placed.top), form_.Width(), form_.Height()});
    frame_bounds_ = form_.BoundsRect();
  }
  // Placed on a monitor of another DPI: Windows has told the window (WM_DPICHANGED) where it
  // can; where it has not, the window asks.
  if (const int dpi = WindowDpi(frame_.get()); dpi != fonts_.Dpi()) {
    Rescale(dpi, nullptr);
  }
}

void FormWindow::Rescale(int dpi, const RECT* suggested) {
  ++writing_;
  struct Done {
    int& writing;
    ~Done() { --writing; }
  } done{writing_};
  fonts_.SetDpi(dpi);
  FitToText(form_, fonts_);
  HWND frame = frame_.get();
  ::SendMessageW(frame, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.Get(form_.GetFont())), FALSE);
  if (suggested != nullptr) {
    // Windows' place and size for the new DPI: the window stays under the pointer that moves
    // it (https://learn.microsoft.com/windows/win32/hidpi/wm-dpichanged).
    ::SetWindowPos(frame, nullptr, suggested->left, suggested->top,
                   suggested->right - suggested->left, suggested->bottom - suggested->top,
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  }
  RECT window{};
  ::GetWindowRect(frame, &window);
  // The form's place in designed units of the new scale; its client size is written below.
  form_.SetBounds(
      {fonts_.Unscale(window.left), fonts_.Unscale(window.top), form_.Width(), form_.Height()});
  frame_bounds_ = {form_.Left(), form_.Top(), -1, -1};
  for (auto& made : controls_) {
    made->Rescale();
  }
  Sync();
  ::RedrawWindow(frame, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void FormWindow::ColorsChanged() {
  for (auto& made : controls_) {
    // Common controls take the new colours when told (WM_SYSCOLORCHANGE goes to top-level
    // windows only: https://learn.microsoft.com/windows/win32/gdi/wm-syscolorchange).
    ::SendMessageW(made->window(), WM_SYSCOLORCHANGE, 0, 0);
    made->ColorsChanged();
  }
  ::RedrawWindow(frame_.get(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void FormWindow::Dispatch(const std::function<void()>& action, bool sync_later) {
  try {
    action();
  } catch (const std::exception& error) {
    ShowError(error);
  } catch (...) {
    ShowError(std::runtime_error("An unexpected error occurred"));
  }
  if (!frame_) {
    return;
  }
  if (sync_later) {
    if (!sync_posted_) {
      sync_posted_ = ::PostMessageW(frame_.get(), kSyncMessage, 0, 0) != FALSE;
    }
    return;
  }
  try {
    Sync();
  } catch (const std::exception& error) {
    ShowError(error);
  }
}

void FormWindow::ShowError(const std::exception& error) {
  try {
    ShowEventError(boxes_, error);
  } catch (...) {
    // Nothing more can be shown.
  }
}

bool FormWindow::PostBack(ControlWindow& window) {
  return ::PostMessageW(frame_.get(), kPostBackMessage, 0,
                        reinterpret_cast<LPARAM>(window.window())) != FALSE;
}

ControlWindow* FormWindow::Find(HWND window) {
  const auto it = by_window_.find(window);
  return it == by_window_.end() ? nullptr : it->second;
}

ControlWindow* FormWindow::Find(const Control* control) {
  for (auto& made : controls_) {
    if (&made->control() == control) {
      return made.get();
    }
  }
  return nullptr;
}

void FormWindow::Sync() {
  ++writing_;
  struct Done {
    int& writing;
    ~Done() { --writing; }
  } done{writing_};
  SyncFrame();
  for (auto& made : controls_) {
    made->Sync();
  }
  SyncFocus();
}

void FormWindow::SyncFrame() {
  HWND frame = frame_.get();
  if (form_.Caption() != frame_caption_) {
    ::SetWindowTextW(frame, Utf8ToWide(form_.Caption()).c_str());
    frame_caption_ = form_.Caption();
  }
  const Rect& bounds = form_.BoundsRect();
  if (bounds == frame_bounds_) {
    return;
  }
  RECT outer = {0, 0, fonts_.Scale(bounds.width), fonts_.Scale(bounds.height)};
  // The frame as Windows draws it at the window's DPI.
  AdjustWindowRectForDpi(outer, static_cast<DWORD>(::GetWindowLongW(frame, GWL_STYLE)),
                         static_cast<DWORD>(::GetWindowLongW(frame, GWL_EXSTYLE)),
                         WindowDpi(frame));
  UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
  // A centred form keeps the place it was given; a designed one follows its Left and Top.
  if (form_.Position() != FormPosition::kDesigned ||
      (bounds.left == frame_bounds_.left && bounds.top == frame_bounds_.top)) {
    flags |= SWP_NOMOVE;
  }
  ::SetWindowPos(frame, nullptr, fonts_.Scale(bounds.left), fonts_.Scale(bounds.top),
                 outer.right - outer.left, outer.bottom - outer.top, flags);
  frame_bounds_ = bounds;
}

HBRUSH FormWindow::Background() const {
  return ::GetSysColorBrush(BackgroundIndex());
}

int FormWindow::BackgroundIndex() const {
  return form_.Color() == FormColor::kWindow ? COLOR_WINDOW : COLOR_BTNFACE;
}

void FormWindow::SyncFocus() {
  Control* active = form_.ActiveControl();
  if (active == focus_written_) {
    return;
  }
  focus_written_ = active;
  ControlWindow* shown = Find(active);
  if (shown != nullptr && ::IsWindowVisible(shown->window()) &&
      ::IsWindowEnabled(shown->window()) && ::GetFocus() != shown->window()) {
    ++writing_;
    ::SetFocus(shown->window());
    --writing_;
  }
}

}  // namespace quivra::ui::win32
