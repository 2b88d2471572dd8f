#include "platform/ui/win32/state_images.h"

#include <initializer_list>

#include "platform/ui/win32/system_ink.h"

namespace quivra::ui::win32 {

namespace {

constexpr int kSize = 16;
constexpr COLORREF kTransparent = RGB(255, 0, 255);

// Draws into one 16 x 16 cell of a strip of images.
class Painter {
 public:
  Painter(HDC dc, int cell, const Ink& ink) : dc_(dc), x0_(cell * kSize), ink_(ink) {}

  void Box(int left, int top, int right, int bottom, COLORREF fill, COLORREF edge) {
    UniqueBrush brush(::CreateSolidBrush(ink_.Fill(fill)));
    UniquePen pen(::CreatePen(PS_SOLID, 1, ink_.Line(edge)));
    Selected b(dc_, brush.get());
    Selected p(dc_, pen.get());
    ::Rectangle(dc_, x0_ + left, top, x0_ + right, bottom);
  }
  void Round(int left, int top, int right, int bottom, COLORREF fill, COLORREF edge) {
    UniqueBrush brush(::CreateSolidBrush(ink_.Fill(fill)));
    UniquePen pen(::CreatePen(PS_SOLID, 1, ink_.Line(edge)));
    Selected b(dc_, brush.get());
    Selected p(dc_, pen.get());
    ::Ellipse(dc_, x0_ + left, top, x0_ + right, bottom);
  }
  void Shape(std::initializer_list<POINT> points, COLORREF fill, COLORREF edge) {
    POINT shifted[16];
    int n = 0;
    for (POINT point : points) {
      shifted[n++] = {x0_ + point.x, point.y};
    }
    UniqueBrush brush(::CreateSolidBrush(ink_.Fill(fill)));
    UniquePen pen(::CreatePen(PS_SOLID, 1, ink_.Line(edge)));
    Selected b(dc_, brush.get());
    Selected p(dc_, pen.get());
    ::Polygon(dc_, shifted, n);
  }
  void Line(std::initializer_list<POINT> points, COLORREF color, int width = 1) {
    POINT shifted[16];
    int n = 0;
    for (POINT point : points) {
      shifted[n++] = {x0_ + point.x, point.y};
    }
    UniquePen pen(::CreatePen(PS_SOLID, width, ink_.Line(color)));
    Selected p(dc_, pen.get());
    ::Polyline(dc_, shifted, n);
  }
  void Arc(int cx, int cy, int radius, COLORREF color, int width) {
    UniquePen pen(::CreatePen(PS_SOLID, width, ink_.Line(color)));
    Selected p(dc_, pen.get());
    ::Arc(dc_, x0_ + cx - radius, cy - radius, x0_ + cx + radius, cy + radius, x0_ + cx + radius,
          cy, x0_ + cx, cy - radius);
  }

  // A closed yellow folder taking the whole cell.
  void Folder() {
    Shape({{1, 2}, {6, 2}, {8, 4}, {8, 5}, {1, 5}}, RGB(226, 178, 60), RGB(160, 115, 25));
    Box(1, 4, 15, 14, RGB(250, 212, 96), RGB(160, 115, 25));
  }

 private:
  HDC dc_;
  int x0_;
  const Ink& ink_;
};

void DrawOutlookImages(HDC dc, const Ink& ink) {
  const COLORREF kBlue = RGB(40, 80, 180);
  const COLORREF kWhite = RGB(255, 255, 255);
  // 1: the default store, a mailbox with a house.
  {
    Painter p(dc, 1, ink);
    p.Box(3, 7, 14, 15, RGB(246, 236, 214), RGB(120, 80, 40));
    p.Shape({{1, 8}, {8, 1}, {15, 8}}, RGB(200, 50, 40), RGB(130, 30, 20));
    p.Box(7, 10, 10, 15, RGB(130, 85, 40), RGB(100, 60, 25));
    p.Box(11, 9, 13, 11, RGB(150, 200, 240), RGB(100, 60, 25));
  }
  // 2: a plain folder.
  Painter(dc, 2, ink).Folder();
  // 3: any other store, a stack of folders.
  {
    Painter p(dc, 3, ink);
    p.Box(5, 1, 15, 10, RGB(220, 180, 90), RGB(150, 105, 25));
    p.Box(3, 3, 13, 12, RGB(236, 196, 90), RGB(150, 105, 25));
    p.Shape({{1, 4}, {5, 4}, {6, 6}, {1, 6}}, RGB(226, 178, 60), RGB(150, 105, 25));
    p.Box(1, 6, 12, 15, RGB(250, 212, 96), RGB(150, 105, 25));
  }
  // 4: a recycle bin.
  {
    Painter p(dc, 4, ink);
    p.Box(6, 0, 10, 2, RGB(170, 175, 180), RGB(80, 85, 90));
    p.Box(2, 2, 14, 5, RGB(190, 195, 200), RGB(80, 85, 90));
    p.Shape({{3, 5}, {13, 5}, {12, 15}, {4, 15}}, RGB(215, 220, 225), RGB(80, 85, 90));
    for (int x : {6, 8, 10}) {
      p.Line({{x, 7}, {x, 13}}, RGB(110, 115, 120));
    }
  }
  // 5: Drafts, a folder with a pencil.
  {
    Painter p(dc, 5, ink);
    p.Folder();
    p.Line({{6, 13}, {14, 5}}, RGB(230, 140, 30), 3);
    p.Line({{4, 15}, {6, 13}}, RGB(40, 40, 40), 2);
  }
  // 6: Inbox, a folder with an envelope.
  {
    Painter p(dc, 6, ink);
    p.Folder();
    p.Box(5, 7, 16, 15, kWhite, kBlue);
    p.Line({{5, 7}, {10, 11}, {15, 7}}, kBlue);
  }
  // 7: junk, a folder with a no-entry sign.
  {
    Painter p(dc, 7, ink);
    p.Folder();
    p.Round(6, 6, 16, 16, RGB(215, 30, 30), RGB(150, 20, 20));
    p.Box(8, 10, 14, 12, kWhite, kWhite);
  }
  // 8: Outbox, a folder with an arrow.
  {
    Painter p(dc, 8, ink);
    p.Folder();
    p.Shape({{4, 9}, {9, 9}, {9, 6}, {15, 11}, {9, 16}, {9, 13}, {4, 13}}, RGB(40, 160, 60),
            RGB(20, 100, 30));
  }
  // 9: RSS feeds.
  {
    Painter p(dc, 9, ink);
    p.Box(1, 1, 15, 15, RGB(240, 130, 20), RGB(190, 90, 10));
    p.Round(3, 10, 7, 14, kWhite, kWhite);
    p.Arc(4, 12, 5, kWhite, 2);
    p.Arc(4, 12, 9, kWhite, 2);
  }
  // 10: Sent Items, a folder with a paper plane.
  {
    Painter p(dc, 10, ink);
    p.Folder();
    p.Shape({{4, 10}, {15, 5}, {11, 15}, {9, 11}}, kWhite, kBlue);
    p.Line({{9, 11}, {15, 5}}, kBlue);
  }
}

}  // namespace

UniqueImageList MakeStateImages(const std::string& image_list, int size) {
  if (image_list != "ImageListOLIcons" || size <= 0) {
    return {};
  }
  constexpr int kCount = 11;
  UniqueImageList images(::ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, kCount, 0));
  if (!images) {
    return {};
  }
  WindowDc screen(nullptr);
  UniqueMemoryDc dc(::CreateCompatibleDC(screen.get()));
  UniqueBitmap strip(::CreateCompatibleBitmap(screen.get(), kSize * kCount, kSize));
  if (!dc || !strip) {
    return {};
  }
  {
    Selected into(dc.get(), strip.get());
    UniqueBrush background(::CreateSolidBrush(kTransparent));
    const RECT all = {0, 0, kSize * kCount, kSize};
    ::FillRect(dc.get(), &all, background.get());
    // The tree's background is the window colour.
    DrawOutlookImages(dc.get(), Ink::For(COLOR_WINDOW));
  }
  if (size != kSize) {
    // Drawn at 16 pixels and enlarged pixel by pixel for a higher DPI, which keeps the edges
    // sharp and the transparent colour exact.
    UniqueMemoryDc large_dc(::CreateCompatibleDC(screen.get()));
    UniqueBitmap large(::CreateCompatibleBitmap(screen.get(), size * kCount, size));
    if (!large_dc || !large) {
      return {};
    }
    {
      Selected from(dc.get(), strip.get());
      Selected into(large_dc.get(), large.get());
      ::SetStretchBltMode(large_dc.get(), COLORONCOLOR);
      ::StretchBlt(large_dc.get(), 0, 0, size * kCount, size, dc.get(), 0, 0, kSize * kCount, kSize,
                   SRCCOPY);
    }
    strip = std::move(large);
  }
  // The strip must not be selected into a device context while the list copies it.
  ::ImageList_AddMasked(images.get(), strip.get(), kTransparent);
  return images;
}

}  // namespace quivra::ui::win32
