#pragma once

// How the neck document reaches the user: the program implements it with widgets,
// the tests with a scripted fake.

#include "shared_ui/kit/IKxUi.h"
#include "signal/CNSignal.h"

#include <array>
#include <string>
#include <vector>

class KxNeck208;

namespace quillet {

// The six processing options of File Open and of the command line.
struct CNeckOptions {
    bool saeCoordinates = true; // SAE coordinate system for the condyle correction
    bool removeBias = false;
    bool checkUds = true; // trust the UDS header (axis, dummy)
    bool saeFilters = true;
    bool advanced = true;
    bool outOfPosition = false;

    bool operator==(const CNeckOptions &) const = default;
};

// What File Open asks: the options, the filter index (1-based) and the folder.
struct CNeckFileChoice {
    CNeckOptions options;
    int filterIndex = 1;
    std::string folder;
    std::string path; // out: the chosen file
};

// The hand-picked measurement and dummy when the header is not trusted.
struct CDummyChoice {
    int measurement = 0; // 0 shear, 1 moment, 2 axial
    int dummy = 4;       // 0..5 the listed dummies, 6 "Other"
    std::string type;
    std::string size;
    double critical1 = 0.0;
    double critical2 = 0.0;
};

// The force file of the condyle correction.
struct CForceChoice {
    std::string path; // blank: no force
    int fileType = 0; // 0 UDS, 1 ASCII X-Y
};

// The six load cases the dummy dialog shows: compression, tension, forward shear,
// rear shear, flexion, extension.
using NeckLoadCases = std::array<KxNeck208 *, 6>;

// The neck program's own prompts beside the shared ones.
class IQuilletUi : public kxres::IKxUi {
public:
    // File Open with its six options; false on Cancel.
    virtual bool ChooseNeckFile(CNeckFileChoice &choice) = 0;
    // The options of a command-line start; false on Cancel.
    virtual bool EditConditions(CNeckOptions &options) = 0;
    // Measurement and dummy by hand; the dialog stores the codes in the load cases.
    virtual bool SelectDummy(const NeckLoadCases &loadCases, CDummyChoice &choice) = 0;
    virtual bool EnterCondyleOffset(double &offset) = 0;
    // The force file; path holds the last one on entry.
    virtual bool ChooseForceFile(CForceChoice &choice) = 0;
};

// The force file's type for the filter index of its file dialog: the fourth
// filter is ASCII X-Y, every other one UDS.
inline int ForceTypeForFilter(int filterIndex)
{
    return filterIndex == 4 ? 1 : 0;
}

} // namespace quillet
