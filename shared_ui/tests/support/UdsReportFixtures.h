#pragma once
// Signals with every header field filled, for the header viewer and report tests.

#include <memory>
#include <string>

#include "signal/CNSignal.h"

namespace kxtest {

// A signal of the given form ("Y", "X-Y", ...) with `points` samples x = i * 0.001,
// y = i - 2, and every header field set to a distinct value.
std::shared_ptr<kx::CNSignal> MakeFullHeaderSignal(const std::string &form = "Y", int points = 10);

// Text of a PDF file through pdftotext (layout kept); empty when it cannot be read.
std::string PdfText(const std::string &path);
// Pages of a PDF file as pdftotext separates them.
int PdfPageCount(const std::string &path);

} // namespace kxtest
