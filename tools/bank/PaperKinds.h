#pragma once

#include "BankSource.h"

#include <vector>

namespace tessaro::bank {

/// The question-type tables of the five paper kinds, sized to the draws each kind makes; every
/// kind lists every question type, those it does not draw with count 0.
std::vector<PaperKind> standardPaperKinds();

} // namespace tessaro::bank
