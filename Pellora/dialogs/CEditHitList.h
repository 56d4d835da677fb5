#pragma once

// Edits the file names of a hit list, one per line.

#include <QDialog>
#include <QStringList>

class QPlainTextEdit;

namespace pellora {

class CEditHitList : public QDialog {
    Q_OBJECT
public:
    static constexpr int MaxLineLength = 1024;

    explicit CEditHitList(QWidget *parent = nullptr);

    void SetNames(const QStringList &names);
    QStringList GetNames() const { return m_names; }
    QPlainTextEdit *Edit() const { return m_edit; }

    // The non-empty lines of text, each cut at MaxLineLength characters.
    static QStringList LinesOf(const QString &text);
    void accept() override;

private:
    QStringList m_names;
    QPlainTextEdit *m_edit = nullptr;
};

} // namespace pellora
