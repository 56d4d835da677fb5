// The UDS header report: texts of every cell, page counts, data pages, drawing on pages
// of several sizes, printing to PDF and the print job's independence from the viewer.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

#include <cmath>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "shared_ui/printing/CPage.h"
#include "shared_ui/header/CUdsReport.h"
#include "shared_ui/header/TextFunctions.h"
#include "support/RecordingPaintDevice.h"
#include "support/UdsReportFixtures.h"

namespace {

using kxtest::MakeFullHeaderSignal;

TEST(TextFunctions, FormatsNumbers)
{
    EXPECT_EQ(FormatFixed(1.5, 6), "1.500000");
    EXPECT_EQ(FormatFixed(-2.25, 4), "-2.2500");
    EXPECT_EQ(FormatFixed(0.00005, 4), "0.0001");
    EXPECT_EQ(FormatFixed(3.7, 0), "4");
    EXPECT_EQ(DoubleToText(56.3), "56.3");
    EXPECT_EQ(DoubleToText(100.0), "100");
    EXPECT_EQ(DoubleToText(1234567.0), "1.23457e+06");
    EXPECT_EQ(DoubleToText(0.00001), "1e-05");
    EXPECT_EQ(DoubleToText(-0.5), "-0.5");
    EXPECT_EQ(CUdsReport::ValueText(0.0), " 0.000000");
    EXPECT_EQ(CUdsReport::ValueText(-1.5), "-1.500000");
    EXPECT_EQ(CUdsReport::ValueText(12.25), " 12.250000");
    // Negative zero lines up with the other zeros instead of showing a blank and a sign.
    EXPECT_EQ(CUdsReport::ValueText(-0.0), " 0.000000");
}

TEST(TextFunctions, WritesPointLines)
{
    std::ostringstream xy;
    WritePointXY(xy, kx::CPoint<double>(0.0, 1.5));
    WritePointXY(xy, kx::CPoint<double>(-0.001, 2.0));
    EXPECT_EQ(xy.str(), "0.000000\t1.500000\n-0.001000\t2.000000\n");
    std::ostringstream y;
    WritePointY(y, kx::CPoint<double>(7.0, -3.25));
    EXPECT_EQ(y.str(), "-3.250000\n");
    // The stream keeps the fixed format.
    xy << 0.5;
    EXPECT_EQ(xy.str().substr(xy.str().size() - 8), "0.500000");
}

TEST(ReportLayout, HeaderAndFooterTexts)
{
    auto s = MakeFullHeaderSignal();
    EXPECT_EQ(CUdsReport::TestLine(*s), "Test Number: 1234        Curve Number: 15");
    EXPECT_EQ(CUdsReport::ReportTitle(0), "UDS File Specification Report");
    EXPECT_EQ(CUdsReport::ReportTitle(1), "Full UDS File Report");
    EXPECT_EQ(CUdsReport::ReportTitle(2), "");
    EXPECT_EQ(CUdsReport::DateText(2015, 3, 5), "3/5/2015");
    EXPECT_EQ(CUdsReport::DateText(2026, 12, 31), "12/31/2026");
}

// Every region text as "title|column|text", in printing order, with "--" between rows.
std::vector<std::string> Flatten(const std::vector<CUdsReport::Section> &sections)
{
    std::vector<std::string> out;
    for (const auto &section : sections) {
        for (const auto &line : section.lines) {
            for (const auto &item : line.items) {
                std::ostringstream text;
                text << section.title << '|' << item.column << '|' << item.text;
                out.push_back(text.str());
            }
            out.push_back("--");
        }
    }
    return out;
}

TEST(ReportLayout, EveryRegionTextOfAFullHeader)
{
    auto s = MakeFullHeaderSignal();
    const auto sections = CUdsReport::BuildSections(*s);
    const std::vector<std::string> expected = {
        "File|0.01|Version:  UDS-1992",
        "--",
        "File|0.01|Form: Y",
        "--",
        "File|0.01|Number Format: IEEE",
        "--",
        "File|0.01|Unit System: MET",
        "--",
        "Test|0.01|Source: NHTSA",
        "Test|2.7|Test Number: 1234",
        "Test|4.3|Ref Number: T7",
        "--",
        "Test|0.01|Configuration: VTB",
        "Test|2.7|Closing Speed: 56.3(kph)",
        "--",
        "Test|0.01|Performer: TRC",
        "--",
        "Test|0.01|Title: ",
        "--",
        "Test|0.01|FRONTAL 100% OVERLAP 56 KPH",
        "--",
        "Vehicle One|0.01|Make: FORD",
        "Vehicle One|2.5|Year: 1999",
        "--",
        "Vehicle One|0.01|Model: TAURUS",
        "Vehicle One|2.5|Engine Type: V6",
        "--",
        "Vehicle One|0.01|Body: 4 DOOR SEDAN",
        "--",
        "Vehicle One|0.01|Weight: 1580.5(kgs)",
        "Vehicle One|2.5|Speed: 56.25(kph)",
        "--",
        "Vehicle Two|0.01|Make: RIGID",
        "Vehicle Two|2.5|Year: 2001",
        "--",
        "Vehicle Two|0.01|Model: WALL",
        "Vehicle Two|2.5|Engine Type: NONE",
        "--",
        "Vehicle Two|0.01|Body: FLAT",
        "--",
        "Vehicle Two|0.01|Weight: 99999(kgs)",
        "Vehicle Two|2.5|Speed: 0(kph)",
        "--",
        "Occupant One|0.01|Type: H3",
        "Occupant One|1.5|Sex: M",
        "Occupant One|2.5|Weight: 78.2(kgs)",
        "--",
        "Occupant One|0.01|Age: 35",
        "Occupant One|1.5|Dummy Size: 50",
        "--",
        "Occupant One|0.01|Primary Restraint: BELT",
        "--",
        "Occupant One|0.01|Secondary Restraint: AIRBAG",
        "--",
        "Occupant Two|0.01|Type: H2",
        "Occupant Two|1.5|Sex: F",
        "Occupant Two|2.5|Weight: 61(kgs)",
        "--",
        "Occupant Two|0.01|Age: 40",
        "Occupant Two|1.5|Dummy Size: 05",
        "--",
        "Occupant Two|0.01|Primary Restraint: NONE",
        "--",
        "Occupant Two|0.01|Secondary Restraint: KNEE",
        "--",
        "Occupant InJury|0.01|HIC: 512.75",
        "Occupant InJury|2|T1: 60.5",
        "Occupant InJury|4|T2: 75.25(msec)",
        "Occupant InJury|6|AIS: 2",
        "--",
        "Curve User Data|0.01|ID1: 11",
        "Curve User Data|1.8|ID2: 12",
        "Curve User Data|3.3|ID3: 13",
        "Curve User Data|4.8|ID4: 14",
        "Curve User Data|6.3|ID5: 15",
        "--",
        "Curve User Data|0.01|RD1: 1.5000",
        "Curve User Data|1.8|RD2: -2.2500",
        "Curve User Data|3.3|RD3: 3.1250",
        "Curve User Data|4.8|RD4: 0.0000",
        "Curve User Data|6.3|RD5: 12345.6789",
        "--",
    };
    EXPECT_EQ(Flatten(sections), expected);

    // Region rectangles (top, left, bottom, right) and spacing.
    struct Box {
        double top, left, bottom, right;
    };
    const Box boxes[] = {{1.0, 0.0, 2.4, 1.6}, {1.0, 1.8, 2.4, 8.0}, {2.6, 0.0, 4.0, 3.9}, {2.6, 4.1, 4.0, 8.0},
                         {4.1, 0.0, 5.5, 3.9}, {4.1, 4.1, 5.5, 8.0}, {5.6, 0.0, 6.1, 8.0}, {6.2, 0.0, 7.0, 8.0}};
    ASSERT_EQ(sections.size(), 8U);
    for (std::size_t i = 0; i < sections.size(); ++i) {
        EXPECT_EQ(sections[i].top, boxes[i].top) << i;
        EXPECT_EQ(sections[i].left, boxes[i].left) << i;
        EXPECT_EQ(sections[i].bottom, boxes[i].bottom) << i;
        EXPECT_EQ(sections[i].right, boxes[i].right) << i;
    }
    EXPECT_EQ(sections[1].lines[2].spacing, 1.5); // Performer
    EXPECT_EQ(sections[1].lines[3].spacing, 0.5); // Title
    EXPECT_EQ(sections[6].spacingAfter, 0.5);
}

TEST(ReportLayout, EveryCurveTableCell)
{
    auto s = MakeFullHeaderSignal("Y", 10);
    EXPECT_EQ(CUdsReport::CurveTableTitle(*s), "Curve: 15");
    const std::vector<std::vector<std::string>> expected = {
        {"Status: AS MEASURED", "InitVel: 56 (kph) ", "Axis: XG", "Location: LF"},
        {"Data Type: ACCELERATION", "Filter Cutoff: 1000(Hz)   ", "Scale Factor: 1", "Form: Y"},
        {"Time Step: 1 (msec)", "Number of Points: 10", "First Point: 0", "Last Point: 9"},
        {"Time Range: 0.0000 to 9.0000(msec)", "Data min: -2", "Data Max: 7", "TO: 0(msec)"},
        {"Units: G'S", "", "", ""},
        {"SenAtt: HEAD CG", "", "", ""},
        {"Type: TIME SERIES", "", "", ""},
    };
    EXPECT_EQ(CUdsReport::CurveTableCells(*s), expected);
    const std::vector<std::string> description = {"Curve Description: HEAD ACCEL X", "CD1: COMMENT ONE",
                                                  "CD2: COMMENT TWO"};
    EXPECT_EQ(CUdsReport::DescriptionCells(*s), description);
}

TEST(ReportLayout, TimesInMillisecondsAndNoNegativeZero)
{
    // A record from -20 ms to 150 ms at 0.2 ms whose largest value is a negative zero.
    auto s = MakeFullHeaderSignal("Y", 10);
    s->SetNFP(-100);
    s->SetNLP(750);
    s->SetDel(static_cast<double>(0.0002F));
    std::vector<double> x;
    std::vector<double> y;
    for (int i = -100; i <= 750; ++i) {
        x.push_back(static_cast<float>(i * static_cast<double>(0.0002F)));
        y.push_back(i == 0 ? -0.0 : -std::abs(i) * 0.5);
    }
    s->SetXYData(x, y);
    s->SetRD2(-0.00001);
    s->SetClsSpd(-0.0);
    const std::vector<std::vector<std::string>> cells = CUdsReport::CurveTableCells(*s);
    const std::vector<std::string> timeStep = {"Time Step: 0.2 (msec)", "Number of Points: 851", "First Point: -100",
                                               "Last Point: 750"};
    const std::vector<std::string> timeRange = {"Time Range: -20.0000 to 150.0000(msec)", "Data min: -375",
                                                "Data Max: 0", "TO: -20(msec)"};
    EXPECT_EQ(cells.at(2), timeStep);
    EXPECT_EQ(cells.at(3), timeRange);

    // Every number of the report that shows zero shows it without a sign.
    const std::vector<CUdsReport::Section> sections = CUdsReport::BuildSections(*s);
    EXPECT_EQ(sections.at(1).lines.at(1).items.at(1).text, "Closing Speed: 0(kph)");
    EXPECT_EQ(sections.at(7).lines.at(1).items.at(1).text, "RD2: 0.0000");
    const struct {
        double value;
        const char *text;
    } values[] = {{-0.0, " 0.000000"}, {-4e-7, " 0.000000"}, {-6e-7, "-0.000001"}, {1e-7, " 0.000000"}};
    for (const auto &v : values)
        EXPECT_EQ(CUdsReport::ValueText(v.value), v.text) << v.value;
}

TEST(ReportLayout, AbsentVehiclesAndOccupantsShowBlanks)
{
    auto s = MakeFullHeaderSignal();
    s->SetVehicle2Year(0); // weight and speed are set but hidden
    s->SetOccupant1Type(" ");
    s->SetOccupant2Type(""); // a blank type as the file reader returns it
    const auto flat = Flatten(CUdsReport::BuildSections(*s));
    auto has = [&](const std::string &t) { return std::find(flat.begin(), flat.end(), t) != flat.end(); };
    EXPECT_TRUE(has("Vehicle Two|2.5|Year:  "));
    EXPECT_TRUE(has("Vehicle Two|0.01|Weight:  "));
    EXPECT_TRUE(has("Vehicle Two|2.5|Speed:  "));
    EXPECT_TRUE(has("Vehicle Two|0.01|Make: RIGID"));
    EXPECT_TRUE(has("Vehicle One|2.5|Year: 1999"));
    EXPECT_TRUE(has("Occupant One|2.5|Weight:  "));
    EXPECT_TRUE(has("Occupant One|0.01|Age:  "));
    EXPECT_TRUE(has("Occupant One|0.01|Type:  "));
    EXPECT_TRUE(has("Occupant One|1.5|Sex: M"));
    EXPECT_TRUE(has("Occupant Two|2.5|Weight:  "));
    EXPECT_TRUE(has("Occupant Two|0.01|Age:  "));
}

struct PageCountCase {
    int kind;
    const char *form;
    int points;
    int pages;
};

class ReportPageCount : public ::testing::TestWithParam<PageCountCase> {};

TEST_P(ReportPageCount, ByKindFormAndLength)
{
    const auto &c = GetParam();
    CUdsReport report;
    report.SetSignal(MakeFullHeaderSignal(c.form, c.points));
    report.SetKind(c.kind);
    EXPECT_EQ(report.GetPageCount(), c.pages);
}

INSTANTIATE_TEST_SUITE_P(Cases, ReportPageCount,
                         ::testing::Values(PageCountCase{0, "Y", 1000, 1}, PageCountCase{1, "Y", 0, 1},
                                           PageCountCase{1, "Y", 1, 2}, PageCountCase{1, "Y", 190, 2},
                                           PageCountCase{1, "Y", 191, 3}, PageCountCase{1, "Y", 380, 3},
                                           PageCountCase{1, "X-Y", 381, 4}, PageCountCase{1, "XYZ", 500, 1},
                                           PageCountCase{7, "Y", 500, 1}),
                         [](const auto &info) {
                             return "Kind" + std::to_string(info.param.kind) + "Points" +
                                    std::to_string(info.param.points) + "Case" + std::to_string(info.index);
                         });

TEST(ReportPages, NoSignalStillHasOnePage)
{
    CUdsReport report;
    report.SetKind(1);
    EXPECT_EQ(report.GetPageCount(), 1);
}

TEST(ReportPages, DataLinesHoldFiveValuesEach)
{
    CUdsReport report;
    auto s = MakeFullHeaderSignal("Y", 191);
    report.SetSignal(s);
    report.SetKind(1);
    RecordingPaintDevice device(800, 1050, 100);
    QPainter painter(&device);
    CPrintInfo info;
    info.m_rectDraw = QRect(0, 0, 800, 1050);
    info.m_nCurPage = 3;
    report.OnPrint(&painter, &info);
    ASSERT_EQ(report.GetDataPages().size(), 3U);
    EXPECT_EQ(report.GetLineCount(), 39);
    EXPECT_EQ(report.GetDataPages()[0].size(), 38U);
    EXPECT_EQ(report.GetDataPages()[0][0], "-2.000000:-1.000000: 0.000000: 1.000000: 2.000000:");
    ASSERT_EQ(report.GetDataPages()[1].size(), 1U);
    EXPECT_EQ(report.GetDataPages()[1][0], " 188.000000:");
    EXPECT_TRUE(report.GetDataPages()[2].empty());
    // Page 3 shows the one value of the second data page at the first column.
    const RecordedText *value = device.FindText(" 188.000000");
    ASSERT_NE(value, nullptr);
    EXPECT_NEAR(value->position.x(), 0.5 * 100, 1.5);
    EXPECT_EQ(device.FindText(" 187.000000"), nullptr);
    EXPECT_NE(device.FindText("Full UDS File Report"), nullptr);
    EXPECT_NE(device.FindText("Page: 3"), nullptr);
}

TEST(ReportPages, NewSignalRebuildsTheDataPages)
{
    CUdsReport report;
    report.SetKind(1);
    report.SetSignal(MakeFullHeaderSignal("Y", 5));
    RecordingPaintDevice device(800, 1050, 100);
    QPainter painter(&device);
    CPrintInfo info;
    info.m_rectDraw = QRect(0, 0, 800, 1050);
    info.m_nCurPage = 2;
    report.OnPrint(&painter, &info);
    EXPECT_NE(device.FindText(" 2.000000"), nullptr);
    device.Clear();
    report.SetSignal(MakeFullHeaderSignal("X-Y", 5));
    report.OnPrint(&painter, &info);
    EXPECT_EQ(device.FindText(" 2.000000"), nullptr);
    EXPECT_NE(device.FindText(" 0.004000"), nullptr);
}

TEST(ReportPages, SplitLineGivesFiveFields)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(CUdsReport::SplitLine(" 1.0: 2.0:-3.0: 4.0: 5.0:"), (V{" 1.0", " 2.0", "-3.0", " 4.0", " 5.0"}));
    EXPECT_EQ(CUdsReport::SplitLine(" 1.0: 2.0:"), (V{" 1.0", " 2.0", "", "", ""}));
    EXPECT_EQ(CUdsReport::SplitLine(""), (V{"", "", "", "", ""}));
    EXPECT_EQ(CUdsReport::SplitLine("a:b:c:d:e:f:"), (V{"a", "b", "c", "d", "e"}));
}

TEST(ReportPages, XYFormListsTheXValues)
{
    CUdsReport report;
    report.SetSignal(MakeFullHeaderSignal("X-Y", 3));
    report.SetKind(1);
    EXPECT_EQ(report.ChosenValues(), (std::vector<double>{0.0, 0.001, 0.002}));
    report.SetSignal(MakeFullHeaderSignal("Y", 3));
    EXPECT_EQ(report.ChosenValues(), (std::vector<double>{-2.0, -1.0, 0.0}));
    report.SetSignal(MakeFullHeaderSignal("POINTS", 3));
    EXPECT_TRUE(report.ChosenValues().empty());
}

// Every text and line drawn lies on the device.
void ExpectOnDevice(const RecordingPaintDevice &device, int width, int height)
{
    for (const auto &t : device.Texts()) {
        EXPECT_GE(t.position.x(), 0.0) << t.text.toStdString();
        EXPECT_LE(t.position.x(), width) << t.text.toStdString();
        EXPECT_GE(t.position.y(), 0.0) << t.text.toStdString();
        EXPECT_LE(t.position.y(), height) << t.text.toStdString();
    }
    for (const auto &s : device.Shapes()) {
        const QRectF bounds = s.points.boundingRect();
        EXPECT_GE(bounds.left(), -1.0);
        EXPECT_LE(bounds.right(), width + 1.0);
        EXPECT_GE(bounds.top(), -1.0);
        EXPECT_LE(bounds.bottom(), height + 1.0);
    }
}

struct PaperCase {
    const char *name;
    int width; // printable area in pixels at 100 per inch
    int height;
};

class ReportPaper : public ::testing::TestWithParam<PaperCase> {};

TEST_P(ReportPaper, FirstPageFitsThePrintableArea)
{
    const auto &paper = GetParam();
    CUdsReport report;
    report.SetSignal(MakeFullHeaderSignal());
    report.SetKind(0);
    RecordingPaintDevice device(paper.width, paper.height, 100);
    QPainter painter(&device);
    CPrintInfo info;
    info.m_rectDraw = QRect(0, 0, paper.width, paper.height);
    report.OnPrint(&painter, &info);
    painter.end();
    for (const char *title : {"File", "Test", "Vehicle One", "Vehicle Two", "Occupant One", "Occupant Two",
                              "Occupant InJury", "Curve User Data", "Curve: 15"}) {
        EXPECT_NE(device.FindText(title), nullptr) << paper.name << ": " << title;
    }
    for (const char *text : {"UDS File Specification Report", "Page: 1", "RD5: 12345.6789", "CD2: COMMENT TWO",
                             "Type: TIME SERIES", "FRONTAL 100% OVERLAP 56 KPH", "Secondary Restraint: KNEE"}) {
        EXPECT_NE(device.FindText(text), nullptr) << paper.name << ": " << text;
    }
    ExpectOnDevice(device, paper.width, paper.height);
}

INSTANTIATE_TEST_SUITE_P(Papers, ReportPaper,
                         ::testing::Values(PaperCase{"Letter", 800, 1050}, PaperCase{"A4", 794, 1136},
                                           PaperCase{"WideMargins", 700, 950}, PaperCase{"Legal", 800, 1350}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(ReportPrint, PdfShowsTheHeaderLines)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.filePath("report.pdf").toStdString();
    CUdsReport report;
    report.SetSignal(MakeFullHeaderSignal("Y", 380));
    report.SetKind(1);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(path));
    ASSERT_TRUE(report.PrintDocument(printer));
    const std::string text = kxtest::PdfText(path);
    ASSERT_FALSE(text.empty()) << "pdftotext could not read the report";
    for (const char *line :
         {"Full UDS File Report", "Test Number: 1234", "Curve Number: 15", "Source: NHTSA", "Version: UDS-1992",
          "Make: FORD", "Year: 1999", "HIC: 512.75", "Curve Description: HEAD ACCEL X", "Page: 3",
          "FRONTAL 100% OVERLAP 56 KPH", "377.000000"}) {
        EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
    }
    EXPECT_EQ(kxtest::PdfPageCount(path), 3);
}

TEST(ReportPrint, SampleFileFullReport)
{
    auto signal = std::make_shared<kx::CNSignal>();
    signal->LoadUDSFile(KX_SOURCE_DIR "/examples/head_accel_res_ieee.uds");
    CUdsReport report;
    report.SetSignal(signal);
    report.SetKind(1);
    // Kept beside the test for a visual check.
    const auto path = (std::filesystem::current_path() / "uds_sample_report.pdf").string();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(path));
    ASSERT_TRUE(report.PrintDocument(printer));
    const std::string text = kxtest::PdfText(path);
    EXPECT_EQ(kxtest::PdfPageCount(path), report.GetPageCount());
    for (const std::string &line : {std::string("Full UDS File Report"), CUdsReport::TestLine(*signal).substr(0, 17),
                                    "Source: " + signal->GetTstSrc(), "Unit System: " + signal->GetDimSys(),
                                    "Data Type: " + signal->GetYType(), std::string("Page: 2")}) {
        EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text.substr(0, 3000);
    }
}

TEST(ReportPrint, CancelledDialogPrintsNothing)
{
    CUdsReport report;
    auto signal = MakeFullHeaderSignal();
    report.SetSignal(signal);
    report.SetKind(1);
    int asked = 0;
    report.SetPrinterPrompt([&](QPrinter &) {
        ++asked;
        return false;
    });
    EXPECT_FALSE(report.Print());
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(report.GetKind(), 1);
    EXPECT_EQ(report.GetSignal(), signal);
    EXPECT_TRUE(report.GetDataPages().empty());
}

TEST(ReportPrint, PrintCommandJobKeepsItsOwnCopy)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("job.pdf");
    auto report = std::make_unique<CUdsReport>();
    auto signal = MakeFullHeaderSignal();
    report->SetSignal(signal);
    report->SetKind(0);
    report->SetPrinterPrompt([path](QPrinter &printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        return true;
    });
    report->StartPrintThread();
    // The viewer changes the signal and goes away before the job runs.
    signal->SetTstSrc("CHANGED");
    report.reset();
    signal.reset();
    QCoreApplication::processEvents();
    const std::string text = kxtest::PdfText(path.toStdString());
    EXPECT_NE(text.find("Source: NHTSA"), std::string::npos) << text;
    EXPECT_EQ(text.find("CHANGED"), std::string::npos);
}

TEST(ReportPrint, PageImageForReview)
{
    // A letter page at 150 pixels per inch, kept beside the test for a visual check.
    QImage image(static_cast<int>(8.5 * 150), 11 * 150, QImage::Format_RGB32);
    image.setDotsPerMeterX(static_cast<int>(150 / 0.0254));
    image.setDotsPerMeterY(static_cast<int>(150 / 0.0254));
    for (int page = 1; page <= 2; ++page) {
        image.fill(Qt::white);
        CUdsReport report;
        report.SetSignal(MakeFullHeaderSignal("Y", 200));
        report.SetKind(1);
        QPainter painter(&image);
        CPrintInfo info;
        info.m_rectDraw =
            QRect(static_cast<int>(0.25 * 150), static_cast<int>(0.25 * 150), 8 * 150, static_cast<int>(10.5 * 150));
        info.m_nCurPage = static_cast<unsigned>(page);
        painter.translate(info.m_rectDraw.topLeft());
        info.m_rectDraw.moveTopLeft(QPoint(0, 0));
        report.OnPrint(&painter, &info);
        painter.end();
        const auto file = std::filesystem::current_path() / ("uds_report_page" + std::to_string(page) + ".png");
        EXPECT_TRUE(image.save(QString::fromStdString(file.string())));
    }
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
