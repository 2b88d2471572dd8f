#ifndef QUIVRA_PLATFORM_SIM_SIM_SHELL_H_
#define QUIVRA_PLATFORM_SIM_SIM_SHELL_H_

#include <string>
#include <vector>

#include "platform/shell.h"

namespace quivra::platform::sim {

// Records the targets opened; can be told to refuse them.
class SimShell : public Shell {
 public:
  bool Open(const std::string& target) override {
    opened_.push_back(target);
    return !refuse_;
  }

  const std::vector<std::string>& opened() const { return opened_; }
  void SetRefuse(bool refuse) { refuse_ = refuse; }

 private:
  std::vector<std::string> opened_;
  bool refuse_ = false;
};

}  // namespace quivra::platform::sim

#endif  // QUIVRA_PLATFORM_SIM_SIM_SHELL_H_
