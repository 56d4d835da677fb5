#include "shared_ui/services/CKXAboutDlg.h"
#include "shared_ui/services/CFileVersionInfo.h"
#include "shared_ui/services/CStaticLink.h"
#include "shared_ui/services/CTransparentImage.h"

#include "support/KxServicesSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QTest>

namespace {

QString LabelText(const QDialog &dlg, const char *name)
{
    const auto *label = dlg.findChild<QLabel *>(name);
    return label ? label->text() : QStringLiteral("<no label %1>").arg(QLatin1String(name));
}

} // namespace

TEST(CKXAboutDlg, NothingSetShowsTheFallbackTexts)
{
    CKXAboutDlg dlg;
    dlg.InitDialog();
    EXPECT_EQ(LabelText(dlg, "title"), "No Application Title");
    EXPECT_EQ(LabelText(dlg, "version"), "Version: No Version");
    EXPECT_EQ(dlg.windowTitle(), "About Application Support Information");
    EXPECT_FALSE(dlg.findChild<QLabel *>("description")->isVisibleTo(&dlg));
}

TEST(CKXAboutDlg, TitleCaptionDescriptionAndVersionOfTheBuild)
{
    CKXAboutDlg dlg;
    dlg.SetTitle("HIC");
    dlg.SetVersion();
    dlg.SetDescription("Head injury criterion");
    dlg.InitDialog();
    EXPECT_EQ(LabelText(dlg, "title"), "HIC");
    EXPECT_EQ(LabelText(dlg, "version"), "Version: 2,15,3,30");
    EXPECT_EQ(dlg.windowTitle(), "HIC");
    EXPECT_EQ(LabelText(dlg, "description"), "Head injury criterion");
    EXPECT_TRUE(dlg.findChild<QLabel *>("description")->isVisibleTo(&dlg));

    dlg.SetCaption("About HIC");
    dlg.InitDialog();
    EXPECT_EQ(dlg.windowTitle(), "About HIC");
}

TEST(CKXAboutDlg, VersionFromAModuleText)
{
    const std::vector<std::pair<const char *, const char *>> cases = {
        {"2.15.3.30", "Version: 2,15,3,30"},  {"7.0.1", "Version: 7,0,1,0"},
        {"", "Version: No Version"},          {"2.x.3.30", "Version: No Version"},
        {"1.2.3.4.5", "Version: No Version"}, {"70000.1.1.1", "Version: No Version"},
    };
    for (const auto &[module, shown] : cases) {
        CKXAboutDlg dlg;
        dlg.SetVersion(module);
        dlg.InitDialog();
        EXPECT_EQ(LabelText(dlg, "version"), shown) << module;
    }
    CKXAboutDlg untouched;
    untouched.SetVersion(nullptr);
    EXPECT_EQ(untouched.VersionText(), "Version: ");
}

TEST(CFileVersionInfo, ReadsFileAndProductVersionAndTheKeyedValue)
{
    CFileVersionInfo info;
    ASSERT_TRUE(info.Read("2.15.3.30", "040904b0", "ProductVersion"));
    EXPECT_EQ(info.GetFileVersion(), "2,15,3,30");
    EXPECT_EQ(info.GetProductVersion(), "2,15,3,30");
    EXPECT_EQ(info.GetValue(), "2.15.3.30");
    EXPECT_FALSE(info.Read("no version"));
    EXPECT_EQ(info.GetProductVersion(), "");
    EXPECT_EQ(info.GetValue(), "");
    ASSERT_TRUE(info.ReadModule());
    EXPECT_EQ(info.GetProductVersion(), "2,15,3,30");
}

TEST(CKXAboutDlg, LinksShowTheSuiteAddresses)
{
    CKXAboutDlg dlg;
    dlg.InitDialog();
    const auto *mail = dlg.findChild<CStaticLink *>("mailLink");
    ASSERT_TRUE(mail);
    EXPECT_TRUE(mail->text().startsWith("mailto:"));
    EXPECT_EQ(mail->Target(), mail->text());
    ASSERT_TRUE(dlg.findChild<CStaticLink *>("webLink"));
    ASSERT_TRUE(dlg.findChild<CStaticLink *>("supportLink"));
    EXPECT_EQ(dlg.findChild<CStaticLink *>("supportLink")->text(), CKXAboutDlg::SupportSite);
}

TEST(CStaticLink, ClickOpensTheTargetAndTurnsVisited)
{
    CStaticLink link("https://example.org/kx");
    QStringList opened;
    link.SetOpener([&](const QString &target, QString *) {
        opened << target;
        return true;
    });
    EXPECT_EQ(link.CurrentColor(), CStaticLink::UnvisitedColor());
    EXPECT_TRUE(link.font().underline());
    EXPECT_EQ(link.cursor().shape(), Qt::PointingHandCursor);
    link.show();
    QTest::mouseClick(&link, Qt::LeftButton);
    QTest::mouseClick(&link, Qt::LeftButton);
    EXPECT_EQ(opened, (QStringList{"https://example.org/kx", "https://example.org/kx"}));
    EXPECT_EQ(link.CurrentColor(), CStaticLink::VisitedColor());
    EXPECT_EQ(link.palette().color(QPalette::WindowText), QColor(128, 0, 128));

    link.SetTarget("mailto:someone@example.org");
    QTest::mouseClick(&link, Qt::LeftButton);
    EXPECT_EQ(opened.back(), "mailto:someone@example.org");
}

TEST(CStaticLink, FailureShowsItsMessageAndStaysUnvisited)
{
    CStaticLink link("nowhere:link");
    link.SetOpener([](const QString &, QString *message) {
        *message = "No application is associated with this link.";
        return false;
    });
    QString shown;
    kxtest::WhenModal([&](QWidget *w) {
        if (auto *box = qobject_cast<QMessageBox *>(w)) {
            shown = box->text();
            EXPECT_EQ(box->icon(), QMessageBox::Information);
        }
        w->close();
    });
    EXPECT_FALSE(link.Open());
    EXPECT_EQ(shown, "No application is associated with this link.");
    EXPECT_EQ(link.CurrentColor(), CStaticLink::UnvisitedColor());
}

TEST(CTransparentImage, MagentaLetsTheBackgroundThrough)
{
    QPixmap picture(20, 10);
    picture.fill(QColor(255, 0, 255));
    {
        QPainter p(&picture);
        p.fillRect(QRect(0, 0, 10, 10), QColor(0, 128, 0));
    }
    QWidget host;
    host.setAutoFillBackground(true);
    QPalette pal = host.palette();
    pal.setColor(QPalette::Window, QColor(10, 20, 200));
    host.setPalette(pal);
    host.resize(40, 20);
    auto *image = new CTransparentImage(&host);
    image->setPixmap(picture);
    image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    image->setGeometry(0, 0, 20, 10);
    host.show();

    const QImage shot = host.grab().toImage();
    EXPECT_EQ(QColor(shot.pixel(3, 3)), QColor(0, 128, 0));
    EXPECT_EQ(QColor(shot.pixel(15, 5)), QColor(10, 20, 200));

    // An empty label paints as a plain label.
    CTransparentImage empty;
    empty.setText("text");
    EXPECT_FALSE(empty.grab().isNull());
}

int main(int argc, char **argv)
{
    kxtest::UseOffscreenUnlessSet();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
