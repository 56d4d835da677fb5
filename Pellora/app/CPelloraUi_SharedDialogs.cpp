// The resample, truncate and filter-class prompts.

#include "Pellora/app/CPelloraUi.h"

namespace pellora {

bool CPelloraUi::AskResample(CResampleValues &)
{
    return false;
}

bool CPelloraUi::AskTruncate(CTruncateValues &)
{
    return false;
}

bool CPelloraUi::AskFilterClass(const std::vector<kx::CNSignalPtr> &, CFilterChoice &)
{
    return false;
}

} // namespace pellora
