#pragma once

// The widgets behind the shared part of every program's user interface: message
// boxes captioned with the program's name, the error list, the file and folder
// choosers, the label dialog, the header viewer, the main window's caption, the
// clipboard, the wait cursor and the progress window.

#include "shared_ui/kit/IKxUi.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <memory>
#include <string>
#include <vector>

namespace kxres {

// How one program's boxes look.
struct CQtUiStyle {
    QString caption;               // the message boxes' title: the program's name
    bool beepOnErrorList = false;  // sound the bell before the error list
    QString windowTextSuffix = {}; // put after the main window's caption
};

namespace qtui {

void ShowMessage(QWidget *parent, const CQtUiStyle &style, const std::string &text, IKxUi::Icon icon);
bool AskYesNo(QWidget *parent, const CQtUiStyle &style, const std::string &text);
void ShowErrorList(QWidget *parent, const CQtUiStyle &style, const std::vector<std::string> &messages);
bool ChooseOpenFile(QWidget *parent, const CFileRequest &request, std::string &path);
bool ChooseSaveFile(QWidget *parent, const CFileRequest &request, std::string &path);
bool ChooseFolder(QWidget *parent, const std::string &title, std::string &folder);
bool EditLabel(QWidget *parent, const std::string &caption, const std::string &prompt, std::string &value);
void ShowUdsHeader(QWidget *parent, std::vector<kx::CNSignalPtr> signalList);
void SetMainWindowText(QWidget *parent, const CQtUiStyle &style, const std::string &text);
bool PutTextOnClipboard(const std::string &text);
void BeginWaitCursor();
void EndWaitCursor();
std::unique_ptr<IProgress> BeginProgress(QWidget *parent, const std::string &title, const std::string &text, int steps);
// "Name (*.*)" means every file to the chooser.
QString ChooserFilter(const std::string &filter);

} // namespace qtui

// Implements the shared part of a program's interface Base (an IKxUi) with widgets
// over parent; the program's class adds its own prompts.
template <class Base>
class CQtKxUi : public Base {
public:
    CQtKxUi(QWidget *parent, CQtUiStyle style)
        : m_parent(parent)
        , m_style(std::move(style))
    {}

    void ShowMessage(const std::string &text, IKxUi::Icon icon) override
    {
        qtui::ShowMessage(m_parent, m_style, text, icon);
    }
    bool AskYesNo(const std::string &text) override { return qtui::AskYesNo(m_parent, m_style, text); }
    void ShowErrorList(const std::vector<std::string> &messages) override
    {
        qtui::ShowErrorList(m_parent, m_style, messages);
    }
    bool ChooseOpenFile(const CFileRequest &request, std::string &path) override
    {
        return qtui::ChooseOpenFile(m_parent, request, path);
    }
    bool ChooseSaveFile(const CFileRequest &request, std::string &path) override
    {
        return qtui::ChooseSaveFile(m_parent, request, path);
    }
    bool ChooseFolder(const std::string &title, std::string &folder) override
    {
        return qtui::ChooseFolder(m_parent, title, folder);
    }
    bool EditLabel(const std::string &caption, const std::string &prompt, std::string &value) override
    {
        return qtui::EditLabel(m_parent, caption, prompt, value);
    }
    void ShowUdsHeader(std::vector<kx::CNSignalPtr> signalList) override
    {
        qtui::ShowUdsHeader(m_parent, std::move(signalList));
    }
    void SetMainWindowText(const std::string &text) override { qtui::SetMainWindowText(m_parent, m_style, text); }
    bool PutTextOnClipboard(const std::string &text) override { return qtui::PutTextOnClipboard(text); }
    void BeginWaitCursor() override { qtui::BeginWaitCursor(); }
    void EndWaitCursor() override { qtui::EndWaitCursor(); }
    std::unique_ptr<IProgress> BeginProgress(const std::string &title, const std::string &text, int steps) override
    {
        return qtui::BeginProgress(m_parent, title, text, steps);
    }

protected:
    QWidget *Parent() const { return m_parent; }
    const CQtUiStyle &Style() const { return m_style; }

private:
    QPointer<QWidget> m_parent;
    CQtUiStyle m_style;
};

} // namespace kxres
