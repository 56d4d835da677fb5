#pragma once

// One row of the comparison: a signal read from a file, the reference it was
// compared with and the statistics of that comparison.

#include "Mirvane/core/CComparison.h"
#include "Mirvane/core/ResultColumns.h"
#include "signal/CNSignal.h"

#include <string>

namespace mirvane {

class CSignal {
public:
    CSignal();
    explicit CSignal(std::string fileName);
    CSignal(const CSignal &) = default;
    CSignal &operator=(const CSignal &) = default;
    CSignal(CSignal &&) = default;
    CSignal &operator=(CSignal &&) = default;
    virtual ~CSignal();

    // Read the file as UDS-1992 / as points text. False on failure, with the
    // reader's text in *error when given; a failed read leaves the signal as it was.
    bool LoadUDS(std::string *error = nullptr);
    bool LoadPoints(std::string *error = nullptr);

    // Compares this record's signal (resampled and cut in place) with the reference.
    bool Compare(const CSignal &reference);

    std::string GetColumnText(int column) const;
    Colour GetColumnColour(int column) const;
    Colour GetColumnColour(int column, const CCriticalValues &limits) const;
    // The tested value of columns 2..12 (Colour rules); 0.0 for the others.
    double GetTestedValue(int column) const;

    kx::CNSignal &Signal() { return m_signal; }
    const kx::CNSignal &Signal() const { return m_signal; }
    const std::string &GetFileName() const { return m_fileName; }
    void SetFileName(const std::string &name) { m_fileName = name; }
    const std::string &GetReferenceName() const { return m_referenceName; }
    void SetReferenceName(const std::string &name) { m_referenceName = name; }
    CComparison &Comparison() { return m_comparison; }
    const CComparison &Comparison() const { return m_comparison; }

private:
    kx::CNSignal m_signal;
    std::string m_fileName;
    std::string m_referenceName;
    CComparison m_comparison;
};

// The legend label of a path: its file name without drive and folder.
std::string FileTitle(const std::string &path);

} // namespace mirvane
