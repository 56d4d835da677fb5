#pragma once

// Asks for the time window (seconds) to which signals are truncated.
//
// Preset the bounds with SetMinTime(time, set) and SetMaxTime(time, set), run DoModal,
// and after Accepted ask IsMinSet and IsMaxSet which bounds the user set: GetMinTime and
// GetMaxTime hold a value only for a set bound (0.0 otherwise, which is never a bound).
// IsUnchanged is true when OK left the preset window as it was (same bounds set, texts as
// shown); the preset times are then returned exactly. Cancel clears both bounds.
//
// Controls by object name: "allSignals", "minSet", "maxSet" (check boxes), "minTime",
// "maxTime" (line edits).

#include <QDialog>
#include <QString>

class QCheckBox;
class QLineEdit;

namespace kxres {

class CPPToolTip;

class CTruncateDlg : public QDialog {
    Q_OBJECT
public:
    explicit CTruncateDlg(QWidget *parent = nullptr);
    ~CTruncateDlg() override;

    void SetMinTime(double time, bool set);
    void SetMaxTime(double time, bool set);
    double GetMinTime() const { return m_minSet ? m_minTime : 0.0; }
    double GetMaxTime() const { return m_maxSet ? m_maxTime : 0.0; }
    bool IsMinSet() const { return m_minSet; }
    bool IsMaxSet() const { return m_maxSet; }
    bool IsUnchanged() const { return m_unchanged; }

    // Puts the values into the controls; exec() does it too.
    void InitDialog();
    int exec() override;
    int DoModal() { return exec(); }
    // Reads the set bounds; a text that is no number is reported and the dialog stays.
    void accept() override;
    void reject() override;

private:
    void OnAllSignals();
    void OnBoundCheck(bool isMin);
    bool ReadBound(bool isMin);

    double m_minTime = 0.0;
    double m_maxTime = 0.0;
    bool m_minSet = false;
    bool m_maxSet = false;
    bool m_unchanged = false;
    double m_presetMin = 0.0;
    double m_presetMax = 0.0;
    bool m_presetMinSet = false;
    bool m_presetMaxSet = false;
    QString m_shownMin;
    QString m_shownMax;
    QCheckBox *m_all = nullptr;
    QCheckBox *m_minCheck = nullptr;
    QCheckBox *m_maxCheck = nullptr;
    QLineEdit *m_minEdit = nullptr;
    QLineEdit *m_maxEdit = nullptr;
    CPPToolTip *m_toolTip = nullptr;
};

} // namespace kxres
