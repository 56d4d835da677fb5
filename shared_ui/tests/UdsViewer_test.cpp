// The UDS header viewer under the offscreen platform: stepping through signals, the
// values of its pages, the report page's choices, preview, Print command and Save.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>

#include <filesystem>
#include <type_traits>

#include "shared_ui/printing/CKXPreviewView.h"
#include "shared_ui/header/CPrintPreviewer.h"
#include "shared_ui/header/CUDSCurveDialog.h"
#include "shared_ui/header/CUDSDialog.h"
#include "shared_ui/header/CUDSOCCDialog.h"
#include "shared_ui/header/CUDSTestDialog.h"
#include "shared_ui/header/CUDSVehDialog.h"
#include "shared_ui/printing/CViewPrintPreview.h"
#include "support/UdsReportFixtures.h"

namespace {

using kx::CNSignal;
using kxres::CUDSDialog;
using kxtest::MakeFullHeaderSignal;

std::vector<std::shared_ptr<CNSignal>> ThreeSignals()
{
    std::vector<std::shared_ptr<CNSignal>> list;
    for (int i = 1; i <= 3; ++i) {
        auto s = MakeFullHeaderSignal("Y", 10 * i);
        s->SetTstNo(100 + i);
        s->SetFileName("T10" + std::to_string(i) + ".uds");
        list.push_back(s);
    }
    return list;
}

QString Field(const kxres::CUdsFieldPage *page, const char *label)
{
    return page->FieldText(QString::fromLatin1(label));
}

TEST(UdsViewer, StepsThroughThreeSignals)
{
    CUDSDialog dialog;
    dialog.SetSignals(ThreeSignals());
    dialog.show();
    EXPECT_EQ(dialog.GetCounterText(), "1 Of 3");
    EXPECT_TRUE(dialog.IsStepperShown());
    EXPECT_EQ(dialog.windowTitle(), "UDS File Specification - T101.uds");
    EXPECT_EQ(Field(dialog.GetTestPage(), "TSTNO"), "101");

    dialog.GetUpButton()->click();
    EXPECT_EQ(dialog.GetCounterText(), "2 Of 3");
    EXPECT_EQ(dialog.windowTitle(), "UDS File Specification - T102.uds");
    EXPECT_EQ(Field(dialog.GetTestPage(), "TSTNO"), "102");
    EXPECT_EQ(Field(dialog.GetCurvePage()->GetCurveData(), "NLP"), "19");
    EXPECT_EQ(dialog.GetPrintPreviewPage()->GetCurrentSignal(), dialog.GetCurrentSignal());
    EXPECT_EQ(dialog.GetPrintPreviewPage()->GetReport().GetSignal(), dialog.GetCurrentSignal());

    dialog.OnDeltaposSpin(1);
    dialog.OnDeltaposSpin(1); // beyond the last: nothing changes
    EXPECT_EQ(dialog.GetCounterText(), "3 Of 3");
    EXPECT_EQ(Field(dialog.GetTestPage(), "TSTNO"), "103");
    dialog.GetDownButton()->click();
    dialog.OnDeltaposSpin(-5); // before the first: nothing changes
    EXPECT_EQ(dialog.GetCounterText(), "2 Of 3");
}

TEST(UdsViewer, OneSignalHidesTheArrows)
{
    CUDSDialog dialog;
    dialog.SetSignals({MakeFullHeaderSignal()});
    dialog.show();
    EXPECT_EQ(dialog.GetCounterText(), "1 Of 1");
    EXPECT_FALSE(dialog.IsStepperShown());
}

TEST(UdsViewer, SignalWithoutFileNameKeepsTheTitle)
{
    CUDSDialog dialog;
    auto s = MakeFullHeaderSignal();
    s->SetFileName("");
    dialog.SetSignals({s});
    EXPECT_EQ(dialog.windowTitle(), "UDS File Specification");
}

TEST(UdsViewer, NoSignalShowsEmptyPages)
{
    CUDSDialog dialog;
    dialog.SetSignals({});
    dialog.show();
    EXPECT_EQ(dialog.GetCounterText(), "0 Of 0");
    EXPECT_FALSE(dialog.IsStepperShown());
    EXPECT_EQ(Field(dialog.GetTestPage(), "TSTNO"), "");
    EXPECT_EQ(Field(dialog.GetVehiclePage()->GetVehicle1(), "Year"), "");
    dialog.OnDeltaposSpin(1);
    auto *page = dialog.GetPrintPreviewPage();
    page->OnPreview();
    page->OnFilePrint();
    EXPECT_FALSE(page->GetReport().IsPreviewOpen());
    int asked = 0;
    page->SetSavePathPrompt([&](const QString &, const QString &, const QString &) {
        ++asked;
        return QString();
    });
    page->SaveCurveText();
    EXPECT_EQ(asked, 0);
}

TEST(UdsViewer, PagesShowEveryValueInItsFormat)
{
    CUDSDialog dialog;
    dialog.SetSignals({MakeFullHeaderSignal()});
    const auto *test = dialog.GetTestPage();
    EXPECT_EQ(Field(test, "TITLE"), "FRONTAL 100% OVERLAP 56 KPH");
    EXPECT_EQ(Field(test, "CLSSPD"), "56.300000");
    EXPECT_EQ(Field(test, "IMPANG"), "15");
    EXPECT_EQ(Field(test, "NCHAN"), "3");
    EXPECT_EQ(Field(test, "FILEVER"), "UDS-1992");
    const auto *v1 = dialog.GetVehiclePage()->GetVehicle1();
    EXPECT_EQ(Field(v1, "Year"), "1999");
    EXPECT_EQ(Field(v1, "Vehicle Weight"), "1580.500000");
    EXPECT_EQ(Field(v1, "VEHSPD"), "56.250000");
    EXPECT_EQ(Field(v1, "Component Type"), "VE");
    const auto *v2 = dialog.GetVehiclePage()->GetVehicle2();
    EXPECT_EQ(Field(v2, "Make"), "RIGID");
    EXPECT_EQ(Field(v2, "Year"), "2001");
    const auto *o2 = dialog.GetOccupantPage()->GetOccupant2();
    EXPECT_EQ(Field(o2, "Age"), "40");
    EXPECT_EQ(Field(o2, "2nd Restraint"), "KNEE");
    const auto *injury = dialog.GetOccupantPage()->GetInjury();
    EXPECT_EQ(Field(injury, "CLIP3M"), "42.500000");
    EXPECT_EQ(Field(injury, "HIC"), "512.750000");
    const auto *sensor = dialog.GetCurvePage()->GetSensorInfo();
    EXPECT_EQ(Field(sensor, "STATUS"), "AS MEASURED");
    EXPECT_EQ(Field(sensor, "SENNUM"), "4711");
    EXPECT_EQ(Field(sensor, "PREFIL"), "1650.000000");
    const auto *user = dialog.GetCurvePage()->GetCurveUser();
    EXPECT_EQ(Field(user, "RD2"), "-2.250000");
    EXPECT_EQ(Field(user, "ID5"), "15");
    EXPECT_EQ(Field(dialog.GetCurvePage()->GetCurveData(), "T0"), "0.000000");
}

TEST(UdsViewer, EveryPageHasItsCaptionGroupsAndLabels)
{
    CUDSDialog dialog;
    struct Expected {
        const kxres::CUdsFieldPage *page;
        const char *caption;
        QStringList groups;
        QStringList labels;
    };
    const QStringList vehicle = {"Vehicle Number", "Description",    "Year",        "Make",           "Model",
                                 "Body Type",      "Vehicle Weight", "Engine Type", "Component Type", "VEHSPD"};
    const QStringList occupant = {"Weight", "Size", "Type", "Age", "Sex", "1st Restraint", "2nd Restraint"};
    const Expected pages[] = {
        {dialog.GetTestPage(),
         "Test",
         {"Test Information", "File Information"},
         {"TITLE", "TSTPRF", "TSTSRC", "TSTNO", "TSTNAM", "TSTREF", "TSTCFN", "IMPANG", "CLSSPD", "FILEFORM", "NUMFORM",
          "NCHAN", "DIMSYS", "FILEVER"}},
        {dialog.GetVehiclePage()->GetVehicle1(), "Vehicle1", {"Vehicle 1"}, vehicle},
        {dialog.GetVehiclePage()->GetVehicle2(), "Vehicle2", {"Vehicle 2 "}, vehicle},
        {dialog.GetOccupantPage()->GetOccupant1(), "Occupant 1", {"Occupant 1 Information"}, occupant},
        {dialog.GetOccupantPage()->GetOccupant2(), "Occupant 2", {"Occupant 2 Information"}, occupant},
        {dialog.GetOccupantPage()->GetInjury(),
         "Occupant Injury",
         {"Injury Imformation"},
         {"HIC", "T1", "T2", "HICDTUP", "CSI", "CLIP3M", "AIS"}},
        {dialog.GetCurvePage()->GetCurveData(),
         "Curve",
         {"Curve Data"},
         {"SCLFAC", "INIVEL", "FCUT", "FCOR", "FSTP", "DEL", "ICHAN", "NFP", "NLP", "CHANFORM", "YTYPE", "XTYPE",
          "YUNITS", "XUNITS", "T0"}},
        {dialog.GetCurvePage()->GetSensorInfo(),
         "Sensor Info",
         {"Sensor"},
         {"CURNO", "SENNUM", "BANDNO", "GAGNO", "CURNAM", "AXIS", "SENLOC", "SENATT", "CURTYP", "DESC", "PREFIL",
          "STATUS"}},
        {dialog.GetCurvePage()->GetCurveUser(),
         "Curve-User",
         {"User"},
         {"RD1", "RD2", "RD3", "RD4", "RD5", "ID1", "ID2", "ID3", "ID4", "ID5", "CD1", "CD2"}},
    };
    for (const Expected &e : pages) {
        EXPECT_EQ(e.page->windowTitle(), e.caption);
        QStringList groups;
        for (const QGroupBox *box : e.page->findChildren<QGroupBox *>())
            groups << box->title();
        EXPECT_EQ(groups, e.groups) << e.caption;
        EXPECT_EQ(e.page->Labels(), e.labels) << e.caption;
        // Every label has its value field, shown as a form label of that text.
        for (const QString &label : e.labels) {
            bool shown = false;
            for (const QLabel *l : e.page->findChildren<QLabel *>())
                shown = shown || l->text() == label;
            EXPECT_TRUE(shown) << label.toStdString();
        }
    }
}

// Texts (titles of group boxes) of a widget's children of one kind, sorted.
template <typename Widget>
QStringList SortedTexts(const QWidget *parent)
{
    QStringList list;
    for (const Widget *w : parent->findChildren<Widget *>()) {
        if constexpr (std::is_same_v<Widget, QGroupBox>) {
            list << w->title();
        } else {
            list << w->text();
        }
    }
    list.sort();
    return list;
}

TEST(UdsViewer, ControlTextsOfTheViewerAndTheReportPage)
{
    CUDSDialog dialog;
    const kxres::CPrintPreviewer *page = dialog.GetPrintPreviewPage();
    EXPECT_EQ(page->windowTitle(), "Print Preview");
    EXPECT_EQ(SortedTexts<QGroupBox>(page), QStringList({"Reports", "Save"}));
    EXPECT_EQ(SortedTexts<QRadioButton>(page), QStringList({"Full", "Spec", "XY Data", "Y Data"}));
    EXPECT_EQ(SortedTexts<QPushButton>(page), QStringList({"Preview", "Print", "Save XY/Y"}));
    QStringList buttons;
    for (const QPushButton *b : dialog.findChildren<QPushButton *>(Qt::FindDirectChildrenOnly)) {
        buttons << b->text();
    }
    EXPECT_EQ(buttons, QStringList({"Help", "Cancel", "APPLY"}));
    bool of = false;
    for (const QLabel *l : dialog.findChildren<QLabel *>(Qt::FindDirectChildrenOnly)) {
        of = of || l->text() == "Of";
    }
    EXPECT_TRUE(of);
    EXPECT_EQ(CUDSDialog::TitlePrefix(), "UDS File Specification - ");
}

TEST(UdsViewer, TabsAndPagesInOrder)
{
    CUDSDialog dialog;
    QTabWidget *sheet = dialog.GetChildSheet();
    ASSERT_EQ(sheet->count(), 5);
    const char *tabs[] = {"Test", "Vehicle", "Instrumentation", "Occupant", "Print Preview"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(sheet->tabText(i), tabs[i]);
    EXPECT_EQ(sheet->currentIndex(), 0);
    QTabWidget *occupants = dialog.GetOccupantPage()->GetChildSheet();
    ASSERT_EQ(occupants->count(), 3);
    EXPECT_EQ(occupants->tabText(2), "Occupant Injury");
    EXPECT_EQ(occupants->currentIndex(), 0);
    EXPECT_EQ(dialog.GetCurvePage()->GetChildSheet()->tabText(1), "Sensor Info");
}

TEST(UdsViewer, TwoDigitYearReadFromAFileShowsItsCentury)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.filePath("T99.uds").toStdString();
    auto written = MakeFullHeaderSignal("X-Y", 5);
    written->SetVehicle1Year(99);
    written->SaveToUDSFile(path);
    auto read = std::make_shared<CNSignal>();
    read->LoadUDSFile(path);
    read->SetFileName("T99.uds");
    CUDSDialog dialog;
    dialog.SetSignals({MakeFullHeaderSignal(), read});
    dialog.OnDeltaposSpin(1);
    EXPECT_EQ(Field(dialog.GetVehiclePage()->GetVehicle1(), "Year"), "1999");
    EXPECT_EQ(dialog.windowTitle(), "UDS File Specification - T99.uds");
}

TEST(UdsReportPage, EveryVisitStartsWithSpecAndYData)
{
    CUDSDialog dialog;
    dialog.SetSignals({MakeFullHeaderSignal()});
    dialog.show();
    auto *page = dialog.GetPrintPreviewPage();
    dialog.GetChildSheet()->setCurrentWidget(page);
    page->OnFull();
    page->OnXYData();
    EXPECT_EQ(page->GetReportChoice(), 1);
    EXPECT_EQ(page->GetDataChoice(), 1);
    dialog.GetChildSheet()->setCurrentIndex(0);
    dialog.GetChildSheet()->setCurrentWidget(page);
    EXPECT_EQ(page->GetReportChoice(), 0);
    EXPECT_EQ(page->GetDataChoice(), 0);
}

TEST(UdsReportPage, RestoringTheWindowKeepsTheChoices)
{
    CUDSDialog dialog;
    dialog.SetSignals({MakeFullHeaderSignal()});
    dialog.show();
    auto *page = dialog.GetPrintPreviewPage();
    dialog.GetChildSheet()->setCurrentWidget(page);
    page->OnFull();
    page->OnXYData();
    // Minimising and restoring the viewer is no new visit of the page.
    dialog.setWindowState(Qt::WindowMinimized);
    dialog.setWindowState(Qt::WindowNoState);
    QApplication::processEvents();
    EXPECT_EQ(page->GetReportChoice(), 1);
    EXPECT_EQ(page->GetDataChoice(), 1);
}

kxres::CViewPrintPreview *OnlyPreviewWindow(int &count)
{
    kxres::CViewPrintPreview *found = nullptr;
    count = 0;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *p = qobject_cast<kxres::CViewPrintPreview *>(w)) {
            found = p;
            ++count;
        }
    }
    return found;
}

TEST(UdsReportPage, PreviewRestoredFromMaximisedIsReadable)
{
    CUDSDialog dialog;
    dialog.SetSignals({MakeFullHeaderSignal("Y", 10)});
    dialog.show();
    dialog.GetPrintPreviewPage()->OnPreview();
    int windows = 0;
    kxres::CViewPrintPreview *frame = OnlyPreviewWindow(windows);
    ASSERT_NE(frame, nullptr);
    frame->showNormal();
    QApplication::processEvents();
    EXPECT_GE(frame->width(), 600);
    EXPECT_GE(frame->height(), 450);
    frame->close();
    QApplication::processEvents();
    // On any screen: three quarters of it, at least 800 by 600 where it fits.
    EXPECT_EQ(CUdsReport::PreviewNormalSize(QSize(1920, 1080)), QSize(1440, 810));
    EXPECT_EQ(CUdsReport::PreviewNormalSize(QSize(1024, 768)), QSize(800, 600));
    EXPECT_EQ(CUdsReport::PreviewNormalSize(QSize(640, 480)), QSize(640, 480));
    EXPECT_EQ(CUdsReport::PreviewNormalSize(QSize()), QSize(800, 600));
}

TEST(UdsReportPage, PreviewOpensOnceAndSteps)
{
    CUDSDialog dialog;
    dialog.SetSignals({MakeFullHeaderSignal("Y", 380)});
    dialog.show();
    auto *page = dialog.GetPrintPreviewPage();
    page->OnFull();
    page->OnPreview();
    page->OnPreview(); // only focuses the open one
    int windows = 0;
    kxres::CViewPrintPreview *frame = OnlyPreviewWindow(windows);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(windows, 1);
    EXPECT_EQ(frame->windowTitle(), "UDSDialog Print Preview");
    auto *view = frame->GetView();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->GetPreview()->pageCount(), 3);
    for (QAction *action : view->GetToolBar()->actions()) {
        EXPECT_FALSE(action->text().contains("Print")) << action->text().toStdString();
    }
    EXPECT_FALSE(view->GetPrevAction()->isEnabled());
    EXPECT_TRUE(view->GetNextAction()->isEnabled());
    view->GetNextAction()->trigger();
    view->GetNextAction()->trigger();
    EXPECT_EQ(view->GetPreview()->currentPage(), 3);
    EXPECT_FALSE(view->GetNextAction()->isEnabled());
    EXPECT_TRUE(view->GetPrevAction()->isEnabled());

    const auto shot = std::filesystem::current_path() / "uds_preview.png";
    frame->showNormal();
    frame->resize(900, 1000);
    QApplication::processEvents();
    EXPECT_TRUE(frame->grab().save(QString::fromStdString(shot.string())));

    view->GetCloseAction()->trigger();
    QApplication::processEvents();
    EXPECT_FALSE(page->GetReport().IsPreviewOpen());
    OnlyPreviewWindow(windows);
    EXPECT_EQ(windows, 0);

    page->OnSpec();
    page->OnPreview();
    frame = OnlyPreviewWindow(windows);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->GetView()->GetPreview()->pageCount(), 1);
    EXPECT_FALSE(frame->GetView()->GetNextAction()->isEnabled());
    EXPECT_FALSE(frame->GetView()->GetPrevAction()->isEnabled());
}

TEST(UdsReportPage, ClosingTheViewerWhileTheViewerPreviewsIsSafe)
{
    auto dialog = std::make_unique<CUDSDialog>();
    dialog->SetSignals({MakeFullHeaderSignal()});
    dialog->show();
    dialog->GetPrintPreviewPage()->OnPreview();
    ASSERT_TRUE(dialog->GetPrintPreviewPage()->GetReport().IsPreviewOpen());
    dialog.reset();
    QApplication::processEvents();
    int windows = 0;
    OnlyPreviewWindow(windows);
    EXPECT_EQ(windows, 0);
}

TEST(UdsReportPage, PrintCommandSurvivesClosingTheViewer)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("command.pdf");
    auto dialog = std::make_unique<CUDSDialog>();
    dialog->SetSignals(ThreeSignals());
    dialog->OnDeltaposSpin(1);
    dialog->GetPrintPreviewPage()->GetReport().SetPrinterPrompt([path](QPrinter &printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        return true;
    });
    dialog->OnFilePrint();
    dialog.reset(); // the viewer closes before the job runs
    QApplication::processEvents();
    const std::string text = kxtest::PdfText(path.toStdString());
    EXPECT_NE(text.find("UDS File Specification Report"), std::string::npos) << text;
    EXPECT_NE(text.find("Test Number: 102"), std::string::npos) << text;
}

TEST(UdsReportPage, PrintButtonSurvivesClosingTheViewerDuringTheDialog)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("button.pdf");
    auto *dialog = new CUDSDialog;
    QPointer<CUDSDialog> guard(dialog);
    dialog->SetSignals({MakeFullHeaderSignal()});
    auto *page = dialog->GetPrintPreviewPage();
    page->GetReport().SetPrinterPrompt([dialog, path](QPrinter &printer) {
        delete dialog; // the viewer goes away while the print dialog is open
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        return true;
    });
    page->OnFull();
    page->OnPrintReport();
    EXPECT_TRUE(guard.isNull());
    const std::string text = kxtest::PdfText(path.toStdString());
    EXPECT_NE(text.find("Full UDS File Report"), std::string::npos) << text;
    EXPECT_NE(text.find("Make: FORD"), std::string::npos) << text;
}

struct SaveNameCase {
    int tstNo;
    const char *tstRef;
    int curNo;
    const char *curNam;
    const char *extension;
    const char *name;
};

class UdsSaveName : public ::testing::TestWithParam<SaveNameCase> {};

TEST_P(UdsSaveName, ProposesASafeName)
{
    const auto &c = GetParam();
    kxres::CPrintPreviewer page;
    auto s = MakeFullHeaderSignal();
    s->SetTstNo(c.tstNo);
    s->SetTstRef(c.tstRef);
    s->SetCurNo(c.curNo);
    s->SetCurNam(c.curNam);
    page.SetCurrentSignal(s);
    std::string extension = "<";
    std::string name = "<";
    ASSERT_TRUE(page.GetDefaultSaveName(extension, name));
    EXPECT_EQ(extension, std::string("<") + c.extension);
    EXPECT_EQ(name, std::string("<") + c.name);
}

TEST(UdsSaveName, WithoutTestNumberAndReferenceTheCurveFileNamesIt)
{
    for (const auto &[file, expected] :
         {std::pair{"v1234.aa0.uds", "v1234.aa0.txt"}, std::pair{".uds", "curve.txt"}, std::pair{"", "curve.txt"}}) {
        kxres::CPrintPreviewer page;
        auto s = MakeFullHeaderSignal();
        s->SetTstNo(0);
        s->SetTstRef("");
        s->SetCurNo(0);
        s->SetFileName(file);
        page.SetCurrentSignal(s);
        std::string extension, name;
        ASSERT_TRUE(page.GetDefaultSaveName(extension, name));
        EXPECT_EQ(name, expected) << file;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, UdsSaveName,
                         ::testing::Values(SaveNameCase{1234, "T7", 15, "15", ".15", "1234.15"},
                                           SaveNameCase{0, "T7", 0, "15", ".txt", "T7.txt"},
                                           SaveNameCase{-3, "T7  ", 0, "", ".txt", "T7.txt"},
                                           SaveNameCase{0, "../../etc/x", 2, "a/b", ".a_b", "____etc_x.a_b"},
                                           SaveNameCase{0, "..", 4, "..\\..", ".___", "_.___"},
                                           SaveNameCase{5, "", 1, "HEAD.X", ".HEAD.X", "5.HEAD.X"}),
                         [](const auto &info) { return "Case" + std::to_string(info.index); });

TEST(UdsSave, NothingToSaveWithoutPoints)
{
    kxres::CPrintPreviewer page;
    std::string extension;
    std::string name;
    EXPECT_FALSE(page.GetDefaultSaveName(extension, name));
    page.SetCurrentSignal(MakeFullHeaderSignal("Y", 0));
    EXPECT_FALSE(page.GetDefaultSaveName(extension, name));
    EXPECT_TRUE(extension.empty());
}

std::string ReadAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::string();
    return file.readAll().toStdString();
}

TEST(UdsSave, WritesYOrXYLines)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    kxres::CPrintPreviewer page;
    page.SetCurrentSignal(MakeFullHeaderSignal("Y", 2));
    QStringList messages;
    page.SetMessageSink([&](const QString &m) { messages << m; });
    QString proposed;
    const QString path = dir.filePath("1234.15");
    page.SetSavePathPrompt([&](const QString &ext, const QString &name, const QString &filter) {
        proposed = ext + "|" + name + "|" + filter;
        return path;
    });
    page.OnXYData();
    page.SaveCurveText();
    EXPECT_EQ(proposed, ".15|1234.15|ASCI Files (*.15);;All Files (*.*)");
    EXPECT_EQ(ReadAll(path), "0.000000\t-2.000000\n0.001000\t-1.000000\n");
    page.OnYData();
    page.SaveCurveText(); // replaces the file as a whole
    EXPECT_EQ(ReadAll(path), "-2.000000\n-1.000000\n");
    EXPECT_TRUE(messages.isEmpty());

    page.SetDataChoice(-1);
    EXPECT_EQ(page.WriteCurveText(path), "Check Radio Button X or XY");
    EXPECT_EQ(ReadAll(path), "-2.000000\n-1.000000\n");
}

TEST(UdsSave, FailedWriteReportsAndLeavesNoFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    kxres::CPrintPreviewer page;
    page.SetCurrentSignal(MakeFullHeaderSignal("Y", 2));
    QStringList messages;
    page.SetMessageSink([&](const QString &m) { messages << m; });
    const QString missing = dir.filePath("no/such/folder/T7.txt");
    page.SetSavePathPrompt([&](const QString &, const QString &, const QString &) { return missing; });
    page.SaveCurveText();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages.front(), "Failure to open file " + missing);
    // A folder in the target's place stays as it is.
    const QString folder = dir.filePath("taken");
    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_EQ(page.WriteCurveText(folder), "Failure to open file " + folder);
    EXPECT_TRUE(QFileInfo(folder).isDir());
}

TEST(UdsViewer, ScreenshotForReview)
{
    CUDSDialog dialog;
    dialog.SetSignals(ThreeSignals());
    dialog.OnDeltaposSpin(1);
    dialog.show();
    const auto dirPath = std::filesystem::current_path();
    EXPECT_TRUE(dialog.grab().save(QString::fromStdString((dirPath / "uds_viewer_test.png").string())));
    dialog.GetChildSheet()->setCurrentIndex(1);
    EXPECT_TRUE(dialog.grab().save(QString::fromStdString((dirPath / "uds_viewer_vehicle.png").string())));
    dialog.GetChildSheet()->setCurrentIndex(4);
    EXPECT_TRUE(dialog.grab().save(QString::fromStdString((dirPath / "uds_viewer_report.png").string())));
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
