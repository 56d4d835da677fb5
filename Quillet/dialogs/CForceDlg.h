#pragma once

// The force file of the condyle correction; a blank name means no correction.

#include "Quillet/document/IQuilletUi.h"

#include <QDialog>

#include <functional>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace kxplatform {
class CSettings;
}

namespace quillet {

class CForceDlg : public QDialog {
    Q_OBJECT
public:
    // Chooses a file: title, filters, selected filter index (1-based, in and out), path out.
    using FileChooser =
        std::function<bool(const QString &title, const QStringList &filters, int &filterIndex, QString &path)>;

    CForceDlg(kxplatform::CSettings &settings, QWidget *parent = nullptr);

    void SetChoice(const CForceChoice &choice);
    CForceChoice GetChoice() const;
    // The "..." button: the file dialog, then the name and its type.
    void OnBrowse();
    void SetFileChooser(FileChooser chooser) { m_chooser = std::move(chooser); }

    QLineEdit *NameEdit() const { return m_name; }
    QComboBox *TypeCombo() const { return m_type; }
    QPushButton *BrowseButton() const { return m_browse; }

private:
    kxplatform::CSettings &m_settings;
    FileChooser m_chooser;
    QLineEdit *m_name = nullptr;
    QComboBox *m_type = nullptr;
    QPushButton *m_browse = nullptr;
};

} // namespace quillet
