#pragma once

// The About box of every program of the suite.

#include <QDialog>
#include <QIcon>
#include <QPixmap>

class CStaticLink;
class CTransparentImage;
class QLabel;

class CKXAboutDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr const char *Organisation = "Varnex Zudirevedovidiv";
    static constexpr const char *MailAddress = "mailto:kx-support@varnex-zudirevedovidiv.example";
    static constexpr const char *WebSite = "https://www.varnex-zudirevedovidiv.example/";
    static constexpr const char *SupportSite = "https://kx-support.varnex-zudirevedovidiv.example/";

    explicit CKXAboutDlg(QWidget *parent = nullptr);

    void SetTitle(const QString &title) { m_title = title; }
    void SetIcon(const QIcon &icon) { m_icon = icon; }
    // Appends the version, e.g. "2.15.3.30" gives "Version: 2,15,3,30"; null changes nothing.
    void SetVersion(const char *moduleVersion);
    // The version of the build.
    void SetVersion();
    void SetCaption(const QString &caption) { m_caption = caption; }
    void SetDescription(const QString &description) { m_description = description; }

    QString VersionText() const { return m_version; }
    QIcon Icon() const { return m_icon; }

    // Fills the controls from the values set; exec() does it too.
    void InitDialog();
    int DoModal() { return exec(); }
    int exec() override;

    // The suite's two pictures, with magenta where the background shows.
    static QPixmap TargetMark();
    static QPixmap CrashPulse();

private:
    QIcon m_icon;
    QString m_title;
    QString m_version = QStringLiteral("Version: ");
    QString m_caption;
    QString m_description;

    QLabel *m_titleLabel = nullptr;
    QLabel *m_versionLabel = nullptr;
    QLabel *m_descriptionLabel = nullptr;
    CStaticLink *m_mail = nullptr;
    CStaticLink *m_web = nullptr;
    CStaticLink *m_support = nullptr;
    CTransparentImage *m_image1 = nullptr;
    CTransparentImage *m_image2 = nullptr;
};
