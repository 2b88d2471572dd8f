#include "tools/olhost/command_bar_objects.h"

#include <ocidl.h>
#include <olectl.h>

#include <memory>
#include <optional>
#include <type_traits>
#include <utility>
#include <vector>

#include "host/framework/command_bars/office_properties.h"
#include "platform/win32/bitmap_header.h"
#include "platform/win32/com/bstr.h"
#include "platform/win32/com/iids.h"
#include "platform/win32/com/variant.h"
#include "platform/win32/wide_text.h"
#include "tools/olhost/dispatch_object.h"

namespace quivra::olhost {

std::vector<int>& PictureDepths() {
  static std::vector<int> depths;
  return depths;
}

namespace {

using namespace quivra::com;  // Office's IIDs

// Click of _CommandBarButtonEvents.
constexpr DISPID kDispClick = 1;

void Return(VARIANT* result, ComPtr<IDispatch> object) {
  ReturnObject(result, object.Detach());
}

// Whether an optional argument was given (Office's callers pass DISP_E_PARAMNOTFOUND errors for
// the ones they leave out).
bool Given(const Args& args, size_t index) {
  if (index >= args.size()) {
    return false;
  }
  const VARTYPE type = args.at(index).vt;
  return type != VT_ERROR && type != VT_EMPTY;
}

void ReturnValue(VARIANT* result, const office::PropertyValue& value) {
  if (const bool* flag = std::get_if<bool>(&value)) {
    ReturnBool(result, *flag);
  } else if (const int* number = std::get_if<int>(&value)) {
    ReturnInt(result, *number);
  } else {
    ReturnText(result, std::get<std::string>(value));
  }
}

// The written value converted to the type the property has, as Office coerces it.
office::PropertyValue PutValueAs(const Args& args, const office::PropertyValue& current) {
  VARIANT value = args.PutValue();
  if (value.vt == (VT_BYREF | VT_VARIANT) && value.pvarVal) {
    value = *value.pvarVal;
  }
  const VARTYPE wanted = std::holds_alternative<bool>(current)  ? VT_BOOL
                         : std::holds_alternative<int>(current) ? VT_I4
                                                                : VT_BSTR;
  Variant converted;
  if (FAILED(converted.ChangeType(value, wanted))) {
    throw outlook::OutlookError(DISP_E_TYPEMISMATCH, "Type mismatch.");
  }
  if (wanted == VT_BOOL) {
    return converted.ref().boolVal != VARIANT_FALSE;
  }
  if (wanted == VT_I4) {
    return static_cast<int>(converted.ref().lVal);
  }
  return Utf8Of(converted.ref().bstrVal);
}

// The pixels of a picture object (an IPicture of a bitmap), rows top to bottom; its bits per
// pixel are recorded.
office::Picture PictureOf(const Args& args) {
  const VARIANT& value = args.PutValue();
  IDispatch* object = value.vt == VT_DISPATCH ? value.pdispVal : nullptr;
  ComPtr<IPicture> picture;
  OLE_HANDLE handle = 0;
  BITMAP bitmap{};
  if (object == nullptr ||
      FAILED(
          object->QueryInterface(IID_IPicture, reinterpret_cast<void**>(picture.GetAddressOf()))) ||
      FAILED(picture->get_Handle(&handle)) ||
      ::GetObjectW(reinterpret_cast<HGDIOBJ>(static_cast<UINT_PTR>(handle)), sizeof bitmap,
                   &bitmap) == 0) {
    throw outlook::OutlookError(E_INVALIDARG, "Invalid picture.");
  }
  PictureDepths().push_back(bitmap.bmBitsPixel);
  office::Picture result;
  result.width = bitmap.bmWidth;
  result.height = bitmap.bmHeight < 0 ? -bitmap.bmHeight : bitmap.bmHeight;
  result.pixels.resize(static_cast<size_t>(result.width) * static_cast<size_t>(result.height));
  BITMAPINFO info = platform::win32::TopDownBitmapInfo(result.width, result.height);
  // Colours as RGB values need a device context but not the screen's: one memory context for
  // every picture, where the screen's would cost a round trip to the window server each time
  // and make each picture of the add-in's start-up look dearer than it is.
  static const std::unique_ptr<std::remove_pointer_t<HDC>, decltype(&::DeleteDC)> memory_dc(
      ::CreateCompatibleDC(nullptr), &::DeleteDC);
  const int rows =
      ::GetDIBits(memory_dc.get(), reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)), 0,
                  static_cast<UINT>(result.height), result.pixels.data(), &info, DIB_RGB_COLORS);
  if (rows != result.height) {
    throw outlook::OutlookError(E_INVALIDARG, "Invalid picture.");
  }
  for (std::uint32_t& pixel : result.pixels) {
    pixel &= 0xFFFFFF;
  }
  return result;
}

ComPtr<IDispatch> ControlObject(office::CommandBarControlPtr control);

// Carries a button's Click to an automation sink: Click(Ctrl, CancelDefault).
class ClickBridge : public office::CommandBarButtonEvents, public outlook::EventConnection {
 public:
  explicit ClickBridge(ComPtr<IDispatch> sink) : sink_(std::move(sink)) {}

  void Hold(office::CommandBarEventConnectionPtr connection) {
    connection_ = std::move(connection);
  }

  void Click(const office::CommandBarControlPtr& Ctrl, bool& CancelDefault) override {
    ComPtr<IDispatch> object = ControlObject(Ctrl);
    VARIANT_BOOL flag = CancelDefault ? VARIANT_TRUE : VARIANT_FALSE;
    Fire(sink_.Get(), kDispClick, {ObjectArgument(object.Get()), BoolReference(&flag)});
    CancelDefault = flag != VARIANT_FALSE;
  }

 private:
  ComPtr<IDispatch> sink_;
  office::CommandBarEventConnectionPtr connection_;
};

// Members by name shared by bars and controls: every property Office's object has, read and
// written.
template <typename Object, typename Properties, typename Add>
void AddProperties(const std::shared_ptr<Object>& object, Properties properties, Add add) {
  for (const auto& row : properties) {
    const std::string property(row.office_name);
    add(
        platform::win32::Utf8ToWide(property),
        [object, property](const Args&, VARIANT* r) { ReturnValue(r, object->Get(property)); },
        [object, property](const Args& args, VARIANT*) {
          object->Put(property, PutValueAs(args, object->Get(property)));
        });
  }
}

class ControlsObject : public DispatchObject {
 public:
  explicit ControlsObject(office::CommandBarControlsPtr controls)
      : DispatchObject({IID_CommandBarControls}), controls_(std::move(controls)) {
    AddMember(L"Count", [this](const Args&, VARIANT* r) { ReturnInt(r, controls_->Count()); });
    AddMember(L"Item", [this](const Args& args, VARIANT* r) {
      Return(r, ControlObject(controls_->Item(args.Int(0))));
    });
    // Add(Type, Id, Parameter, Before, Temporary).
    AddMember(L"Add", [this](const Args& args, VARIANT* r) {
      const int type = Given(args, 0) ? args.Int(0) : office::msoControlButton;
      const int id = Given(args, 1) ? args.Int(1) : 1;
      const std::optional<int> before =
          Given(args, 3) ? std::optional<int>(args.Int(3)) : std::nullopt;
      const bool temporary = Given(args, 4) && args.Int(4) != 0;
      Return(r, ControlObject(controls_->Add(type, id, before, temporary)));
    });
  }

 private:
  office::CommandBarControlsPtr controls_;
};

class Control : public DispatchObject {
 public:
  explicit Control(office::CommandBarControlPtr control)
      : DispatchObject({IID_CommandBarControl}), control_(std::move(control)) {
    AddProperties(control_, framework::OfficeControlProperties(),
                  [this](const std::wstring& name, Member get, Member put) {
                    AddMember(name, std::move(get), std::move(put));
                  });
    AddMember(L"Controls", [this](const Args&, VARIANT* r) {
      Return(r, Make<ControlsObject>(control_->Controls()));
    });
    AddMember(L"Delete", [this](const Args&, VARIANT*) { control_->Delete(); });
    // Office takes the face and its mask one after the other; the button shows them together.
    AddMember(
        L"Picture", [](const Args&, VARIANT* r) { ReturnObject(r, nullptr); },
        [this](const Args& args, VARIANT*) {
          picture_ = PictureOf(args);
          ApplyPicture();
        });
    AddMember(
        L"Mask", [](const Args&, VARIANT* r) { ReturnObject(r, nullptr); },
        [this](const Args& args, VARIANT*) {
          mask_ = PictureOf(args);
          ApplyPicture();
        });
  }

 protected:
  HRESULT QueryOtherObject(REFIID iid, void** out) override {
    if (!IsEqualIID(iid, IID_IConnectionPointContainer)) {
      return E_NOINTERFACE;
    }
    office::CommandBarControlPtr control = control_;
    return MakeConnectionPoints(
        {{DIID_CommandBarButtonEvents,
          [control](ComPtr<IDispatch> sink) -> std::unique_ptr<outlook::EventConnection> {
            auto bridge = std::make_unique<ClickBridge>(std::move(sink));
            bridge->Hold(control->Advise(*bridge));
            return bridge;
          }}},
        out);
  }

 private:
  void ApplyPicture() {
    if (picture_ && mask_) {
      control_->SetPicture(*picture_, *mask_);
    }
  }

  office::CommandBarControlPtr control_;
  std::optional<office::Picture> picture_;
  std::optional<office::Picture> mask_;
};

ComPtr<IDispatch> ControlObject(office::CommandBarControlPtr control) {
  return control ? Make<Control>(std::move(control)) : nullptr;
}

// FindControl(Type, Id, Tag, ...): only the type and tag are looked at.
template <typename Owner>
void FindControlMember(const std::shared_ptr<Owner>& owner, const Args& args, VARIANT* r) {
  const int type = Given(args, 0) ? args.Int(0) : office::msoControlButton;
  const std::string tag = Given(args, 2) ? args.Text(2) : std::string();
  Return(r, ControlObject(owner->FindControl(type, tag)));
}

class Bar : public DispatchObject {
 public:
  explicit Bar(office::CommandBarPtr bar) : DispatchObject({IID_CommandBar}), bar_(std::move(bar)) {
    AddProperties(bar_, framework::OfficeBarProperties(),
                  [this](const std::wstring& name, Member get, Member put) {
                    AddMember(name, std::move(get), std::move(put));
                  });
    AddMember(L"Controls", [this](const Args&, VARIANT* r) {
      Return(r, Make<ControlsObject>(bar_->Controls()));
    });
    AddMember(L"FindControl",
              [this](const Args& args, VARIANT* r) { FindControlMember(bar_, args, r); });
    AddMember(L"Delete", [this](const Args&, VARIANT*) { bar_->Delete(); });
  }

 private:
  office::CommandBarPtr bar_;
};

ComPtr<IDispatch> BarObject(office::CommandBarPtr bar) {
  return bar ? Make<Bar>(std::move(bar)) : nullptr;
}

class BarsObject : public DispatchObject {
 public:
  explicit BarsObject(office::CommandBarsPtr bars)
      : DispatchObject({IID_CommandBars}), bars_(std::move(bars)) {
    AddMember(L"Count", [this](const Args&, VARIANT* r) { ReturnInt(r, bars_->Count()); });
    // Item(Index): a position (1-based) or a bar's name.
    AddMember(L"Item", [this](const Args& args, VARIANT* r) {
      if (args.at(0).vt != VT_BSTR) {
        Return(r, BarObject(bars_->Item(args.Int(0))));
        return;
      }
      const std::string name = args.Text(0);
      const int count = bars_->Count();
      for (int index = 1; index <= count; ++index) {
        office::CommandBarPtr bar = bars_->Item(index);
        if (bar->GetText(framework::kOfficeName) == name) {
          Return(r, BarObject(std::move(bar)));
          return;
        }
      }
      throw outlook::OutlookError(E_INVALIDARG, "Invalid index.");
    });
    // Add(Name, Position, MenuBar, Temporary).
    AddMember(L"Add", [this](const Args& args, VARIANT* r) {
      const std::string name = Given(args, 0) ? args.Text(0) : std::string();
      const int position = Given(args, 1) ? args.Int(1) : 1;
      const bool temporary = Given(args, 3) && args.Int(3) != 0;
      Return(r, BarObject(bars_->Add(name, position, temporary)));
    });
    AddMember(L"FindControl",
              [this](const Args& args, VARIANT* r) { FindControlMember(bars_, args, r); });
  }

 private:
  office::CommandBarsPtr bars_;
};

}  // namespace

ComPtr<IDispatch> MakeCommandBarsObject(office::CommandBarsPtr bars) {
  return bars ? Make<BarsObject>(std::move(bars)) : nullptr;
}

}  // namespace quivra::olhost
