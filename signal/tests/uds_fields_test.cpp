// The header field set: defaults, accessors that store values unchanged, and
// copying of all 98 members.

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

#include "signal/CUDSFields.h"

namespace kx {
namespace {

TEST(UdsFields, DefaultsOfAComputedSignal)
{
    const CUDSFields f;
    EXPECT_EQ(f.GetFileVer(), "UDS-1992");
    EXPECT_EQ(f.GetNChan(), 1);
    EXPECT_EQ(f.GetFileForm(), "X-Y");
    EXPECT_EQ(f.GetDimSys(), "MET");
    EXPECT_EQ(f.GetTstSrc(), "USER DATA");
    EXPECT_EQ(f.GetTstNam(), "0");
    EXPECT_EQ(f.GetTstPrf(), "OTHER");
    EXPECT_EQ(f.GetTstCfn(), "OTH");
    EXPECT_EQ(f.GetOccupant1Restraint1(), "NONE");
    EXPECT_EQ(f.GetOccupant1Restraint2(), "NONE");
    EXPECT_EQ(f.GetIChan(), 1);
    EXPECT_EQ(f.GetChanForm(), "X-Y");
    EXPECT_EQ(f.GetCurNam(), "0");
    EXPECT_EQ(f.GetXType(), "TIME");
    EXPECT_EQ(f.GetXUnits(), "SECONDS");
    EXPECT_EQ(f.GetStatus(), "COMPUTED");
    EXPECT_EQ(f.GetCurTyp(), "TIME SERIES");
    EXPECT_EQ(f.GetDesc(), "COMPUTED / SIMULATED DATA");
    EXPECT_EQ(f.GetPreFil(), 1650.0F);
    EXPECT_EQ(f.GetSclFac(), 1.0F);

    // Every other field is zero or empty: the occupant-2 restraints and
    // NUMFORM included.
    const std::set<std::string> set_above = {"FileVer",
                                             "NChan",
                                             "FileForm",
                                             "DimSys",
                                             "TstSrc",
                                             "TstNam",
                                             "TstPrf",
                                             "TstCfn",
                                             "Occupant1Restraint1",
                                             "Occupant1Restraint2",
                                             "IChan",
                                             "ChanForm",
                                             "CurNam",
                                             "XType",
                                             "XUnits",
                                             "Status",
                                             "CurTyp",
                                             "Desc",
                                             "PreFil",
                                             "SclFac"};
    int zero_fields = 0;
    const auto is_zero = [](const auto &v) {
        if constexpr (std::is_same_v<std::decay_t<decltype(v)>, std::string>) {
            return v.empty();
        } else {
            return v == 0;
        }
    };
#define KX_CHECK_ZERO(stem, width, kind, def)                                                                          \
    if (set_above.count(#stem) == 0) {                                                                                 \
        EXPECT_TRUE(is_zero(f.Get##stem())) << #stem;                                                                  \
        ++zero_fields;                                                                                                 \
    }
    KX_UDS_ALL_FIELDS(KX_CHECK_ZERO)
#undef KX_CHECK_ZERO
    EXPECT_EQ(zero_fields, 93 - 20);
    EXPECT_TRUE(f.GetNumForm().empty());
    EXPECT_TRUE(f.GetOccupant2Restraint1().empty());
    EXPECT_EQ(f.GetNFP(), 0);
    EXPECT_EQ(f.GetNLP(), 0);
    for (const std::string *extra :
         {&f.GetExtraText1(), &f.GetExtraText2(), &f.GetExtraText3(), &f.GetExtraText4(), &f.GetExtraText5()}) {
        EXPECT_TRUE(extra->empty());
    }
}

TEST(UdsFields, SettersStoreValuesUnchanged)
{
    CUDSFields f;
    const std::string title(100, 'x');
    f.SetTitle(title);
    EXPECT_EQ(f.GetTitle(), title); // the file keeps 70, the field set all 100
    f.SetTstNam("  lower case  ");
    EXPECT_EQ(f.GetTstNam(), "  lower case  ");
    f.SetDel(1.0e-4F);
    EXPECT_EQ(f.GetDel(), 1.0e-4F);
    f.SetNLP(-7);
    EXPECT_EQ(f.GetNLP(), -7);
}

// A text and a number (built by append: GCC 12 misreports "x" + std::string).
std::string Numbered(const char *text, int number)
{
    std::string s(text);
    s.append(std::to_string(number));
    return s;
}

template <UdsKind K>
typename UdsKindType<K>::Value ValueFor(int i)
{
    if constexpr (K == UdsKind::Text) {
        return Numbered("T", i);
    } else if constexpr (K == UdsKind::Int) {
        return 1000 + i;
    } else {
        return static_cast<float>(i) + 0.25F;
    }
}

// Gives every member a value of its own, different from its default.
void FillAll(CUDSFields &f, int seed)
{
    int i = seed;
#define KX_FILL(stem, width, kind, def) f.Set##stem(ValueFor<UdsKind::kind>(++i));
    KX_UDS_ALL_FIELDS(KX_FILL)
#undef KX_FILL
    f.SetExtraText1(Numbered("one", seed));
    f.SetExtraText2(Numbered("two", seed));
    f.SetExtraText3(Numbered("three", seed));
    f.SetExtraText4(Numbered("four", seed));
    f.SetExtraText5(Numbered("five", seed));
}

TEST(UdsFields, CopyAndAssignmentCopyAll98Members)
{
    CUDSFields source;
    FillAll(source, 0);
    ASSERT_FALSE(source.SameFields(CUDSFields()));

    const CUDSFields copied(source);
    EXPECT_TRUE(copied.SameFields(source));
    EXPECT_EQ(copied.GetExtraText5(), "five0");

    CUDSFields assigned;
    assigned = source;
    EXPECT_TRUE(assigned.SameFields(source));

    auto shared = std::make_shared<CUDSFields>();
    FillAll(*shared, 500);
    const CUDSFields from_pointer(shared);
    EXPECT_TRUE(from_pointer.SameFields(*shared));
    assigned = shared;
    EXPECT_TRUE(assigned.SameFields(*shared));
    EXPECT_EQ(assigned.GetExtraText3(), "three500");
}

TEST(UdsFields, SelfAssignmentChangesNothing)
{
    CUDSFields f;
    FillAll(f, 7);
    const CUDSFields before(f);
    CUDSFields &same = f;
    f = same;
    EXPECT_TRUE(f.SameFields(before));
}

TEST(UdsFields, SameFieldsSeesEachMember)
{
    const CUDSFields base;
    CUDSFields changed;
    changed.SetCD2("X");
    EXPECT_FALSE(changed.SameFields(base));
    changed = base;
    changed.SetExtraText4("X");
    EXPECT_FALSE(changed.SameFields(base));
}

} // namespace
} // namespace kx
