#include "Quillet/core/KxNeckCompression.h"

#include "Quillet/core/KxNeckTension.h"
#include "testdata/CNSignal.h"

KxNeckCompression::KxNeckCompression(int outOfPosition) { m_outOfPosition = outOfPosition != 0; }

std::optional<KxNeck208::Limits> KxNeckCompression::Row(const std::string& s, bool /*outOfPosition*/) {
  if (s == "12") return Limits{1390.0, 960.0};
  if (s == "3C") return Limits{1540.0, 1380.0};
  if (s == "6C" || s == "6W") return Limits{1800.0, 1820.0};
  if (s == "10") return Limits{2200.0, 2200.0};
  if (s == "05") return Limits{2520.0, 2520.0};
  if (s == "50") return Limits{4000.0, 4000.0};
  if (s == "95") return Limits{4912.0, 4830.0};
  return std::nullopt;
}

bool KxNeckCompression::SetCriticalValues() {
  if (m_outOfPosition) {
    if (const std::optional<double> value = KxNeckTension::OOPValue(m_dummyType, m_dummySize)) {
      m_criticalValue = *value;
      return true;
    }
  }
  if (!IsOneOf(TypeCode(), {"HY", "HT", "SD", "E2", "ER", "ES", "S3", "S2", "CH", "H3", "CR"})) {
    AddMessage(" Neck Compression - Unknown Dummy Type ");
    m_standardCriticalValue = 1.0;
    m_advancedCriticalValue = 1.0;
    m_criticalValue = 1.0;
    return false;
  }
  ApplyTwoValueRow(Row(SizeCode(), m_outOfPosition));
  return true;
}

bool KxNeckCompression::Compute(kx::CNSignal& signal) {
  return ComputePeak(signal, 'Z', 1000, true,
                     "Warning - Neck Compression should be Z axis",
                     "Neck Compression - critical error during computation");
}
