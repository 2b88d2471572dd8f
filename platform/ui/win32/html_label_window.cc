#include "platform/ui/win32/html_label_window.h"

#include <windows.h>

// After windows.h, which it needs.
#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <string_view>
#include <vector>

#include "platform/ui/html_layout.h"
#include "platform/win32/wide_text.h"

namespace quivra::ui::win32 {

namespace {

using platform::win32::Utf8ToWide;

// An HTML label's text placed with its fonts, measured in `dc`.
HtmlLayout LayOut(const HtmlLabel& label, HDC dc, FontCache& fonts) {
  Font font = label.GetFont();
  Font bold = font;
  bold.bold = true;
  TEXTMETRICW metrics{};
  {
    Selected chosen(dc, fonts.Get(font));
    ::GetTextMetricsW(dc, &metrics);
  }
  return HtmlLayout(label.Runs(), metrics.tmHeight, [&](std::string_view text, bool is_bold) {
    const std::wstring wide = Utf8ToWide(text);
    Selected chosen(dc, fonts.Get(is_bold ? bold : font));
    SIZE size{};
    ::GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    return static_cast<int>(size.cx);
  });
}

// The relative luminance of a colour and the contrast ratio of two, as WCAG 2 defines them
// (https://www.w3.org/TR/WCAG21/#dfn-contrast-ratio).
double Luminance(COLORREF colour) {
  const auto channel = [](int value) {
    const double c = value / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(GetRValue(colour)) + 0.7152 * channel(GetGValue(colour)) +
         0.0722 * channel(GetBValue(colour));
}

double ContrastRatio(COLORREF a, COLORREF b) {
  const double la = Luminance(a);
  const double lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

}  // namespace

HtmlLabelWindow::HtmlLabelWindow(HtmlLabel& label, ControlHost& host)
    : ControlWindow(label, host), label_(label) {}

ControlWindow::WindowKind HtmlLabelWindow::Describe() {
  // A label with a link the form answers is a stop of the Tab key, so that the link can be
  // followed without a mouse, as on the system's link control
  // (https://learn.microsoft.com/en-us/windows/win32/controls/syslink-overview).
  const DWORD tab_stop = label_.FollowsLinks() ? WS_TABSTOP : 0;
  return {.window_class = kWindowClass, .style = kChildStyle | tab_stop, .own_messages = true};
}

void HtmlLabelWindow::SyncContent(bool first) {
  const std::vector<std::string>& html = label_.HTMLText();
  if (first || html != html_) {
    html_ = html;
    // The text without markup is the window's text, as screen readers read it.
    ::SetWindowTextW(window(), Utf8ToWide(label_.PlainText()).c_str());
    ::InvalidateRect(window(), nullptr, TRUE);
  }
}

std::optional<LRESULT> HtmlLabelWindow::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT: {
      PaintDc dc(window());
      Paint(dc.get());
      if (::GetFocus() == window()) {
        RECT client{};
        ::GetClientRect(window(), &client);
        ::DrawFocusRect(dc.get(), &client);
      }
      return 0;
    }
    case WM_SETFOCUS:
      // The form learns of the focus as it does from a button, which makes the link the form's
      // active control: Enter then follows it.
      ::SendMessageW(host().Frame(), WM_COMMAND,
                     MAKEWPARAM(::GetDlgCtrlID(window()), BN_SETFOCUS),
                     reinterpret_cast<LPARAM>(window()));
      ::InvalidateRect(window(), nullptr, TRUE);
      return std::nullopt;
    case WM_KILLFOCUS:
      ::InvalidateRect(window(), nullptr, TRUE);
      return std::nullopt;
    case WM_KEYDOWN:
      // Space follows the focused link too; Enter reaches the form, which follows it.
      if (wparam == VK_SPACE && label_.FollowsLinks()) {
        Dispatch([this] { label_.ClickAnchor(label_.FirstLink()); });
        return 0;
      }
      return std::nullopt;
    case WM_SETCURSOR: {
      POINT point{};
      ::GetCursorPos(&point);
      ::ScreenToClient(window(), &point);
      if (!LinkAt(point).empty()) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
      }
      return std::nullopt;
    }
    case WM_LBUTTONUP: {
      const std::string href = LinkAt({GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
      if (!href.empty()) {
        Dispatch([this, href] { label_.ClickAnchor(href); });
      }
      return 0;
    }
    default:
      return std::nullopt;
  }
}

void HtmlLabelWindow::Paint(HDC dc) {
  RECT client{};
  ::GetClientRect(window(), &client);
  ::FillRect(dc, &client, host().Background());
  const HtmlLayout layout = LayOut(label_, dc, host().Fonts());
  ::SetBkMode(dc, TRANSPARENT);
  const Font font = label_.GetFont();
  for (const HtmlPiece& piece : layout.Pieces()) {
    Font piece_font = font;
    piece_font.bold = piece.bold;
    Selected chosen(dc, host().Fonts().Get(piece_font, !piece.link.empty()));
    ::SetTextColor(dc, piece.link.empty() ? TextColor() : LinkColor());
    // Each character goes where the measurement put it, so that the text, its underline and
    // the next piece meet exactly where the layout (and the link's hit test) has them.
    const std::wstring text = Utf8ToWide(piece.text);
    const int count = static_cast<int>(text.size());
    std::vector<int> ends(text.size());
    std::vector<int> advances(text.size());
    SIZE size{};
    if (count > 0 &&
        ::GetTextExtentExPointW(dc, text.c_str(), count, 0, nullptr, ends.data(), &size)) {
      for (int i = 0; i < count; ++i) {
        advances[static_cast<size_t>(i)] =
            ends[static_cast<size_t>(i)] - (i == 0 ? 0 : ends[static_cast<size_t>(i) - 1]);
      }
      ::ExtTextOutW(dc, piece.left, piece.top, 0, nullptr, text.c_str(), static_cast<UINT>(count),
                    advances.data());
    } else {
      ::TextOutW(dc, piece.left, piece.top, text.c_str(), count);
    }
  }
}

COLORREF HtmlLabelWindow::TextColor() {
  // The text colour of the form's background, so that a high-contrast scheme sets it:
  // https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-getsyscolor
  if (!::IsWindowEnabled(window())) {
    return ::GetSysColor(COLOR_GRAYTEXT);
  }
  return ::GetSysColor(host().BackgroundIndex() == COLOR_WINDOW ? COLOR_WINDOWTEXT : COLOR_BTNTEXT);
}

COLORREF HtmlLabelWindow::LinkColor() {
  // The system's hyperlink colour (COLOR_HOTLIGHT). A scheme whose hyperlink colour can hardly
  // be told from the background (under 3:1, the contrast WCAG asks of text that large) gets the
  // text colour instead: the underline still marks the link.
  const COLORREF link = ::GetSysColor(COLOR_HOTLIGHT);
  const COLORREF background = ::GetSysColor(host().BackgroundIndex());
  return ContrastRatio(link, background) >= 3.0 ? link : TextColor();
}

std::string HtmlLabelWindow::LinkAt(POINT point) {
  WindowDc dc(window());
  return LayOut(label_, dc.get(), host().Fonts()).LinkAt(point.x, point.y);
}

}  // namespace quivra::ui::win32
