#include "Quillet/core/KxNeckFlexion.h"

#include "testdata/CNSignal.h"

KxNeckFlexion::KxNeckFlexion(int outOfPosition) { m_outOfPosition = outOfPosition != 0; }

std::optional<KxNeck208::Limits> KxNeckFlexion::Row(const std::string& s, bool /*outOfPosition*/) {
  if (s == "12") return Limits{39.0, 43.0};
  if (s == "3C") return Limits{46.0, 68.0};
  if (s == "6C" || s == "6W") return Limits{57.0, 93.0};
  if (s == "05") return Limits{95.0, 155.0};
  if (s == "50") return Limits{190.0, 310.0};
  if (s == "95") return Limits{258.0, 415.0};
  return std::nullopt;
}

std::optional<double> KxNeckFlexion::OOPValue(const std::string& type, const std::string& size) {
  const std::string t = type.substr(0, 2);
  const std::string s = size.substr(0, 2);
  if (t == "S2") return 155.0;
  if (t == "H3") {
    if (s == "05") return 155.0;
    if (s == "6C") return 93.0;
    if (s == "3C") return 68.0;
  }
  return std::nullopt;
}

bool KxNeckFlexion::PickOOPValue(const std::string& type, const std::string& size) {
  const std::optional<double> value = OOPValue(type, size);
  if (!value) return false;
  m_criticalValue = *value;
  return true;
}

bool KxNeckFlexion::SetCriticalValues() {
  if (m_outOfPosition && PickOOPValue(m_dummyType, m_dummySize)) return true;
  if (!IsOneOf(TypeCode(), {"HY", "HT", "SD", "E2", "ER", "ES", "S3", "S2", "CH", "H3", "CR"})) {
    AddMessage(" Neck Flexion - Unknown Dummy Type ");
    m_criticalValue = 1.0;
    return false;
  }
  ApplyTwoValueRow(Row(SizeCode(), m_outOfPosition));
  return true;
}

bool KxNeckFlexion::Compute(kx::CNSignal& signal) {
  return ComputePeak(signal, 'Y', 600, false,
                     "Warning - Neck Flexion should be Y axis",
                     "Neck Flexion - critical error during computation");
}
