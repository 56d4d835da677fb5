#pragma once
// Neck extension: minus the smallest Y moment (about Y, CFC 600).

#include <optional>
#include <string>

#include "Quillet/core/KxNeck208.h"

class KxNeckExtension : public KxNeck208 {
 public:
  explicit KxNeckExtension(int outOfPosition = 0);

  bool SetCriticalValues() override;
  // Out-of-position value by dummy codes; true when it set the critical value.
  bool PickOOPValue(const std::string& type, const std::string& size);
  static std::optional<double> OOPValue(const std::string& type, const std::string& size);
  bool Compute(kx::CNSignal& signal);

  // Standard and advanced values of a size code.
  static std::optional<Limits> Row(const std::string& size, bool outOfPosition);
};
