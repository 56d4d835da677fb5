#pragma once
// The header field set of a signal: the real-valued fields are held as doubles,
// every other field is that of CUDSFields.

#include <memory>

#include "signal/CUDSFields.h"

namespace kx {

class CDataFields : public CUDSFields {
public:
    CDataFields();
    CDataFields(const CDataFields &other);
    explicit CDataFields(const std::shared_ptr<CDataFields> &other);
    CDataFields &operator=(const CDataFields &other);
    ~CDataFields() override;

    // Real-valued fields. Each setter also keeps the float copy of the base in step,
    // so the object reads the same through a CUDSFields reference.
#define KX_DATA_REAL_FIELD(stem)                                                                                       \
    double Get##stem() const                                                                                           \
    {                                                                                                                  \
        return m_##stem;                                                                                               \
    }                                                                                                                  \
    void Set##stem(double value)                                                                                       \
    {                                                                                                                  \
        m_##stem = value;                                                                                              \
        CUDSFields::Set##stem(static_cast<float>(value));                                                              \
    }
    KX_DATA_REAL_FIELD(ClsSpd)
    KX_DATA_REAL_FIELD(Vehicle1Weight)
    KX_DATA_REAL_FIELD(Vehicle1Speed)
    KX_DATA_REAL_FIELD(Occupant1Weight)
    KX_DATA_REAL_FIELD(HIC)
    KX_DATA_REAL_FIELD(T1)
    KX_DATA_REAL_FIELD(T2)
    KX_DATA_REAL_FIELD(HICDTUP)
    KX_DATA_REAL_FIELD(CSI)
    KX_DATA_REAL_FIELD(Vehicle2Weight)
    KX_DATA_REAL_FIELD(Vehicle2Speed)
    KX_DATA_REAL_FIELD(Occupant2Weight)
    KX_DATA_REAL_FIELD(Del)
    KX_DATA_REAL_FIELD(IniVel)
    KX_DATA_REAL_FIELD(PreFil)
    KX_DATA_REAL_FIELD(FCut)
    KX_DATA_REAL_FIELD(FCor)
    KX_DATA_REAL_FIELD(FStp)
    KX_DATA_REAL_FIELD(SclFac)
    KX_DATA_REAL_FIELD(RD1)
    KX_DATA_REAL_FIELD(RD2)
    KX_DATA_REAL_FIELD(RD3)
    KX_DATA_REAL_FIELD(RD4)
    KX_DATA_REAL_FIELD(RD5)
#undef KX_DATA_REAL_FIELD

private:
    double m_ClsSpd = 0.0;
    double m_Vehicle1Weight = 0.0;
    double m_Vehicle1Speed = 0.0;
    double m_Occupant1Weight = 0.0;
    double m_HIC = 0.0;
    double m_T1 = 0.0;
    double m_T2 = 0.0;
    double m_HICDTUP = 0.0;
    double m_CSI = 0.0;
    double m_Vehicle2Weight = 0.0;
    double m_Vehicle2Speed = 0.0;
    double m_Occupant2Weight = 0.0;
    double m_Del = 0.0;
    double m_IniVel = 0.0;
    double m_PreFil = 1650.0;
    double m_FCut = 0.0;
    double m_FCor = 0.0;
    double m_FStp = 0.0;
    double m_SclFac = 1.0;
    double m_RD1 = 0.0;
    double m_RD2 = 0.0;
    double m_RD3 = 0.0;
    double m_RD4 = 0.0;
    double m_RD5 = 0.0;
};

} // namespace kx
