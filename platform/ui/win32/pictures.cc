#include "platform/ui/win32/pictures.h"

#include <algorithm>
#include <initializer_list>
#include <vector>

#include "platform/ui/win32/system_ink.h"

namespace quivra::ui::win32 {

namespace {

constexpr COLORREF kArrowGreen = RGB(40, 160, 60);
constexpr COLORREF kArrowEdge = RGB(20, 100, 30);
constexpr COLORREF kKeyBlue = RGB(50, 100, 200);
constexpr COLORREF kKeyEdge = RGB(25, 55, 130);
constexpr COLORREF kWhite = RGB(255, 255, 255);

void Polygon(HDC dc, std::initializer_list<POINT> points, COLORREF fill, COLORREF edge) {
  const std::vector<POINT> corners(points);
  UniqueBrush brush(::CreateSolidBrush(fill));
  UniquePen pen(::CreatePen(PS_SOLID, 1, edge));
  Selected b(dc, brush.get());
  Selected p(dc, pen.get());
  ::Polygon(dc, corners.data(), static_cast<int>(corners.size()));
}

void RoundBox(HDC dc, RECT box, COLORREF fill, COLORREF edge) {
  UniqueBrush brush(::CreateSolidBrush(fill));
  UniquePen pen(::CreatePen(PS_SOLID, 1, edge));
  Selected b(dc, brush.get());
  Selected p(dc, pen.get());
  ::RoundRect(dc, box.left, box.top, box.right, box.bottom, 5, 5);
}

// A text centred in `box`, in a bold sans-serif face `height` pixels high.
void CentredText(HDC dc, const wchar_t* text, RECT box, int height, COLORREF color) {
  LOGFONTW description{};
  description.lfHeight = -height;
  description.lfWeight = FW_BOLD;
  description.lfCharSet = DEFAULT_CHARSET;
  ::lstrcpynW(description.lfFaceName, L"Tahoma", LF_FACESIZE);
  UniqueFont font(::CreateFontIndirectW(&description));
  Selected chosen(dc, font.get());
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, color);
  ::DrawTextW(dc, text, -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

// An arrow pointing down or up, designed on 16 x 16 and as large as the picture's smaller side,
// centred in it.
void Arrow(HDC dc, int width, int height, bool down, const Ink& ink) {
  const int side = std::max(16, std::min(width, height));
  const int x0 = (width - side) / 2;
  const int y0 = (height - side) / 2;
  const auto at = [&](int x, int y) {
    return POINT{x0 + x * side / 16, y0 + (down ? y : 15 - y) * side / 16};
  };
  Polygon(dc, {at(5, 1), at(10, 1), at(10, 7), at(14, 7), at(7, 14), at(1, 7), at(5, 7)},
          ink.Solid(kArrowGreen), ink.Line(kArrowEdge));
}

// A grey key cap with an arrow to the left.
void BackspaceKey(HDC dc, int width, int height, const Ink& ink) {
  RoundBox(dc, {0, 0, width, height}, ink.Fill(RGB(236, 236, 236)), ink.Line(RGB(110, 110, 110)));
  const int middle = height / 2;
  const int head = std::max(4, height / 4);
  const COLORREF arrow = ink.Line(RGB(40, 40, 40));
  UniquePen pen(::CreatePen(PS_SOLID, std::max(1, height / 16), arrow));
  Selected p(dc, pen.get());
  ::MoveToEx(dc, width - 4, middle, nullptr);
  ::LineTo(dc, 3, middle);
  Polygon(dc, {{3, middle}, {3 + head, middle - head}, {3 + head, middle + head}}, arrow, arrow);
}

// A blue key cap showing a white digit.
void NumberedKey(HDC dc, int width, int height, wchar_t digit, const Ink& ink) {
  RoundBox(dc, {0, 0, width, height}, ink.Fill(kKeyBlue), ink.Line(kKeyEdge));
  const wchar_t text[2] = {digit, 0};
  CentredText(dc, text, {0, 0, width, height}, height - 5, ink.Line(kWhite));
}

// The product's name on a blue band that lightens to the right, with a filed letter.
void Banner(HDC dc, int width, int height, const Ink& ink) {
  for (int x = 0; x < width && !ink.high_contrast; ++x) {
    const int shade = width > 1 ? x * 255 / (width - 1) : 0;
    UniqueBrush brush(::CreateSolidBrush(
        RGB(20 + shade * 70 / 255, 60 + shade * 90 / 255, 140 + shade * 80 / 255)));
    const RECT column = {x, 0, x + 1, height};
    ::FillRect(dc, &column, brush.get());
  }
  if (ink.high_contrast) {
    // The band becomes a frame around the name.
    RoundBox(dc, {0, 0, width, height}, ink.background, ink.foreground);
  }
  CentredText(dc, L"Quivra", {12, 0, width / 2, height}, height * 5 / 8, ink.Line(kWhite));
  // A letter dropping into a folder at the right.
  const int right = width - 16;
  const int top = height / 6;
  Polygon(dc,
          {{right - 46, top + height / 3},
           {right - 30, top + height / 3},
           {right - 26, top + height / 3 + 4},
           {right, top + height / 3 + 4},
           {right, height - 4},
           {right - 46, height - 4}},
          ink.Fill(RGB(250, 212, 96)), ink.Line(RGB(160, 115, 25)));
  const RECT letter = {right - 38, top, right - 12, top + height / 3 + 2};
  RoundBox(dc, letter, ink.Fill(kWhite), ink.Line(RGB(80, 80, 80)));
  UniquePen pen(::CreatePen(PS_SOLID, 1, ink.Line(RGB(80, 80, 80))));
  Selected p(dc, pen.get());
  ::MoveToEx(dc, letter.left, letter.top, nullptr);
  ::LineTo(dc, (letter.left + letter.right) / 2, (letter.top + letter.bottom) / 2);
  ::LineTo(dc, letter.right, letter.top);
}

}  // namespace

UniqueBitmap DrawPicture(const std::string& name, int width, int height, int background_index) {
  const bool known =
      name == "ARROWDOWN" || name == "ARROWUP" || name == "BACKSPACEKEY" || name == "BANNER" ||
      (name.size() == 4 && name.compare(0, 3, "KEY") == 0 && name[3] >= '0' && name[3] <= '9');
  if (!known || width <= 0 || height <= 0) {
    return {};
  }
  WindowDc screen(nullptr);
  UniqueMemoryDc dc(::CreateCompatibleDC(screen.get()));
  UniqueBitmap picture(::CreateCompatibleBitmap(screen.get(), width, height));
  if (!dc || !picture) {
    return {};
  }
  Selected into(dc.get(), picture.get());
  const Ink ink = Ink::For(background_index);
  const RECT all = {0, 0, width, height};
  ::FillRect(dc.get(), &all, ::GetSysColorBrush(background_index));
  if (name == "ARROWDOWN" || name == "ARROWUP") {
    Arrow(dc.get(), width, height, name == "ARROWDOWN", ink);
  } else if (name == "BACKSPACEKEY") {
    BackspaceKey(dc.get(), width, height, ink);
  } else if (name == "BANNER") {
    Banner(dc.get(), width, height, ink);
  } else {
    NumberedKey(dc.get(), width, height, static_cast<wchar_t>(name[3]), ink);
  }
  return picture;
}

}  // namespace quivra::ui::win32
