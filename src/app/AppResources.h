#pragma once

namespace lumetra {

// Registers the icons compiled into the application library (toolbar pictures, program icon).
// Safe to call more than once.
void initAppResources();

} // namespace lumetra
