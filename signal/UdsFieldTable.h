#pragma once
// The one table of UDS-1992 header fields. Every list of fields in the layout
// table, the field set and the record reader and writer is generated from it.
//
// X(Stem, width, kind, default): Stem names the field (FileVer is FILEVER),
// width is its length in bytes in the file, kind is Text, Int or Float.
// Within a record the fields follow one another without gaps, in this order.

#include <cstdint>
#include <string>

// Record 1, the test record: starts at record offset 0, no block name.
#define KX_UDS_RECORD1_FIELDS(X)                                                                                       \
    X(FileVer, 12, Text, "UDS-1992")                                                                                   \
    X(NChan, 4, Int, 1)                                                                                                \
    X(FileForm, 10, Text, "X-Y")                                                                                       \
    X(NumForm, 5, Text, "")                                                                                            \
    X(DimSys, 3, Text, "MET")                                                                                          \
    X(TstSrc, 15, Text, "USER DATA")                                                                                   \
    X(TstNo, 4, Int, 0)                                                                                                \
    X(TstNam, 12, Text, "0")                                                                                           \
    X(Title, 70, Text, "")                                                                                             \
    X(TstPrf, 25, Text, "OTHER")                                                                                       \
    X(TstRef, 10, Text, "")                                                                                            \
    X(TstCfn, 3, Text, "OTH")                                                                                          \
    X(ImpAng, 4, Int, 0)                                                                                               \
    X(ClsSpd, 4, Float, 0.0F)                                                                                          \
    X(Vehicle1Number, 4, Int, 0)                                                                                       \
    X(Vehicle1ComponentType, 2, Text, "")                                                                              \
    X(Vehicle1Description, 30, Text, "")                                                                               \
    X(Vehicle1Make, 15, Text, "")                                                                                      \
    X(Vehicle1Model, 25, Text, "")                                                                                     \
    X(Vehicle1Year, 4, Int, 0)                                                                                         \
    X(Vehicle1BodyType, 25, Text, "")                                                                                  \
    X(Vehicle1EngineType, 4, Text, "")                                                                                 \
    X(Vehicle1Weight, 4, Float, 0.0F)                                                                                  \
    X(Vehicle1Speed, 4, Float, 0.0F)                                                                                   \
    X(Occupant1Type, 6, Text, "")                                                                                      \
    X(Occupant1Age, 4, Int, 0)                                                                                         \
    X(Occupant1Sex, 1, Text, "")                                                                                       \
    X(Occupant1Weight, 4, Float, 0.0F)                                                                                 \
    X(Occupant1Size, 2, Text, "")                                                                                      \
    X(Occupant1Restraint1, 20, Text, "NONE")                                                                           \
    X(Occupant1Restraint2, 20, Text, "NONE")                                                                           \
    X(HIC, 4, Float, 0.0F)                                                                                             \
    X(T1, 4, Float, 0.0F)                                                                                              \
    X(T2, 4, Float, 0.0F)                                                                                              \
    X(HICDTUP, 4, Float, 0.0F)                                                                                         \
    X(CLIP3M, 4, Float, 0.0F)                                                                                          \
    X(CSI, 4, Float, 0.0F)                                                                                             \
    X(AIS, 1, Text, "")

// Record 2, the second-component record: fields start after the block name.
#define KX_UDS_RECORD2_FIELDS(X)                                                                                       \
    X(Vehicle2Number, 4, Int, 0)                                                                                       \
    X(Vehicle2ComponentType, 2, Text, "")                                                                              \
    X(Vehicle2Description, 30, Text, "")                                                                               \
    X(Vehicle2Make, 15, Text, "")                                                                                      \
    X(Vehicle2Model, 25, Text, "")                                                                                     \
    X(Vehicle2Year, 4, Int, 0)                                                                                         \
    X(Vehicle2BodyType, 25, Text, "")                                                                                  \
    X(Vehicle2EngineType, 4, Text, "")                                                                                 \
    X(Vehicle2Weight, 4, Float, 0.0F)                                                                                  \
    X(Vehicle2Speed, 4, Float, 0.0F)                                                                                   \
    X(Occupant2Type, 6, Text, "")                                                                                      \
    X(Occupant2Age, 4, Int, 0)                                                                                         \
    X(Occupant2Sex, 1, Text, "")                                                                                       \
    X(Occupant2Weight, 4, Float, 0.0F)                                                                                 \
    X(Occupant2Size, 2, Text, "")                                                                                      \
    X(Occupant2Restraint1, 20, Text, "")                                                                               \
    X(Occupant2Restraint2, 20, Text, "")

// Record 3, the curve record: fields start after the block name.
#define KX_UDS_RECORD3_FIELDS(X)                                                                                       \
    X(IChan, 4, Int, 1)                                                                                                \
    X(ChanForm, 10, Text, "X-Y")                                                                                       \
    X(CurNo, 4, Int, 0)                                                                                                \
    X(CurNam, 12, Text, "0")                                                                                           \
    X(SenAtt, 30, Text, "")                                                                                            \
    X(SenLoc, 2, Text, "")                                                                                             \
    X(SenNum, 4, Int, 0)                                                                                               \
    X(BandNo, 4, Int, 0)                                                                                               \
    X(GagNo, 4, Int, 0)                                                                                                \
    X(Axis, 2, Text, "")                                                                                               \
    X(YType, 20, Text, "")                                                                                             \
    X(YUnits, 20, Text, "")                                                                                            \
    X(XType, 20, Text, "TIME")                                                                                         \
    X(XUnits, 20, Text, "SECONDS")                                                                                     \
    X(Status, 20, Text, "COMPUTED")                                                                                    \
    X(CurTyp, 20, Text, "TIME SERIES")                                                                                 \
    X(Desc, 70, Text, "COMPUTED / SIMULATED DATA")                                                                     \
    X(NFP, 4, Int, 0)                                                                                                  \
    X(NLP, 4, Int, 0)                                                                                                  \
    X(Del, 4, Float, 0.0F)                                                                                             \
    X(IniVel, 4, Float, 0.0F)                                                                                          \
    X(PreFil, 4, Float, 1650.0F)                                                                                       \
    X(FCut, 4, Float, 0.0F)                                                                                            \
    X(FCor, 4, Float, 0.0F)                                                                                            \
    X(FStp, 4, Float, 0.0F)                                                                                            \
    X(SclFac, 4, Float, 1.0F)                                                                                          \
    X(ID1, 4, Int, 0)                                                                                                  \
    X(ID2, 4, Int, 0)                                                                                                  \
    X(ID3, 4, Int, 0)                                                                                                  \
    X(ID4, 4, Int, 0)                                                                                                  \
    X(ID5, 4, Int, 0)                                                                                                  \
    X(RD1, 4, Float, 0.0F)                                                                                             \
    X(RD2, 4, Float, 0.0F)                                                                                             \
    X(RD3, 4, Float, 0.0F)                                                                                             \
    X(RD4, 4, Float, 0.0F)                                                                                             \
    X(RD5, 4, Float, 0.0F)                                                                                             \
    X(CD1, 20, Text, "")                                                                                               \
    X(CD2, 70, Text, "")

// All stored fields, records 1, 2 and 3 in order.
#define KX_UDS_ALL_FIELDS(X)                                                                                           \
    KX_UDS_RECORD1_FIELDS(X)                                                                                           \
    KX_UDS_RECORD2_FIELDS(X)                                                                                           \
    KX_UDS_RECORD3_FIELDS(X)

namespace kx {

// Kind of a stored header field.
enum class UdsKind : std::uint8_t { Text, Int, Float };

// C++ type of a field of each kind, as the field set holds it.
template <UdsKind K>
struct UdsKindType;
template <>
struct UdsKindType<UdsKind::Text> {
    using Value = std::string;
    using Get = const std::string &;
    using Set = const std::string &;
};
template <>
struct UdsKindType<UdsKind::Int> {
    using Value = std::int32_t;
    using Get = std::int32_t;
    using Set = std::int32_t;
};
template <>
struct UdsKindType<UdsKind::Float> {
    using Value = float;
    using Get = float;
    using Set = float;
};

// Identifier of every stored field, in file order (record 1, 2, 3).
enum class UdsField : std::uint8_t {
#define KX_UDS_ENUM(stem, width, kind, def) stem,
    KX_UDS_ALL_FIELDS(KX_UDS_ENUM)
#undef KX_UDS_ENUM
        Count
};

inline constexpr std::size_t kUdsFieldCount = static_cast<std::size_t>(UdsField::Count);

// Which record a field belongs to (1, 2 or 3).
struct UdsFieldInfo {
    const char *stem;
    std::uint8_t record;
    std::uint32_t width;
    UdsKind kind;
};

inline constexpr UdsFieldInfo kUdsFieldInfo[kUdsFieldCount] = {
#define KX_UDS_INFO1(stem, width, kind, def) {#stem, 1, width, UdsKind::kind},
#define KX_UDS_INFO2(stem, width, kind, def) {#stem, 2, width, UdsKind::kind},
#define KX_UDS_INFO3(stem, width, kind, def) {#stem, 3, width, UdsKind::kind},
    KX_UDS_RECORD1_FIELDS(KX_UDS_INFO1) KX_UDS_RECORD2_FIELDS(KX_UDS_INFO2) KX_UDS_RECORD3_FIELDS(KX_UDS_INFO3)
#undef KX_UDS_INFO1
#undef KX_UDS_INFO2
#undef KX_UDS_INFO3
};

} // namespace kx
