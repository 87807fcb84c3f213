#include "config/dialog_controls.h"

#include "config/dialog_ids.h"

namespace pendant {
namespace {

constexpr ValueControl kValues[] = {
    {IDC_DELAY_STEPS, "DelaySteps", ControlKind::Integer},
    {IDC_DISPLAY_RPM, "DisplyRPM", ControlKind::Check},
    {IDC_A_AXIS_MODE, "CAmode", ControlKind::Check},
    {IDC_OEM1, "OEM1", ControlKind::Integer},
    {IDC_OEM2, "OEM2", ControlKind::Integer},
    {IDC_OEM4, "OEM4", ControlKind::Integer},
    {IDC_MACRO1, "Macro1", ControlKind::Integer},
    {IDC_MACRO2, "Macro2", ControlKind::Integer},
    {IDC_MACRO3, "Macro3", ControlKind::Integer},
    {IDC_MACRO4, "Macro4", ControlKind::Integer},
    {IDC_OEM3, "OEM3", ControlKind::Integer},
    {IDC_F1_TEXT, "F1", ControlKind::Text},
    {IDC_F2_TEXT, "F2", ControlKind::Text},
    {IDC_F3_TEXT, "F3", ControlKind::Text},
    {IDC_F4_TEXT, "F4", ControlKind::Text},
    {IDC_STEP1, "S1", ControlKind::Text},
    {IDC_STEP2, "S2", ControlKind::Text},
    {IDC_STEP3, "S3", ControlKind::Text},
    {IDC_REVERSE_X, "Xreverse", ControlKind::Check},
    {IDC_REVERSE_Y, "Yreverse", ControlKind::Check},
    {IDC_REVERSE_Z, "Zreverse", ControlKind::Check},
};

const ListControl kLists[] = {
    {IDC_VELOCITY_SENSITIVITY, "VelocityInAuto", &VelocitySensitivityList},
    {IDC_SLOW_DOWN_RATE, "AutoChangeSens", &SlowDownRateList},
    {IDC_DECIMAL_DIGITS, "Decidigit", &DecimalDigitsList},
    {IDC_SCREEN1, "ScreenSel1", &ScreenList},
    {IDC_SCREEN2, "ScreenSel2", &ScreenList},
    {IDC_SCREEN3, "ScreenSel3", &ScreenList},
    {IDC_FUNCTION1, "BUTTON0", &FunctionList},
    {IDC_FUNCTION2, "BUTTON1", &FunctionList},
    {IDC_FUNCTION3, "BUTTON2", &FunctionList},
    {IDC_FUNCTION4, "BUTTON3", &FunctionList},
};

}  // namespace

const std::span<const ValueControl> kValueControls(kValues);
const std::span<const ListControl> kListControls(kLists);

}  // namespace pendant
