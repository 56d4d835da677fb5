#include "signal/CDataFields.h"

#include <stdexcept>

namespace kx {

CDataFields::CDataFields() = default;

CDataFields::CDataFields(const CDataFields &other) = default;

CDataFields::CDataFields(const std::shared_ptr<CDataFields> &other)
    : CDataFields(other ? *other : throw std::logic_error("No Information."))
{}

CDataFields &CDataFields::operator=(const CDataFields &other) = default;

CDataFields::~CDataFields() = default;

} // namespace kx
