// The document's prompts of the Operate, export and Injury commands on real dialogs.

#include "Pellora/app/CPelloraUi.h"

#include "Pellora/dialogs/CAddPoints.h"
#include "Pellora/dialogs/CAppendFileDlg.h"
#include "Pellora/dialogs/CAxisShifter.h"
#include "Pellora/dialogs/CBiasTailPercentDlg.h"
#include "Pellora/dialogs/CResampleDlg.h"
#include "Pellora/dialogs/CSelectXYAxes.h"
#include "Pellora/document/ProgramLauncher.h"

#include <QDir>
#include <QMessageBox>

namespace pellora {

namespace {

QString Q(const std::string &text)
{
    return QString::fromStdString(text);
}

} // namespace

bool CPelloraUi::AskPadCut(double step, int nfp, int nlp, CPadCutValues &values)
{
    CAddPoints dlg(Parent());
    dlg.SetPoints(step, nfp, nlp);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    values.atFirst = dlg.GetAtFirst();
    values.atLast = dlg.GetAtLast();
    values.unchanged = dlg.IsUnchanged();
    return true;
}

bool CPelloraUi::AskBiasTail(CBiasTailValues &values)
{
    CBiasTailPercentDlg dlg(Parent());
    dlg.SetPercentage(values.percent);
    dlg.SetFromStart(values.fromStart);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    values.percent = dlg.GetPercentage();
    values.fromStart = dlg.GetFromStart();
    return true;
}

bool CPelloraUi::AskExportStep(double duration, double step, int points, double &chosenStep)
{
    CResampleDlg dlg(Parent());
    dlg.SetValues(static_cast<float>(step), points, duration);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    chosenStep = dlg.GetStep();
    return true;
}

bool CPelloraUi::ChooseHitListFile(const std::string &startFolder, std::string &path, bool &append)
{
    CAppendFileDlg dlg(Parent(), QStringLiteral("Save Hitlist as"), Q(startFolder),
                       QStringLiteral("Hit List Files (*)"));
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return false;
    path = dlg.selectedFiles().front().toStdString();
    append = dlg.IsAppend();
    return true;
}

bool CPelloraUi::AskOkCancel(const std::string &text)
{
    return QMessageBox::question(Parent(), Style().caption, Q(text), QMessageBox::Ok | QMessageBox::Cancel,
                                 QMessageBox::Cancel) == QMessageBox::Ok;
}

bool CPelloraUi::SelectXYAxes(const std::array<std::string, 2> &names, const std::array<std::string, 2> &xUnits,
                              int &xIndex)
{
    CSelectXYAxes dlg(Parent());
    dlg.SetSignals(Q(names[0]), Q(xUnits[0]), Q(names[1]), Q(xUnits[1]));
    if (dlg.exec() != QDialog::Accepted)
        return false;
    xIndex = dlg.GetXIndex();
    return true;
}

bool CPelloraUi::ShiftAxes(const std::array<std::string, 3> &names, const std::string &note, std::array<int, 3> &order)
{
    CAxisShifter dlg(Parent());
    dlg.SetNames({Q(names[0]), Q(names[1]), Q(names[2])});
    dlg.SetNote(Q(note));
    if (dlg.exec() != QDialog::Accepted)
        return false;
    order = dlg.GetOrder();
    return true;
}

bool CPelloraUi::StartProgram(const std::string &program, const std::vector<std::string> &args, std::string &error)
{
    return StartDetachedProgram(program, args, error);
}

} // namespace pellora
