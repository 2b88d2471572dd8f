#include "platform/ui/text_fit.h"

#include <algorithm>
#include <vector>

#include "platform/ui/button.h"
#include "platform/ui/check_box.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/html_label.h"
#include "platform/ui/static_controls.h"

namespace quivra::ui {

namespace {

// The room controls draw around their text, in designed pixels. A check box draws its 13-pixel
// box and a gap before the text; a push button and an edit field draw edges inside their box; a
// group box writes its caption between the corners of its frame.
constexpr int kCheckBoxRoom = 18;
constexpr int kCheckBoxEdges = 4;
constexpr int kButtonEdges = 8;
constexpr int kFieldEdges = 8;
constexpr int kGroupCorners = 16;
// Kept between a grown control and what it moves aside, unless the design had them closer.
constexpr int kGap = 4;

int Right(const Control& control) {
  return control.Left() + control.Width();
}

int Bottom(const Control& control) {
  return control.Top() + control.Height();
}

bool RowsMeet(const Control& a, const Control& b) {
  return a.Top() < Bottom(b) && b.Top() < Bottom(a);
}

bool ColumnsMeet(const Control& a, const Control& b) {
  return a.Left() < Right(b) && b.Left() < Right(a);
}

// Moves or resizes a control while what it holds stays where it is: growing to fit is not the
// user resizing a window, so anchored controls do not follow.
void Reshape(Control& control, Rect bounds) {
  std::vector<Anchors> anchors;
  for (Control* child : control.Controls()) {
    anchors.push_back(child->GetAnchors());
    child->SetAnchors(kDefaultAnchors);
  }
  control.SetBounds(bounds);
  for (size_t i = 0; i < anchors.size(); ++i) {
    control.Controls()[i]->SetAnchors(anchors[i]);
  }
}

// One direction controls are pushed in: across (to the right) or down.
struct Axis {
  bool across;
  int Start(const Control& c) const { return across ? c.Left() : c.Top(); }
  int Size(const Control& c) const { return across ? c.Width() : c.Height(); }
  int End(const Control& c) const { return Start(c) + Size(c); }
  // The two controls share a row (across) or a column (down).
  bool Beside(const Control& a, const Control& b) const {
    return across ? RowsMeet(a, b) : ColumnsMeet(a, b);
  }
  void MoveTo(Control& c, int start) const {
    Reshape(c, across ? Rect{start, c.Top(), c.Width(), c.Height()}
                      : Rect{c.Left(), start, c.Width(), c.Height()});
  }
};

// After `moved` grew past `old_end`, moves the controls after it that it, or a control moved on
// its account, now covers: a sweep in the order they stand, each placed just after whatever
// placed before it covers it, keeping the gap it had (at most kGap). Controls that are not
// covered stay; their order never changes, so no two cover each other that did not before.
void Push(Control& moved, int old_end, const Axis& axis) {
  struct Placed {
    Control* control;
    int old_start;
    int old_end;
  };
  std::vector<Placed> placed = {{&moved, axis.Start(moved), old_end}};
  std::vector<Control*> after;
  for (Control* other : moved.Parent()->Controls()) {
    if (other != &moved && other->Visible() && axis.Start(*other) >= old_end) {
      after.push_back(other);
    }
  }
  std::stable_sort(after.begin(), after.end(),
                   [&axis](Control* a, Control* b) { return axis.Start(*a) < axis.Start(*b); });
  for (Control* other : after) {
    const int old_start = axis.Start(*other);
    int start = old_start;
    for (const Placed& before : placed) {
      if (before.old_end <= old_start && axis.Beside(*before.control, *other)) {
        const int gap = std::min(kGap, old_start - before.old_end);
        start = std::max(start, axis.End(*before.control) + gap);
      }
    }
    placed.push_back({other, old_start, axis.End(*other)});
    if (start != old_start) {
      axis.MoveTo(*other, start);
    }
  }
}

// Grows `control` to at least `width` x `height` and moves aside what it would cover.
void Grow(Control& control, int width, int height) {
  const int old_right = Right(control);
  const int old_bottom = Bottom(control);
  Reshape(control, {control.Left(), control.Top(), std::max(control.Width(), width),
                    std::max(control.Height(), height)});
  if (control.Parent() != nullptr) {
    if (Right(control) > old_right) {
      Push(control, old_right, Axis{true});
    }
    if (Bottom(control) > old_bottom) {
      Push(control, old_bottom, Axis{false});
    }
  }
}

// The right and bottom edges of what `holder` shows.
std::pair<int, int> Extent(const Control& holder) {
  int right = 0;
  int bottom = 0;
  for (const Control* child : holder.Controls()) {
    if (child->Visible()) {
      right = std::max(right, Right(*child));
      bottom = std::max(bottom, Bottom(*child));
    }
  }
  return {right, bottom};
}

void Fit(Control& holder, TextMeasure& measure) {
  // What the holder shows may reach past its edge by design; it grows only for what the fitting
  // adds, keeping the margin it had.
  const auto [right_before, bottom_before] = Extent(holder);
  for (Control* child : holder.Controls()) {
    if (!child->Visible()) {
      continue;
    }
    Fit(*child, measure);
    if (const std::optional<TextBox> box = NeededBox(*child, measure)) {
      Grow(*child, box->width, box->height);
    }
  }
  const auto [right_after, bottom_after] = Extent(holder);
  int width = holder.Width();
  int height = holder.Height();
  if (right_after > right_before && right_after > width) {
    width = right_after + std::max(0, holder.Width() - right_before);
  }
  if (bottom_after > bottom_before && bottom_after > height) {
    height = bottom_after + std::max(0, holder.Height() - bottom_before);
  }
  if (width != holder.Width() || height != holder.Height()) {
    Grow(holder, width, height);
  }
}

int LineWidth(const std::vector<HtmlRun>& runs, const Font& font, TextMeasure& measure) {
  int widest = 0;
  int line = 0;
  for (const HtmlRun& run : runs) {
    if (run.line_break) {
      line = 0;
      continue;
    }
    Font run_font = font;
    run_font.bold = run.bold;
    line += measure.TextWidth(run_font, run.text);
    widest = std::max(widest, line);
  }
  return widest;
}

}  // namespace

std::optional<TextBox> NeededBox(const Control& control, TextMeasure& measure) {
  const Font font = control.GetFont();
  if (const auto* label = dynamic_cast<const HtmlLabel*>(&control)) {
    const std::vector<HtmlRun> runs = label->Runs();
    if (runs.empty()) {
      return std::nullopt;
    }
    return TextBox{LineWidth(runs, font, measure), label->LineCount() * measure.TextHeight(font)};
  }
  if (dynamic_cast<const Edit*>(&control) != nullptr) {
    return TextBox{0, measure.TextHeight(font) + kFieldEdges};
  }
  const std::string text = CaptionAsShown(control.Caption());
  if (text.empty()) {
    return std::nullopt;
  }
  const int width = measure.TextWidth(font, text);
  const int height = measure.TextHeight(font);
  if (dynamic_cast<const CheckBox*>(&control) != nullptr) {
    return TextBox{width + kCheckBoxRoom, height + kCheckBoxEdges};
  }
  if (dynamic_cast<const Button*>(&control) != nullptr) {
    return TextBox{width + kButtonEdges, height + kButtonEdges};
  }
  if (dynamic_cast<const GroupBox*>(&control) != nullptr) {
    return TextBox{width + kGroupCorners, height};
  }
  if (dynamic_cast<const Label*>(&control) != nullptr) {
    return TextBox{width, height};
  }
  return std::nullopt;
}

void FitToText(Form& form, TextMeasure& measure) {
  Fit(form, measure);
}

}  // namespace quivra::ui
