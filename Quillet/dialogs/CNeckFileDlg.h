#pragma once

// File Open of the neck program: the file chooser with the six options below it.

#include "Quillet/document/IQuilletUi.h"

#include <QDialog>
#include <QStringList>

class QFileDialog;

namespace quillet {

class CNeckOptionBoxes;

class CNeckFileDlg : public QDialog {
    Q_OBJECT
public:
    explicit CNeckFileDlg(QWidget *parent = nullptr);

    // The neck file filters, in the order of their 1-based indexes.
    static QStringList Filters();

    void SetChoice(const CNeckFileChoice &choice);
    // The options, the chosen filter index and the chosen file.
    CNeckFileChoice GetChoice() const;

    QFileDialog *Chooser() const { return m_chooser; }
    CNeckOptionBoxes *Boxes() const { return m_boxes; }

private:
    QFileDialog *m_chooser = nullptr;
    CNeckOptionBoxes *m_boxes = nullptr;
    CNeckFileChoice m_choice;
};

} // namespace quillet
