/* The settings dialog's resource ids: its template, its pictures and its controls. Shared by
   the resource script and the code, so plain C preprocessor lines only. */
#ifndef PENDANT_CONFIG_DIALOG_IDS_H
#define PENDANT_CONFIG_DIALOG_IDS_H

#define IDD_SETTINGS 4013

/* Pictures (bitmap resources; their ids may repeat control ids). */
#define IDB_WHEEL 4021
#define IDB_GAUGE 4022
#define IDB_HOURGLASS 4026
#define IDB_F1 4035
#define IDB_F2 4036
#define IDB_F3 4037
#define IDB_F4 4038

/* Lists. */
#define IDC_SLOW_DOWN_RATE 4021
#define IDC_VELOCITY_SENSITIVITY 4022
#define IDC_DECIMAL_DIGITS 4023
#define IDC_SCREEN1 4024
#define IDC_SCREEN2 4025
#define IDC_SCREEN3 4026
#define IDC_FUNCTION1 4027
#define IDC_FUNCTION2 4028
#define IDC_FUNCTION3 4029
#define IDC_FUNCTION4 4030

/* Edits and check boxes. */
#define IDC_OEM1 4171
#define IDC_DISPLAY_RPM 4172
#define IDC_A_AXIS_MODE 4173
#define IDC_DELAY_STEPS 4174
#define IDC_OEM2 4175
#define IDC_OEM3 4178
#define IDC_OEM4 4179
#define IDC_MACRO1 4180
#define IDC_MACRO2 4181
#define IDC_MACRO3 4182
#define IDC_MACRO4 4183
#define IDC_F1_TEXT 4184
#define IDC_F2_TEXT 4185
#define IDC_F3_TEXT 4186
#define IDC_F4_TEXT 4187
#define IDC_REVERSE_X 4188
#define IDC_STEP1 4189
#define IDC_STEP2 4190
#define IDC_STEP3 4191
#define IDC_REVERSE_Y 4193
#define IDC_REVERSE_Z 4194

#endif
