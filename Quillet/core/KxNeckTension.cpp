#include "Quillet/core/KxNeckTension.h"

#include "testdata/CNSignal.h"

KxNeckTension::KxNeckTension(int outOfPosition) { m_outOfPosition = outOfPosition != 0; }

std::optional<KxNeck208::Limits> KxNeckTension::Row(const std::string& s, bool oop) {
  if (s == "12") return Limits{1150.0, 780.0};
  if (s == "3C") return Limits{1270.0, oop ? 1130.0 : 1380.0};
  if (s == "6C" || s == "6W") return Limits{1490.0, oop ? 1490.0 : 1890.0};
  if (s == "10") return Limits{2300.0, oop ? 1810.0 : 2290.0};
  if (s == "05") return Limits{2080.0, oop ? 2070.0 : 2620.0};
  if (s == "50") return Limits{3300.0, 4170.0};
  if (s == "95") return Limits{4052.0, 5030.0};
  return std::nullopt;
}

std::optional<double> KxNeckTension::OOPValue(const std::string& type, const std::string& size) {
  const std::string t = type.substr(0, 2);
  const std::string s = size.substr(0, 2);
  if (t == "S2") return 3880.0;
  if (t == "H3") {
    if (s == "05") return 3880.0;
    if (s == "6C") return 2800.0;
    if (s == "3C") return 2120.0;
  }
  return std::nullopt;
}

bool KxNeckTension::PickOOPValue(const std::string& type, const std::string& size) {
  const std::optional<double> value = OOPValue(type, size);
  if (!value) return false;
  m_criticalValue = *value;
  return true;
}

bool KxNeckTension::SetCriticalValues() {
  if (m_outOfPosition && PickOOPValue(m_dummyType, m_dummySize)) return true;
  if (!IsOneOf(TypeCode(), {"HY", "HT", "SD", "E2", "ER", "ES", "S3", "S2", "CH", "H3", "CR"})) {
    AddMessage(" Neck Tension - Unknown Dummy Type ");
    m_standardCriticalValue = 1.0;
    m_advancedCriticalValue = 1.0;
    return false;
  }
  ApplyTwoValueRow(Row(SizeCode(), m_outOfPosition));
  return true;
}

bool KxNeckTension::Compute(kx::CNSignal& signal) {
  return ComputePeak(signal, 'Z', 1000, false,
                     "Warning - Neck Tension should be Z axis",
                     "Neck Tension - critical error during computation");
}
