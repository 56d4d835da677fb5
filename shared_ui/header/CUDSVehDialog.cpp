#include "shared_ui/header/CUDSVehDialog.h"

namespace kxres {

namespace {

QStringList VehicleLabels()
{
    return {"Vehicle Number", "Description",    "Year",        "Make",           "Model",
            "Body Type",      "Vehicle Weight", "Engine Type", "Component Type", "VEHSPD"};
}

struct VehicleValues {
    int number;
    std::string description;
    int year;
    std::string make, model, body;
    double weight;
    std::string engine, component;
    double speed;
};

void FillVehicle(CUdsFieldPage *page, const VehicleValues &v)
{
    auto set = [page](const QString &label, const QString &value) { page->SetField(label, value); };
    set("Vehicle Number", CUdsFieldPage::Int(v.number));
    set("Description", CUdsFieldPage::Text(v.description));
    set("Year", CUdsFieldPage::Int(v.year));
    set("Make", CUdsFieldPage::Text(v.make));
    set("Model", CUdsFieldPage::Text(v.model));
    set("Body Type", CUdsFieldPage::Text(v.body));
    set("Vehicle Weight", CUdsFieldPage::Real(v.weight));
    set("Engine Type", CUdsFieldPage::Text(v.engine));
    set("Component Type", CUdsFieldPage::Text(v.component));
    set("VEHSPD", CUdsFieldPage::Real(v.speed));
}

} // namespace

CUdsVeh1Dialog::CUdsVeh1Dialog(QWidget *parent)
    : CUdsFieldPage(QStringLiteral("Vehicle1"), {{QStringLiteral("Vehicle 1"), VehicleLabels()}}, parent)
{}
CUdsVeh1Dialog::~CUdsVeh1Dialog() = default;

void CUdsVeh1Dialog::FillFrom(const kx::CNSignal &s)
{
    FillVehicle(this, {s.GetVehicle1Number(), s.GetVehicle1Description(), s.GetVehicle1Year(), s.GetVehicle1Make(),
                       s.GetVehicle1Model(), s.GetVehicle1BodyType(), s.GetVehicle1Weight(), s.GetVehicle1EngineType(),
                       s.GetVehicle1ComponentType(), s.GetVehicle1Speed()});
}

CUdsVeh2Dialog::CUdsVeh2Dialog(QWidget *parent)
    : CUdsFieldPage(QStringLiteral("Vehicle2"), {{QStringLiteral("Vehicle 2 "), VehicleLabels()}}, parent)
{}
CUdsVeh2Dialog::~CUdsVeh2Dialog() = default;

void CUdsVeh2Dialog::FillFrom(const kx::CNSignal &s)
{
    FillVehicle(this, {s.GetVehicle2Number(), s.GetVehicle2Description(), s.GetVehicle2Year(), s.GetVehicle2Make(),
                       s.GetVehicle2Model(), s.GetVehicle2BodyType(), s.GetVehicle2Weight(), s.GetVehicle2EngineType(),
                       s.GetVehicle2ComponentType(), s.GetVehicle2Speed()});
}

CUDSVehDialog::CUDSVehDialog(QWidget *parent)
    : CChildPropertyPage(QStringLiteral("Vehicle"), 0, 0, parent)
    , m_vehicle1(new CUdsVeh1Dialog(this))
    , m_vehicle2(new CUdsVeh2Dialog(this))
{
    AddChildPage(m_vehicle1, QStringLiteral("Vehicle1"));
    AddChildPage(m_vehicle2, QStringLiteral("Vehicle2"));
}

CUDSVehDialog::~CUDSVehDialog() = default;

} // namespace kxres
