#pragma once

// "Enter Response Surface Intervals": start times and window sizes, in seconds.

#include "HIC/core/CHicSurface.h"

#include <QDialog>

class QLineEdit;

namespace hic {

class CSurfaceParams : public QDialog {
    Q_OBJECT
public:
    explicit CSurfaceParams(const SurfaceParams &params, QWidget *parent = nullptr);
    const SurfaceParams &Params() const { return m_params; }
    void accept() override;

    // From, To, Every of the start time (0-2) and of the window (3-5).
    QLineEdit *Edit(int index) const { return m_edits[index]; }

private:
    SurfaceParams m_params;
    QLineEdit *m_edits[6];
};

} // namespace hic
