#pragma once

#include <array>

namespace vrl {

struct CatalogueRow {
    int number;
    const char* german;
    const char* english;
};

extern const std::array<CatalogueRow, 171> kCatalogue;

}  // namespace vrl
