#include "support/UdsReportFixtures.h"

#include <QProcess>
#include <QStringList>

#include <vector>

namespace kxtest {

std::shared_ptr<kx::CNSignal> MakeFullHeaderSignal(const std::string &form, int points)
{
    auto s = std::make_shared<kx::CNSignal>();
    s->SetFileVer("UDS-1992");
    s->SetNChan(3);
    s->SetFileForm(form);
    s->SetNumForm("IEEE");
    s->SetDimSys("MET");
    s->SetTstSrc("NHTSA");
    s->SetTstNo(1234);
    s->SetTstNam("SLED");
    s->SetTitle("FRONTAL 100% OVERLAP 56 KPH");
    s->SetTstPrf("TRC");
    s->SetTstRef("T7");
    s->SetTstCfn("VTB");
    s->SetImpAng(15);
    s->SetClsSpd(56.3);
    s->SetVehicle1Number(1);
    s->SetVehicle1ComponentType("VE");
    s->SetVehicle1Description("TEST CAR");
    s->SetVehicle1Make("FORD");
    s->SetVehicle1Model("TAURUS");
    s->SetVehicle1Year(1999);
    s->SetVehicle1BodyType("4 DOOR SEDAN");
    s->SetVehicle1EngineType("V6");
    s->SetVehicle1Weight(1580.5);
    s->SetVehicle1Speed(56.25);
    s->SetOccupant1Type("H3");
    s->SetOccupant1Age(35);
    s->SetOccupant1Sex("M");
    s->SetOccupant1Weight(78.2);
    s->SetOccupant1Size("50");
    s->SetOccupant1Restraint1("BELT");
    s->SetOccupant1Restraint2("AIRBAG");
    s->SetHIC(512.75);
    s->SetT1(60.5);
    s->SetT2(75.25);
    s->SetHICDTUP(36.0);
    s->SetCSI(210.0);
    s->SetAIS("2");
    s->SetVehicle2Number(2);
    s->SetVehicle2ComponentType("BA");
    s->SetVehicle2Description("BARRIER");
    s->SetVehicle2Make("RIGID");
    s->SetVehicle2Model("WALL");
    s->SetVehicle2Year(2001);
    s->SetVehicle2BodyType("FLAT");
    s->SetVehicle2EngineType("NONE");
    s->SetVehicle2Weight(99999.0);
    s->SetVehicle2Speed(0.0);
    s->SetOccupant2Type("H2");
    s->SetOccupant2Age(40);
    s->SetOccupant2Sex("F");
    s->SetOccupant2Weight(61.0);
    s->SetOccupant2Size("05");
    s->SetOccupant2Restraint1("NONE");
    s->SetOccupant2Restraint2("KNEE");
    s->SetIChan(7);
    s->SetChanForm(form);
    s->SetCurNo(15);
    s->SetCurNam("15");
    s->SetSenAtt("HEAD CG");
    s->SetSenLoc("LF");
    s->SetSenNum(4711);
    s->SetBandNo(2);
    s->SetGagNo(3);
    s->SetAxis("XG");
    s->SetYType("ACCELERATION");
    s->SetYUnits("G'S");
    s->SetXType("TIME");
    s->SetXUnits("SECONDS");
    s->SetCurTyp("TIME SERIES");
    s->SetDesc("HEAD ACCEL X");
    s->SetNFP(0);
    s->SetNLP(points - 1);
    s->SetDel(0.001);
    s->SetIniVel(56.0);
    s->SetPreFil(1650.0);
    s->SetFCut(1000.0);
    s->SetFCor(1650.0);
    s->SetFStp(3000.0);
    s->SetSclFac(1.0);
    s->SetID1(11);
    s->SetID2(12);
    s->SetID3(13);
    s->SetID4(14);
    s->SetID5(15);
    s->SetRD1(1.5);
    s->SetRD2(-2.25);
    s->SetRD3(3.125);
    s->SetRD4(0.0);
    s->SetRD5(12345.6789);
    s->SetCD1("COMMENT ONE");
    s->SetCD2("COMMENT TWO");
    s->SetStatus("AM");
    s->SetChestClip(42.5);
    s->SetFileName("T1234_15.uds");
    if (points > 0) {
        std::vector<double> x;
        std::vector<double> y;
        for (int i = 0; i < points; ++i) {
            x.push_back(i * 0.001);
            y.push_back(i - 2.0);
        }
        s->SetXYData(x, y);
    }
    return s;
}

std::string PdfText(const std::string &path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-layout"), QString::fromStdString(path), QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return std::string();
    return process.readAllStandardOutput().toStdString();
}

int PdfPageCount(const std::string &path)
{
    const std::string text = PdfText(path);
    int pages = 0;
    for (char c : text) {
        if (c == '\f')
            ++pages;
    }
    return pages;
}

} // namespace kxtest
