#pragma once

// The folder dialog of Open Directory: an editable list of the ten most recent
// folders ("Directory0" .. "Directory9" in the settings) and a folder chooser.

#include <QDialog>
#include <QStringList>

class QAbstractItemView;
class QComboBox;

namespace kxplatform {
class CSettings;
}

namespace pellora {

class CDirDialog1 : public QDialog {
    Q_OBJECT
public:
    static constexpr int MaxRecent = 10;

    CDirDialog1(kxplatform::CSettings &settings, QWidget *parent = nullptr);

    QString GetDirectory() const { return m_directory; }
    QStringList RecentFolders() const { return m_recent; }
    void SetDirectoryText(const QString &text);

    // folder first, its older copy removed, at most MaxRecent kept.
    static QStringList PushRecent(QStringList recent, const QString &folder);
    static QStringList ReadRecent(const kxplatform::CSettings &settings);
    static void WriteRecent(kxplatform::CSettings &settings, const QStringList &recent);

    void accept() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void OnBrowse();

    kxplatform::CSettings &m_settings;
    QStringList m_recent;
    QString m_directory;
    QComboBox *m_combo = nullptr;
    QAbstractItemView *m_popup = nullptr;
};

} // namespace pellora
