#pragma once

#include "caustic/CausticAxisResult.h"
#include "types/WorkbookSheet.h"

namespace lumetra {

class CausticFrameModel;

// The M² window's export: wavelength and pixel size, the frame table (numbers as numbers) and,
// below it, the fit of each axis with its ISO check.
WorkbookSheet causticWorkbook(const CausticFrameModel &frames, const std::vector<CausticAxisResult> &results,
                              double wavelengthNm);

} // namespace lumetra
