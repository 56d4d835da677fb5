// The file list's filter and its remove commands compare names without regard to case.

#include "Pellora/document/CPelloraDoc.h"
#include "support/PelloraTestSupport.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

using namespace pellora;
using namespace pelloratest;

TEST(FileListFilter, PatternsAndRemovalsAreCaseBlind)
{
    ScratchSettings settings;
    TempFolder folder;
    FakeUi ui;
    CPelloraDoc doc(&ui, settings.Program());
    for (const char *name : {"v1.uds", "v2.UDS", "v3.Uds", "notes.txt"})
        WriteText(folder.File(name), "x");
    doc.OpenDirectory(folder.Str());

    const struct {
        const char *pattern;
        std::vector<std::string> names;
    } cases[] = {
        {"*.UDS", {"v1.uds", "v2.UDS", "v3.Uds"}},
        {"*.uds", {"v1.uds", "v2.UDS", "v3.Uds"}},
        {"V?.u*", {"v1.uds", "v2.UDS", "v3.Uds"}},
        {"NOTES.*", {"notes.txt"}},
    };
    for (const auto &c : cases) {
        EXPECT_TRUE(doc.ApplyFilter(c.pattern)) << c.pattern;
        EXPECT_EQ(doc.GetFileNames(), c.names) << c.pattern;
    }
    EXPECT_FALSE(doc.ApplyFilter("*.dat"));
    EXPECT_EQ(ui.messages.back(), "Error Processing Filter (*.dat)");

    doc.ApplyFilter("*.*");
    doc.RemoveFileNames({"V1.UDS", "NOTES.TXT"});
    EXPECT_EQ(doc.GetFileNames(), (std::vector<std::string>{"v2.UDS", "v3.Uds"}));
    doc.KeepFileNames({"v3.uds"});
    EXPECT_EQ(doc.GetFileNames(), std::vector<std::string>{"v3.Uds"});
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
