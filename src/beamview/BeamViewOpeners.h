#pragma once

namespace lumetra {

struct AppContext;

// Makes context.openBeamWindow show "光束参数" and context.openCalibrationDialog show "标定".
void installBeamViewOpeners(AppContext &context);

} // namespace lumetra
