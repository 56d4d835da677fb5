// Layout table of the UDS-1992 records: constants, and the offset, width and
// kind of every field as the published record tables give them.

#include <gtest/gtest.h>

#include "signal/CUDS1992.h"

namespace kx {
namespace {

struct FieldRow {
    UdsField field;
    const char *name;
    std::uint32_t offset;
    std::uint32_t width;
    UdsKind kind;
};

// Records 1, 2 and 3 in order, copied from the format tables.
const FieldRow kRows[] = {
    {UdsField::FileVer, "FILEVER", 0, 12, UdsKind::Text},
    {UdsField::NChan, "NCHAN", 12, 4, UdsKind::Int},
    {UdsField::FileForm, "FILEFORM", 16, 10, UdsKind::Text},
    {UdsField::NumForm, "NUMFORM", 26, 5, UdsKind::Text},
    {UdsField::DimSys, "DIMSYS", 31, 3, UdsKind::Text},
    {UdsField::TstSrc, "TSTSRC", 34, 15, UdsKind::Text},
    {UdsField::TstNo, "TSTNO", 49, 4, UdsKind::Int},
    {UdsField::TstNam, "TSTNAM", 53, 12, UdsKind::Text},
    {UdsField::Title, "TITLE", 65, 70, UdsKind::Text},
    {UdsField::TstPrf, "TSTPRF", 135, 25, UdsKind::Text},
    {UdsField::TstRef, "TSTREF", 160, 10, UdsKind::Text},
    {UdsField::TstCfn, "TSTCFN", 170, 3, UdsKind::Text},
    {UdsField::ImpAng, "IMPANG", 173, 4, UdsKind::Int},
    {UdsField::ClsSpd, "CLSSPD", 177, 4, UdsKind::Float},
    {UdsField::Vehicle1Number, "Vehicle1Number", 181, 4, UdsKind::Int},
    {UdsField::Vehicle1ComponentType, "Vehicle1ComponentType", 185, 2, UdsKind::Text},
    {UdsField::Vehicle1Description, "Vehicle1Description", 187, 30, UdsKind::Text},
    {UdsField::Vehicle1Make, "Vehicle1Make", 217, 15, UdsKind::Text},
    {UdsField::Vehicle1Model, "Vehicle1Model", 232, 25, UdsKind::Text},
    {UdsField::Vehicle1Year, "Vehicle1Year", 257, 4, UdsKind::Int},
    {UdsField::Vehicle1BodyType, "Vehicle1BodyType", 261, 25, UdsKind::Text},
    {UdsField::Vehicle1EngineType, "Vehicle1EngineType", 286, 4, UdsKind::Text},
    {UdsField::Vehicle1Weight, "Vehicle1Weight", 290, 4, UdsKind::Float},
    {UdsField::Vehicle1Speed, "Vehicle1Speed", 294, 4, UdsKind::Float},
    {UdsField::Occupant1Type, "Occupant1Type", 298, 6, UdsKind::Text},
    {UdsField::Occupant1Age, "Occupant1Age", 304, 4, UdsKind::Int},
    {UdsField::Occupant1Sex, "Occupant1Sex", 308, 1, UdsKind::Text},
    {UdsField::Occupant1Weight, "Occupant1Weight", 309, 4, UdsKind::Float},
    {UdsField::Occupant1Size, "Occupant1Size", 313, 2, UdsKind::Text},
    {UdsField::Occupant1Restraint1, "Occupant1Restraint1", 315, 20, UdsKind::Text},
    {UdsField::Occupant1Restraint2, "Occupant1Restraint2", 335, 20, UdsKind::Text},
    {UdsField::HIC, "HIC", 355, 4, UdsKind::Float},
    {UdsField::T1, "T1", 359, 4, UdsKind::Float},
    {UdsField::T2, "T2", 363, 4, UdsKind::Float},
    {UdsField::HICDTUP, "HICDTUP", 367, 4, UdsKind::Float},
    {UdsField::CLIP3M, "CLIP3M", 371, 4, UdsKind::Float},
    {UdsField::CSI, "CSI", 375, 4, UdsKind::Float},
    {UdsField::AIS, "AIS", 379, 1, UdsKind::Text},
    {UdsField::Vehicle2Number, "Vehicle2Number", 12, 4, UdsKind::Int},
    {UdsField::Vehicle2ComponentType, "Vehicle2ComponentType", 16, 2, UdsKind::Text},
    {UdsField::Vehicle2Description, "Vehicle2Description", 18, 30, UdsKind::Text},
    {UdsField::Vehicle2Make, "Vehicle2Make", 48, 15, UdsKind::Text},
    {UdsField::Vehicle2Model, "Vehicle2Model", 63, 25, UdsKind::Text},
    {UdsField::Vehicle2Year, "Vehicle2Year", 88, 4, UdsKind::Int},
    {UdsField::Vehicle2BodyType, "Vehicle2BodyType", 92, 25, UdsKind::Text},
    {UdsField::Vehicle2EngineType, "Vehicle2EngineType", 117, 4, UdsKind::Text},
    {UdsField::Vehicle2Weight, "Vehicle2Weight", 121, 4, UdsKind::Float},
    {UdsField::Vehicle2Speed, "Vehicle2Speed", 125, 4, UdsKind::Float},
    {UdsField::Occupant2Type, "Occupant2Type", 129, 6, UdsKind::Text},
    {UdsField::Occupant2Age, "Occupant2Age", 135, 4, UdsKind::Int},
    {UdsField::Occupant2Sex, "Occupant2Sex", 139, 1, UdsKind::Text},
    {UdsField::Occupant2Weight, "Occupant2Weight", 140, 4, UdsKind::Float},
    {UdsField::Occupant2Size, "Occupant2Size", 144, 2, UdsKind::Text},
    {UdsField::Occupant2Restraint1, "Occupant2Restraint1", 146, 20, UdsKind::Text},
    {UdsField::Occupant2Restraint2, "Occupant2Restraint2", 166, 20, UdsKind::Text},
    {UdsField::IChan, "ICHAN", 12, 4, UdsKind::Int},
    {UdsField::ChanForm, "CHANFORM", 16, 10, UdsKind::Text},
    {UdsField::CurNo, "CURNO", 26, 4, UdsKind::Int},
    {UdsField::CurNam, "CURNAM", 30, 12, UdsKind::Text},
    {UdsField::SenAtt, "SENATT", 42, 30, UdsKind::Text},
    {UdsField::SenLoc, "SENLOC", 72, 2, UdsKind::Text},
    {UdsField::SenNum, "SENNUM", 74, 4, UdsKind::Int},
    {UdsField::BandNo, "BANDNO", 78, 4, UdsKind::Int},
    {UdsField::GagNo, "GAGNO", 82, 4, UdsKind::Int},
    {UdsField::Axis, "AXIS", 86, 2, UdsKind::Text},
    {UdsField::YType, "YTYPE", 88, 20, UdsKind::Text},
    {UdsField::YUnits, "YUNITS", 108, 20, UdsKind::Text},
    {UdsField::XType, "XTYPE", 128, 20, UdsKind::Text},
    {UdsField::XUnits, "XUNITS", 148, 20, UdsKind::Text},
    {UdsField::Status, "STATUS", 168, 20, UdsKind::Text},
    {UdsField::CurTyp, "CURTYP", 188, 20, UdsKind::Text},
    {UdsField::Desc, "DESC", 208, 70, UdsKind::Text},
    {UdsField::NFP, "NFP", 278, 4, UdsKind::Int},
    {UdsField::NLP, "NLP", 282, 4, UdsKind::Int},
    {UdsField::Del, "DEL", 286, 4, UdsKind::Float},
    {UdsField::IniVel, "INIVEL", 290, 4, UdsKind::Float},
    {UdsField::PreFil, "PREFIL", 294, 4, UdsKind::Float},
    {UdsField::FCut, "FCUT", 298, 4, UdsKind::Float},
    {UdsField::FCor, "FCOR", 302, 4, UdsKind::Float},
    {UdsField::FStp, "FSTP", 306, 4, UdsKind::Float},
    {UdsField::SclFac, "SCLFAC", 310, 4, UdsKind::Float},
    {UdsField::ID1, "ID1", 314, 4, UdsKind::Int},
    {UdsField::ID2, "ID2", 318, 4, UdsKind::Int},
    {UdsField::ID3, "ID3", 322, 4, UdsKind::Int},
    {UdsField::ID4, "ID4", 326, 4, UdsKind::Int},
    {UdsField::ID5, "ID5", 330, 4, UdsKind::Int},
    {UdsField::RD1, "RD1", 334, 4, UdsKind::Float},
    {UdsField::RD2, "RD2", 338, 4, UdsKind::Float},
    {UdsField::RD3, "RD3", 342, 4, UdsKind::Float},
    {UdsField::RD4, "RD4", 346, 4, UdsKind::Float},
    {UdsField::RD5, "RD5", 350, 4, UdsKind::Float},
    {UdsField::CD1, "CD1", 354, 20, UdsKind::Text},
    {UdsField::CD2, "CD2", 374, 70, UdsKind::Text},
};

TEST(UdsLayout, Constants)
{
    const CUDS1992 layout;
    EXPECT_EQ(layout.GetValuesPerRecord(), 125U);
    EXPECT_EQ(layout.GetIntSize(), 4U);
    EXPECT_EQ(layout.GetFloatSize(), 4U);
    EXPECT_EQ(layout.GetRecordSize(), 512U);
    EXPECT_EQ(layout.GetBlockNameLength(), 12U);
    EXPECT_EQ(layout.GetBlockNameOffset(), 0U);
    // Block name and 125 values fill a data record exactly.
    EXPECT_EQ(layout.GetBlockNameLength() + layout.GetValuesPerRecord() * layout.GetFloatSize(),
              layout.GetRecordSize());
}

TEST(UdsLayout, EveryFieldHasThePublishedOffsetWidthAndKind)
{
    ASSERT_EQ(std::size(kRows), kUdsFieldCount);
    const CUDS1992 layout;
    for (std::size_t i = 0; i < std::size(kRows); ++i) {
        const FieldRow &row = kRows[i];
        SCOPED_TRACE(row.name);
        EXPECT_EQ(static_cast<std::size_t>(row.field), i);
        EXPECT_EQ(layout.GetOffset(row.field), row.offset);
        EXPECT_EQ(layout.GetLength(row.field), row.width);
        EXPECT_EQ(kUdsFieldInfo[i].kind, row.kind);
    }
}

TEST(UdsLayout, BytesUsedPerRecord)
{
    const CUDS1992 layout;
    EXPECT_EQ(layout.GetRecordUsed(1), 380U);
    EXPECT_EQ(layout.GetRecordUsed(2), 186U);
    EXPECT_EQ(layout.GetRecordUsed(3), 444U);
}

TEST(UdsLayout, CopyKeepsTheTable)
{
    const CUDS1992 layout;
    CUDS1992 copy(layout);
    copy = layout;
    EXPECT_EQ(copy.GetOffset(UdsField::CD2), 374U);
    EXPECT_EQ(copy.GetLength(UdsField::Title), 70U);
}

} // namespace
} // namespace kx
