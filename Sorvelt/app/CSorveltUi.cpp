#include "Sorvelt/app/CSorveltUi.h"

#include "Sorvelt/dialogs/CConvertDlg.h"
#include "Sorvelt/dialogs/CFilterClassDlg.h"
#include "Sorvelt/dialogs/CResampleDlg.h"
#include "Sorvelt/dialogs/CTruncateDlg.h"
#include "Sorvelt/document/CSorveltDoc.h"
#include "shared_ui/dialogs/CPlotLabelDlg.h"

namespace sorvelt {

CSorveltUi::CSorveltUi(CSorveltDoc &doc, QWidget *parent)
    : CQtKxUi(parent, kxres::CQtUiStyle{QStringLiteral("Sorvelt"), false, QStringLiteral(" - Sorvelt")})
    , m_doc(doc)
{}

bool CSorveltUi::ChooseFilterClass(int &filterClass)
{
    CFilterClassDlg dlg(Parent());
    dlg.SetFilterClass(filterClass);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    filterClass = dlg.GetFilterClass();
    return true;
}

bool CSorveltUi::EditResample(CResampleValues &values)
{
    CResampleDlg dlg(Parent());
    dlg.SetValues(values);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    values = dlg.GetValues();
    return true;
}

bool CSorveltUi::EditTruncate(double &start, double &stop)
{
    CTruncateDlg dlg(Parent());
    dlg.SetInterval(start, stop);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    start = dlg.GetStart();
    stop = dlg.GetStop();
    return true;
}

bool CSorveltUi::EditConvert(CConvertValues &values)
{
    CConvertDlg dlg(Parent());
    dlg.SetCounts(m_doc.GetParameterNames().size(), m_doc.GetChannelNames().size());
    dlg.SetValues(values);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    values = dlg.GetValues();
    return true;
}

bool CSorveltUi::EditPlotLabels(CPlotLabels &labels)
{
    kxres::CPlotLabelDlg dlg(QStringLiteral("Enter the Labels for the Plot"),
                             {QStringLiteral("Title"), QStringLiteral("Subtitle"), QStringLiteral("X Axis Label"),
                              QStringLiteral("Y Axis Label")},
                             Parent());
    dlg.SetLabels(labels);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    labels = dlg.Labels();
    return true;
}

void CSorveltUi::AddRecentFile(const std::string &path)
{
    if (onRecentFile)
        onRecentFile(path);
}

} // namespace sorvelt
