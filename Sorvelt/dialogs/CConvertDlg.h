#pragma once

// "UDS File Creation": the file header, the parameter and channel lists and the
// output folder of the conversion.

#include "Sorvelt/document/ISorveltUi.h"

#include <QDialog>

#include <cstddef>
#include <functional>

class QLineEdit;

namespace sorvelt {

class CConvertDlg : public QDialog {
    Q_OBJECT
public:
    explicit CConvertDlg(QWidget *parent = nullptr);

    // The file's counts, to refuse lists that select nothing.
    void SetCounts(std::size_t parameters, std::size_t channels);
    void SetValues(const CConvertValues &values);
    const CConvertValues &GetValues() const { return m_values; }

    // The folder chooser; tests replace it. Returns false on Cancel.
    std::function<bool(QString &folder)> chooseFolder;
    void OnBrowse();
    void accept() override;

    // Blanks trimmed and one trailing separator.
    static std::string NormaliseFolder(const std::string &folder);

private:
    bool Refuse(QLineEdit *edit, const QString &text);

    CConvertValues m_values;
    std::size_t m_parameters = 0;
    std::size_t m_channels = 0;
    QLineEdit *m_header = nullptr;
    QLineEdit *m_parameterList = nullptr;
    QLineEdit *m_channelList = nullptr;
    QLineEdit *m_folder = nullptr;
};

} // namespace sorvelt
