#include "host/office/com/com_office.h"

#include <utility>

#include "platform/win32/com/dispatch_ref.h"
#include "platform/win32/com/iids.h"

namespace quivra::office::com {

namespace {

class ComCOMAddIn : public COMAddIn {
 public:
  explicit ComCOMAddIn(Microsoft::WRL::ComPtr<IDispatch> object)
      : object_(std::move(object), "COMAddIn") {}

  void SetObject(const AddInObjectPtr& object) override {
    auto* own = dynamic_cast<ComAddInObject*>(object.get());
    object_.Put(L"Object", quivra::com::Variant::Dispatch(own ? own->get() : nullptr));
  }

 private:
  quivra::com::DispatchRef object_;
};

}  // namespace

COMAddInPtr MakeComCOMAddIn(IDispatch* add_in_inst) {
  if (!add_in_inst) {
    return nullptr;
  }
  Microsoft::WRL::ComPtr<IUnknown> typed;
  if (FAILED(add_in_inst->QueryInterface(quivra::com::IID_COMAddIn,
                                         reinterpret_cast<void**>(typed.GetAddressOf()))) ||
      !typed) {
    return nullptr;
  }
  return std::make_shared<ComCOMAddIn>(static_cast<IDispatch*>(typed.Get()));
}

}  // namespace quivra::office::com
