#pragma once

// Assigns three signals to the X, Y and Z axes: each click shows the next of the
// six assignments.

#include <QDialog>
#include <QString>
#include <QStringList>

#include <array>

class QLabel;

namespace pellora {

class CAxisShifter : public QDialog {
    Q_OBJECT
public:
    explicit CAxisShifter(QWidget *parent = nullptr);

    // The three file names, in the document's order.
    void SetNames(const QStringList &names);
    void SetNote(const QString &note);
    // Signal index on X, Y and Z.
    std::array<int, 3> GetOrder() const { return Orders()[static_cast<std::size_t>(m_index)]; }
    int GetIndex() const { return m_index; }
    void ShowNext();
    QString AxisText(int axis) const;

    static const std::array<std::array<int, 3>, 6> &Orders();

private:
    void Show();

    QStringList m_names;
    int m_index = 0;
    std::array<QLabel *, 3> m_axes{};
    QLabel *m_note = nullptr;
};

} // namespace pellora
