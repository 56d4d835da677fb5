#pragma once

// The one-value dialog: a caption, a prompt and one line of text.

#include <QDialog>
#include <QString>

#include <string>

class QLabel;
class QLineEdit;

namespace kxres {

class CLabelDlg : public QDialog {
    Q_OBJECT
public:
    explicit CLabelDlg(QWidget *parent = nullptr);

    void SetCaption(const QString &caption) { m_caption = caption; }
    void SetPrompt(const QString &prompt) { m_prompt = prompt; }
    void SetValue(const QString &value) { m_value = value; }
    QString GetValue() const { return m_value; }
    QString GetCaption() const { return m_caption; }
    QString GetPrompt() const { return m_prompt; }

    // Puts the fields into the controls; exec() does it too.
    void InitDialog();
    int exec() override;
    int DoModal() { return exec(); }
    void accept() override;

    // Shows the dialog with caption, prompt and value; value takes the text on OK.
    static bool Edit(QWidget *parent, const std::string &caption, const std::string &prompt, std::string &value);

private:
    QString m_value;
    QString m_prompt;
    QString m_caption = QStringLiteral("Enter Plot Label");
    QLabel *m_promptLabel = nullptr;
    QLineEdit *m_edit = nullptr;
};

} // namespace kxres
