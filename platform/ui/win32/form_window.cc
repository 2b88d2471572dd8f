#include "platform/ui/win32/form_window.h"

#include <windows.h>

// After windows.h, which it needs.
#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <stdexcept>

#include "platform/ui/button.h"
#include "platform/ui/check_box.h"
#include "platform/ui/edit.h"
#include "platform/ui/html_label.h"
#include "platform/ui/html_layout.h"
#include "platform/ui/static_controls.h"
#include "platform/ui/tree_view.h"
#include "platform/ui/win32/pictures.h"
#include "platform/ui/win32/state_images.h"
#include "platform/win32/wide_text.h"

namespace quivra::ui::win32 {

namespace {

using platform::win32::Utf8ToWide;
using platform::win32::WideToUtf8;

constexpr wchar_t kFormClass[] = L"QuivraForm";
constexpr wchar_t kPanelClass[] = L"QuivraPanel";
constexpr wchar_t kHtmlLabelClass[] = L"QuivraHtmlLabel";
// Posted to the form window: bring the windows in step with the form; check a list's selection.
constexpr UINT kSyncMessage = WM_APP + 1;
constexpr UINT kListCheckMessage = WM_APP + 2;
constexpr int kFirstControlId = 1000;

// The module this code is linked into: the add-in library, or a test program.
HINSTANCE ThisModule() {
  HMODULE module = nullptr;
  ::GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCWSTR>(&ThisModule), &module);
  return module;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[32] = {};
  ::GetClassNameW(window, name, 32);
  return name;
}

std::wstring WindowText(HWND window) {
  const int length = ::GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(::GetWindowTextW(window, text.data(), length + 1)));
  return text;
}

// Controls of a parent in their tab order; equal orders keep the order of declaration.
std::vector<Control*> InTabOrder(const Control& parent) {
  std::vector<Control*> children = parent.Controls();
  std::stable_sort(children.begin(), children.end(), [](const Control* a, const Control* b) {
    return a->TabOrder() < b->TabOrder();
  });
  return children;
}

// The tree view window's items for the tree mirror.
class TreeWindowPort : public TreeViewPort {
 public:
  explicit TreeWindowPort(HWND tree) : tree_(tree) {}

  Item Insert(Item parent, Item after, const TreeNode& node) override {
    const std::wstring text = Utf8ToWide(node.Text());
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent != nullptr ? static_cast<HTREEITEM>(parent) : TVI_ROOT;
    insert.hInsertAfter = after != nullptr ? static_cast<HTREEITEM>(after) : TVI_FIRST;
    Describe(node, text, insert.item);
    return reinterpret_cast<Item>(
        ::SendMessageW(tree_, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
  }
  void Remove(Item item) override {
    ::SendMessageW(tree_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item));
  }
  void Update(Item item, const TreeNode& node) override {
    const std::wstring text = Utf8ToWide(node.Text());
    TVITEMW described{};
    Describe(node, text, described);
    described.mask |= TVIF_HANDLE;
    described.hItem = static_cast<HTREEITEM>(item);
    ::SendMessageW(tree_, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&described));
  }
  void SetExpanded(Item item, bool expanded) override {
    ::SendMessageW(tree_, TVM_EXPAND, expanded ? TVE_EXPAND : TVE_COLLAPSE,
                   reinterpret_cast<LPARAM>(item));
  }
  Item Selected() override {
    return reinterpret_cast<Item>(::SendMessageW(tree_, TVM_GETNEXTITEM, TVGN_CARET, 0));
  }
  void Select(Item item) override {
    ::SendMessageW(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
  }

 private:
  static void Describe(const TreeNode& node, const std::wstring& text, TVITEMW& item) {
    item.mask = TVIF_TEXT | TVIF_STATE | TVIF_CHILDREN;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    item.cChildren = node.HasChildren() ? 1 : 0;
    const int image = node.StateIndex() >= 1 && node.StateIndex() <= 15 ? node.StateIndex() : 0;
    item.state = INDEXTOSTATEIMAGEMASK(image);
    item.stateMask = TVIS_STATEIMAGEMASK;
  }

  HWND tree_;
};

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
  WNDCLASSEXW panel = frame;
  panel.lpfnWndProc = PanelProc;
  panel.lpszClassName = kPanelClass;
  ::RegisterClassExW(&panel);
  WNDCLASSEXW label = frame;
  label.lpfnWndProc = HtmlLabelProc;
  label.lpszClassName = kHtmlLabelClass;
  ::RegisterClassExW(&label);
  INITCOMMONCONTROLSEX common{sizeof(common),
                              ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&common);
}

void FormWindow::UnregisterClasses() {
  const HINSTANCE module = ThisModule();
  for (const wchar_t* name : {kFormClass, kPanelClass, kHtmlLabelClass}) {
    ::UnregisterClassW(name, module);
  }
}

FormWindow::FormWindow(Form& form, platform::MessageBoxes& boxes, FontCache& fonts)
    : form_(form), boxes_(boxes), fonts_(fonts) {}

FormWindow::~FormWindow() {
  if (owner_ != nullptr) {
    ::EnableWindow(owner_, TRUE);
  }
  if (frame_) {
    // The owner becomes active again before this window goes, so that it keeps the focus.
    ::SetWindowPos(frame_.get(), nullptr, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (owner_ != nullptr) {
      ::SetActiveWindow(owner_);
    }
    tooltips_.reset();
    // Destroyed while the controls' bindings still exist: the windows may be called until then.
    frame_.reset();
  }
}

FormWindow* FormWindow::Of(HWND window) {
  const HWND root = ::GetAncestor(window, GA_ROOT);
  wchar_t name[32] = {};
  ::GetClassNameW(root, name, 32);
  if (std::wstring(name) != kFormClass) {
    return nullptr;
  }
  return reinterpret_cast<FormWindow*>(::GetWindowLongPtrW(root, GWLP_USERDATA));
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
  Build();
  Sync();
  Place();
  if (owner_ != nullptr && ::IsWindowEnabled(owner_)) {
    ::EnableWindow(owner_, FALSE);
  } else {
    owner_ = nullptr;
  }
  ::ShowWindow(frame_.get(), SW_SHOW);
  ::UpdateWindow(frame_.get());
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
    auto binding = std::make_unique<Binding>();
    binding->control = control;
    if (dynamic_cast<CheckBox*>(control)) {
      binding->kind = Kind::kCheckBox;
    } else if (dynamic_cast<Button*>(control)) {
      binding->kind = Kind::kButton;
    } else if (dynamic_cast<Edit*>(control)) {
      binding->kind = Kind::kEdit;
    } else if (dynamic_cast<HtmlLabel*>(control)) {
      binding->kind = Kind::kHtmlLabel;
    } else if (dynamic_cast<TreeView*>(control)) {
      binding->kind = Kind::kTreeView;
    } else if (dynamic_cast<ListView*>(control)) {
      binding->kind = Kind::kListView;
    } else if (dynamic_cast<GroupBox*>(control)) {
      binding->kind = Kind::kGroupBox;
    } else if (dynamic_cast<Panel*>(control)) {
      binding->kind = Kind::kPanel;
    } else if (dynamic_cast<Image*>(control)) {
      binding->kind = Kind::kImage;
    } else {
      binding->kind = Kind::kLabel;
    }
    const int id = kFirstControlId + static_cast<int>(bindings_.size());
    HWND window = CreateControlWindow(*binding, parent_window, id);
    if (window == nullptr) {
      throw std::runtime_error("The control " + control->Name() + " cannot be created: " +
                               platform::win32::SystemErrorText(::GetLastError()));
    }
    binding->window = window;
    by_window_[window] = binding.get();
    bindings_.push_back(std::move(binding));
    BuildChildren(*control, window);
  }
}

HWND FormWindow::CreateControlWindow(Binding& binding, HWND parent_window, int id) {
  Control& control = *binding.control;
  const wchar_t* window_class = L"STATIC";
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  DWORD ex_style = 0;
  switch (binding.kind) {
    case Kind::kButton:
      window_class = L"BUTTON";
      style |= WS_TABSTOP | BS_NOTIFY |
               (static_cast<Button&>(control).Default() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
      break;
    case Kind::kCheckBox:
      // Not an automatic check box: the click toggles the form's check box, which is written
      // back.
      window_class = L"BUTTON";
      style |= WS_TABSTOP | BS_NOTIFY | BS_CHECKBOX;
      break;
    case Kind::kEdit:
      window_class = L"EDIT";
      style |= WS_TABSTOP | ES_AUTOHSCROLL;
      ex_style |= WS_EX_CLIENTEDGE;
      break;
    case Kind::kLabel:
      style |= SS_LEFTNOWORDWRAP;
      break;
    case Kind::kGroupBox:
      window_class = L"BUTTON";
      style = WS_CHILD | BS_GROUPBOX | WS_CLIPCHILDREN;
      ex_style |= WS_EX_CONTROLPARENT;
      break;
    case Kind::kPanel:
      window_class = kPanelClass;
      style |= WS_CLIPCHILDREN;
      ex_style |= WS_EX_CONTROLPARENT;
      break;
    case Kind::kImage: {
      // The module's bitmap of that name, or else the picture drawn in code; without either the
      // control stays empty rather than showing a black box.
      const std::string& name = static_cast<Image&>(control).PictureName();
      if (!name.empty()) {
        const std::wstring wide = Utf8ToWide(name);
        binding.picture.reset(static_cast<HBITMAP>(
            ::LoadImageW(ThisModule(), wide.c_str(), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
        if (!binding.picture) {
          binding.picture = DrawPicture(name, control.Width(), control.Height());
        }
      }
      style |= SS_NOTIFY | (binding.picture ? SS_BITMAP | SS_CENTERIMAGE : 0);
      break;
    }
    case Kind::kHtmlLabel:
      window_class = kHtmlLabelClass;
      break;
    case Kind::kTreeView: {
      auto& tree = static_cast<TreeView&>(control);
      window_class = WC_TREEVIEWW;
      style |= WS_TABSTOP | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS |
               (tree.RowSelect() ? TVS_FULLROWSELECT : TVS_HASLINES);
      ex_style |= WS_EX_CLIENTEDGE;
      break;
    }
    case Kind::kListView: {
      auto& list = static_cast<ListView&>(control);
      window_class = WC_LISTVIEWW;
      style |= WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
               (list.ColumnClick() ? 0 : LVS_NOSORTHEADER);
      ex_style |= WS_EX_CLIENTEDGE;
      break;
    }
  }
  const Rect& bounds = control.BoundsRect();
  HWND window = ::CreateWindowExW(
      ex_style, window_class, L"", style, bounds.left, bounds.top, bounds.width, bounds.height,
      parent_window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ThisModule(), nullptr);
  if (window == nullptr) {
    return nullptr;
  }
  switch (binding.kind) {
    case Kind::kGroupBox:
      ::SetWindowSubclass(window, ContainerSubclass, 1, 0);
      break;
    case Kind::kTreeView: {
      auto& tree = static_cast<TreeView&>(control);
      ::SetWindowSubclass(window, TreeSubclass, 1, 0);
      binding.mirror = std::make_unique<TreeMirror>();
      binding.state_images = MakeStateImages(tree.StateImages());
      if (binding.state_images) {
        ::SendMessageW(window, TVM_SETIMAGELIST, TVSIL_STATE,
                       reinterpret_cast<LPARAM>(binding.state_images.get()));
      }
      ::SendMessageW(window, TVM_SETINDENT, static_cast<WPARAM>(tree.Indent()), 0);
      break;
    }
    case Kind::kListView:
      if (static_cast<ListView&>(control).RowSelect()) {
        ::SendMessageW(window, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT,
                       LVS_EX_FULLROWSELECT);
      }
      break;
    case Kind::kImage:
      if (binding.picture) {
        ::SendMessageW(window, STM_SETIMAGE, IMAGE_BITMAP,
                       reinterpret_cast<LPARAM>(binding.picture.get()));
      }
      break;
    default:
      break;
  }
  return window;
}

void FormWindow::Place() {
  RECT area{};
  if (form_.Position() == FormPosition::kMainFormCenter && owner_ != nullptr) {
    ::GetWindowRect(owner_, &area);
  } else {
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  }
  RECT window{};
  ::GetWindowRect(frame_.get(), &window);
  const int width = window.right - window.left;
  const int height = window.bottom - window.top;
  int left = form_.Left();
  int top = form_.Top();
  if (form_.Position() != FormPosition::kDesigned) {
    left = area.left + (area.right - area.left - width) / 2;
    top = area.top + (area.bottom - area.top - height) / 2;
  }
  ::SetWindowPos(frame_.get(), nullptr, left, top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (form_.Position() != FormPosition::kDesigned) {
    // The form learns where it was centred: its handlers place other windows beside it.
    form_.SetBounds({left, top, form_.Width(), form_.Height()});
    frame_bounds_ = form_.BoundsRect();
  }
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

FormWindow::Binding* FormWindow::Find(HWND window) {
  const auto it = by_window_.find(window);
  return it == by_window_.end() ? nullptr : it->second;
}

FormWindow::Binding* FormWindow::Find(const Control* control) {
  for (auto& binding : bindings_) {
    if (binding->control == control) {
      return binding.get();
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
  for (auto& binding : bindings_) {
    SyncBinding(*binding);
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
  RECT outer = {0, 0, bounds.width, bounds.height};
  ::AdjustWindowRectEx(&outer, static_cast<DWORD>(::GetWindowLongW(frame, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(::GetWindowLongW(frame, GWL_EXSTYLE)));
  UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
  // A centred form keeps the place it was given; a designed one follows its Left and Top.
  if (form_.Position() != FormPosition::kDesigned ||
      (bounds.left == frame_bounds_.left && bounds.top == frame_bounds_.top)) {
    flags |= SWP_NOMOVE;
  }
  ::SetWindowPos(frame, nullptr, bounds.left, bounds.top, outer.right - outer.left,
                 outer.bottom - outer.top, flags);
  frame_bounds_ = bounds;
}

void FormWindow::SyncBinding(Binding& binding) {
  Control& control = *binding.control;
  HWND window = binding.window;
  const bool first = !binding.written;
  binding.written = true;
  const Font font = control.GetFont();
  const bool has_caption = binding.kind == Kind::kButton || binding.kind == Kind::kCheckBox ||
                           binding.kind == Kind::kLabel || binding.kind == Kind::kGroupBox;
  // A label's window fits its text, so that a longer text is not cut off and a wide label does
  // not cover its neighbours; it changes with the text and the font.
  const bool label_resized = binding.kind == Kind::kLabel &&
                             (control.Caption() != binding.caption || font != binding.font);
  if (first || control.BoundsRect() != binding.bounds || label_resized) {
    const Rect& bounds = control.BoundsRect();
    const Rect placed = binding.kind == Kind::kLabel ? LabelBounds(control) : bounds;
    ::MoveWindow(window, placed.left, placed.top, placed.width, placed.height, TRUE);
    binding.bounds = bounds;
  }
  if (first || font != binding.font) {
    ::SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.Get(font)), TRUE);
    binding.font = font;
    ::InvalidateRect(window, nullptr, TRUE);
  }
  if (has_caption && (first || control.Caption() != binding.caption)) {
    ::SetWindowTextW(window, Utf8ToWide(control.Caption()).c_str());
    binding.caption = control.Caption();
  }
  switch (binding.kind) {
    case Kind::kCheckBox: {
      const bool checked = static_cast<CheckBox&>(control).Checked();
      if (first || checked != binding.checked) {
        ::SendMessageW(window, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
        binding.checked = checked;
      }
      break;
    }
    case Kind::kEdit: {
      const std::string& text = static_cast<Edit&>(control).Text();
      if (first || text != binding.text) {
        ::SetWindowTextW(window, Utf8ToWide(text).c_str());
        binding.text = text;
      }
      break;
    }
    case Kind::kHtmlLabel: {
      const std::vector<std::string>& html = static_cast<HtmlLabel&>(control).HTMLText();
      if (first || html != binding.html) {
        binding.html = html;
        // The text without markup is the window's text, as screen readers read it.
        ::SetWindowTextW(window, Utf8ToWide(static_cast<HtmlLabel&>(control).PlainText()).c_str());
        ::InvalidateRect(window, nullptr, TRUE);
      }
      break;
    }
    case Kind::kTreeView: {
      TreeWindowPort port(window);
      binding.mirror->Sync(static_cast<TreeView&>(control), port);
      break;
    }
    case Kind::kListView:
      SyncList(binding);
      break;
    default:
      break;
  }
  if (first || control.Hint() != binding.hint) {
    SyncHint(binding);
  }
  if (first || control.Enabled() != binding.enabled) {
    ::EnableWindow(window, control.Enabled() ? TRUE : FALSE);
    binding.enabled = control.Enabled();
  }
  if (first || control.Visible() != binding.visible) {
    ::ShowWindow(window, control.Visible() ? SW_SHOWNA : SW_HIDE);
    binding.visible = control.Visible();
  }
}

void FormWindow::SyncHint(Binding& binding) {
  if (!tooltips_) {
    return;
  }
  // The tool is the control's window. The description leaves out the newest field, which older
  // common controls refuse.
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = frame_.get();
  tool.uId = reinterpret_cast<UINT_PTR>(binding.window);
  if (!binding.hint.empty()) {
    ::SendMessageW(tooltips_.get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  binding.hint = binding.control->Hint();
  if (!binding.hint.empty()) {
    std::wstring text = Utf8ToWide(binding.hint);
    tool.lpszText = text.data();
    ::SendMessageW(tooltips_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

HBRUSH FormWindow::Background() const {
  return ::GetSysColorBrush(form_.Color() == FormColor::kWindow ? COLOR_WINDOW : COLOR_BTNFACE);
}

Rect FormWindow::LabelBounds(const Control& label) {
  Rect bounds = label.BoundsRect();
  if (label.Caption().empty()) {
    return bounds;
  }
  const std::wstring text = Utf8ToWide(label.Caption());
  WindowDc screen(nullptr);
  UniqueMemoryDc dc(::CreateCompatibleDC(screen.get()));
  Selected chosen(dc.get(), fonts_.Get(label.GetFont()));
  // Measured as the static control draws it, with & marking a shortcut letter.
  RECT extent = {0, 0, 0, 0};
  ::DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent,
              DT_CALCRECT | DT_SINGLELINE | DT_LEFT);
  bounds.width = extent.right;
  bounds.height = std::max(bounds.height, static_cast<int>(extent.bottom));
  return bounds;
}

void FormWindow::SyncList(Binding& binding) {
  auto& list = static_cast<ListView&>(*binding.control);
  HWND window = binding.window;
  std::vector<std::tuple<std::string, int>> columns;
  for (const ListColumn& column : list.Columns()) {
    columns.emplace_back(column.caption, column.width);
  }
  if (columns != binding.columns) {
    const size_t shown = binding.columns.size();
    for (size_t i = 0; i < columns.size(); ++i) {
      std::wstring caption = Utf8ToWide(std::get<0>(columns[i]));
      LVCOLUMNW column{};
      column.mask = LVCF_TEXT | LVCF_WIDTH;
      column.pszText = caption.data();
      column.cx = std::get<1>(columns[i]);
      ::SendMessageW(window, i < shown ? LVM_SETCOLUMNW : LVM_INSERTCOLUMNW, i,
                     reinterpret_cast<LPARAM>(&column));
    }
    for (size_t i = shown; i > columns.size(); --i) {
      ::SendMessageW(window, LVM_DELETECOLUMN, i - 1, 0);
    }
    binding.columns = std::move(columns);
  }
  bool rows_changed = static_cast<int>(binding.rows.size()) != list.Count();
  for (int row = 0; !rows_changed && row < list.Count(); ++row) {
    const ListItem& item = list.Item(row);
    const ListItem& shown = binding.rows[static_cast<size_t>(row)];
    rows_changed = item.caption != shown.caption || item.sub_items != shown.sub_items;
  }
  if (rows_changed) {
    ::SendMessageW(window, LVM_DELETEALLITEMS, 0, 0);
    binding.rows.clear();
    for (int row = 0; row < list.Count(); ++row) {
      const ListItem& item = list.Item(row);
      std::wstring caption = Utf8ToWide(item.caption);
      LVITEMW line{};
      line.mask = LVIF_TEXT;
      line.iItem = row;
      line.pszText = caption.data();
      ::SendMessageW(window, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&line));
      for (size_t sub = 0; sub < item.sub_items.size(); ++sub) {
        std::wstring text = Utf8ToWide(item.sub_items[sub]);
        LVITEMW cell{};
        cell.iSubItem = static_cast<int>(sub + 1);
        cell.pszText = text.data();
        ::SendMessageW(window, LVM_SETITEMTEXTW, static_cast<WPARAM>(row),
                       reinterpret_cast<LPARAM>(&cell));
      }
      binding.rows.push_back(item);
    }
    binding.row = -1;
  }
  if (list.ItemIndex() != binding.row) {
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageW(window, LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                   reinterpret_cast<LPARAM>(&state));
    if (list.ItemIndex() >= 0) {
      state.state = LVIS_SELECTED | LVIS_FOCUSED;
      ::SendMessageW(window, LVM_SETITEMSTATE, static_cast<WPARAM>(list.ItemIndex()),
                     reinterpret_cast<LPARAM>(&state));
      ::SendMessageW(window, LVM_ENSUREVISIBLE, static_cast<WPARAM>(list.ItemIndex()), FALSE);
    }
    binding.row = list.ItemIndex();
  }
}

void FormWindow::SyncFocus() {
  Control* active = form_.ActiveControl();
  if (active == focus_written_) {
    return;
  }
  focus_written_ = active;
  Binding* binding = Find(active);
  if (binding != nullptr && ::IsWindowVisible(binding->window) &&
      ::IsWindowEnabled(binding->window) && ::GetFocus() != binding->window) {
    ++writing_;
    ::SetFocus(binding->window);
    --writing_;
  }
}

LRESULT CALLBACK FormWindow::FrameProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<FormWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) {
    return ::DefWindowProcW(window, message, wparam, lparam);
  }
  try {
    return self->OnFrameMessage(window, message, wparam, lparam);
  } catch (const std::exception& error) {
    self->ShowError(error);
  } catch (...) {
    self->ShowError(std::runtime_error("An unexpected error occurred"));
  }
  return 0;
}

LRESULT FormWindow::OnFrameMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      if (Binding* binding = Find(reinterpret_cast<HWND>(lparam))) {
        OnCommand(*binding, HIWORD(wparam));
        return 0;
      }
      break;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lparam);
      if (Binding* binding = Find(header->hwndFrom)) {
        return OnNotify(*binding, *header);
      }
      break;
    }
    case WM_CLOSE:
      Dispatch([this] { form_.CloseBox(); });
      return 0;
    case WM_SIZE:
      if (writing_ == 0 && wparam != SIZE_MINIMIZED &&
          form_.GetBorderStyle() == BorderStyle::kSizeable) {
        const int width = LOWORD(lparam);
        const int height = HIWORD(lparam);
        Dispatch([this, width, height] { form_.SetClientSize(width, height); });
      }
      return 0;
    case WM_ERASEBKGND: {
      RECT client{};
      ::GetClientRect(window, &client);
      ::FillRect(reinterpret_cast<HDC>(wparam), &client, Background());
      return TRUE;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      // Labels, pictures and check boxes stand on the form's colour; a read-only or disabled
      // edit field keeps its own.
      if (form_.Color() != FormColor::kButtonFace &&
          ::lstrcmpiW(ClassOf(reinterpret_cast<HWND>(lparam)).c_str(), L"Edit") != 0) {
        ::SetBkColor(reinterpret_cast<HDC>(wparam), ::GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(Background());
      }
      break;
    case kSyncMessage:
      sync_posted_ = false;
      Sync();
      return 0;
    case kListCheckMessage:
      if (Binding* binding = Find(reinterpret_cast<HWND>(lparam))) {
        CheckListSelection(*binding);
      }
      return 0;
    case WM_DESTROY:
      destroyed_ = true;
      return 0;
    default:
      break;
  }
  return ::DefWindowProcW(window, message, wparam, lparam);
}

void FormWindow::OnCommand(Binding& binding, int code) {
  if (writing_ > 0) {
    return;
  }
  Control& control = *binding.control;
  switch (code) {
    case BN_CLICKED:  // and STN_CLICKED, of the same value
    case BN_DOUBLECLICKED:
      // A quick second click on a button or check box arrives as a double-click: it clicks too.
      if (binding.kind == Kind::kButton) {
        auto& button = static_cast<Button&>(control);
        Dispatch([&button] {
          button.SetFocus();
          button.Click();
        });
      } else if (binding.kind == Kind::kCheckBox) {
        auto& box = static_cast<CheckBox&>(control);
        Dispatch([&box] {
          box.SetFocus();
          box.Click();
        });
      } else if (binding.kind == Kind::kImage && code == STN_CLICKED) {
        auto& image = static_cast<Image&>(control);
        Dispatch([&image] { image.Click(); });
      }
      break;
    case BN_SETFOCUS:
    case EN_SETFOCUS:
      Dispatch([&control] { control.SetFocus(); });
      break;
    case EN_CHANGE: {
      auto& edit = static_cast<Edit&>(control);
      std::string text = WideToUtf8(WindowText(binding.window));
      if (text != edit.Text()) {
        // What the user typed is in the window already: only a handler's change is written.
        binding.text = text;
        Dispatch([&edit, &text] { edit.SetText(std::move(text)); });
      }
      break;
    }
    default:
      break;
  }
}

LRESULT FormWindow::OnNotify(Binding& binding, NMHDR& header) {
  Control& control = *binding.control;
  if (writing_ > 0) {
    // Expanding and collapsing by the view itself goes ahead.
    return 0;
  }
  if (header.code == NM_SETFOCUS) {
    Dispatch([&control] { control.SetFocus(); });
    return 0;
  }
  if (binding.kind == Kind::kTreeView) {
    auto& tree = static_cast<TreeView&>(control);
    switch (header.code) {
      case TVN_SELCHANGEDW: {
        const auto& change = reinterpret_cast<NMTREEVIEWW&>(header);
        TreeNode* node = binding.mirror->NodeOf(change.itemNew.hItem, tree);
        Dispatch([&tree, node] { tree.UserClick(node); });
        return 0;
      }
      case TVN_ITEMEXPANDINGW: {
        // The form decides: its OnExpanding loads the children or refuses, and the window then
        // shows what the form holds. Windows is in the middle of its own expansion, so the
        // window is brought in step from the message queue.
        const auto& change = reinterpret_cast<NMTREEVIEWW&>(header);
        TreeNode* node = binding.mirror->NodeOf(change.itemNew.hItem, tree);
        const bool expand = (change.action & TVE_EXPAND) != 0;
        if (node != nullptr) {
          Dispatch(
              [&tree, node, expand] {
                if (expand) {
                  tree.Expand(*node);
                } else {
                  tree.Collapse(*node);
                }
              },
              true);
        }
        return TRUE;
      }
      case NM_RCLICK:
        if (tree.RightClickSelect()) {
          TVHITTESTINFO hit{};
          ::GetCursorPos(&hit.pt);
          ::ScreenToClient(binding.window, &hit.pt);
          ::SendMessageW(binding.window, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
          if (hit.hItem != nullptr && (hit.flags & TVHT_ONITEM) != 0) {
            TreeNode* node = binding.mirror->NodeOf(hit.hItem, tree);
            Dispatch([&tree, node] { tree.UserClick(node); });
          }
        }
        return 0;
      default:
        return 0;
    }
  }
  if (binding.kind == Kind::kListView) {
    auto& list = static_cast<ListView&>(control);
    switch (header.code) {
      case LVN_ITEMCHANGED: {
        const auto& change = reinterpret_cast<NMLISTVIEW&>(header);
        if ((change.uChanged & LVIF_STATE) != 0 &&
            ((change.uOldState ^ change.uNewState) & LVIS_SELECTED) != 0 &&
            !binding.list_check_posted) {
          // A new selection arrives as one row losing it and another gaining it: the list is
          // read once both have happened.
          binding.list_check_posted =
              ::PostMessageW(frame_.get(), kListCheckMessage, 0,
                             reinterpret_cast<LPARAM>(binding.window)) != FALSE;
        }
        return 0;
      }
      case NM_DBLCLK: {
        CheckListSelection(binding);
        const int row = reinterpret_cast<NMITEMACTIVATE&>(header).iItem;
        Dispatch([&list, row] { list.UserDoubleClick(row); });
        return 0;
      }
      default:
        return 0;
    }
  }
  return 0;
}

void FormWindow::CheckListSelection(Binding& binding) {
  binding.list_check_posted = false;
  auto& list = static_cast<ListView&>(*binding.control);
  const int row = static_cast<int>(
      ::SendMessageW(binding.window, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  if (row != list.ItemIndex()) {
    binding.row = row;
    Dispatch([&list, row] { list.UserClick(row); });
  }
}

void FormWindow::TreeDoubleClick(Binding& binding, POINT point) {
  auto& tree = static_cast<TreeView&>(*binding.control);
  TVHITTESTINFO hit{};
  hit.pt = point;
  ::SendMessageW(binding.window, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  TreeNode* node = hit.hItem != nullptr ? binding.mirror->NodeOf(hit.hItem, tree) : nullptr;
  if (node != nullptr && (hit.flags & TVHT_ONITEMBUTTON) != 0) {
    // A second click on the expander: it opens or closes the node again.
    Dispatch([&tree, node] {
      if (node->Expanded()) {
        tree.Collapse(*node);
      } else {
        tree.Expand(*node);
      }
    });
  } else if (node != nullptr &&
             (hit.flags & (TVHT_ONITEM | TVHT_ONITEMINDENT | TVHT_ONITEMRIGHT)) != 0) {
    Dispatch([&tree, node] { tree.UserDoubleClick(node); });
  } else {
    // Beside the nodes the selection stays, and only the double-click is passed on.
    Dispatch([&tree] {
      if (tree.Reachable()) {
        tree.SetFocus();
        if (tree.OnDblClick) {
          tree.OnDblClick();
        }
      }
    });
  }
}

LRESULT CALLBACK FormWindow::ContainerSubclass(HWND window,
                                               UINT message,
                                               WPARAM wparam,
                                               LPARAM lparam,
                                               UINT_PTR,
                                               DWORD_PTR) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      // The controls of a group box or panel report to the form, as the form's own do.
      return ::SendMessageW(::GetAncestor(window, GA_ROOT), message, wparam, lparam);
    case WM_ERASEBKGND: {
      // The form does not draw below its controls, so a group box fills its own background.
      RECT client{};
      ::GetClientRect(window, &client);
      FormWindow* self = Of(window);
      ::FillRect(reinterpret_cast<HDC>(wparam), &client,
                 self != nullptr ? self->Background() : ::GetSysColorBrush(COLOR_BTNFACE));
      return TRUE;
    }
    case WM_NCDESTROY:
      ::RemoveWindowSubclass(window, ContainerSubclass, 1);
      break;
    default:
      break;
  }
  return ::DefSubclassProc(window, message, wparam, lparam);
}

LRESULT CALLBACK FormWindow::PanelProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      return ::SendMessageW(::GetAncestor(window, GA_ROOT), message, wparam, lparam);
    default:
      return ::DefWindowProcW(window, message, wparam, lparam);
  }
}

LRESULT CALLBACK FormWindow::TreeSubclass(HWND window,
                                          UINT message,
                                          WPARAM wparam,
                                          LPARAM lparam,
                                          UINT_PTR,
                                          DWORD_PTR) {
  if (message == WM_LBUTTONDBLCLK) {
    // The form's tree decides what a double-click does (select, open or close, OnDblClick);
    // the window's own opening and closing would do it twice.
    FormWindow* self = Of(window);
    Binding* binding = self != nullptr ? self->Find(window) : nullptr;
    if (binding != nullptr) {
      try {
        ::SetFocus(window);
        self->TreeDoubleClick(*binding, {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
      } catch (const std::exception& error) {
        self->ShowError(error);
      } catch (...) {
        self->ShowError(std::runtime_error("An unexpected error occurred"));
      }
      return 0;
    }
  }
  if (message == WM_NCDESTROY) {
    ::RemoveWindowSubclass(window, TreeSubclass, 1);
  }
  return ::DefSubclassProc(window, message, wparam, lparam);
}

LRESULT CALLBACK FormWindow::HtmlLabelProc(HWND window,
                                           UINT message,
                                           WPARAM wparam,
                                           LPARAM lparam) {
  FormWindow* self = Of(window);
  Binding* binding = self != nullptr ? self->Find(window) : nullptr;
  if (binding == nullptr) {
    return ::DefWindowProcW(window, message, wparam, lparam);
  }
  try {
    switch (message) {
      case WM_PAINT: {
        PaintDc dc(window);
        self->PaintHtmlLabel(*binding, dc.get());
        return 0;
      }
      case WM_SETCURSOR: {
        POINT point{};
        ::GetCursorPos(&point);
        ::ScreenToClient(window, &point);
        if (!self->LinkAt(*binding, point).empty()) {
          ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
          return TRUE;
        }
        break;
      }
      case WM_LBUTTONUP: {
        const std::string href =
            self->LinkAt(*binding, {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
        if (!href.empty()) {
          auto& label = static_cast<HtmlLabel&>(*binding->control);
          self->Dispatch([&label, href] { label.ClickAnchor(href); });
        }
        return 0;
      }
      default:
        break;
    }
  } catch (const std::exception& error) {
    self->ShowError(error);
    return 0;
  } catch (...) {
    self->ShowError(std::runtime_error("An unexpected error occurred"));
    return 0;
  }
  return ::DefWindowProcW(window, message, wparam, lparam);
}

namespace {

// An HTML label's text placed with its fonts, measured in `dc`.
HtmlLayout LayOut(const HtmlLabel& label, HDC dc, FontCache& fonts, int& line_height) {
  Font font = label.GetFont();
  Font bold = font;
  bold.bold = true;
  TEXTMETRICW metrics{};
  {
    Selected chosen(dc, fonts.Get(font));
    ::GetTextMetricsW(dc, &metrics);
  }
  line_height = metrics.tmHeight;
  return HtmlLayout(label.Runs(), line_height, [&](std::string_view text, bool is_bold) {
    const std::wstring wide = Utf8ToWide(text);
    Selected chosen(dc, fonts.Get(is_bold ? bold : font));
    SIZE size{};
    ::GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    return static_cast<int>(size.cx);
  });
}

}  // namespace

void FormWindow::PaintHtmlLabel(Binding& binding, HDC dc) {
  auto& label = static_cast<HtmlLabel&>(*binding.control);
  RECT client{};
  ::GetClientRect(binding.window, &client);
  ::FillRect(dc, &client, Background());
  int line_height = 0;
  const HtmlLayout layout = LayOut(label, dc, fonts_, line_height);
  ::SetBkMode(dc, TRANSPARENT);
  const Font font = label.GetFont();
  for (const HtmlPiece& piece : layout.Pieces()) {
    Font piece_font = font;
    piece_font.bold = piece.bold;
    Selected chosen(dc, fonts_.Get(piece_font, !piece.link.empty()));
    ::SetTextColor(dc, !piece.link.empty()                 ? RGB(0, 0, 255)
                       : ::IsWindowEnabled(binding.window) ? ::GetSysColor(COLOR_WINDOWTEXT)
                                                           : ::GetSysColor(COLOR_GRAYTEXT));
    const std::wstring text = Utf8ToWide(piece.text);
    ::TextOutW(dc, piece.left, piece.top, text.c_str(), static_cast<int>(text.size()));
  }
}

std::string FormWindow::LinkAt(Binding& binding, POINT point) {
  auto& label = static_cast<HtmlLabel&>(*binding.control);
  WindowDc dc(binding.window);
  int line_height = 0;
  return LayOut(label, dc.get(), fonts_, line_height).LinkAt(point.x, point.y);
}

}  // namespace quivra::ui::win32
