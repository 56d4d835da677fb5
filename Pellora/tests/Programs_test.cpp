#include "Pellora/document/CPelloraDoc.h"
#include "Pellora/document/ProgramLauncher.h"

#include "support/PelloraTestSupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace pellora;
using namespace pelloratest;
namespace fs = std::filesystem;

namespace {

// The arguments a stub program wrote, one per NUL-ended entry; empty until it ran.
std::vector<std::string> WaitForArgs(const std::string &file)
{
    QDeadlineTimer deadline(10000);
    while (!fs::exists(file + ".done") && !deadline.hasExpired())
        QThread::msleep(20);
    std::ifstream in(file, std::ios::binary);
    std::vector<std::string> args;
    std::string arg;
    while (std::getline(in, arg, '\0'))
        args.push_back(arg);
    return args;
}

class ProgramTest : public ::testing::Test {
protected:
    ProgramTest()
        : doc(&ui, settings.Program())
    {
        suite = folder.Path() / "suite";
        fs::create_directories(suite);
        ui.options = [this](CPlottingOptionValues &v) {
            v.suiteDirectory = suite.string();
            return true;
        };
        doc.OnOptions();
    }

    // A stub program in the suite folder that writes its arguments to name.args.
    std::string Stub(const std::string &name)
    {
        const fs::path path = suite / name;
        const std::string out = (suite / (name + ".args")).string();
        WriteText(path.string(), "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\0' \"$a\"; done > '" + out + "'\ntouch '" +
                                     out + ".done'\n");
        fs::permissions(path, fs::perms::owner_all, fs::perm_options::add);
        return out;
    }
    std::string Values(const std::string &name, const ValueSignal &s, const fs::path &dir = {})
    {
        const fs::path d = dir.empty() ? folder.Path() : dir;
        fs::create_directories(d);
        const std::string path = (d / name).string();
        WriteUdsValues(path, s);
        return path;
    }
    void Load(const std::vector<std::string> &paths)
    {
        ASSERT_TRUE(doc.SelectFiles(paths));
        ASSERT_EQ(doc.GetSignals().size(), paths.size());
    }
    std::string NotFound(const std::string &program) const
    {
        return (suite / program).string() +
               " is not found.\n\rPlease set a correct directory from\n\r'Edit->Options->Directory for Brisca "
               "Apllications' ";
    }

    ScratchSettings settings;
    TempFolder folder;
    FakeUi ui;
    CPelloraDoc doc;
    fs::path suite;
};

} // namespace

TEST_F(ProgramTest, AHostilePathArrivesAsOneArgumentAndRunsNothing)
{
    const std::string args = Stub("Quillet");
    // Blank, ";", "$( )" and a quote in the folder and the name.
    const fs::path odd = folder.Path() / "it's a $(touch made) dir";
    const std::string path = Values("neck fa;touch x.uds", {.y = {1, 2, 3}}, odd);
    doc.AddFileNames({path});
    ASSERT_TRUE(doc.IsHitList());
    Load({path});
    ui.reallyStart = true;
    doc.OnInjuryQuillet();
    ASSERT_EQ(ui.starts.size(), 1u);
    EXPECT_EQ(ui.starts[0].program, (suite / "Quillet").string());
    EXPECT_EQ(WaitForArgs(args), std::vector<std::string>{path});
    EXPECT_TRUE(ui.messages.empty());
    for (const fs::path &where : {fs::current_path(), folder.Path(), odd, suite}) {
        EXPECT_FALSE(fs::exists(where / "x")) << where;
        EXPECT_FALSE(fs::exists(where / "made")) << where;
    }
}

TEST_F(ProgramTest, MissingOrUnusableProgramsStartNothing)
{
    Load({Values("a.uds", {.y = {1, 2, 3}})});
    // Missing.
    doc.OnInjuryQuillet();
    // A folder in its place.
    fs::create_directories(suite / "ViscousCriterion");
    doc.OnInjuryViscous();
    // A file that may not be run.
    WriteText((suite / "HIC").string(), "#!/bin/sh\n");
    fs::permissions(suite / "HIC", fs::perms::owner_read | fs::perms::owner_write);
    doc.OnInjuryHic();
    EXPECT_TRUE(ui.starts.empty());
    EXPECT_EQ(ui.messages, (std::vector<std::string>{NotFound("Quillet"), NotFound("ViscousCriterion"),
                                                     (suite / "HIC").string() + " is not an executable program."}));
}

TEST_F(ProgramTest, AFailedStartIsReported)
{
    // Executable, but its interpreter does not exist.
    WriteText((suite / "Clip3ms").string(), "#!/no/such/interpreter\n");
    fs::permissions(suite / "Clip3ms", fs::perms::owner_all, fs::perm_options::add);
    Load({Values("a.uds", {.y = {1, 2, 3}})});
    ui.reallyStart = true;
    doc.OnInjuryClip3ms();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].rfind("Failure to start " + (suite / "Clip3ms").string() + ": ", 0), 0u) << ui.messages[0];
}

TEST_F(ProgramTest, ThreeSignalsAreOrderedAndTheirDirectionsChecked)
{
    const std::string args = Stub("HIC");
    const std::string x = Values("hx.uds", {.y = {1, 2, 3}, .axis = "XG"});
    const std::string y = Values("hy.uds", {.y = {1, 2, 3}, .axis = "YG"});
    const std::string z = Values("hz.uds", {.y = {1, 2, 3}, .axis = "ZG"});
    Load({z, x, y});
    // The shifter puts the second file on X, the third on Y, the first on Z.
    ui.axisOrder = [](std::array<int, 3> &order) {
        order = {1, 2, 0};
        return true;
    };
    ui.reallyStart = true;
    doc.OnInjuryHic();
    EXPECT_EQ(WaitForArgs(args), (std::vector<std::string>{x, y, z}));
    EXPECT_TRUE(ui.errorLists.empty());
    EXPECT_EQ(doc.GetSelectedFiles()[0]->GetPathName(), x);
    EXPECT_EQ(doc.GetSignals()[2]->GetDirection(), "ZG");
    EXPECT_EQ(ui.axisNotes, std::vector<std::string>{""});
}

TEST_F(ProgramTest, BranchDirectionWarnings)
{
    Stub("TibiaIndex");
    struct Case {
        std::array<std::string, 3> axes;
        std::vector<std::string> messages;
    };
    const std::vector<Case> cases = {
        {{"", "", ""}, {"The direction (X, Y, or Z) of every signal is unknown."}},
        {{"XG", "XG", "ZG"}, {"Which signal is an Y-branch is unknown."}},
        {{"YG", "", ""}, {"Which signal is an X-branch is unknown.", "Which signal is an Z-branch is unknown."}},
    };
    for (const Case &c : cases) {
        doc.Reset();
        ui.starts.clear();
        ui.errorLists.clear();
        std::vector<std::string> paths;
        for (std::size_t k = 0; k < 3; ++k)
            paths.push_back(Values("t" + std::to_string(k) + ".uds", {.y = {1, 2, 3}, .axis = c.axes[k]}));
        Load(paths);
        ui.axisOrder = [](std::array<int, 3> &) { return true; };
        doc.OnInjuryTibia();
        ASSERT_EQ(ui.errorLists.size(), 1u);
        EXPECT_EQ(ui.errorLists[0], c.messages);
        // Warnings only: the program still starts, with the three paths.
        ASSERT_EQ(ui.starts.size(), 1u);
        EXPECT_EQ(ui.starts[0].args, paths);
    }
}

TEST_F(ProgramTest, NijChecksTypesAndOtherCommandsDoNot)
{
    Stub("Nij");
    Stub("Clip3ms");
    Load({Values("n_fa_x.uds", {.y = {1, 2, 3}, .axis = "XG"}), Values("n_FX_y.uds", {.y = {1, 2, 3}, .axis = "YG"}),
          Values("n_fa_z.uds", {.y = {1, 2, 3}, .axis = "ZG"})});
    ui.axisOrder = [](std::array<int, 3> &) { return true; };
    doc.OnInjuryNij();
    EXPECT_TRUE(ui.starts.empty());
    EXPECT_EQ(ui.axisNotes.back(), "Note: Types of X-, Y- & Z- branches are: fa, ta and fa.");
    ASSERT_EQ(ui.errorLists.size(), 1u);
    EXPECT_EQ(ui.errorLists[0],
              (std::vector<std::string>{"The type of n_FX_y.uds is not ta.", "The X branch type is fa.",
                                        "The Y branch type is ta.", "The Z branch type is fa."}));
    // Cancel in the shifter starts nothing either.
    ui.axisOrder = nullptr;
    doc.OnInjuryNij();
    EXPECT_TRUE(ui.starts.empty());

    ui.axisOrder = [](std::array<int, 3> &) { return true; };
    doc.OnInjuryClip3ms();
    EXPECT_EQ(ui.axisNotes.back(), "");
    ASSERT_EQ(ui.starts.size(), 1u);
    EXPECT_EQ(ui.starts[0].args.size(), 3u);
    EXPECT_TRUE(doc.GetRequiredTypes().empty());
}

TEST_F(ProgramTest, SelectionCounts)
{
    Stub("HIC");
    Stub("Quillet");
    Load({Values("a.uds", {.y = {1, 2, 3}}), Values("b.uds", {.y = {1, 2, 3}})});
    doc.OnInjuryHic();
    doc.OnInjuryQuillet();
    EXPECT_TRUE(ui.starts.empty());
    EXPECT_EQ(ui.errorLists, std::vector<std::vector<std::string>>{{"Please select one or three signals."}});

    // One signal: HIC gets its path without the shifter.
    doc.Reset();
    const std::string one = Values("one.uds", {.y = {1, 2, 3}});
    Load({one});
    doc.OnInjuryHic();
    ASSERT_EQ(ui.starts.size(), 1u);
    EXPECT_EQ(ui.starts[0].args, std::vector<std::string>{one});
    EXPECT_TRUE(ui.axisNotes.empty());
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
