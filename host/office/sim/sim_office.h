#ifndef QUIVRA_HOST_OFFICE_SIM_SIM_OFFICE_H_
#define QUIVRA_HOST_OFFICE_SIM_SIM_OFFICE_H_

#include <functional>
#include <string_view>

#include "host/office/office.h"

namespace quivra::office::sim {

// A COMAddIn entry that keeps the object set on it; can be told to refuse it.
class SimCOMAddIn : public COMAddIn {
 public:
  void SetObject(const AddInObjectPtr& object) override;

  const AddInObjectPtr& object() const { return object_; }
  int set_count() const { return set_count_; }
  void FailSetObject(bool fail) { fail_ = fail; }
  // SetObject passes the gate as "COMAddIn.Object"; true fails it.
  void SetCallGate(std::function<bool(std::string_view method)> gate) { gate_ = std::move(gate); }

 private:
  AddInObjectPtr object_;
  int set_count_ = 0;
  bool fail_ = false;
  std::function<bool(std::string_view)> gate_;
};

}  // namespace quivra::office::sim

#endif  // QUIVRA_HOST_OFFICE_SIM_SIM_OFFICE_H_
