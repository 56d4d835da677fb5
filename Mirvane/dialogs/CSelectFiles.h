#pragma once

// Chooses the evaluated files, the reference and the run options.

#include "Mirvane/document/IMirvaneUi.h"

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace kxplatform {
class CSettings;
}

namespace mirvane {

class CSelectFiles : public QDialog {
    Q_OBJECT
public:
    explicit CSelectFiles(kxplatform::CSettings &settings, QWidget *parent = nullptr);

    // Fills the controls; the filter class shows no selection unless it is 60, 180, 600 or 1000.
    void SetValues(const CSelectFilesValues &values);
    const CSelectFilesValues &Values() const { return m_values; }

    // Commands of the buttons.
    void OnAddFiles();
    void OnChooseReference();
    void OnRemove();
    void OnReadHitlist();
    void OnSaveHitlist();
    bool ReadHitlist(const QString &path);
    bool SaveHitlist(const QString &path);
    // The enabling rule.
    void UpdateEnabling();
    void accept() override;

    QListWidget *List() const { return m_list; }
    QComboBox *ClassCombo() const { return m_class; }
    QLineEdit *ReferenceEdit() const { return m_reference; }
    QPushButton *ReferenceButton() const { return m_browseReference; }
    QRadioButton *SelectSignalRadio() const { return m_selectSignal; }
    QRadioButton *AverageRadio() const { return m_average; }
    QCheckBox *FilterCheck() const { return m_filter; }
    QCheckBox *TruncateCheck() const { return m_truncate; }
    QLineEdit *MinTimeEdit() const { return m_minTime; }
    QLineEdit *MaxTimeEdit() const { return m_maxTime; }

protected:
    // File choosers; tests replace them.
    virtual QStringList ChooseOpenFiles(const QString &title, const QString &folder, const QString &filter,
                                        QString *selectedFilter);
    virtual QString ChooseOpenFile(const QString &title, const QString &folder, const QString &filter);
    virtual QString ChooseSaveFile(const QString &title, const QString &folder, const QString &filter);

private:
    std::vector<std::string> Entries() const;
    void AddEntry(const QString &path);

    kxplatform::CSettings &m_settings;
    CSelectFilesValues m_values;
    QListWidget *m_list = nullptr;
    QComboBox *m_class = nullptr;
    QLineEdit *m_reference = nullptr;
    QPushButton *m_browseReference = nullptr;
    QRadioButton *m_selectSignal = nullptr;
    QRadioButton *m_average = nullptr;
    QCheckBox *m_filter = nullptr;
    QCheckBox *m_truncate = nullptr;
    QLineEdit *m_minTime = nullptr;
    QLineEdit *m_maxTime = nullptr;
};

// The file-type filters of the signal choosers, in order.
QString SignalFileFilters();

} // namespace mirvane
