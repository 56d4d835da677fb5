#pragma once
// Values of every UDS-1992 header field of one signal, plus five extra texts
// that travel with the header but are never stored in a file.

#include <cstdint>
#include <memory>
#include <string>

#include "signal/UdsFieldTable.h"

namespace kx {

class CUDSFields {
public:
    // Defaults of a computed signal.
    CUDSFields();
    CUDSFields(const CUDSFields &other);
    explicit CUDSFields(const std::shared_ptr<CUDSFields> &other);
    CUDSFields &operator=(const CUDSFields &other);
    CUDSFields &operator=(const std::shared_ptr<CUDSFields> &other);
    virtual ~CUDSFields();

    // Get<Stem>/Set<Stem> for every stored field: texts by const reference,
    // numbers by value. Setters store the value unchanged.
#define KX_UDS_ACCESSORS(stem, width, kind, def)                                                                       \
    UdsKindType<UdsKind::kind>::Get Get##stem() const                                                                  \
    {                                                                                                                  \
        return m_##stem;                                                                                               \
    }                                                                                                                  \
    void Set##stem(UdsKindType<UdsKind::kind>::Set value)                                                              \
    {                                                                                                                  \
        m_##stem = value;                                                                                              \
    }
    KX_UDS_ALL_FIELDS(KX_UDS_ACCESSORS)
#undef KX_UDS_ACCESSORS

    const std::string &GetExtraText1() const
    {
        return m_ExtraText1;
    }
    void SetExtraText1(const std::string &value)
    {
        m_ExtraText1 = value;
    }
    const std::string &GetExtraText2() const
    {
        return m_ExtraText2;
    }
    void SetExtraText2(const std::string &value)
    {
        m_ExtraText2 = value;
    }
    const std::string &GetExtraText3() const
    {
        return m_ExtraText3;
    }
    void SetExtraText3(const std::string &value)
    {
        m_ExtraText3 = value;
    }
    const std::string &GetExtraText4() const
    {
        return m_ExtraText4;
    }
    void SetExtraText4(const std::string &value)
    {
        m_ExtraText4 = value;
    }
    const std::string &GetExtraText5() const
    {
        return m_ExtraText5;
    }
    void SetExtraText5(const std::string &value)
    {
        m_ExtraText5 = value;
    }

    // True when every one of the 98 members is equal.
    bool SameFields(const CUDSFields &other) const;

private:
    void CopyFields(const CUDSFields &other);

#define KX_UDS_MEMBER(stem, width, kind, def) UdsKindType<UdsKind::kind>::Value m_##stem = def;
    KX_UDS_RECORD1_FIELDS(KX_UDS_MEMBER)
    std::string m_ExtraText1;
    std::string m_ExtraText2;
    KX_UDS_RECORD2_FIELDS(KX_UDS_MEMBER)
    std::string m_ExtraText3;
    std::string m_ExtraText4;
    KX_UDS_RECORD3_FIELDS(KX_UDS_MEMBER)
    std::string m_ExtraText5;
#undef KX_UDS_MEMBER
};

} // namespace kx
