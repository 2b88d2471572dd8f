#ifndef QUIVRA_HOST_FRAMEWORK_RIBBON_RIBBON_CONNECTION_H_
#define QUIVRA_HOST_FRAMEWORK_RIBBON_RIBBON_CONNECTION_H_

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <variant>
#include <vector>

#include "host/framework/module/bitmap.h"
#include "host/framework/module/component.h"
#include "host/framework/ribbon/ribbon_controls.h"
#include "host/framework/ribbon/ribbon_tab.h"
#include "host/office/ribbon.h"

namespace quivra::framework {

class TCOMAddInModule;

// The callbacks Office calls by the names written in the customUI text, with the DISPIDs the
// add-in's IDispatch gives them.
enum class TRibbonCallback {
  RibbonLoaded = 10,
  GetImages = 11,
  GetVisible = 12,
  GetKeyTip = 13,
  GetLabel = 14,
  GetEnabled = 15,
  GetPressed = 16,
  GetImage = 17,
  GetSuperTip = 19,
  GetScreenTip = 20,
  GetSize = 21,
  GetShowLabel = 22,
  GetShowImage = 23,
  GetDescription = 24,
  OnActionCommon = 50,
  OnActionState = 52,
};

// The DISPID of a callback name ("GetLabel_Callback" gives 14), compared exactly; none for a
// name that is no callback.
std::optional<int> RibbonCallbackDispId(std::string_view name);
// The name of a callback DISPID; empty for a number that is none.
std::string_view RibbonCallbackName(int dispid);

// A button image as Office is given it: 32 bits a pixel with alpha. A bitmap made without alpha
// is opaque; with `transparent_corner` every pixel of the colour of the bottom-left pixel
// becomes transparent.
office::RibbonPicture RibbonPictureOf(const TBitmap& bitmap, bool transparent_corner);

// The connection of the module's ribbon components to Office: the index of tabs and controls by
// id, the customUI text, the answers to the callbacks from the components' current values, the
// clicks, and the invalidation of a control whose value changed once Office has given its ribbon
// UI. Hooks the module's PropertyChanged for as long as it lives (keeping a hook set before).
class TRibbonConnection {
 public:
  explicit TRibbonConnection(TCOMAddInModule& module);
  ~TRibbonConnection();
  TRibbonConnection(const TRibbonConnection&) = delete;
  TRibbonConnection& operator=(const TRibbonConnection&) = delete;

  // The customUI text of the ribbon RibbonID; the index then holds the components of that
  // host's ribbons.
  std::string GetCustomUI(const std::string& RibbonID, int HostMajorVersion);

  // onLoad: keeps Office's ribbon UI. Office calls onLoad once for each kind of ribbon that shows
  // the customUI (the explorer's, and each inspector kind's when its first window opens) and may
  // hand over a different ribbon UI each time: every distinct one is kept and told of changes.
  void RibbonLoaded(office::RibbonUIPtr ribbon);
  // The ribbon UI of the latest onLoad, or null before the first.
  office::RibbonUIPtr RibbonUI() const {
    return ribbon_uis_.empty() ? nullptr : ribbon_uis_.back();
  }
  const std::vector<office::RibbonUIPtr>& RibbonUIs() const { return ribbon_uis_; }

  // A callback other than onLoad for `control`. Handlers' exceptions go to the module's error
  // report; the callback still answers.
  office::RibbonValue Callback(TRibbonCallback callback,
                               const TRibbonControlInfo& control,
                               bool pressed);

  // While a hold lives, the invalidations that changes call for are gathered instead of sent;
  // when the last hold ends, every ribbon UI is told once per changed control, in the order
  // they first changed, or once as a whole where a change needs that. Start-up holds them:
  // Office may draw the ribbon before the buttons are placed, and the many property changes
  // of placing them then cost Office one invalidation per control instead of one per change.
  class InvalidationHold {
   public:
    explicit InvalidationHold(TRibbonConnection& connection);
    ~InvalidationHold();
    InvalidationHold(const InvalidationHold&) = delete;
    InvalidationHold& operator=(const InvalidationHold&) = delete;

   private:
    // The connection may go while the hold lives (the add-in disconnected).
    std::weak_ptr<TRibbonConnection*> connection_;
  };

  // The tab or control Office means by `id` (its inner-button and context-menu marks taken
  // off), or neither.
  using Target = std::variant<std::monostate, TRibbonTab*, TRibbonCustomControl*>;
  Target Find(std::string_view id);

 private:
  void BuildIndex(bool outlook_only);
  void Changed(const TPropertyChange& change);
  // Adds what Office must be told of the change to `ids` (controls to invalidate, each once)
  // or sets `whole` (the whole ribbon).
  static void AddInvalidations(const TPropertyChange& change,
                               std::vector<std::string>& ids,
                               bool& whole);
  // Tells every ribbon UI to invalidate the controls `ids`, or the whole ribbon.
  void SendInvalidations(const std::vector<std::string>& ids, bool whole);
  void ReleaseHeldInvalidations();
  office::RibbonValue TabValue(TRibbonTab& tab,
                               TRibbonCallback callback,
                               const TRibbonControlInfo& control);
  office::RibbonValue ControlValue(TRibbonCustomControl& item,
                                   TRibbonCallback callback,
                                   const TRibbonControlInfo& control,
                                   bool pressed);

  TCOMAddInModule& module_;
  std::shared_ptr<TRibbonConnection*> self_;
  // The add-in's tabs and controls by id (idMso for a built-in one), lower-cased, as Office
  // names them in every callback; the first of equal ids wins.
  std::unordered_map<std::string, Target> index_;
  bool indexed_ = false;
  std::vector<office::RibbonUIPtr> ribbon_uis_;
  // Invalidations gathered while held.
  int holds_ = 0;
  std::vector<std::string> held_ids_;
  bool held_whole_ = false;
};

}  // namespace quivra::framework

#endif  // QUIVRA_HOST_FRAMEWORK_RIBBON_RIBBON_CONNECTION_H_
