#include "shared_ui/header/CUDSTestDialog.h"

namespace kxres {

CUDSTestDialog::CUDSTestDialog(QWidget *parent)
    : CUdsFieldPage(QStringLiteral("Test"),
                    {{QStringLiteral("Test Information"),
                      {"TITLE", "TSTPRF", "TSTSRC", "TSTNO", "TSTNAM", "TSTREF", "TSTCFN", "IMPANG", "CLSSPD"}},
                     {QStringLiteral("File Information"), {"FILEFORM", "NUMFORM", "NCHAN", "DIMSYS", "FILEVER"}}},
                    parent)
{}

CUDSTestDialog::~CUDSTestDialog() = default;

void CUDSTestDialog::FillFrom(const kx::CNSignal &s)
{
    SetField("TITLE", Text(s.GetTitle()));
    SetField("TSTPRF", Text(s.GetTstPrf()));
    SetField("TSTSRC", Text(s.GetTstSrc()));
    SetField("TSTNO", Int(s.GetTstNo()));
    SetField("TSTNAM", Text(s.GetTstNam()));
    SetField("TSTREF", Text(s.GetTstRef()));
    SetField("TSTCFN", Text(s.GetTstCfn()));
    SetField("IMPANG", Int(s.GetImpAng()));
    SetField("CLSSPD", Real(s.GetClsSpd()));
    SetField("FILEFORM", Text(s.GetFileForm()));
    SetField("NUMFORM", Text(s.GetNumForm()));
    SetField("NCHAN", Int(s.GetNChan()));
    SetField("DIMSYS", Text(s.GetDimSys()));
    SetField("FILEVER", Text(s.GetFileVer()));
}

} // namespace kxres
