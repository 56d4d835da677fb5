#include "signal/CUDSFields.h"

namespace kx {

namespace {

// 52 texts, 21 integers and 25 floats, the five extra texts included.
constexpr int CountKind(UdsKind kind)
{
    int n = 0;
    for (const auto &info : kUdsFieldInfo) {
        n += info.kind == kind ? 1 : 0;
    }
    return n;
}
static_assert(CountKind(UdsKind::Text) + 5 == 52);
static_assert(CountKind(UdsKind::Int) == 21);
static_assert(CountKind(UdsKind::Float) == 25);
static_assert(kUdsFieldCount + 5 == 98);

} // namespace

CUDSFields::CUDSFields() = default;

CUDSFields::CUDSFields(const CUDSFields &other)
{
    CopyFields(other);
}

CUDSFields::CUDSFields(const std::shared_ptr<CUDSFields> &other)
{
    CopyFields(*other);
}

CUDSFields &CUDSFields::operator=(const CUDSFields &other)
{
    if (this != &other) {
        CopyFields(other);
    }
    return *this;
}

CUDSFields &CUDSFields::operator=(const std::shared_ptr<CUDSFields> &other)
{
    return *this = *other;
}

CUDSFields::~CUDSFields() = default;

void CUDSFields::CopyFields(const CUDSFields &other)
{
#define KX_UDS_COPY(stem, width, kind, def) m_##stem = other.m_##stem;
    KX_UDS_ALL_FIELDS(KX_UDS_COPY)
#undef KX_UDS_COPY
    m_ExtraText1 = other.m_ExtraText1;
    m_ExtraText2 = other.m_ExtraText2;
    m_ExtraText3 = other.m_ExtraText3;
    m_ExtraText4 = other.m_ExtraText4;
    m_ExtraText5 = other.m_ExtraText5;
}

bool CUDSFields::SameFields(const CUDSFields &other) const
{
    bool same = true;
#define KX_UDS_SAME(stem, width, kind, def) same = same && m_##stem == other.m_##stem;
    KX_UDS_ALL_FIELDS(KX_UDS_SAME)
#undef KX_UDS_SAME
    return same && m_ExtraText1 == other.m_ExtraText1 && m_ExtraText2 == other.m_ExtraText2 &&
           m_ExtraText3 == other.m_ExtraText3 && m_ExtraText4 == other.m_ExtraText4 &&
           m_ExtraText5 == other.m_ExtraText5;
}

} // namespace kx
