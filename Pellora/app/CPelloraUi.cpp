#include "Pellora/app/CPelloraUi.h"

#include "Pellora/dialogs/CDirDialog1.h"
#include "Pellora/dialogs/CEditHitList.h"
#include "Pellora/dialogs/CPageMarginSetup.h"
#include "Pellora/dialogs/CPlottingOptions.h"
#include "Pellora/dialogs/CSignalLabelDlg.h"

namespace pellora {

CPelloraUi::CPelloraUi(kxplatform::CSettings &settings, QWidget *parent)
    : CQtKxUi(parent, kxres::CQtUiStyle{QStringLiteral("Pellora"), false})
    , m_settings(settings)
{}

bool CPelloraUi::ChooseBrowseDirectory(std::string &directory)
{
    CDirDialog1 dlg(m_settings, Parent());
    if (dlg.exec() != QDialog::Accepted)
        return false;
    directory = dlg.GetDirectory().toStdString();
    return true;
}

bool CPelloraUi::EditSignalLabels(std::vector<std::string> &labels, const std::vector<kx::CNSignalPtr> &signalList,
                                  const std::string &nameColumn, const std::string &labelColumn)
{
    CSignalLabelDlg dlg(Parent());
    dlg.SetColumnTitles(QString::fromStdString(nameColumn), QString::fromStdString(labelColumn));
    QStringList names;
    QStringList current;
    for (std::size_t i = 0; i < signalList.size(); ++i) {
        names << QString::fromStdString(signalList[i]->GetFileName());
        current << (i < labels.size() ? QString::fromStdString(labels[i]) : QString());
    }
    dlg.SetRows(names, current);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    labels.clear();
    for (const QString &label : dlg.GetLabels())
        labels.push_back(label.toStdString());
    return true;
}

bool CPelloraUi::EditPlottingOptions(CPlottingOptionValues &options)
{
    CPlottingOptions dlg(Parent());
    dlg.SetOptions(options);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    options = dlg.GetOptions();
    return true;
}

bool CPelloraUi::EditPageMargins(CPageMarginValues &margins)
{
    CPageMarginSetup dlg(Parent());
    dlg.SetMargins(margins);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    margins = dlg.GetMargins();
    return true;
}

bool CPelloraUi::EditHitList(std::vector<std::string> &names)
{
    CEditHitList dlg(Parent());
    QStringList list;
    for (const std::string &name : names)
        list << QString::fromStdString(name);
    dlg.SetNames(list);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    names.clear();
    for (const QString &name : dlg.GetNames())
        names.push_back(name.toStdString());
    return true;
}

} // namespace pellora
