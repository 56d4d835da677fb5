#pragma once

// Padding (positive counts) or cutting (negative counts) points at the start and
// at the end of a signal.

#include <QDialog>
#include <QString>

#include <cstdint>

class QLabel;
class QLineEdit;

namespace pellora {

class CAddPoints : public QDialog {
    Q_OBJECT
public:
    explicit CAddPoints(QWidget *parent = nullptr);

    // The signal's step and point numbers.
    void SetPoints(double step, std::int32_t nfp, std::int32_t nlp);
    void SetCounts(int atFirst, int atLast);
    int GetAtFirst() const { return m_atFirst; }
    int GetAtLast() const { return m_atLast; }
    std::int32_t GetNewNFP() const { return m_nfp - m_atFirst; }
    std::int32_t GetNewNLP() const { return m_nlp + m_atLast; }
    // Both counts as they were when the dialog opened.
    bool IsUnchanged() const { return m_unchanged; }
    QString MessageText() const;

    static QString Message(int atFirst, int atLast);
    // The labels of the two count boxes.
    static QString FirstLabel();
    static QString LastLabel();

    void accept() override;

private:
    void OnCountChanged();
    // The count typed in box (strict whole number); false, with a warning naming the box, when it is none.
    bool ReadCount(QLineEdit *box, const QString &label, int &count);

    double m_step = 0.0;
    std::int32_t m_nfp = 0;
    std::int32_t m_nlp = 0;
    int m_atFirst = 0;
    int m_atLast = 0;
    int m_openFirst = 0;
    int m_openLast = 0;
    bool m_unchanged = true;
    QLineEdit *m_firstPoints = nullptr;
    QLineEdit *m_lastPoints = nullptr;
    QLineEdit *m_first = nullptr;
    QLineEdit *m_last = nullptr;
    QLabel *m_message = nullptr;
};

} // namespace pellora
