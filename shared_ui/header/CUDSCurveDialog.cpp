#include "shared_ui/header/CUDSCurveDialog.h"

namespace kxres {

CUdsCurveDataDialog::CUdsCurveDataDialog(QWidget *parent)
    : CUdsFieldPage(QStringLiteral("Curve"),
                    {{QStringLiteral("Curve Data"),
                      {"SCLFAC", "INIVEL", "FCUT", "FCOR", "FSTP", "DEL", "ICHAN", "NFP", "NLP", "CHANFORM", "YTYPE",
                       "XTYPE", "YUNITS", "XUNITS", "T0"}}},
                    parent)
{}
CUdsCurveDataDialog::~CUdsCurveDataDialog() = default;

void CUdsCurveDataDialog::FillFrom(const kx::CNSignal &s)
{
    SetField("SCLFAC", Real(s.GetSclFac()));
    SetField("INIVEL", Real(s.GetIniVel()));
    SetField("FCUT", Real(s.GetFCut()));
    SetField("FCOR", Real(s.GetFCor()));
    SetField("FSTP", Real(s.GetFStp()));
    SetField("DEL", Real(s.GetDel()));
    SetField("ICHAN", Int(s.GetIChan()));
    SetField("NFP", Int(s.GetNFP()));
    SetField("NLP", Int(s.GetNLP()));
    SetField("CHANFORM", Text(s.GetChanForm()));
    SetField("YTYPE", Text(s.GetYType()));
    SetField("XTYPE", Text(s.GetXType()));
    SetField("YUNITS", Text(s.GetYUnits()));
    SetField("XUNITS", Text(s.GetXUnits()));
    SetField("T0", Real(s.GetStartTime()));
}

CUdsSensorInfoDialog::CUdsSensorInfoDialog(QWidget *parent)
    : CUdsFieldPage(QStringLiteral("Sensor Info"),
                    {{QStringLiteral("Sensor"),
                      {"CURNO", "SENNUM", "BANDNO", "GAGNO", "CURNAM", "AXIS", "SENLOC", "SENATT", "CURTYP", "DESC",
                       "PREFIL", "STATUS"}}},
                    parent)
{}
CUdsSensorInfoDialog::~CUdsSensorInfoDialog() = default;

void CUdsSensorInfoDialog::FillFrom(const kx::CNSignal &s)
{
    SetField("CURNO", Int(s.GetCurNo()));
    SetField("SENNUM", Int(s.GetSenNum()));
    SetField("BANDNO", Int(s.GetBandNo()));
    SetField("GAGNO", Int(s.GetGagNo()));
    SetField("CURNAM", Text(s.GetCurNam()));
    SetField("AXIS", Text(s.GetAxis()));
    SetField("SENLOC", Text(s.GetSenLoc()));
    SetField("SENATT", Text(s.GetSenAtt()));
    SetField("CURTYP", Text(s.GetCurTyp()));
    SetField("DESC", Text(s.GetDesc()));
    SetField("PREFIL", Real(s.GetPreFil()));
    SetField("STATUS", Text(s.GetStatus()));
}

CUdsCurveUserDialog::CUdsCurveUserDialog(QWidget *parent)
    : CUdsFieldPage(QStringLiteral("Curve-User"),
                    {{QStringLiteral("User"),
                      {"RD1", "RD2", "RD3", "RD4", "RD5", "ID1", "ID2", "ID3", "ID4", "ID5", "CD1", "CD2"}}},
                    parent)
{}
CUdsCurveUserDialog::~CUdsCurveUserDialog() = default;

void CUdsCurveUserDialog::FillFrom(const kx::CNSignal &s)
{
    SetField("RD1", Real(s.GetRD1()));
    SetField("RD2", Real(s.GetRD2()));
    SetField("RD3", Real(s.GetRD3()));
    SetField("RD4", Real(s.GetRD4()));
    SetField("RD5", Real(s.GetRD5()));
    SetField("ID1", Int(s.GetID1()));
    SetField("ID2", Int(s.GetID2()));
    SetField("ID3", Int(s.GetID3()));
    SetField("ID4", Int(s.GetID4()));
    SetField("ID5", Int(s.GetID5()));
    SetField("CD1", Text(s.GetCD1()));
    SetField("CD2", Text(s.GetCD2()));
}

CUDSCurveDialog::CUDSCurveDialog(QWidget *parent)
    : CChildPropertyPage(QStringLiteral("Instrumentation"), 0, 0, parent)
    , m_curve(new CUdsCurveDataDialog(this))
    , m_sensor(new CUdsSensorInfoDialog(this))
    , m_user(new CUdsCurveUserDialog(this))
{
    AddChildPage(m_curve, QStringLiteral("Curve"));
    AddChildPage(m_sensor, QStringLiteral("Sensor Info"));
    AddChildPage(m_user, QStringLiteral("Curve-User"));
}

CUDSCurveDialog::~CUDSCurveDialog() = default;

} // namespace kxres
