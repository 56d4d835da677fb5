#include "Pellora/document/CPelloraDoc.h"
#include "Pellora/views/CPelloraView.h"

#include "signal/CUDSFile.h"
#include "support/PelloraTestSupport.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QScrollBar>
#include <QTest>

#include <cmath>
#include <filesystem>
#include <functional>
#include <fstream>
#include <sstream>

using namespace pellora;
using namespace pelloratest;
namespace fs = std::filesystem;

namespace {

std::string ReadAll(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Lines of a text, without their ends ("\n" or "\r\n").
std::vector<std::string> Lines(const std::string &text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

class ExportTest : public ::testing::Test {
protected:
    ExportTest()
        : doc(&ui, settings.Program())
    {
        QObject::connect(&doc, &CPelloraDoc::Updated, [this](UpdateHint hint) { hints.push_back(hint); });
        doc.SetOutputDir("/nowhere/");
    }

    std::string Values(const std::string &name, const ValueSignal &s, const std::string &sub = {})
    {
        const fs::path dir = sub.empty() ? folder.Path() : folder.Path() / sub;
        fs::create_directories(dir);
        const std::string path = (dir / name).string();
        WriteUdsValues(path, s);
        return path;
    }
    void Load(const std::vector<std::string> &paths)
    {
        ASSERT_TRUE(doc.SelectFiles(paths));
        ASSERT_EQ(doc.GetSignals().size(), paths.size());
        hints.clear();
    }
    std::string Out(const std::string &name = {})
    {
        const fs::path dir = folder.Path() / "out";
        fs::create_directories(dir);
        return name.empty() ? dir.string() : (dir / name).string();
    }

    ScratchSettings settings;
    TempFolder folder;
    FakeUi ui;
    CPelloraDoc doc;
    std::vector<UpdateHint> hints;
};

} // namespace

// ---- UDS ------------------------------------------------------------------------

TEST_F(ExportTest, SaveAsUdsWritesTheFirstSignalAndRemembersTheFolder)
{
    Load({Values("first.uds", {.y = {1, 2, 3}, .step = 0.001}), Values("second.uds", {.y = {4, 5, 6}})});
    ui.saveFiles.push_back(Out("copy.uds"));
    doc.OnSaveAsUds();
    ASSERT_EQ(ui.saveRequests.size(), 1u);
    EXPECT_EQ(ui.saveRequests[0].title, "Save As UDS File");
    EXPECT_EQ(ui.saveRequests[0].proposedName, "first");
    EXPECT_EQ(ui.saveRequests[0].startFolder, "/nowhere/");
    kx::CNSignal back;
    back.LoadUDSFile(Out("copy.uds"));
    EXPECT_EQ(back.GetY(), (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(doc.GetOutputDir(), Out() + "/");

    // A failed write keeps the folder setting and says why.
    ui.saveFiles.push_back(folder.File("missing/x.uds"));
    doc.OnSaveAsUds();
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(doc.GetOutputDir(), Out() + "/");
}

TEST_F(ExportTest, UdsWriterMatchesTheLibrarySaveByteForByte)
{
    WriteText(folder.File("xy.txt"), "0 1\n0.5 2\n2 -3\n");
    Load({Values("y.uds", {.y = {1.25, -2, 3, 4}, .step = 0.001, .firstPoint = -1, .axis = "XG"}),
          folder.File("xy.txt")});
    for (const kx::CNSignalPtr &s : doc.GetSignals()) {
        s->SetModified(true);
        s->SetStatus("FILTERED");
        s->SetChestClip(12.5);
        s->SaveToUDSFile(Out("library.uds"));
        CPelloraDoc::SaveSignalAsUds(*s, Out("ours.uds"));
        EXPECT_EQ(ReadAll(Out("ours.uds")), ReadAll(Out("library.uds"))) << s->GetFileName();
    }
}

TEST_F(ExportTest, SaveAllWritesEverySignalAndRefusesCollidingTargets)
{
    // Hit-list mode: the same name from two folders would land on one file.
    const std::string a1 = Values("same.uds", {.y = {1, 2, 3}}, "one");
    const std::string a2 = Values("same.uds", {.y = {7, 8, 9}}, "two");
    const std::string b = Values("other.uds", {.y = {4, 5, 6}});
    Load({a1, a2, b});
    ui.folders.push_back(Out());
    doc.OnSaveAllUds();
    EXPECT_EQ(ui.folderTitles, std::vector<std::string>{"Select a folder to save selected UDS files"});
    EXPECT_FALSE(fs::exists(Out("same.uds")));
    kx::CNSignal back;
    back.LoadUDSFile(Out("other.uds"));
    EXPECT_EQ(back.GetY(), (std::vector<double>{4, 5, 6}));
    ASSERT_EQ(ui.errorLists.size(), 1u);
    ASSERT_EQ(ui.errorLists[0].size(), 1u);
    EXPECT_NE(ui.errorLists[0][0].find("same.uds"), std::string::npos);
    // Not every signal was saved: the folder is not remembered.
    EXPECT_EQ(doc.GetOutputDir(), "/nowhere/");
}

TEST_F(ExportTest, ACombinedSignalIsSavedUnderItsOwnName)
{
    struct Case {
        int code;
        const char *name;
    };
    for (const Case c : {Case{CPelloraDoc::OpAverage, "AVG"}, Case{CPelloraDoc::OpSum, "SUM"},
                         Case{CPelloraDoc::OpResultant, "RES"}}) {
        SCOPED_TRACE(c.name);
        doc.Reset();
        const std::string x = Values("head_accel_x.uds", {.y = {3, 0, 6}});
        const std::string y = Values("head_accel_y.uds", {.y = {4, 2, 8}});
        const std::string inputBytes = ReadAll(x);
        Load({x, y});
        ASSERT_TRUE(doc.RunOperation(c.code));
        const std::vector<double> result = doc.GetSignals().front()->GetY();

        // Saved into the inputs' own folder, nothing is replaced and nothing asked.
        ui.folders.push_back(folder.Str());
        doc.OnSaveAllUds();
        ui.folders.push_back(folder.Str());
        doc.OnSaveAsAscii();
        ui.saveFiles.push_back({});
        doc.OnSaveAsUds();
        EXPECT_TRUE(ui.questions.empty());
        EXPECT_EQ(ReadAll(x), inputBytes);
        kx::CNSignal back;
        back.LoadUDSFile(folder.File(std::string(c.name) + ".uds"));
        EXPECT_EQ(back.GetY(), result);
        EXPECT_TRUE(fs::exists(folder.File(std::string(c.name) + ".txt")));
        EXPECT_FALSE(fs::exists(folder.File("head_accel_x.txt")));
        ASSERT_FALSE(ui.saveRequests.empty());
        EXPECT_EQ(ui.saveRequests.back().proposedName, c.name);
        fs::remove(folder.File(std::string(c.name) + ".uds"));
        fs::remove(folder.File(std::string(c.name) + ".txt"));
    }
}

TEST_F(ExportTest, SaveAllAsksOnceBeforeReplacingFiles)
{
    Load({Values("a.uds", {.y = {1, 2, 3}}), Values("b.uds", {.y = {4, 5, 6}}), Values("c.uds", {.y = {7, 8, 9}})});
    WriteText(Out("a.uds"), "old a");
    WriteText(Out("b.uds"), "old b");
    ui.folders.push_back(Out());
    ui.yesNo.push_back(false);
    doc.OnSaveAllUds();
    ASSERT_EQ(ui.questions.size(), 1u);
    EXPECT_NE(ui.questions[0].find("a.uds"), std::string::npos);
    EXPECT_NE(ui.questions[0].find("b.uds"), std::string::npos);
    EXPECT_EQ(ReadAll(Out("a.uds")), "old a");
    EXPECT_EQ(ReadAll(Out("b.uds")), "old b");
    EXPECT_TRUE(fs::exists(Out("c.uds")));

    ui.folders.push_back(Out());
    ui.yesNo.push_back(true);
    doc.OnSaveAllUds();
    EXPECT_EQ(ui.questions.size(), 2u);
    kx::CNSignal back;
    back.LoadUDSFile(Out("a.uds"));
    EXPECT_EQ(back.GetY(), (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(doc.GetOutputDir(), Out() + "/");
}

TEST_F(ExportTest, FolderExportsRefuseAMissingFolder)
{
    Load({Values("a.uds", {.y = {1, 2, 3}})});
    ui.folders = {folder.File("missing"), folder.File("missing")};
    doc.OnSaveAllUds();
    doc.OnSaveAsAscii();
    EXPECT_EQ(ui.messages, (std::vector<std::string>{"Invalid Path:\n" + folder.File("missing") + "/",
                                                     "Invalid Path:\n" + folder.File("missing") + "/"}));
}

// ---- ASCII ----------------------------------------------------------------------

TEST_F(ExportTest, AsciiNamesAndLines)
{
    EXPECT_EQ(CPelloraDoc::AsciiFileNameFor("v1.head.uds"), "v1_head.txt");
    EXPECT_EQ(CPelloraDoc::AsciiFileNameFor("plain"), "plain.txt");
    EXPECT_EQ(CPelloraDoc::AsciiFileNameFor("a.uds.bak"), "a_bak.txt");

    Load({Values("v1.head.uds", {.y = {1.5, -2.25, 3}, .step = 0.001, .firstPoint = 2})});
    ui.folders.push_back(Out());
    doc.OnSaveAsAscii();
    EXPECT_EQ(ReadAll(Out("v1_head.txt")), "0.002000\t1.500000\n0.003000\t-2.250000\n0.004000\t3.000000\n");
    EXPECT_EQ(doc.GetOutputDir(), Out() + "/");
    EXPECT_TRUE(ui.errorLists.empty());
}

TEST_F(ExportTest, AsciiNeverWritesTwoSignalsToOneFile)
{
    Load({Values("a.b.uds", {.y = {1, 2, 3}}), Values("a_b.uds", {.y = {4, 5, 6}}), Values("c.uds", {.y = {7, 8}})});
    WriteText(Out("a_b.txt"), "keep me");
    ui.folders.push_back(Out());
    doc.OnSaveAsAscii();
    EXPECT_EQ(ReadAll(Out("a_b.txt")), "keep me");
    EXPECT_EQ(ReadAll(Out("c.txt")), "0.000000\t7.000000\n1.000000\t8.000000\n");
    ASSERT_EQ(ui.errorLists.size(), 1u);
    EXPECT_NE(ui.errorLists[0][0].find("a_b.txt"), std::string::npos);
    // The colliding pair is refused before any question is asked.
    EXPECT_TRUE(ui.questions.empty());
}

TEST_F(ExportTest, AsciiWriteFailureNamesTheFile)
{
    Load({Values("a.uds", {.y = {1, 2, 3}})});
    // A folder in the way of the file: the rename over it fails.
    fs::create_directories(Out("a.txt"));
    ui.folders.push_back(Out());
    ui.yesNo.push_back(true);
    doc.OnSaveAsAscii();
    ASSERT_EQ(ui.errorLists.size(), 1u);
    EXPECT_EQ(ui.errorLists[0], std::vector<std::string>{"Failure to write file: " + Out("a.txt")});
    EXPECT_EQ(doc.GetOutputDir(), "/nowhere/");
}

// ---- ImageExpress ---------------------------------------------------------------

TEST_F(ExportTest, ImageExpressAlignsSignalsOfDifferentSteps)
{
    // 0 .. 2 ms at 1 ms and at 0.5 ms, in both orders: both end on the 0.5 ms step.
    const std::string coarse = Values("coarse sig.uds", {.y = {1, 2, 3}, .step = 0.001});
    const std::string fine = Values("fine.uds", {.y = {10, 11, 12, 13, 14}, .step = 0.0005});
    const std::vector<std::string> rows = {"0.000000\t1.000000\t10.000000", "0.000500\t1.500000\t11.000000",
                                           "0.001000\t2.000000\t12.000000", "0.001500\t2.500000\t13.000000",
                                           "0.002000\t3.000000\t14.000000"};
    for (bool coarseFirst : {true, false}) {
        SCOPED_TRACE(coarseFirst);
        doc.Reset();
        Load(coarseFirst ? std::vector<std::string>{coarse, fine} : std::vector<std::string>{fine, coarse});
        ui.saveFiles.push_back(Out("ie.txt"));
        doc.OnSaveAsImageExpress();
        const std::string text = ReadAll(Out("ie.txt"));
        EXPECT_EQ(text.substr(0, 44), "; Generated by Pellora Save as ImageExpress\r");
        const std::vector<std::string> lines = Lines(text);
        ASSERT_EQ(lines.size(), 7u) << text;
        EXPECT_EQ(lines[1], coarseFirst ? "; coarsesig.uds\tfine.uds" : "; fine.uds\tcoarsesig.uds");
        for (std::size_t i = 0; i < rows.size(); ++i) {
            std::string expected = rows[i];
            if (!coarseFirst) {
                // Columns in signal order: the fine one first.
                const auto t1 = expected.find('\t');
                const auto t2 = expected.find('\t', t1 + 1);
                expected = expected.substr(0, t1) + expected.substr(t2) + expected.substr(t1, t2 - t1);
            }
            EXPECT_EQ(lines[2 + i], expected) << i;
        }
        // The held coarse signal is now on the common step.
        for (const auto &s : doc.GetSignals())
            EXPECT_NEAR(s->GetDel(), 0.0005, 1e-9);
        EXPECT_EQ(hints, std::vector<UpdateHint>{UpdateHint::Plot});
        hints.clear();
    }
}

TEST_F(ExportTest, ImageExpressRowsRunFromTheFirstStartToTheLastEnd)
{
    // 3 points from 0 s and 5 points from 0 s; then a signal starting later.
    Load({Values("three.uds", {.y = {1, 2, 3}, .step = 0.5}), Values("five.uds", {.y = {5, 6, 7, 8, 9}, .step = 0.5}),
          Values("late.uds", {.y = {40, 41}, .step = 0.5, .firstPoint = 4})});
    ui.saveFiles.push_back(Out("rows.txt"));
    doc.OnSaveAsImageExpress();
    const std::vector<std::string> lines = Lines(ReadAll(Out("rows.txt")));
    const std::vector<std::string> expected = {
        "0.000000\t1.000000\t5.000000\t", "0.500000\t2.000000\t6.000000\t",  "1.000000\t3.000000\t7.000000\t",
        "1.500000\t\t8.000000\t",         "2.000000\t\t9.000000\t40.000000", "2.500000\t\t\t41.000000",
    };
    ASSERT_EQ(lines.size(), 2 + expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(lines[2 + i], expected[i]) << i;
    // Nothing had to be interpolated: the held signals are untouched.
    for (const auto &s : doc.GetSignals())
        EXPECT_FALSE(s->IsModified());
    EXPECT_TRUE(hints.empty());
}

TEST_F(ExportTest, ImageExpressCancelOrFailureLeavesFileAndSignals)
{
    // Points files have no step: the step dialog is asked.
    WriteText(folder.File("p.txt"), "0 1\n1 2\n2 3\n");
    Load({folder.File("p.txt")});
    const std::string existing = Out("keep.txt");
    WriteText(existing, "precious\r\n");
    ui.saveFiles.push_back(existing);
    double askedDuration = -1;
    ui.exportStep = [&](double duration, double, int, double &) {
        askedDuration = duration;
        return false;
    };
    doc.OnSaveAsImageExpress();
    EXPECT_DOUBLE_EQ(askedDuration, 2.0);
    EXPECT_EQ(ReadAll(existing), "precious\r\n");

    // X running backwards cannot be interpolated: nothing is written, nothing changes.
    doc.Reset();
    WriteText(folder.File("back.txt"), "2 1\n1 2\n0 3\n");
    Load({folder.File("back.txt")});
    ui.saveFiles.push_back(existing);
    ui.exportStep = [](double, double, int, double &step) {
        step = 0.5;
        return true;
    };
    doc.OnSaveAsImageExpress();
    EXPECT_EQ(ReadAll(existing), "precious\r\n");
    EXPECT_EQ(doc.GetSignals().front()->GetX(), (std::vector<double>{2, 1, 0}));
    ASSERT_EQ(ui.errorLists.size(), 1u);
    EXPECT_NE(ui.errorLists[0][0].find("back.txt"), std::string::npos);
    EXPECT_EQ(doc.GetOutputDir(), "/nowhere/");
}

// ---- Copy Data ------------------------------------------------------------------

TEST_F(ExportTest, CopyDataWithUnequalLengths)
{
    const std::string a = Values("a.uds", {.y = {1, 2}, .step = 0.5});
    const std::string b = Values("b.uds", {.y = {5, 6, 7}, .step = 0.5});
    Load({a, b});
    doc.OnCopyData();
    ASSERT_EQ(ui.clipboard.size(), 1u);
    EXPECT_EQ(ui.clipboard[0], a + "\t\t" + b +
                                   "\t\r\n"
                                   "0.000000\t1.000000\t0.000000\t5.000000\r\n"
                                   "0.500000\t2.000000\t0.500000\t6.000000\r\n"
                                   "\t\t1.000000\t7.000000\r\n");
    // Column headers off: the numbers come first; the longer signal first.
    doc.Reset();
    Load({b, a});
    CPlottingOptionValues off{false, true, 0, "/tmp"};
    ui.options = [&off](CPlottingOptionValues &v) {
        v = off;
        return true;
    };
    doc.OnOptions();
    doc.OnCopyData();
    EXPECT_EQ(ui.clipboard[1], "0.000000\t5.000000\t0.000000\t1.000000\r\n"
                               "0.500000\t6.000000\t0.500000\t2.000000\r\n"
                               "1.000000\t7.000000\t\t\r\n");
    ui.clipboardWorks = false;
    doc.OnCopyData();
    EXPECT_EQ(ui.messages.size(), 1u);
}

// ---- hit lists ------------------------------------------------------------------

TEST_F(ExportTest, HitListSavesReadBackByTheHitListReader)
{
    const std::string a = Values("a.uds", {.y = {1, 2}});
    const std::string b = Values("b.uds", {.y = {1, 2}});
    const std::string c = Values("c.uds", {.y = {1, 2}});
    doc.OpenDirectory(folder.Str());
    Load({b});
    const std::string list = Out("list.hit");
    ui.hitListFiles.push_back({list, false});
    doc.OnSaveAsHitList();
    EXPECT_EQ(ReadAll(list), a + "\n" + b + "\n" + c + "\n");
    EXPECT_EQ(doc.GetOutputDir(), Out() + "/");

    ui.hitListFiles.push_back({list, true});
    doc.OnSaveSelectedAsHitList();
    CPelloraDoc reader(&ui, settings.Program());
    ASSERT_TRUE(reader.ReadHitList(list));
    // Read back as a set of paths: the appended line is a path already listed.
    EXPECT_EQ(reader.GetFileNames(), (std::vector<std::string>{a, b, c}));
    EXPECT_EQ(Lines(ReadAll(list)).size(), 4u);

    // Replacing instead of appending; an unwritable target says so and keeps the setting.
    ui.hitListFiles.push_back({list, false});
    doc.OnSaveSelectedAsHitList();
    EXPECT_EQ(ReadAll(list), b + "\n");
    doc.SetOutputDir("/nowhere/");
    ui.hitListFiles.push_back({folder.File("no/such/list.hit"), false});
    doc.OnSaveAsHitList();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("no/such/list.hit"), std::string::npos);
    EXPECT_EQ(doc.GetOutputDir(), "/nowhere/");
}

TEST_F(ExportTest, ListMenuSavesHitLists)
{
    const std::string a = Values("a.uds", {.y = {1, 2}});
    doc.OpenDirectory(folder.Str());
    CPelloraView view(doc);
    const auto trigger = [&view](const QString &text) {
        std::unique_ptr<QMenu> menu(view.BuildContextMenu(nullptr));
        for (QAction *action : menu->actions()) {
            if (action->text() == text) {
                EXPECT_TRUE(action->isEnabled()) << text.toStdString();
                action->trigger();
                return true;
            }
        }
        return false;
    };
    ui.hitListFiles.push_back({Out("dir.hit"), false});
    ASSERT_TRUE(trigger("Save As a HitList ..."));
    EXPECT_EQ(ReadAll(Out("dir.hit")), a + "\n");

    doc.SwitchToHitListMode();
    Load({a});
    ui.hitListFiles.push_back({Out("sel.hit"), false});
    ASSERT_TRUE(trigger("Save Selected As a Hitlist..."));
    EXPECT_EQ(ReadAll(Out("sel.hit")), a + "\n");
}

// ---- the browsed folder after a save --------------------------------------------

TEST(BrowsedFolder, FilesSavedIntoItAreListedAndTheSelectionStays)
{
    // What the user chose (in the fake), the command, the filter in force and the
    // names the list shows afterwards; "out" is a folder beside the browsed one.
    struct Case {
        const char *what;
        std::function<void(FakeUi &, const TempFolder &)> answer;
        std::function<void(CPelloraDoc &)> command;
        const char *filter;
        std::vector<std::string> listed;
    };
    const auto saveFile = [](const char *name) {
        return [name](FakeUi &ui, const TempFolder &f) { ui.saveFiles.push_back(f.File(name)); };
    };
    const auto folder = [](const char *sub) {
        return [sub](FakeUi &ui, const TempFolder &f) { ui.folders.push_back((f.Path() / sub).string()); };
    };
    const Case cases[] = {
        {"Save As UDS",
         saveFile("new.uds"),
         [](CPelloraDoc &d) { d.OnSaveAsUds(); },
         nullptr,
         {"a.dat", "b.uds", "new.uds", "notes.txt"}},
        {"UDS - All Selected",
         folder(""),
         [](CPelloraDoc &d) { d.OnSaveAllUds(); },
         nullptr,
         {"a.dat", "a.uds", "b.uds", "notes.txt"}},
        {"ASCII",
         folder(""),
         [](CPelloraDoc &d) { d.OnSaveAsAscii(); },
         nullptr,
         {"a.dat", "a_dat.txt", "b.uds", "notes.txt"}},
        {"ImageExpress",
         saveFile("table.txt"),
         [](CPelloraDoc &d) { d.OnSaveAsImageExpress(); },
         nullptr,
         {"a.dat", "b.uds", "notes.txt", "table.txt"}},
        {"hit list",
         [](FakeUi &ui, const TempFolder &f) {
             ui.hitListFiles.push_back({f.File("list.hit"), false});
         },
         [](CPelloraDoc &d) { d.OnSaveAsHitList(); },
         nullptr,
         {"a.dat", "b.uds", "list.hit", "notes.txt"}},
        {"the filter in force",
         saveFile("new.uds"),
         [](CPelloraDoc &d) { d.OnSaveAsUds(); },
         "*.*d*",
         {"a.dat", "b.uds", "new.uds"}},
        {"another folder",
         folder("out"),
         [](CPelloraDoc &d) { d.OnSaveAllUds(); },
         nullptr,
         {"a.dat", "b.uds", "notes.txt"}},
    };
    for (const Case &c : cases) {
        ScratchSettings settings;
        TempFolder browsed;
        FakeUi ui;
        CPelloraDoc doc(&ui, settings.Program());
        WriteUdsValues(browsed.File("a.dat"), {.y = {1, 2, 3}, .step = 0.001});
        WriteUdsValues(browsed.File("b.uds"), {.y = {4, 5, 6}, .step = 0.001});
        WriteText(browsed.File("notes.txt"), "x\n");
        fs::create_directories(browsed.Path() / "out");
        doc.OpenDirectory(browsed.Str());
        if (c.filter) {
            ASSERT_TRUE(doc.ApplyFilter(c.filter)) << c.what;
        }
        CPelloraView view(doc);
        view.Refill();
        view.SelectNames({"a.dat"});
        ASSERT_EQ(doc.GetSignals().size(), 1u) << c.what;
        view.setCurrentItem(view.findItems("a.dat", Qt::MatchExactly).front(), QItemSelectionModel::NoUpdate);
        const kx::CNSignalPtr loaded = doc.GetSignals().front();

        c.answer(ui, browsed);
        c.command(doc);

        EXPECT_TRUE(ui.messages.empty() && ui.errorLists.empty()) << c.what;
        EXPECT_EQ(doc.GetFileNames(), c.listed) << c.what;
        std::vector<std::string> shown;
        for (int row = 0; row < view.count(); ++row)
            shown.push_back(view.item(row)->text().toStdString());
        EXPECT_EQ(shown, c.listed) << c.what;
        // The same file stays selected and current, its signal not read again.
        EXPECT_EQ(view.SelectedNames(), std::vector<std::string>{"a.dat"}) << c.what;
        ASSERT_NE(view.currentItem(), nullptr) << c.what;
        EXPECT_EQ(view.currentItem()->text(), "a.dat") << c.what;
        ASSERT_EQ(doc.GetSignals().size(), 1u) << c.what;
        EXPECT_EQ(doc.GetSignals().front(), loaded) << c.what;
    }
}

TEST(BrowsedFolder, ListingAgainKeepsWhereTheListIsScrolled)
{
    ScratchSettings settings;
    TempFolder browsed;
    FakeUi ui;
    CPelloraDoc doc(&ui, settings.Program());
    for (int i = 10; i < 70; ++i)
        WriteUdsValues(browsed.File("f" + std::to_string(i) + ".uds"), {.y = {1, 2, 3}, .step = 0.001});
    doc.OpenDirectory(browsed.Str());
    CPelloraView view(doc);
    view.Refill();
    view.resize(300, 200);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    // As a click does: the file becomes current and selected.
    view.setCurrentItem(view.findItems("f65.uds", Qt::MatchExactly).front());
    ASSERT_EQ(doc.GetSignals().size(), 1u);
    QScrollBar *bar = view.verticalScrollBar();
    ASSERT_GT(bar->maximum(), 20);

    // The user scrolled away from the selected file, to the top, then to the middle.
    for (const int scrolled : {0, bar->maximum() / 2}) {
        bar->setValue(scrolled);
        ui.saveFiles.push_back(browsed.File("f" + std::to_string(scrolled) + "_copy.uds"));
        doc.OnSaveAsUds();
        ASSERT_EQ(doc.GetFileNames().size(), 61u + (scrolled ? 1 : 0));
        QCoreApplication::processEvents();
        EXPECT_EQ(bar->value(), scrolled);
        EXPECT_EQ(view.SelectedNames(), std::vector<std::string>{"f65.uds"});
        ASSERT_NE(view.currentItem(), nullptr);
        EXPECT_EQ(view.currentItem()->text(), "f65.uds");
    }
}

// ---- Create X-Y Signal ----------------------------------------------------------

TEST_F(ExportTest, CreateXYSignalPlotsOneAgainstTheOther)
{
    // Deflection (1 ms) and force (0.5 ms): the deflection is interpolated to 0.5 ms.
    Load({Values("defl.uds", {.y = {0, 2, 4}, .step = 0.001, .yUnits = "MM", .yType = "DEFLECTION"}),
          Values("force.uds", {.y = {0, 1, 2, 3, 4}, .step = 0.0005, .yUnits = "N"})});
    ui.xyAxes = [](int &x) {
        x = 0;
        return true;
    };
    doc.OnCreateXYSignal();
    ASSERT_EQ(doc.GetSignals().size(), 1u);
    ASSERT_EQ(doc.GetSelectedFiles().size(), 1u);
    EXPECT_EQ(doc.GetSelectedFiles()[0]->GetFileName(), "force.uds");
    const kx::CNSignal &xy = *doc.GetSignals()[0];
    EXPECT_EQ(xy.GetX(), (std::vector<double>{0, 1, 2, 3, 4}));
    EXPECT_EQ(xy.GetY(), (std::vector<double>{0, 1, 2, 3, 4}));
    EXPECT_EQ(xy.GetDel(), 0.0);
    EXPECT_EQ(xy.GetXUnits(), "MM");
    EXPECT_EQ(xy.GetXType(), "DEFLECTION");
    EXPECT_EQ(xy.GetAxis(), "UN");
    EXPECT_EQ(xy.GetSenAtt(), "UNKN");
    EXPECT_EQ(xy.GetTstSrc(), "Computation");
    EXPECT_EQ(xy.GetStatus(), "COMPUTED");
    EXPECT_DOUBLE_EQ(xy.GetFCut(), 100.0);
    EXPECT_DOUBLE_EQ(xy.GetXMax(), 4.0);
    EXPECT_TRUE(xy.IsModified());
    EXPECT_EQ(hints, std::vector<UpdateHint>{UpdateHint::Plot});
}

TEST_F(ExportTest, CreateXYSignalRefusalsLeaveTheSignals)
{
    Load({Values("one.uds", {.y = {1, 2, 3}})});
    doc.OnCreateXYSignal();
    EXPECT_EQ(ui.errorLists.back(), std::vector<std::string>{"Create an X-Y sigbal needs 2 Y signals only"});

    // Steps within 1e-7 of each other: no interpolation, so no question; Cancel on the axes fails.
    doc.Reset();
    Load({Values("a.uds", {.y = {1, 2, 3}, .step = 0.001}), Values("b.uds", {.y = {4, 5, 6}, .step = 0.00100005})});
    doc.OnCreateXYSignal();
    EXPECT_TRUE(ui.questions.empty());
    EXPECT_EQ(ui.errorLists.back(), std::vector<std::string>{"Fail to create an X-Y sigbal."});
    EXPECT_EQ(doc.GetSignals().size(), 2u);
    EXPECT_EQ(doc.GetSignals()[0]->GetY(), (std::vector<double>{1, 2, 3}));

    // Resampled beyond 25000 points: the user is asked and may stop.
    doc.Reset();
    Load({Values("long.uds", {.y = std::vector<double>(3000, 1.0), .step = 0.001}),
          Values("fine.uds", {.y = {1, 2, 3}, .step = 0.0001})});
    doc.OnCreateXYSignal();
    ASSERT_EQ(ui.questions.size(), 1u);
    EXPECT_EQ(ui.questions[0], "long.uds is resampled to more than 25000 points.\nContinue the processing or not? ");
    EXPECT_EQ(doc.GetSignals().size(), 2u);
    EXPECT_NEAR(doc.GetSignals()[0]->GetDel(), 0.001, 1e-9);
    EXPECT_TRUE(hints.empty());
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

TEST_F(ExportTest, SaveAsUdsKeepsTheTimesOfAnXYFile)
{
    // Times as other writers put them in an "X-Y" file with a nominal DEL.
    std::vector<double> uneven, even, tenth;
    double ms = 0.0;
    for (int i = 0; i < 2000; ++i) {
        uneven.push_back(static_cast<float>(ms / 1000.0));
        ms += i % 2 == 0 ? 0.1 : 0.3;
        even.push_back(static_cast<float>(i * 2e-4));
        tenth.push_back(static_cast<float>(i * 1e-4));
    }
    struct Case {
        const char *what;
        std::vector<double> x;
        double del;
    } cases[] = {
        {"0.1 and 0.3 ms apart, DEL 0.1 ms", uneven, 1e-4},
        {"0.2 ms apart, DEL 0.1 ms", even, 1e-4},
        {"0.1 ms apart, DEL 0", tenth, 0.0},
    };
    int k = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const std::string name = "xy" + std::to_string(k++);
        std::vector<double> y(c.x.size());
        for (std::size_t i = 0; i < y.size(); ++i)
            y[i] = 100.0 * std::exp(-std::pow((c.x[i] - 0.04) / 0.005, 2)); // peak at 40 ms
        Load({Values(name + ".uds", {.y = y, .step = c.del, .x = c.x})});
        ui.saveFiles.push_back(Out(name + "-saved.uds"));
        doc.OnSaveAsUds();
        ASSERT_TRUE(ui.messages.empty());
        kx::CUDSFile back;
        back.ReadFile(Out(name + "-saved.uds"));
        ASSERT_EQ(back.GetSampleX().size(), c.x.size());
        for (std::size_t i = 0; i < c.x.size(); ++i)
            ASSERT_NEAR(back.GetSampleX()[i], c.x[i], 4e-7 * c.x[i] + 1e-12) << i; // float rounding
        EXPECT_EQ(back.GetSampleY(), doc.GetSignals()[0]->GetY());
    }
}
