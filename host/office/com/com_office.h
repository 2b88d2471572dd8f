#ifndef QUIVRA_HOST_OFFICE_COM_COM_OFFICE_H_
#define QUIVRA_HOST_OFFICE_COM_COM_OFFICE_H_

#include <windows.h>

#include <oaidl.h>
#include <wrl/client.h>

#include "host/office/office.h"

namespace quivra::office::com {

// The add-in's own COM object, as the portable code passes it around.
class ComAddInObject : public AddInObject {
 public:
  explicit ComAddInObject(Microsoft::WRL::ComPtr<IDispatch> object) : object_(std::move(object)) {}
  IDispatch* get() const { return object_.Get(); }

 private:
  Microsoft::WRL::ComPtr<IDispatch> object_;
};

// The host's COMAddIn entry behind AddInInst; none when the object refuses COMAddIn.
COMAddInPtr MakeComCOMAddIn(IDispatch* add_in_inst);

}  // namespace quivra::office::com

#endif  // QUIVRA_HOST_OFFICE_COM_COM_OFFICE_H_
