#include "config/dialog_controls.h"

namespace pendant {
namespace {

constexpr ValueControl kValues[] = {
    {4174, "DelaySteps", ControlKind::Integer},
    {4172, "DisplyRPM", ControlKind::Check},
    {4173, "CAmode", ControlKind::Check},
    {4171, "OEM1", ControlKind::Integer},
    {4175, "OEM2", ControlKind::Integer},
    {4179, "OEM4", ControlKind::Integer},
    {4180, "Macro1", ControlKind::Integer},
    {4181, "Macro2", ControlKind::Integer},
    {4182, "Macro3", ControlKind::Integer},
    {4183, "Macro4", ControlKind::Integer},
    {4178, "OEM3", ControlKind::Integer},
    {4184, "F1", ControlKind::Text},
    {4185, "F2", ControlKind::Text},
    {4186, "F3", ControlKind::Text},
    {4187, "F4", ControlKind::Text},
    {4189, "S1", ControlKind::Text},
    {4190, "S2", ControlKind::Text},
    {4191, "S3", ControlKind::Text},
    {4188, "Xreverse", ControlKind::Check},
    {4193, "Yreverse", ControlKind::Check},
    {4194, "Zreverse", ControlKind::Check},
};

const ListControl kLists[] = {
    {4022, "VelocityInAuto", &VelocitySensitivityList},
    {4021, "AutoChangeSens", &SlowDownRateList},
    {4023, "Decidigit", &DecimalDigitsList},
    {4024, "ScreenSel1", &ScreenList},
    {4025, "ScreenSel2", &ScreenList},
    {4026, "ScreenSel3", &ScreenList},
    {4027, "BUTTON0", &FunctionList},
    {4028, "BUTTON1", &FunctionList},
    {4029, "BUTTON2", &FunctionList},
    {4030, "BUTTON3", &FunctionList},
};

}  // namespace

const std::span<const ValueControl> kValueControls(kValues);
const std::span<const ListControl> kListControls(kLists);

}  // namespace pendant
