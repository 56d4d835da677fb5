#pragma once

// Asks for the channel filter class (CFC 60, 180, 600 or 1000) or a free cutoff frequency
// for the signals given to DoModal.
//
// DoModal(list, mode) (mode 1 preselects the cutoff option); after Accepted,
// IsCutoffSelected tells whether GetCutoffFrequency (Hz) was chosen, else GetFilterClass
// holds the class of the checked radio button. OK with "CFC Unknown" checked asks for a
// class and keeps the dialog open.
//
// Controls by object name: "cfc60", "cfc180", "cfc600", "cfc1000", "cfcUnknown",
// "cutoffRadio" (radio buttons), "cutoff" (edit), "at60", "at180", "at600", "at1000",
// "atUnknown" (the labels beside the classes), "fileLine".

#include "signal/CNSignal.h"

#include <QDialog>

#include <array>
#include <memory>
#include <vector>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace kxres {

// The class radio buttons, in order: CFC 60, 180, 600, 1000 and Unknown.
inline constexpr int kFilterRadioCount = 5;

struct FilterRadioState {
    int checked = 4;                                // index of the checked class radio
    std::array<bool, kFilterRadioCount> disabled{}; // a signal is only filtered to a lower class
    int filteredAt = -1;                            // index of the "Filtered At" label, -1 none
};

// The class radios for a signal whose current channel class is currentClass.
FilterRadioState FilterRadiosFor(int currentClass);
// Index of the radio of a channel class (60, 180, 600, 1000; any other is Unknown).
int FilterRadioIndex(int channelClass);

class CFilterClass : public QDialog {
    Q_OBJECT
public:
    using SignalList = std::vector<std::shared_ptr<kx::CNSignal>>;

    explicit CFilterClass(QWidget *parent = nullptr);
    ~CFilterClass() override;

    // Keeps the signals and the mode, puts them into the controls and runs the dialog.
    virtual int DoModal(const SignalList &list, int mode);
    // The first half of DoModal, for callers and tests that drive the dialog themselves.
    void SetSignals(const SignalList &list, int mode);
    void InitDialog();

    // Without the cutoff option the cutoff radio and edit are hidden.
    void SetCutoffOption(bool on) { m_cutoffOption = on; }
    bool GetCutoffOption() const { return m_cutoffOption; }

    bool IsCutoffSelected() const { return m_cutoffChosen; }
    double GetCutoffFrequency() const { return m_cutoff; }
    int GetFilterClass() const { return m_chosenClass; }
    int GetCurrentClass() const { return m_currentClass; }
    int GetSubmittedClass() const { return m_submittedClass; }

    void accept() override;

private:
    void ApplyRadios();
    void OnClassRadio(int index);
    void OnCutoffRadio();

    int m_currentClass = 1001;
    int m_submittedClass = 1001;
    int m_mode = 0;
    int m_chosenClass = 1000;
    double m_cutoff = 0.0;
    bool m_cutoffOption = true;
    bool m_cutoffChosen = false;
    SignalList m_signals;
    std::shared_ptr<kx::CNSignal> m_signal = std::make_shared<kx::CNSignal>();

    std::array<QRadioButton *, kFilterRadioCount> m_classRadios{};
    std::array<QLabel *, kFilterRadioCount> m_atLabels{};
    QRadioButton *m_cutoffRadio = nullptr;
    QLineEdit *m_cutoffEdit = nullptr;
    QLabel *m_fileLine = nullptr;
    QButtonGroup *m_group = nullptr;
};

} // namespace kxres
