#include "host/office/sim/sim_command_bars.h"

#include <algorithm>
#include <set>
#include <utility>

#include "platform/caption_text.h"

namespace quivra::office::sim {

namespace internal {

// A bar or a control of one window.
struct Node {
  bool is_bar = false;
  std::uintptr_t window = 0;
  Node* parent = nullptr;
  bool deleted = false;
  bool has_picture = false;
  std::vector<std::uint32_t> mask;
  std::map<std::string, PropertyValue, std::less<>> properties;
  std::vector<std::shared_ptr<Node>> children;
};

struct Sink {
  int id;
  std::weak_ptr<Node> button;
  CommandBarButtonEvents* events;
};

struct Board {
  std::function<bool(std::uintptr_t)> window_open;
  std::map<std::uintptr_t, std::vector<std::shared_ptr<Node>>> bars;
  std::map<std::string, int, std::less<>> calls;
  // Methods made to fail, with the number of the first call (counted from the first call
  // ever) that fails.
  std::map<std::string, int, std::less<>> failing;
  std::function<bool(std::string_view)> gate;
  std::vector<Sink> sinks;
  int next_sink = 1;

  bool Alive(std::uintptr_t window) const { return !window_open || window_open(window); }

  // Counts the call and fails it when it is made to fail or the object is gone.
  void Enter(const std::string& method, const Node* node, std::uintptr_t window) {
    const int call = ++calls[method];
    const auto found = failing.find(method);
    if ((found != failing.end() && call >= found->second) || (gate && gate(method))) {
      throw OfficeError(static_cast<std::int32_t>(0x80004005), "The operation failed.");
    }
    bool gone = !Alive(window);
    for (const Node* at = node; at != nullptr && !gone; at = at->parent) {
      gone = at->deleted;
    }
    if (gone) {
      throw OfficeError(static_cast<std::int32_t>(0x80010108),
                        "The object invoked has disconnected from its clients.");
    }
  }
};

}  // namespace internal

namespace {

using internal::Board;
using internal::Node;

constexpr std::int32_t kUnknownName = static_cast<std::int32_t>(0x80020006);

std::shared_ptr<Node> NewControl(Node* parent, std::uintptr_t window, int type, int id) {
  auto node = std::make_shared<Node>();
  node->window = window;
  node->parent = parent;
  node->properties = {{"Type", type},
                      {"Id", id},
                      {"Tag", std::string()},
                      {"Caption", std::string()},
                      {"TooltipText", std::string()},
                      {"DescriptionText", std::string()},
                      {"HelpFile", std::string()},
                      {"HelpContextID", 0},
                      {"Parameter", std::string()},
                      {"Priority", 0},
                      {"Enabled", true},
                      {"Visible", true},
                      {"BeginGroup", false},
                      {"Height", 22},
                      {"Width", 23},
                      {"Style", 0},
                      {"FaceId", 0},
                      {"ShortcutText", std::string()},
                      {"State", 0},
                      {"HyperlinkType", 0}};
  return node;
}

std::shared_ptr<Node> NewBar(std::uintptr_t window,
                             const std::string& name,
                             int position,
                             bool built_in) {
  auto node = std::make_shared<Node>();
  node->is_bar = true;
  node->window = window;
  node->properties = {{"Name", name},
                      {"NameLocal", name},
                      {"BuiltIn", built_in},
                      {"Enabled", true},
                      {"Visible", built_in},
                      {"Position", position},
                      {"Protection", 0},
                      {"Left", 0},
                      {"Top", 0},
                      {"RowIndex", 1},
                      {"Type", 0}};
  return node;
}

std::string Text(const Node& node, const char* name) {
  auto found = node.properties.find(name);
  const std::string* text =
      found == node.properties.end() ? nullptr : std::get_if<std::string>(&found->second);
  return text ? *text : std::string();
}

template <typename T>
T Value(const Node& node, const char* name, T fallback) {
  auto found = node.properties.find(name);
  const T* value = found == node.properties.end() ? nullptr : std::get_if<T>(&found->second);
  return value ? *value : fallback;
}

Node* FindIn(const std::vector<std::shared_ptr<Node>>& nodes, int type, std::string_view tag) {
  for (const auto& node : nodes) {
    if (node->deleted) {
      continue;
    }
    if (!node->is_bar && Value(*node, "Type", 0) == type && Text(*node, "Tag") == tag) {
      return node.get();
    }
    if (Node* inner = FindIn(node->children, type, tag)) {
      return inner;
    }
  }
  return nullptr;
}

std::shared_ptr<Node> Shared(const std::vector<std::shared_ptr<Node>>& nodes, const Node* node) {
  for (const auto& candidate : nodes) {
    if (candidate.get() == node) {
      return candidate;
    }
    if (auto inner = Shared(candidate->children, node)) {
      return inner;
    }
  }
  return nullptr;
}

std::vector<std::shared_ptr<Node>> Live(const std::vector<std::shared_ptr<Node>>& nodes) {
  std::vector<std::shared_ptr<Node>> live;
  std::copy_if(nodes.begin(), nodes.end(), std::back_inserter(live),
               [](const auto& node) { return !node->deleted; });
  return live;
}

// The properties of a bar or control.
class SimObject {
 protected:
  SimObject(std::shared_ptr<Board> board, std::shared_ptr<Node> node, std::string kind)
      : board_(std::move(board)), node_(std::move(node)), kind_(std::move(kind)) {}

  void Enter(std::string_view member) const {
    board_->Enter(kind_ + "." + std::string(member), node_.get(), node_->window);
  }
  PropertyValue GetProperty(std::string_view property) const {
    Enter(property);
    auto found = node_->properties.find(property);
    if (found == node_->properties.end()) {
      throw OfficeError(kUnknownName, "Unknown name.");
    }
    return found->second;
  }
  void PutProperty(std::string_view property, const PropertyValue& value) {
    Enter("Put" + std::string(property));
    auto found = node_->properties.find(property);
    if (found == node_->properties.end() || property == "Type" || property == "Id" ||
        property == "BuiltIn") {
      throw OfficeError(kUnknownName, "Unknown name.");
    }
    found->second = value;
  }

  std::shared_ptr<Board> board_;
  std::shared_ptr<Node> node_;
  std::string kind_;
};

class SimControl;

class SimControls : public CommandBarControls {
 public:
  SimControls(std::shared_ptr<Board> board, std::shared_ptr<Node> owner)
      : board_(std::move(board)), owner_(std::move(owner)) {}

  int Count() override {
    board_->Enter("CommandBarControls.Count", owner_.get(), owner_->window);
    return static_cast<int>(Live(owner_->children).size());
  }
  CommandBarControlPtr Item(int index) override;
  CommandBarControlPtr Add(int type, int id, std::optional<int> before, bool) override;

 private:
  std::shared_ptr<Board> board_;
  std::shared_ptr<Node> owner_;
};

class SimConnection : public CommandBarEventConnection {
 public:
  SimConnection(std::shared_ptr<Board> board, int id) : board_(std::move(board)), id_(id) {}
  ~SimConnection() override {
    std::erase_if(board_->sinks, [this](const internal::Sink& sink) { return sink.id == id_; });
  }

 private:
  std::shared_ptr<Board> board_;
  int id_;
};

class SimControl : public CommandBarControl, SimObject {
 public:
  SimControl(std::shared_ptr<Board> board, std::shared_ptr<Node> node)
      : SimObject(std::move(board), std::move(node), "CommandBarControl") {}

  PropertyValue Get(std::string_view property) override { return GetProperty(property); }
  void Put(std::string_view property, const PropertyValue& value) override {
    PutProperty(property, value);
  }
  CommandBarControlsPtr Controls() override {
    Enter("Controls");
    if (Value(*node_, "Type", 0) != msoControlPopup) {
      throw OfficeError(kUnknownName, "Unknown name.");
    }
    return std::make_shared<SimControls>(board_, node_);
  }
  void SetPicture(const Picture& picture, const Picture& mask) override {
    Enter("PutPicture");
    if (picture.pixels.empty() || mask.pixels.size() != picture.pixels.size()) {
      throw OfficeError(static_cast<std::int32_t>(0x80070057), "Invalid picture.");
    }
    node_->has_picture = true;
    node_->mask = mask.pixels;
  }
  void Delete() override {
    Enter("Delete");
    node_->deleted = true;
  }
  CommandBarEventConnectionPtr Advise(CommandBarButtonEvents& sink) override {
    Enter("Advise");
    const int id = board_->next_sink++;
    board_->sinks.push_back({id, node_, &sink});
    return std::make_unique<SimConnection>(board_, id);
  }
};

CommandBarControlPtr SimControls::Item(int index) {
  board_->Enter("CommandBarControls.Item", owner_.get(), owner_->window);
  auto live = Live(owner_->children);
  if (index < 1 || index > static_cast<int>(live.size())) {
    throw OfficeError(static_cast<std::int32_t>(0x80070057), "Invalid index.");
  }
  return std::make_shared<SimControl>(board_, live[static_cast<size_t>(index - 1)]);
}

CommandBarControlPtr SimControls::Add(int type, int id, std::optional<int> before, bool) {
  board_->Enter("CommandBarControls.Add", owner_.get(), owner_->window);
  if (type != msoControlButton && type != msoControlPopup) {
    throw OfficeError(static_cast<std::int32_t>(0x80070057), "Invalid control type.");
  }
  auto node = NewControl(owner_.get(), owner_->window, type, id);
  auto& children = owner_->children;
  auto live = Live(children);
  if (before && *before >= 1 && *before <= static_cast<int>(live.size())) {
    children.insert(
        std::find(children.begin(), children.end(), live[static_cast<size_t>(*before - 1)]), node);
  } else {
    children.push_back(node);
  }
  return std::make_shared<SimControl>(board_, node);
}

class SimBar : public CommandBar, SimObject {
 public:
  SimBar(std::shared_ptr<Board> board, std::shared_ptr<Node> node)
      : SimObject(std::move(board), std::move(node), "CommandBar") {}

  PropertyValue Get(std::string_view property) override { return GetProperty(property); }
  void Put(std::string_view property, const PropertyValue& value) override {
    PutProperty(property, value);
  }
  CommandBarControlsPtr Controls() override {
    Enter("Controls");
    return std::make_shared<SimControls>(board_, node_);
  }
  CommandBarControlPtr FindControl(int type, const std::string& tag) override {
    Enter("FindControl");
    Node* found = FindIn(node_->children, type, tag);
    return found ? std::make_shared<SimControl>(board_, Shared(node_->children, found)) : nullptr;
  }
  void Delete() override {
    Enter("Delete");
    if (Value(*node_, "BuiltIn", false)) {
      throw OfficeError(static_cast<std::int32_t>(0x80004005), "A built-in bar stays.");
    }
    node_->deleted = true;
  }
};

class SimBars : public CommandBars {
 public:
  SimBars(std::shared_ptr<Board> board, std::uintptr_t window)
      : board_(std::move(board)), window_(window) {}

  int Count() override {
    Enter("Count");
    return static_cast<int>(Live(Bars()).size());
  }
  CommandBarPtr Item(int index) override {
    Enter("Item");
    auto live = Live(Bars());
    if (index < 1 || index > static_cast<int>(live.size())) {
      throw OfficeError(static_cast<std::int32_t>(0x80070057), "Invalid index.");
    }
    return std::make_shared<SimBar>(board_, live[static_cast<size_t>(index - 1)]);
  }
  CommandBarPtr Add(const std::string& name, int position, bool) override {
    Enter("Add");
    for (const auto& bar : Live(Bars())) {
      if (Text(*bar, "Name") == name) {
        throw OfficeError(static_cast<std::int32_t>(0x80004005), "A bar of that name exists.");
      }
    }
    auto node = NewBar(window_, name, position, false);
    Bars().push_back(node);
    return std::make_shared<SimBar>(board_, node);
  }
  CommandBarControlPtr FindControl(int type, const std::string& tag) override {
    Enter("FindControl");
    Node* found = FindIn(Bars(), type, tag);
    return found ? std::make_shared<SimControl>(board_, Shared(Bars(), found)) : nullptr;
  }

 private:
  void Enter(const char* member) {
    board_->Enter(std::string("CommandBars.") + member, nullptr, window_);
  }
  std::vector<std::shared_ptr<Node>>& Bars() { return board_->bars[window_]; }

  std::shared_ptr<Board> board_;
  std::uintptr_t window_;
};

SimControlView ViewOf(const Node& node) {
  SimControlView view;
  view.type = Value(node, "Type", 0);
  view.tag = Text(node, "Tag");
  view.caption = Text(node, "Caption");
  view.tooltip = Text(node, "TooltipText");
  view.enabled = Value(node, "Enabled", true);
  view.visible = Value(node, "Visible", true);
  view.begin_group = Value(node, "BeginGroup", false);
  view.style = Value(node, "Style", 0);
  view.has_picture = node.has_picture;
  view.mask = node.mask;
  for (const auto& child : Live(node.children)) {
    view.controls.push_back(ViewOf(*child));
  }
  return view;
}

// The control of that caption, as written or as shown.
Node* FindCaption(const std::vector<std::shared_ptr<Node>>& nodes, std::string_view caption) {
  for (const auto& node : Live(nodes)) {
    const std::string text = Text(*node, "Caption");
    if (text == caption || platform::CaptionAsShown(text) == caption) {
      return node.get();
    }
    if (Node* inner = FindCaption(node->children, caption)) {
      return inner;
    }
  }
  return nullptr;
}

}  // namespace

SimCommandBarsHost::SimCommandBarsHost(std::function<bool(std::uintptr_t)> window_open)
    : board_(std::make_shared<Board>()) {
  board_->window_open = std::move(window_open);
}

SimCommandBarsHost::~SimCommandBarsHost() = default;

CommandBarsPtr SimCommandBarsHost::ForWindow(std::uintptr_t window) {
  auto& bars = board_->bars[window];
  if (bars.empty()) {
    bars.push_back(NewBar(window, "Standard", 1, true));
  }
  return std::make_shared<SimBars>(board_, window);
}

std::vector<SimBarView> SimCommandBarsHost::Bars(std::uintptr_t window) const {
  std::vector<SimBarView> views;
  auto found = board_->bars.find(window);
  if (found == board_->bars.end()) {
    return views;
  }
  for (const auto& bar : Live(found->second)) {
    SimBarView view;
    view.name = Text(*bar, "Name");
    view.enabled = Value(*bar, "Enabled", true);
    view.visible = Value(*bar, "Visible", true);
    view.position = Value(*bar, "Position", 0);
    view.protection = Value(*bar, "Protection", 0);
    view.left = Value(*bar, "Left", 0);
    view.top = Value(*bar, "Top", 0);
    view.row_index = Value(*bar, "RowIndex", 0);
    for (const auto& child : Live(bar->children)) {
      view.controls.push_back(ViewOf(*child));
    }
    views.push_back(std::move(view));
  }
  return views;
}

SimBarView SimCommandBarsHost::Bar(std::uintptr_t window, std::string_view name) const {
  for (SimBarView& view : Bars(window)) {
    if (view.name == name) {
      return std::move(view);
    }
  }
  return {};
}

bool SimCommandBarsHost::Move(std::uintptr_t window,
                              std::string_view bar,
                              int position,
                              int left,
                              int top,
                              int row_index) {
  if (!board_->Alive(window)) {
    return false;
  }
  for (const auto& node : Live(board_->bars[window])) {
    if (Text(*node, "Name") == bar) {
      node->properties["Position"] = position;
      node->properties["Left"] = left;
      node->properties["Top"] = top;
      node->properties["RowIndex"] = row_index;
      return true;
    }
  }
  return false;
}

bool SimCommandBarsHost::Click(std::uintptr_t window,
                               std::string_view bar,
                               std::string_view caption) {
  if (!board_->Alive(window)) {
    return false;
  }
  Node* clicked = nullptr;
  for (const auto& node : Live(board_->bars[window])) {
    if (Text(*node, "Name") == bar && Value(*node, "Visible", false)) {
      clicked = FindCaption(node->children, caption);
    }
  }
  if (clicked == nullptr || !Value(*clicked, "Visible", true) ||
      !Value(*clicked, "Enabled", true) || Value(*clicked, "Type", 0) != msoControlButton) {
    return false;
  }
  const auto control = std::make_shared<SimControl>(board_, Shared(board_->bars[window], clicked));
  const std::string tag = Text(*clicked, "Tag");
  // Every connected button with the tag, as they are now; a sink disconnected by an earlier
  // one's handler is not called.
  std::vector<int> targets;
  for (const auto& sink : board_->sinks) {
    auto button = sink.button.lock();
    if (button && !button->deleted && Text(*button, "Tag") == tag) {
      targets.push_back(sink.id);
    }
  }
  for (int id : targets) {
    auto sink = std::find_if(board_->sinks.begin(), board_->sinks.end(),
                             [id](const internal::Sink& entry) { return entry.id == id; });
    if (sink != board_->sinks.end()) {
      bool cancel = false;
      sink->events->Click(control, cancel);
    }
  }
  return true;
}

int SimCommandBarsHost::CallCount(std::string_view method) const {
  auto found = board_->calls.find(method);
  return found == board_->calls.end() ? 0 : found->second;
}

int SimCommandBarsHost::TotalCalls() const {
  int total = 0;
  for (const auto& [method, count] : board_->calls) {
    total += count;
  }
  return total;
}

void SimCommandBarsHost::ResetCallCounts() {
  board_->calls.clear();
}

void SimCommandBarsHost::FailCall(std::string method, int after) {
  const int first = CallCount(method) + after + 1;
  board_->failing[std::move(method)] = first;
}

void SimCommandBarsHost::SetCallGate(std::function<bool(std::string_view method)> gate) {
  board_->gate = std::move(gate);
}

int SimCommandBarsHost::SinkCount() const {
  return static_cast<int>(board_->sinks.size());
}

}  // namespace quivra::office::sim
