#include "Quillet/core/KxNeckRearShear.h"

#include "testdata/CNSignal.h"

KxNeckRearShear::KxNeckRearShear(int outOfPosition) { m_outOfPosition = outOfPosition != 0; }

std::optional<double> KxNeckRearShear::Row(const std::string& s) {
  if (s == "12") return 1080.0;
  if (s == "3C") return 1200.0;
  if (s == "6C" || s == "6W") return 1400.0;
  if (s == "05") return 1950.0;
  if (s == "50") return 3100.0;
  if (s == "95") return 3807.0;
  return std::nullopt;
}

bool KxNeckRearShear::SetCriticalValues() {
  if (!IsOneOf(TypeCode(), {"HY", "HT", "SD", "E2", "ES", "ER", "S3", "CH", "H3", "CR"})) {
    AddMessage(" Neck RearShear - Unknown Dummy Type ");
    m_criticalValue = 1.0;
    return false;
  }
  ApplyOneValueRow(Row(SizeCode()));
  return true;
}

bool KxNeckRearShear::Compute(kx::CNSignal& signal) {
  return ComputePeak(signal, 'X', 1000, true,
                     "Warning - Neck RearShear should be X axis",
                     "Neck RearShear - critical error during computation");
}
