#pragma once

// The document's way to the user, on the program's dialogs.

#include "Sorvelt/document/ISorveltUi.h"
#include "shared_ui/frame/CQtKxUi.h"

#include <functional>

namespace sorvelt {

class CSorveltDoc;

class CSorveltUi : public kxres::CQtKxUi<ISorveltUi> {
public:
    explicit CSorveltUi(CSorveltDoc &doc, QWidget *parent = nullptr);

    // Called with each file the document opens (the recent-file list).
    std::function<void(const std::string &)> onRecentFile;

    bool ChooseFilterClass(int &filterClass) override;
    bool EditResample(CResampleValues &values) override;
    bool EditTruncate(double &start, double &stop) override;
    bool EditConvert(CConvertValues &values) override;
    bool EditPlotLabels(CPlotLabels &labels) override;
    void AddRecentFile(const std::string &path) override;

private:
    CSorveltDoc &m_doc;
};

} // namespace sorvelt
