#pragma once

// The folder and image size for Save All Plots; the folder starts from and is
// stored back into "OutputDir".

#include <QDialog>
#include <QStringList>

class QComboBox;
class QLabel;
class QLineEdit;

namespace kxplatform {
class CSettings;
}

namespace pellora {

class COutputDir : public QDialog {
    Q_OBJECT
public:
    COutputDir(kxplatform::CSettings &settings, QWidget *parent = nullptr);

    void SetSizeLabel(const QString &label);
    void SetSizes(const QStringList &sizes);
    void SetFolder(const QString &folder);
    QString GetFolder() const { return m_folder; }
    int GetSizeIndex() const { return m_sizeIndex; }
    void SetSizeIndex(int index);

    void accept() override;

private:
    void OnBrowse();

    kxplatform::CSettings &m_settings;
    QString m_folder;
    int m_sizeIndex = 0;
    QLineEdit *m_edit = nullptr;
    QComboBox *m_sizes = nullptr;
    QLabel *m_label = nullptr;
};

} // namespace pellora
