#include "Pellora/document/CPelloraDoc.h"

#include "platform/CSettings.h"
#include "signal/tests/UdsTestFile.h"
#include "support/PelloraTestSupport.h"

#include <gtest/gtest.h>

#include <limits>
#include <sys/stat.h>
#include <fstream>

#include <QApplication>
#include <QSignalSpy>

#include <filesystem>

using namespace pellora;

using namespace pelloratest;
namespace fs = std::filesystem;

namespace {

class DocTest : public ::testing::Test {
protected:
    DocTest()
        : doc(&ui, settings.Program())
    {
        QObject::connect(&doc, &CPelloraDoc::Updated, [this](UpdateHint hint) { hints.push_back(hint); });
    }

    std::string Uds(const std::string &name, const SampleSignal &s = {})
    {
        const std::string path = folder.File(name);
        WriteUds(path, s);
        return path;
    }
    std::string Text(const std::string &name, const std::string &text)
    {
        const std::string path = folder.File(name);
        WriteText(path, text);
        return path;
    }

    ScratchSettings settings;
    TempFolder folder;
    FakeUi ui;
    CPelloraDoc doc;
    std::vector<UpdateHint> hints;
};

std::vector<std::string> Names(const std::vector<CPelloraDoc::CFilePtr> &files)
{
    std::vector<std::string> names;
    for (const auto &f : files)
        names.push_back(f->GetFileName());
    return names;
}

} // namespace

// ---- settings -----------------------------------------------------------------

TEST_F(DocTest, SettingsDefaultsWithoutStoredValues)
{
    EXPECT_TRUE(doc.GetColumnHeaders());
    EXPECT_TRUE(doc.GetSaveZoom());
    EXPECT_EQ(doc.GetLineStyle(), 0);
    EXPECT_EQ(doc.GetMarginTexts().left, "0.1");
    EXPECT_EQ(doc.GetMarginTexts().right, "0.5");
    EXPECT_EQ(doc.GetMarginTexts().top, "0.5");
    EXPECT_EQ(doc.GetMarginTexts().bottom, "0.5");
    EXPECT_EQ(doc.GetMargins(), (std::array<double, 4>{0.1, 0.5, 0.5, 0.5}));
    EXPECT_EQ(doc.GetMarginUnit(), 0);
    EXPECT_FALSE(doc.GetSuiteDirectory().empty());
    EXPECT_EQ(doc.GetOutputDir(), CPelloraDoc::DefaultOutputDir());
}

TEST_F(DocTest, StoredSettingsAreReadAndOptionsWriteThemBack)
{
    {
        kxplatform::CSettings s(settings.Program());
        s.SetString("MarginLeft", "1.25");
        s.SetString("MarginBottom", "");
        s.SetInt("MarginUnit", 1);
        s.SetInt("ColumnHeaders", 0);
        s.SetInt("LineStyle", 3);
        s.SetString("Brisca", "/opt/kx");
        s.Sync();
    }
    CPelloraDoc other(&ui, settings.Program());
    EXPECT_EQ(other.GetMarginTexts().left, "1.25");
    EXPECT_DOUBLE_EQ(other.GetMargins()[0], 1.25);
    // An empty stored text keeps the default number.
    EXPECT_EQ(other.GetMarginTexts().bottom, "");
    EXPECT_DOUBLE_EQ(other.GetMargins()[3], 0.5);
    EXPECT_EQ(other.GetMarginUnit(), 1);
    EXPECT_FALSE(other.GetColumnHeaders());
    EXPECT_EQ(other.GetLineStyle(), 3);
    EXPECT_EQ(other.GetSuiteDirectory(), "/opt/kx");

    ui.options = [](CPlottingOptionValues &v) {
        v.columnHeaders = true;
        v.saveZoom = false;
        v.lineStyle = 2;
        v.suiteDirectory = "/srv/brisca";
        return true;
    };
    other.OnOptions();
    kxplatform::CSettings s(settings.Program());
    EXPECT_EQ(s.GetInt("ColumnHeaders"), 1);
    EXPECT_EQ(s.GetInt("SaveZoom"), 0);
    EXPECT_EQ(s.GetInt("LineStyle"), 2);
    EXPECT_EQ(s.GetString("Brisca"), "/srv/brisca");

    ui.margins = [](CPageMarginValues &m) {
        m.left = "2.54";
        m.top = "0.0";
        m.unit = 1;
        return true;
    };
    other.OnPageMarginSetup();
    EXPECT_DOUBLE_EQ(other.GetMargins()[0], 2.54);
    EXPECT_DOUBLE_EQ(other.GetMargins()[2], 0.0);
    kxplatform::CSettings again(settings.Program());
    EXPECT_EQ(again.GetString("MarginLeft"), "2.54");
    EXPECT_EQ(again.GetString("MarginTop"), "0.0");
    EXPECT_EQ(again.GetInt("MarginUnit"), 1);
}

TEST_F(DocTest, PageMarginsTakeOnlyNumbersOfZeroOrMore)
{
    const struct {
        std::string CPageMarginValues::*field;
        const char *key;
        std::string text;
        std::string message;
    } cases[] = {
        {&CPageMarginValues::right, "MarginRight", "abc", "Right margin \"abc\": not a number"},
        {&CPageMarginValues::right, "MarginRight", "nan", "Right margin \"nan\": not a number"},
        {&CPageMarginValues::left, "MarginLeft", "inf", "Left margin \"inf\": not a number"},
        {&CPageMarginValues::top, "MarginTop", "-2.540", "Top margin \"-2.540\": a margin is 0 or more"},
        {&CPageMarginValues::bottom, "MarginBottom", "1e400", "Bottom margin \"1e400\": the number is out of range"},
        {&CPageMarginValues::bottom, "MarginBottom", "0.5cm", "Bottom margin \"0.5cm\": not a number"},
        {&CPageMarginValues::left, "MarginLeft", "0x1p2", "Left margin \"0x1p2\": not a number"},
    };
    for (const auto &c : cases) {
        ui.messages.clear();
        ui.margins = [&](CPageMarginValues &m) {
            m.*c.field = c.text;
            return true;
        };
        doc.OnPageMarginSetup();
        EXPECT_EQ(ui.messages, std::vector<std::string>{c.message}) << c.text;
        // Neither kept for printing nor stored.
        EXPECT_EQ(doc.GetMargins(), (std::array<double, 4>{0.1, 0.5, 0.5, 0.5})) << c.text;
        EXPECT_FALSE(kxplatform::CSettings(settings.Program()).Contains(c.key)) << c.text;
    }
    // Numbers of 0 or more, blanks around them allowed, are taken.
    ui.messages.clear();
    ui.margins = [](CPageMarginValues &m) {
        m = {" 0 ", "1e-3", "2.5", "0.25", 1};
        return true;
    };
    doc.OnPageMarginSetup();
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(doc.GetMargins(), (std::array<double, 4>{0.0, 1e-3, 2.5, 0.25}));
    EXPECT_EQ(doc.GetMarginUnit(), 1);
}

TEST_F(DocTest, StoredMarginsThatAreNoMarginsAreNotUsed)
{
    {
        kxplatform::CSettings s(settings.Program());
        s.SetString("MarginLeft", "abc");
        s.SetString("MarginRight", "nan");
        s.SetString("MarginTop", "-2.540");
        s.SetString("MarginBottom", "inf");
        s.Sync();
    }
    CPelloraDoc other(&ui, settings.Program());
    EXPECT_EQ(other.GetMargins(), (std::array<double, 4>{0.1, 0.5, 0.5, 0.5}));
    EXPECT_EQ(other.GetMarginTexts().left, "0.1");
    EXPECT_EQ(other.GetMarginTexts().right, "0.5");
    EXPECT_EQ(other.GetMarginTexts().top, "0.5");
    EXPECT_EQ(other.GetMarginTexts().bottom, "0.5");
}

TEST_F(DocTest, CancelledOptionsChangeNothing)
{
    ui.options = [](CPlottingOptionValues &v) {
        v.lineStyle = 3;
        return false;
    };
    doc.OnOptions();
    EXPECT_EQ(doc.GetLineStyle(), 0);
    EXPECT_FALSE(kxplatform::CSettings(settings.Program()).Contains("LineStyle"));
    EXPECT_TRUE(hints.empty());
}

// ---- folder mode ------------------------------------------------------------------

TEST_F(DocTest, OpenDirectoryListsFilesWithoutExcludedNamesOrFolders)
{
    Uds("b.uds");
    Text("a.dll", "x");
    Text("report.pdf.uds", "x");
    Text("c.txt", "1 2\n");
    fs::create_directory(folder.Path() / "sub");
    ui.directories.push_back(folder.Str());
    doc.OnOpenDirectory();
    EXPECT_EQ(doc.GetFileNames(), (std::vector<std::string>{"b.uds", "c.txt"}));
    EXPECT_FALSE(doc.IsHitList());
    EXPECT_EQ(doc.GetDirectory(), folder.Str());
    EXPECT_EQ(ui.windowTexts.back(), "Browsing " + folder.Str());
    ASSERT_FALSE(hints.empty());
    EXPECT_EQ(hints.front(), UpdateHint::FileList);
}

TEST_F(DocTest, CancelledDirectoryChooserKeepsTheList)
{
    Uds("b.uds");
    doc.OpenDirectory(folder.Str());
    hints.clear();
    doc.OnOpenDirectory(); // no answer queued: Cancel
    EXPECT_EQ(doc.GetFileNames().size(), 1u);
    EXPECT_TRUE(hints.empty());
}

TEST_F(DocTest, ApplyFilterListsMatchesOrSaysSo)
{
    Uds("v1.aa0.uds");
    Uds("v2.bb0.uds");
    Uds("w1.aa0.uds");
    doc.OpenDirectory(folder.Str());
    EXPECT_TRUE(doc.ApplyFilter("v*.aa0.*"));
    EXPECT_EQ(doc.GetFileNames(), std::vector<std::string>{"v1.aa0.uds"});
    EXPECT_FALSE(doc.ApplyFilter("zz*"));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], "Error Processing Filter (zz*)");
    EXPECT_EQ(doc.GetFileNames(), std::vector<std::string>{"v1.aa0.uds"});
}

TEST_F(DocTest, SortOrderComesFromTheSettings)
{
    Text("zzzzzzz001x.uds", "1\n");
    Text("aaaaaaa002x.uds", "1\n");
    Text("mmmmmmmabcx.uds", "1\n");
    doc.OpenDirectory(folder.Str());
    EXPECT_EQ(doc.GetFileNames(), (std::vector<std::string>{"aaaaaaa002x.uds", "mmmmmmmabcx.uds", "zzzzzzz001x.uds"}));
    doc.Settings().SetInt("Sort", 1);
    doc.SortFileNames();
    EXPECT_EQ(doc.GetFileNames(), (std::vector<std::string>{"zzzzzzz001x.uds", "aaaaaaa002x.uds", "mmmmmmmabcx.uds"}));
}

// ---- hit lists ----------------------------------------------------------------------

TEST_F(DocTest, HitListWithBlankFolderMissingWildcardCrAndRelativeLines)
{
    const std::string a = Uds("a.uds");
    fs::create_directory(folder.Path() / "sub");
    WriteUds(folder.File("sub/s1.uds"));
    WriteUds(folder.File("sub/s2.uds"));
    WriteText(folder.File("sub/notes.txt"), "x");
    const std::string missing = folder.File("missing.uds");
    const std::string list = Text("list.txt", a +
                                                  "\r\n"
                                                  "\r\n"
                                                  "   \n" +
                                                  folder.File("sub") + "\r\n" + missing + "\r\n" +
                                                  "sub/*.uds\r\n" // relative to the list's folder
                                                  "a.uds\n");     // relative, and already listed
    ui.openFiles.push_back(list);
    doc.OnOpenHitlist();

    EXPECT_TRUE(doc.IsHitList());
    EXPECT_EQ(doc.GetFileNames(), (std::vector<std::string>{a, folder.File("sub/s1.uds"), folder.File("sub/s2.uds")}));
    ASSERT_EQ(ui.errorLists.size(), 1u);
    EXPECT_EQ(ui.errorLists[0], std::vector<std::string>{"Hitlist " + list + ", filename " + missing + ", not found"});
    EXPECT_EQ(doc.GetHitListName(), "list.txt");
    EXPECT_EQ(ui.windowTexts.back(), "Browsing list.txt");
    EXPECT_EQ(doc.GetOutputDir(), folder.Str() + "/");
}

TEST_F(DocTest, HitListNamesFollowTheStoredSortOrder)
{
    const std::string late = Uds("zz.uds"), early = Uds("aa.uds"), other = Uds("mm.uds");
    const std::string list = Text("hits.lst", other + "\n" + late + "\n" + early + "\n");
    EXPECT_TRUE(doc.OpenHitList(list));
    EXPECT_EQ(doc.GetFileNames(), (std::vector<std::string>{early, other, late}));

    // Pasted or dropped names take their place in the order too.
    doc.ClearHitList();
    doc.AddFileNames({late, early});
    doc.AddFileNames({other});
    EXPECT_EQ(doc.GetFileNames(), (std::vector<std::string>{early, other, late}));

    // By curve number: characters 8 to 10 of the listed text.
    doc.Settings().SetInt("Sort", 1);
    doc.ClearHitList();
    doc.AddFileNames({"/tmp/a/zzz.uds", "/tmp/ab020.uds", "/tmp/ab010.uds"});
    EXPECT_EQ(doc.GetFileNames(), (std::vector<std::string>{"/tmp/ab010.uds", "/tmp/ab020.uds", "/tmp/a/zzz.uds"}));
}

TEST_F(DocTest, UnreadableHitListIsReported)
{
    ui.openFiles.push_back(folder.File("nope.lst"));
    doc.OnOpenHitlist();
    ASSERT_EQ(ui.errorLists.size(), 1u);
    EXPECT_EQ(ui.errorLists[0],
              std::vector<std::string>{"Failure to open file: " + folder.File("nope.lst") + " for reading."});
    EXPECT_TRUE(doc.GetFileNames().empty());
}

TEST_F(DocTest, SpecialOrEndlessHitListIsReported)
{
    const std::string fifo = folder.File("pipe.lst");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string &path : {fifo, std::string("/dev/zero")}) {
        ui.errorLists.clear();
        ui.openFiles.push_back(path);
        doc.OnOpenHitlist();
        ASSERT_EQ(ui.errorLists.size(), 1u) << path;
        EXPECT_EQ(ui.errorLists[0], std::vector<std::string>{path + " is not a regular file"});
        EXPECT_TRUE(doc.GetFileNames().empty());
    }
    const std::string endless = folder.File("endless.lst");
    std::ofstream(endless, std::ios::binary) << std::string(3u << 20, 'x');
    ui.errorLists.clear();
    ui.openFiles.push_back(endless);
    doc.OnOpenHitlist();
    ASSERT_EQ(ui.errorLists.size(), 1u);
    EXPECT_EQ(ui.errorLists[0],
              std::vector<std::string>{"Line 1 of " + endless + " is longer than 1048576 characters"});
}

TEST_F(DocTest, HitListWhosePathContainsDataFileIsAHitList)
{
    fs::create_directory(folder.Path() / "DataFile");
    const std::string a = Uds("a.uds");
    const std::string list = folder.File("DataFile/hits.lst");
    WriteText(list, a + "\n");
    EXPECT_TRUE(doc.AddHitList(list));
    EXPECT_EQ(doc.GetFileNames(), std::vector<std::string>{a});
}

TEST_F(DocTest, DataFileSwitchesToHitListModeAndIsListedOnce)
{
    Uds("a.uds");
    const std::string b = Uds("b.uds");
    doc.OpenDirectory(folder.Str());
    hints.clear();
    EXPECT_TRUE(doc.AddDataFile(b));
    EXPECT_TRUE(doc.AddDataFile(b));
    EXPECT_FALSE(doc.AddDataFile(""));
    EXPECT_TRUE(doc.IsHitList());
    EXPECT_TRUE(doc.GetDirectory().empty());
    EXPECT_EQ(doc.GetFileNames(), (std::vector<std::string>{folder.File("a.uds"), b}));
    EXPECT_EQ(hints, (std::vector<UpdateHint>{UpdateHint::FileList, UpdateHint::FileList}));
}

TEST_F(DocTest, RemoveSelectedAndUnselectedNames)
{
    const std::string a = Uds("a.uds"), b = Uds("b.uds"), c = Uds("c.uds");
    doc.AddFileNames({a, b, c, b});
    EXPECT_EQ(doc.GetFileNames().size(), 3u);
    doc.SelectFiles({b});
    doc.RemoveFileNames({b});
    EXPECT_EQ(doc.GetFileNames(), (std::vector<std::string>{a, c}));
    // The removed file's signal goes with it.
    EXPECT_TRUE(doc.GetSignals().empty());
    doc.SelectFiles({c});
    doc.KeepFileNames({c});
    EXPECT_EQ(doc.GetFileNames(), std::vector<std::string>{c});
    EXPECT_EQ(doc.GetSignals().size(), 1u);
    doc.ClearHitList();
    EXPECT_TRUE(doc.GetFileNames().empty());
    EXPECT_TRUE(doc.GetSelectedFiles().empty());
    EXPECT_EQ(doc.GetSignalCount(), 0);
}

TEST_F(DocTest, EditHitListReplacesTheNamesOnlyInHitListMode)
{
    const std::string a = Uds("a.uds");
    ui.hitList = [](std::vector<std::string> &names) {
        names = {"/x/1.uds", "/x/2.uds"};
        return true;
    };
    doc.OpenDirectory(folder.Str());
    doc.OnEditHitList();
    EXPECT_EQ(doc.GetFileNames(), std::vector<std::string>{"a.uds"});
    doc.AddDataFile(a);
    doc.OnEditHitList();
    EXPECT_EQ(doc.GetFileNames(), (std::vector<std::string>{"/x/1.uds", "/x/2.uds"}));
}

// ---- command line -------------------------------------------------------------------

TEST_F(DocTest, CommandLineListsNamedFilesAndReportsMissingOnes)
{
    const std::string a = Uds("a.uds");
    EXPECT_FALSE(doc.CommandLineBrowse({}));
    EXPECT_EQ(doc.GetErrors(), std::vector<std::string>{"File name array empty."});

    EXPECT_TRUE(doc.CommandLineBrowse({a, folder.File("gone.uds")}));
    EXPECT_EQ(doc.GetFileNames(), std::vector<std::string>{a});
    EXPECT_TRUE(doc.IsHitList());
    EXPECT_EQ(ui.windowTexts.back(), "Browsing Command Line arguments");
    EXPECT_TRUE(doc.GetSignals().empty());
    ASSERT_EQ(ui.errorLists.size(), 1u);
    EXPECT_EQ(ui.errorLists[0], std::vector<std::string>{"File, " + folder.File("gone.uds") + ", does not Exist"});
}

TEST_F(DocTest, CommandLineWithNothingFoundFails)
{
    EXPECT_FALSE(doc.CommandLineBrowse({folder.File("gone.uds")}));
    EXPECT_EQ(doc.GetErrors(), (std::vector<std::string>{"File, " + folder.File("gone.uds") + ", does not Exist",
                                                         "File name array empty."}));
}

TEST_F(DocTest, CommandLineLoadAtOnceLoadsAndPlots)
{
    const std::string a = Uds("a.uds"), b = Uds("b.uds", {.curveNumber = 2, .points = 50});
    doc.SetLoadAtOnce(true);
    EXPECT_TRUE(doc.CommandLineBrowse({a, b}));
    EXPECT_FALSE(doc.GetLoadAtOnce());
    EXPECT_EQ(doc.GetSignals().size(), 2u);
    EXPECT_EQ(doc.GetSignalCount(), 2);
    EXPECT_EQ(doc.GetMaxPointCount(), 100);
    EXPECT_TRUE(ui.errorLists.empty());
    EXPECT_NE(std::find(hints.begin(), hints.end(), UpdateHint::Plot), hints.end());
}

// ---- loading --------------------------------------------------------------------------

TEST_F(DocTest, LoadsUdsAndPointsFilesTheirOwnWay)
{
    const std::string a = Uds("a.uds");
    const std::string p = Text("p.txt", "0.0 1.0\n0.1 2.0\n0.2 3.0\n");
    EXPECT_TRUE(doc.SelectFiles({a, p}));
    ASSERT_EQ(doc.GetSignals().size(), 2u);
    EXPECT_TRUE(ui.errorLists.empty());
    const kx::CNSignal &points = *doc.GetSignals()[1];
    EXPECT_EQ(points.GetXType(), "TIME");
    EXPECT_EQ(points.GetXUnits(), "SECONDS");
    EXPECT_EQ(points.GetNLP(), 2);
    EXPECT_EQ(points.GetTstSrc(), "ASCII File");
    EXPECT_EQ(points.GetFileName(), "p.txt");
    EXPECT_EQ(doc.GetSignals()[0]->GetPathName(), a);
    EXPECT_EQ(Names(doc.GetSelectedFiles()), (std::vector<std::string>{"a.uds", "p.txt"}));
}

TEST_F(DocTest, BadAndMissingFilesAreCollectedAndGoodOnesKept)
{
    const std::string a = Uds("a.uds");
    const std::string bad = Text("bad.uds", std::string(512, 'x'));
    const std::string missing = folder.File("missing.uds");
    const std::string c = Uds("c.uds");
    EXPECT_FALSE(doc.SelectFiles({a, bad, missing, c}));
    EXPECT_EQ(Names(doc.GetSelectedFiles()), (std::vector<std::string>{"a.uds", "c.uds"}));
    EXPECT_EQ(doc.GetSignals().size(), 2u);
    ASSERT_EQ(ui.errorLists.size(), 1u);
    const std::vector<std::string> &errors = ui.errorLists[0];
    // Each bad file gives the UDS reader's text and the points reader's text, each
    // naming the file; the same text from both readers is given once.
    ASSERT_EQ(errors.size(), 3u);
    EXPECT_EQ(errors[0], bad + ": Not a UDS-1992 Signal File");
    EXPECT_EQ(errors[1], "Failure to parse the file: " + bad + " for reading.");
    EXPECT_EQ(errors[2], "Failure to open file: " + missing + " for reading.");
    EXPECT_EQ(doc.GetSignalCount(), 2);

    // While they stay selected, the bad files are not read and reported again.
    const std::string d = Uds("d.uds");
    EXPECT_TRUE(doc.SelectFiles({a, bad, missing, c, d}));
    EXPECT_EQ(ui.errorLists.size(), 1u);
    EXPECT_EQ(doc.GetSignals().size(), 3u);
    // Deselected and selected again, they are.
    doc.SelectFiles({a});
    EXPECT_FALSE(doc.SelectFiles({a, bad}));
    EXPECT_EQ(ui.errorLists.size(), 2u);
}

TEST_F(DocTest, SamplesStoredAsNaNAreReportedOncePerFileLoad)
{
    const std::string a = Uds("a.uds"), b = Uds("b.uds"), c = Uds("c.uds");
    kx::test::StoreNaNSamples(a, {3, 70});
    kx::test::StoreNaNSamples(c, {0});
    const std::string warnA = a + ": 2 samples stored as NaN were read as 0";
    const std::string warnC = c + ": 1 sample stored as NaN was read as 0";

    // The files load (NaN read as 0) and the list says so.
    doc.SelectFiles({a, b});
    ASSERT_EQ(doc.GetSignals().size(), 2u);
    EXPECT_EQ(doc.GetSignals()[0]->GetY()[70], 0.0);
    EXPECT_EQ(ui.errorLists, (std::vector<std::vector<std::string>>{{warnA}}));
    // Only a newly loaded file is reported; a reload reports every one again.
    doc.SelectFiles({a, b, c});
    EXPECT_EQ(doc.GetSignals().size(), 3u);
    ASSERT_EQ(ui.errorLists.size(), 2u);
    EXPECT_EQ(ui.errorLists[1], std::vector<std::string>{warnC});
    doc.OnReload();
    ASSERT_EQ(ui.errorLists.size(), 3u);
    EXPECT_EQ(ui.errorLists[2], (std::vector<std::string>{warnA, warnC}));

    // A job over the listed files reports them at its end.
    doc.OpenDirectory(folder.Str());
    ui.errorLists.clear();
    const CPelloraDoc::BatchResult result =
        doc.RunBatch("job", "text", [](const CPelloraDoc::CBatchPage &) { return true; });
    EXPECT_EQ(result.pages, 3);
    EXPECT_EQ(ui.errorLists, (std::vector<std::vector<std::string>>{{warnA, warnC}}));
}

TEST_F(DocTest, InfiniteSamplesAreReportedPerFileAndKept)
{
    const std::string a = Uds("a.uds"), b = Uds("b.uds"), c = Uds("c.uds");
    kx::test::StoreInfiniteSamples(a, {3, 70});
    kx::test::StoreInfiniteSamples(b, {5}, true);
    kx::test::StoreNaNSamples(b, {6});
    doc.SelectFiles({a, b, c});
    ASSERT_EQ(doc.GetSignals().size(), 3u);
    EXPECT_EQ(doc.GetSignals()[0]->GetY()[70], std::numeric_limits<double>::infinity());
    EXPECT_EQ(doc.GetSignals()[1]->GetY()[5], -std::numeric_limits<double>::infinity());
    EXPECT_EQ(ui.errorLists, (std::vector<std::vector<std::string>>{{a + ": 2 samples are infinite",
                                                                     b + ": 1 sample stored as NaN was read as 0",
                                                                     b + ": 1 sample is infinite"}}));
}

TEST_F(DocTest, FilesThatHoldNothingSaySoInOneLine)
{
    const std::string empty = Text("empty.uds", "");
    const std::string blank = Text("blank.txt", "\n\n");
    EXPECT_FALSE(doc.SelectFiles({empty, blank}));
    EXPECT_EQ(ui.errorLists, (std::vector<std::vector<std::string>>{{empty + " is empty",
                                                                     blank + ": File size not a multiple of 512 bytes.",
                                                                     blank + " holds no points"}}));
}

TEST_F(DocTest, SelectionChangeLoadsOnlyNewFiles)
{
    const std::string a = Uds("a.uds"), b = Uds("b.uds"), c = Uds("c.uds");
    doc.SelectFiles({a, b});
    const kx::CNSignalPtr heldA = doc.GetSignals()[0];
    const kx::CNSignalPtr heldB = doc.GetSignals()[1];
    heldA->SetModified(true);
    doc.SelectFiles({b, c, a});
    ASSERT_EQ(doc.GetSignals().size(), 3u);
    // Held files keep their place and their signal object; the new one follows.
    EXPECT_EQ(doc.GetSignals()[0], heldA);
    EXPECT_EQ(doc.GetSignals()[1], heldB);
    EXPECT_TRUE(doc.GetSignals()[0]->IsModified());
    EXPECT_EQ(Names(doc.GetSelectedFiles()), (std::vector<std::string>{"a.uds", "b.uds", "c.uds"}));
    doc.SelectFiles({c});
    EXPECT_EQ(Names(doc.GetSelectedFiles()), std::vector<std::string>{"c.uds"});
    EXPECT_EQ(doc.GetSignals().size(), 1u);
}

TEST_F(DocTest, ReloadReadsTheFilesAgain)
{
    const std::string a = Uds("a.uds");
    EXPECT_FALSE(doc.OnReload());
    doc.SelectFiles({a});
    const kx::CNSignalPtr first = doc.GetSignals()[0];
    EXPECT_TRUE(doc.OnReload());
    ASSERT_EQ(doc.GetSignals().size(), 1u);
    EXPECT_NE(doc.GetSignals()[0], first);
}

TEST_F(DocTest, ReloadRestoresTheCursorWhenShowingItsErrorsFails)
{
    const std::string a = Uds("a.uds");
    doc.SelectFiles({a});
    {
        std::ofstream cut(a, std::ios::binary | std::ios::trunc);
        cut << "not a signal file";
    }
    ui.onErrorList = [] { throw std::runtime_error("no dialog"); };
    EXPECT_THROW(doc.OnReload(), std::runtime_error);
    EXPECT_EQ(ui.openWaitCursors, 0);
}

TEST_F(DocTest, LoadFileByNameInBothModes)
{
    Uds("a.uds");
    Text("t.txt", "1 2\n");
    doc.OpenDirectory(folder.Str());
    EXPECT_TRUE(doc.LoadFileByName("a.uds"));
    EXPECT_EQ(doc.GetSingleSelectedPath(), folder.File("a.uds"));
    EXPECT_EQ(doc.GetSignalCount(), 1);
    EXPECT_FALSE(doc.GetTitle().empty());
    // Only UDS-1992 files load this way.
    EXPECT_FALSE(doc.LoadFileByName("t.txt"));
    EXPECT_TRUE(doc.GetSignals().empty());
    // The texts of the file before do not stay with the empty chart.
    EXPECT_TRUE(doc.GetTitle().empty());
    EXPECT_TRUE(doc.GetSubTitle().empty());
    EXPECT_TRUE(doc.GetYLabel().empty());
    EXPECT_EQ(doc.GetSignalCount(), 0);
    EXPECT_FALSE(doc.GetErrors().empty());
    doc.SwitchToHitListMode();
    EXPECT_EQ(doc.GetFileNames().front(), folder.File("a.uds"));
    EXPECT_TRUE(doc.LoadFileByName(folder.File("a.uds")));
}

// ---- chart arrays and plot texts ------------------------------------------------------

TEST_F(DocTest, CurvesOfUnequalLengthArePackedWithThePadValue)
{
    const std::string a = Uds("a.uds", {.points = 3, .step = 0.5, .peak = 2.0});
    const std::string b = Uds("b.uds", {.points = 5, .step = 0.25, .peak = 4.0});
    doc.SelectFiles({a, b});
    ASSERT_EQ(doc.GetSignalCount(), 2);
    ASSERT_EQ(doc.GetMaxPointCount(), 5);
    const std::vector<double> &x = doc.GetChartX();
    const std::vector<double> &y = doc.GetChartY();
    ASSERT_EQ(x.size(), 10u);
    ASSERT_EQ(y.size(), 10u);
    EXPECT_DOUBLE_EQ(x[1], 0.5);
    EXPECT_DOUBLE_EQ(y[1], 2.0);
    EXPECT_EQ(x[3], CPelloraDoc::PadValue);
    EXPECT_EQ(y[4], CPelloraDoc::PadValue);
    EXPECT_EQ(CPelloraDoc::PadValue, 2.220446049250313e-16);
    EXPECT_DOUBLE_EQ(x[5 + 4], 1.0);
    EXPECT_NEAR(y[5 + 2], 4.0, 1e-6);
}

TEST_F(DocTest, ResetEmptiesEverythingAViewReads)
{
    doc.SelectFiles({Uds("a.uds"), Uds("b.uds")});
    doc.AddError("x");
    ASSERT_EQ(doc.GetSignalCount(), 2);
    doc.Reset();
    EXPECT_EQ(doc.GetSignalCount(), 0);
    EXPECT_EQ(doc.GetMaxPointCount(), 0);
    EXPECT_TRUE(doc.GetChartX().empty());
    EXPECT_TRUE(doc.GetChartY().empty());
    EXPECT_TRUE(doc.GetSignals().empty());
    EXPECT_TRUE(doc.GetSelectedFiles().empty());
    EXPECT_TRUE(doc.GetErrors().empty());
    EXPECT_TRUE(doc.GetYLabel().empty());
    EXPECT_TRUE(doc.GetSignalLabels().empty());
}

TEST_F(DocTest, PlotTextsOfOneSignal)
{
    struct Case {
        SampleSignal signal;
        std::string title;
        std::string yLabel;
        std::string xLabel;
    };
    const Case cases[] = {
        {{.testNumber = 4711, .curveNumber = 12, .attachment = "HEAD CG"},
         "Test: 4711 - Curve Number: 12 - HEAD CG",
         "ACCELERATION - G'S",
         "TIME - SECONDS"},
        {{.testNumber = 0, .curveNumber = 3, .attachment = "NECK"},
         "Curve Number: 3 - NECK",
         "ACCELERATION - G'S",
         "TIME - SECONDS"},
        {{.testNumber = 7, .curveNumber = 0}, "Test: 7", "ACCELERATION - G'S", "TIME - SECONDS"},
        {{.testNumber = 0, .curveNumber = 0, .yType = "", .yUnits = "", .xUnits = ""},
         "Current Plot",
         "Unknown Y Type - Unknown Y Units",
         "TIME - Unknown X Units"},
        {{.testNumber = 0, .curveNumber = 0, .yType = "FORCE", .yUnits = "", .xType = ""},
         "Current Plot",
         "FORCE - Unknown Y Units",
         "Unknown X Type - SECONDS"},
    };
    int i = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(i);
        doc.SelectFiles({Uds("s" + std::to_string(i++) + ".uds", c.signal)});
        EXPECT_EQ(doc.GetTitle(), c.title);
        EXPECT_EQ(doc.GetYLabel(), c.yLabel);
        EXPECT_EQ(doc.GetXLabel(), c.xLabel);
    }
}

TEST_F(DocTest, SubtitleGivesTheExtremesAndTheirTimes)
{
    // A half sine of 50 over 101 points of 1 ms: peak 50 at 50 ms, minimum 0 at 0.
    doc.SelectFiles({Uds("a.uds", {.points = 101, .step = 0.001, .peak = 50.0})});
    EXPECT_EQ(doc.GetSubTitle(), "Ymin 0.000 @ 0.00, Ymax 50.000 @ 50.00");
}

TEST_F(DocTest, LongBuiltTitleIsCutAt240)
{
    doc.SelectFiles({Uds("a.uds", {.curveNumber = 1, .attachment = std::string(30, 'A')})});
    EXPECT_LE(doc.GetTitle().size(), 240u);
    EXPECT_EQ(doc.GetTitle(), "Test: 4711 - Curve Number: 1 - " + std::string(30, 'A'));
}

TEST_F(DocTest, PlotTextsOfSeveralSignals)
{
    const std::string a = Uds("a.uds", {.curveNumber = 1});
    const std::string b = Uds("b.uds", {.curveNumber = 2});
    doc.SelectFiles({a, b});
    EXPECT_EQ(doc.GetTitle(), "");
    EXPECT_EQ(doc.GetSubTitle(), "");
    EXPECT_EQ(doc.GetYLabel(), "G'S");
    EXPECT_EQ(doc.GetXLabel(), "SECONDS");
    EXPECT_EQ(doc.GetSignalLabels(), (std::vector<std::string>{"a.uds", "b.uds"}));

    const std::string c = Uds("c.uds", {.yUnits = "NEWTONS", .xUnits = "MSEC"});
    doc.SelectFiles({a, b, c});
    EXPECT_EQ(doc.GetYLabel(), "Mixed Y Axis Units");
    EXPECT_EQ(doc.GetXLabel(), "Mixed X Axis Units");

    doc.SelectFiles({});
    EXPECT_EQ(doc.GetYLabel(), "");
    EXPECT_EQ(doc.GetSignalCount(), 0);
}

// ---- label commands -------------------------------------------------------------------

TEST_F(DocTest, LabelCommandsCutLongTextsAndRedraw)
{
    ui.labels.push_back({true, "  " + std::string(300, 'T') + "  "});
    doc.OnLabelTitle();
    EXPECT_EQ(doc.GetTitle(), std::string(254, 'T'));
    EXPECT_EQ(ui.labelCaptions.back(), "Title Label");
    ui.labels.push_back({true, std::string(60, 'S')});
    doc.OnLabelSubTitle();
    EXPECT_EQ(doc.GetSubTitle(), std::string(46, 'S'));
    EXPECT_EQ(ui.labelCaptions.back(), "Sub Title Label");
    ui.labels.push_back({true, "TIME (s)"});
    doc.OnLabelXAxis();
    EXPECT_EQ(doc.GetXLabel(), "TIME (s)");
    EXPECT_EQ(ui.labelCaptions.back(), "X Axis Label");
    hints.clear();
    ui.labels.push_back({false, "ignored"});
    doc.OnLabelYAxis();
    EXPECT_EQ(ui.labelCaptions.back(), "Y Axis Label");
    EXPECT_EQ(doc.GetYLabel(), "");
    EXPECT_TRUE(hints.empty());
}

TEST_F(DocTest, SignalLabelsBecomeTheSubtitle)
{
    doc.SelectFiles({Uds("a.uds"), Uds("b.uds")});
    ASSERT_TRUE(doc.CanEditSignalLabels());
    ui.signalLabels = [](std::vector<std::string> &labels) {
        EXPECT_EQ(labels, (std::vector<std::string>{"a.uds", "b.uds"}));
        labels = {"driver", ""};
        return true;
    };
    doc.OnSignalLabels();
    EXPECT_EQ(doc.GetSubTitle(), "driver\tFilename: Error: Empty\t");
}

TEST_F(DocTest, UdsHeaderOnlyWithSignals)
{
    doc.OnViewUdsHeader();
    EXPECT_EQ(ui.headerViews, 0);
    EXPECT_FALSE(doc.CanViewUdsHeader());
    doc.SelectFiles({Uds("a.uds"), Uds("b.uds")});
    doc.OnViewUdsHeader();
    EXPECT_EQ(ui.headerViews, 1);
    EXPECT_EQ(ui.lastHeaderSignals, 2u);
}

TEST(CPelloraDocStatic, IsInteger)
{
    const std::pair<const char *, bool> cases[] = {{"", false},   {"-", false},  {"0", true},   {"012", true},
                                                   {"-5", true},  {"5-", false}, {"1a", false}, {"--1", false},
                                                   {"a1", false}, {" 1", false}};
    for (const auto &[text, expected] : cases)
        EXPECT_EQ(CPelloraDoc::IsInteger(text), expected) << '"' << text << '"';
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
