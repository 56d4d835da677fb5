#pragma once

// Chooses which of two signals gives the X axis of an X-Y signal.

#include <QDialog>
#include <QString>

class QLabel;

namespace pellora {

class CSelectXYAxes : public QDialog {
    Q_OBJECT
public:
    explicit CSelectXYAxes(QWidget *parent = nullptr);

    // The two signals' file names and X units, in the document's order.
    void SetSignals(const QString &name1, const QString &units1, const QString &name2, const QString &units2);
    // 0 when the first signal is the X axis, 1 when the second is.
    int GetXIndex() const { return m_swapped ? 1 : 0; }
    void Swap();
    QString XText() const;
    QString YText() const;

    // The warning of OK, empty when none.
    static QString WarningFor(const QString &units1, const QString &units2);
    void accept() override;

private:
    void Show();

    QString m_names[2];
    QString m_units[2];
    bool m_swapped = false;
    QLabel *m_x = nullptr;
    QLabel *m_y = nullptr;
};

} // namespace pellora
