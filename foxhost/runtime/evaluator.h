// The seam through which the host answers `_Evaluate` and `_Execute`: the
// FoxPro language plugs in here. Both report a failure by throwing FoxError.
#pragma once

#include <memory>
#include <string_view>

#include "foxhost/runtime/fox_value.h"

namespace foxhost {

class Runtime;

class Evaluator {
 public:
  virtual ~Evaluator() = default;
  virtual FoxValue Evaluate(Runtime& runtime, std::string_view expression) = 0;
  virtual void Execute(Runtime& runtime, std::string_view statement) = 0;
};

}  // namespace foxhost
