#include "host/office/com/com_command_bars.h"

#include <ocidl.h>
#include <olectl.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/bitmap_header.h"
#include "platform/win32/com/dispatch_ref.h"
#include "platform/win32/com/iids.h"
#include "platform/win32/com/sink_connection.h"

namespace quivra::office::com {

namespace {

using Microsoft::WRL::ComPtr;
using quivra::com::DispatchRef;
using quivra::com::Variant;

// Click of _CommandBarButtonEvents.
constexpr DISPID kDispClick = 1;

std::wstring Wide(std::string_view ascii) {
  return std::wstring(ascii.begin(), ascii.end());
}

PropertyValue FromVariant(const Variant& value) {
  switch (value.ref().vt) {
    case VT_BOOL:
      return value.ref().boolVal != VARIANT_FALSE;
    case VT_BSTR:
      return value.ToText();
    default:
      return value.ToInt();
  }
}

Variant ToVariant(const PropertyValue& value) {
  if (const bool* flag = std::get_if<bool>(&value)) {
    return Variant::Bool(*flag);
  }
  if (const int* number = std::get_if<int>(&value)) {
    return Variant::Int(*number);
  }
  return Variant::Text(std::get<std::string>(value));
}

// A 24-bit bitmap of the picture as an OLE picture (PICTYPE_BITMAP) that owns it. A 32-bit
// bitmap would carry an alpha channel of zeros, which Office may take for a fully transparent
// picture; the mask says which pixels show.
ComPtr<IDispatch> MakePicture(const Picture& picture) {
  BITMAPINFO info = platform::win32::TopDownBitmapInfo(picture.width, picture.height, 24);
  void* bits = nullptr;
  // RGB colours need no device context; the screen's would cost a round trip to the window
  // server for each picture.
  HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap == nullptr || bits == nullptr) {
    throw OfficeError(static_cast<std::int32_t>(E_OUTOFMEMORY), "The picture cannot be made.");
  }
  // Rows of blue, green and red bytes, each row padded to a multiple of four bytes.
  const std::size_t stride = (static_cast<std::size_t>(picture.width) * 3 + 3) & ~std::size_t{3};
  auto* rows = static_cast<std::uint8_t*>(bits);
  const std::size_t width = static_cast<std::size_t>(picture.width);
  const std::size_t count =
      std::min(picture.pixels.size(), width * static_cast<std::size_t>(picture.height));
  for (std::size_t index = 0; index < count; ++index) {
    std::uint8_t* pixel = rows + (index / width) * stride + (index % width) * 3;
    const std::uint32_t colour = picture.pixels[index];
    pixel[0] = static_cast<std::uint8_t>(colour & 0xFF);
    pixel[1] = static_cast<std::uint8_t>((colour >> 8) & 0xFF);
    pixel[2] = static_cast<std::uint8_t>((colour >> 16) & 0xFF);
  }
  PICTDESC description{};
  description.cbSizeofstruct = sizeof(description);
  description.picType = PICTYPE_BITMAP;
  description.bmp.hbitmap = bitmap;
  ComPtr<IDispatch> result;
  const HRESULT made = ::OleCreatePictureIndirect(&description, IID_IDispatch, TRUE,
                                                  reinterpret_cast<void**>(result.GetAddressOf()));
  if (FAILED(made)) {
    ::DeleteObject(bitmap);
    throw OfficeError(made, "The picture cannot be made.");
  }
  return result;
}

// A button's Click subscription: the sink stays connected while it lives.
class ComConnection : public CommandBarEventConnection {
 public:
  ComConnection(IDispatch* button, quivra::com::SinkConnection::Handler handler)
      : sink_(button, quivra::com::DIID_CommandBarButtonEvents, std::move(handler)) {}

 private:
  quivra::com::SinkConnection sink_;
};

// Properties by name of a bar or control.
template <typename Base>
class ComObject : public Base {
 public:
  ComObject(ComPtr<IDispatch> object, std::string type) : object_(std::move(object), type) {}

  PropertyValue Get(std::string_view property) override {
    return FromVariant(object_.Call(Wide(property).c_str()));
  }
  void Put(std::string_view property, const PropertyValue& value) override {
    object_.Put(Wide(property).c_str(), ToVariant(value));
  }

 protected:
  DispatchRef object_;
};

CommandBarControlPtr MakeControl(ComPtr<IDispatch> object);

class ComControls : public CommandBarControls {
 public:
  explicit ComControls(ComPtr<IDispatch> object)
      : object_(std::move(object), "CommandBarControls") {}

  int Count() override { return object_.Call(L"Count").ToInt(); }
  CommandBarControlPtr Item(int index) override {
    std::vector<Variant> args;
    args.push_back(Variant::Int(index));
    return MakeControl(object_.Call(L"Item", std::move(args)).ToDispatch());
  }
  CommandBarControlPtr Add(int type, int id, std::optional<int> before, bool temporary) override {
    std::vector<Variant> args;
    args.push_back(Variant::Int(type));
    args.push_back(Variant::Int(id));
    args.push_back(Variant::Missing());
    args.push_back(before ? Variant::Int(*before) : Variant::Missing());
    args.push_back(Variant::Bool(temporary));
    return MakeControl(object_.Call(L"Add", std::move(args)).ToDispatch());
  }

 private:
  DispatchRef object_;
};

class ComControl : public ComObject<CommandBarControl> {
 public:
  explicit ComControl(ComPtr<IDispatch> object)
      : ComObject(std::move(object), "CommandBarControl") {}

  CommandBarControlsPtr Controls() override {
    ComPtr<IDispatch> controls = object_.Call(L"Controls").ToDispatch();
    if (!controls) {
      throw OfficeError(static_cast<std::int32_t>(E_POINTER), "The control has no controls.");
    }
    return std::make_shared<ComControls>(std::move(controls));
  }
  void SetPicture(const Picture& picture, const Picture& mask) override {
    ComPtr<IDispatch> face = MakePicture(picture);
    ComPtr<IDispatch> clear = MakePicture(mask);
    object_.Put(L"Picture", Variant::Dispatch(face.Get()));
    object_.Put(L"Mask", Variant::Dispatch(clear.Get()));
  }
  void Delete() override { object_.Call(L"Delete"); }
  CommandBarEventConnectionPtr Advise(CommandBarButtonEvents& sink) override {
    return std::make_unique<ComConnection>(object_.get(), [&sink](DISPID id, DISPPARAMS* params) {
      // Click(Ctrl, CancelDefault): the arguments come last first.
      if (id != kDispClick || params == nullptr || params->cArgs < 2) {
        return;
      }
      VARIANT& ctrl = params->rgvarg[params->cArgs - 1];
      VARIANT& cancel = params->rgvarg[params->cArgs - 2];
      if (ctrl.vt != VT_DISPATCH) {
        return;
      }
      bool cancel_default = false;
      const bool by_reference = cancel.vt == (VT_BYREF | VT_BOOL) && cancel.pboolVal;
      if (by_reference) {
        cancel_default = *cancel.pboolVal != VARIANT_FALSE;
      }
      try {
        sink.Click(MakeControl(ctrl.pdispVal), cancel_default);
      } catch (...) {
        // Office is not told of the add-in's failures.
      }
      if (by_reference) {
        *cancel.pboolVal = cancel_default ? VARIANT_TRUE : VARIANT_FALSE;
      }
    });
  }
};

CommandBarControlPtr MakeControl(ComPtr<IDispatch> object) {
  return object ? std::make_shared<ComControl>(std::move(object)) : nullptr;
}

class ComBar : public ComObject<CommandBar> {
 public:
  explicit ComBar(ComPtr<IDispatch> object) : ComObject(std::move(object), "CommandBar") {}

  CommandBarControlsPtr Controls() override {
    return std::make_shared<ComControls>(object_.Call(L"Controls").ToDispatch());
  }
  CommandBarControlPtr FindControl(int type, const std::string& tag) override {
    std::vector<Variant> args;
    args.push_back(Variant::Int(type));
    args.push_back(Variant::Missing());
    args.push_back(Variant::Text(tag));
    return MakeControl(object_.Call(L"FindControl", std::move(args)).ToDispatch());
  }
  void Delete() override { object_.Call(L"Delete"); }
};

CommandBarPtr MakeBar(ComPtr<IDispatch> object) {
  return object ? std::make_shared<ComBar>(std::move(object)) : nullptr;
}

class ComBars : public CommandBars {
 public:
  explicit ComBars(ComPtr<IDispatch> object) : object_(std::move(object), "_CommandBars") {}

  int Count() override { return object_.Call(L"Count").ToInt(); }
  CommandBarPtr Item(int index) override {
    std::vector<Variant> args;
    args.push_back(Variant::Int(index));
    return MakeBar(object_.Call(L"Item", std::move(args)).ToDispatch());
  }
  CommandBarPtr Add(const std::string& name, int position, bool temporary) override {
    std::vector<Variant> args;
    args.push_back(Variant::Text(name));
    args.push_back(Variant::Int(position));
    args.push_back(Variant::Missing());
    args.push_back(Variant::Bool(temporary));
    return MakeBar(object_.Call(L"Add", std::move(args)).ToDispatch());
  }
  CommandBarControlPtr FindControl(int type, const std::string& tag) override {
    std::vector<Variant> args;
    args.push_back(Variant::Int(type));
    args.push_back(Variant::Missing());
    args.push_back(Variant::Text(tag));
    args.push_back(Variant::Missing());
    return MakeControl(object_.Call(L"FindControl", std::move(args)).ToDispatch());
  }

 private:
  DispatchRef object_;
};

std::uintptr_t WindowOf(IDispatch* object) {
  ComPtr<IOleWindow> window;
  HWND handle = nullptr;
  if (object == nullptr ||
      FAILED(object->QueryInterface(IID_IOleWindow,
                                    reinterpret_cast<void**>(window.GetAddressOf()))) ||
      FAILED(window->GetWindow(&handle))) {
    return 0;
  }
  return reinterpret_cast<std::uintptr_t>(handle);
}

}  // namespace

std::function<CommandBarsPtr(const outlook::ExplorerPtr&)> MakeComCommandBarsOf(
    IDispatch* application) {
  ComPtr<IDispatch> kept(application);
  return [kept](const outlook::ExplorerPtr& explorer) -> CommandBarsPtr {
    if (!kept || !explorer) {
      return nullptr;
    }
    const std::uintptr_t wanted = explorer->WindowHandle();
    DispatchRef app(kept, "_Application");
    DispatchRef explorers(app.Call(L"Explorers").ToDispatch(), "_Explorers");
    const int count = explorers.Call(L"Count").ToInt();
    for (int index = 1; index <= count; ++index) {
      std::vector<Variant> args;
      args.push_back(Variant::Int(index));
      ComPtr<IDispatch> candidate = explorers.Call(L"Item", std::move(args)).ToDispatch();
      if (WindowOf(candidate.Get()) != wanted) {
        continue;
      }
      ComPtr<IDispatch> bars =
          DispatchRef(candidate, "_Explorer").Call(L"CommandBars").ToDispatch();
      return bars ? std::make_shared<ComBars>(std::move(bars)) : nullptr;
    }
    return nullptr;
  };
}

}  // namespace quivra::office::com
