#pragma once

// The options of a command-line start.

#include "Quillet/document/IQuilletUi.h"

#include <QDialog>

namespace quillet {

class CNeckOptionBoxes;

class CQuilletConditions : public QDialog {
    Q_OBJECT
public:
    explicit CQuilletConditions(QWidget *parent = nullptr);
    void SetOptions(const CNeckOptions &options);
    CNeckOptions GetOptions() const;
    CNeckOptionBoxes *Boxes() const { return m_boxes; }

private:
    CNeckOptionBoxes *m_boxes = nullptr;
};

} // namespace quillet
