#include "shared_ui/header/CUDSOCCDialog.h"

namespace kxres {

namespace {

QStringList OccupantLabels()
{
    return {"Weight", "Size", "Type", "Age", "Sex", "1st Restraint", "2nd Restraint"};
}

void FillOccupant(CUdsFieldPage *page, double weight, const std::string &size, const std::string &type, int age,
                  const std::string &sex, const std::string &restraint1, const std::string &restraint2)
{
    page->SetField("Weight", CUdsFieldPage::Real(weight));
    page->SetField("Size", CUdsFieldPage::Text(size));
    page->SetField("Type", CUdsFieldPage::Text(type));
    page->SetField("Age", CUdsFieldPage::Int(age));
    page->SetField("Sex", CUdsFieldPage::Text(sex));
    page->SetField("1st Restraint", CUdsFieldPage::Text(restraint1));
    page->SetField("2nd Restraint", CUdsFieldPage::Text(restraint2));
}

} // namespace

CUdsOcc1Dialog::CUdsOcc1Dialog(QWidget *parent)
    : CUdsFieldPage(QStringLiteral("Occupant 1"), {{QStringLiteral("Occupant 1 Information"), OccupantLabels()}},
                    parent)
{}
CUdsOcc1Dialog::~CUdsOcc1Dialog() = default;

void CUdsOcc1Dialog::FillFrom(const kx::CNSignal &s)
{
    FillOccupant(this, s.GetOccupant1Weight(), s.GetOccupant1Size(), s.GetOccupant1Type(), s.GetOccupant1Age(),
                 s.GetOccupant1Sex(), s.GetOccupant1Restraint1(), s.GetOccupant1Restraint2());
}

CUdsOcc2Dialog::CUdsOcc2Dialog(QWidget *parent)
    : CUdsFieldPage(QStringLiteral("Occupant 2"), {{QStringLiteral("Occupant 2 Information"), OccupantLabels()}},
                    parent)
{}
CUdsOcc2Dialog::~CUdsOcc2Dialog() = default;

void CUdsOcc2Dialog::FillFrom(const kx::CNSignal &s)
{
    FillOccupant(this, s.GetOccupant2Weight(), s.GetOccupant2Size(), s.GetOccupant2Type(), s.GetOccupant2Age(),
                 s.GetOccupant2Sex(), s.GetOccupant2Restraint1(), s.GetOccupant2Restraint2());
}

CUdsOccupantInjuryDialog::CUdsOccupantInjuryDialog(QWidget *parent)
    : CUdsFieldPage(QStringLiteral("Occupant Injury"),
                    {{QStringLiteral("Injury Imformation"), {"HIC", "T1", "T2", "HICDTUP", "CSI", "CLIP3M", "AIS"}}},
                    parent)
{}
CUdsOccupantInjuryDialog::~CUdsOccupantInjuryDialog() = default;

void CUdsOccupantInjuryDialog::FillFrom(const kx::CNSignal &s)
{
    SetField("HIC", Real(s.GetHIC()));
    SetField("T1", Real(s.GetT1()));
    SetField("T2", Real(s.GetT2()));
    SetField("HICDTUP", Real(s.GetHICDTUP()));
    SetField("CSI", Real(s.GetCSI()));
    SetField("CLIP3M", Real(s.GetChestClip()));
    SetField("AIS", Text(s.GetAIS()));
}

CUDSOCCDialog::CUDSOCCDialog(QWidget *parent)
    : CChildPropertyPage(QStringLiteral("Occupant"), 0, 0, parent)
    , m_occupant1(new CUdsOcc1Dialog(this))
    , m_occupant2(new CUdsOcc2Dialog(this))
    , m_injury(new CUdsOccupantInjuryDialog(this))
{
    AddChildPage(m_occupant1, QStringLiteral("Occupant 1"));
    AddChildPage(m_occupant2, QStringLiteral("Occupant 2"));
    AddChildPage(m_injury, QStringLiteral("Occupant Injury"));
}

CUDSOCCDialog::~CUDSOCCDialog() = default;

} // namespace kxres
