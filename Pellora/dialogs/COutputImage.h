#pragma once

// The name and pixel size of one chart image.

#include <QDialog>
#include <QString>

class QLineEdit;

namespace kxplatform {
class CSettings;
}

namespace pellora {

class COutputImage : public QDialog {
    Q_OBJECT
public:
    COutputImage(kxplatform::CSettings &settings, QWidget *parent = nullptr);

    void SetFileName(const QString &name);
    void SetImageSize(int width, int height);
    QString GetFileName() const { return m_fileName; }
    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }

    // The check's message, empty when the size is accepted.
    static QString CheckSize(int width, int height);
    void accept() override;

private:
    void OnBrowse();

    kxplatform::CSettings &m_settings;
    QString m_fileName;
    int m_width = 800;
    int m_height = 600;
    QLineEdit *m_name = nullptr;
    QLineEdit *m_widthEdit = nullptr;
    QLineEdit *m_heightEdit = nullptr;
};

} // namespace pellora
