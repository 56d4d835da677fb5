#pragma once

// The box that lists the errors and warnings collected during a batch of work.

#include <QDialog>
#include <QString>

#include <string>
#include <vector>

class QPlainTextEdit;

namespace kxres {

class CErrorDialog : public QDialog {
    Q_OBJECT
public:
    explicit CErrorDialog(QWidget *parent = nullptr);

    // An empty list changes nothing.
    void SetMessages(std::vector<std::string> messages);

    // The text the box shows.
    QString MessageText() const;

    int DoModal() { return exec(); }

private:
    void InitDialog();

    QString m_text;
    std::vector<std::string> m_messages;
    QPlainTextEdit *m_edit = nullptr;
};

} // namespace kxres
