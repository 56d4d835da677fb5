#include "shared_ui/kit/IKxUi.h"

namespace kxres {

IProgress::~IProgress() = default;
IKxUi::~IKxUi() = default;

} // namespace kxres
