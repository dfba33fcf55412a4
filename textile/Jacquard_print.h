#pragma once
// The jacquard list printed: each weave's picture with its label, in the printed
// colour books' page layout (colour/Librarypages_print.h).

#include "colour/Librarypages_print.h"
#include "textile/Jacquard.h"

#include <vector>

// Twenty weaves a page, four a row, each captioned with its list label; job "Jacquard -".
TChipBook JacquardBook(const std::vector<TJacquardEntry>& entries);
