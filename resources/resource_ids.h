// Ids of the program's resources. The macros are what quorvane.rc uses; C++ code uses the
// constants below them.
#pragma once

// Strings: the main window's title and its window-class name.
#define QUORVANE_STR_TITLE 103
#define QUORVANE_STR_CLASS 109

// Icon groups: the large one (16, 24, 32 and 48 pixels) and the small one (16 pixels).
#define QUORVANE_ICON_LARGE 107
#define QUORVANE_ICON_SMALL 108

// Accelerator table and the command both of its entries send.
#define QUORVANE_ACCEL_TABLE 109
#define QUORVANE_CMD_ACCEL 104

// The packed logo picture, custom type "SKIN".
#define QUORVANE_SKIN 160

// Log settings dialog.
#define QUORVANE_DLG_LOG 138
#define QUORVANE_LOG_GRAPHICS_CLOCK 1000
#define QUORVANE_LOG_MEMORY_CLOCK 1001
#define QUORVANE_LOG_GPU_LOAD 1002
#define QUORVANE_LOG_MEMORY_USAGE 1003
#define QUORVANE_LOG_VIDEO_ENGINE_LOAD 1004
#define QUORVANE_LOG_TEMPERATURE 1005
#define QUORVANE_LOG_FAN_LEVEL 1006
#define QUORVANE_LOG_FAN_RPM 1007
#define QUORVANE_LOG_POWER_DRAW 1008
#define QUORVANE_LOG_PSTATE 1009
#define QUORVANE_LOG_START 1011
#define QUORVANE_LOG_GPU_FIRST 1013  // GPU k (0 to 7) has check box 1013 + k
#define QUORVANE_LOG_GPU_LAST 1020
#define QUORVANE_LOG_MEMORY_CONTROLLER_LOAD 1021
#define QUORVANE_LOG_BUS_INTERFACE_LOAD 1022
#define QUORVANE_LOG_INTERVAL 1024

// Screenshot settings dialog; its confirm button is the standard OK command.
#define QUORVANE_DLG_SHOT 139
#define QUORVANE_SHOT_CONFIRM 1
#define QUORVANE_SHOT_TEMPERATURE 1025

// Controls that are never addressed (group boxes, notes).
#define QUORVANE_NO_ID (-1)

#ifndef RC_INVOKED
namespace resources {

inline constexpr int kTitleString = QUORVANE_STR_TITLE;
inline constexpr int kClassString = QUORVANE_STR_CLASS;
inline constexpr int kLargeIcon = QUORVANE_ICON_LARGE;
inline constexpr int kSmallIcon = QUORVANE_ICON_SMALL;
inline constexpr int kAcceleratorTable = QUORVANE_ACCEL_TABLE;
inline constexpr int kAcceleratorCommand = QUORVANE_CMD_ACCEL;
inline constexpr int kSkinResource = QUORVANE_SKIN;
inline constexpr const char* kSkinResourceType = "SKIN";

inline constexpr int kLogDialog = QUORVANE_DLG_LOG;
inline constexpr int kLogGraphicsClock = QUORVANE_LOG_GRAPHICS_CLOCK;
inline constexpr int kLogMemoryClock = QUORVANE_LOG_MEMORY_CLOCK;
inline constexpr int kLogGpuLoad = QUORVANE_LOG_GPU_LOAD;
inline constexpr int kLogMemoryUsage = QUORVANE_LOG_MEMORY_USAGE;
inline constexpr int kLogVideoEngineLoad = QUORVANE_LOG_VIDEO_ENGINE_LOAD;
inline constexpr int kLogTemperature = QUORVANE_LOG_TEMPERATURE;
inline constexpr int kLogFanLevel = QUORVANE_LOG_FAN_LEVEL;
inline constexpr int kLogFanRpm = QUORVANE_LOG_FAN_RPM;
inline constexpr int kLogPowerDraw = QUORVANE_LOG_POWER_DRAW;
inline constexpr int kLogPState = QUORVANE_LOG_PSTATE;
inline constexpr int kLogStartButton = QUORVANE_LOG_START;
inline constexpr int kLogFirstGpu = QUORVANE_LOG_GPU_FIRST;
inline constexpr int kLogLastGpu = QUORVANE_LOG_GPU_LAST;
inline constexpr int kLogMemoryControllerLoad = QUORVANE_LOG_MEMORY_CONTROLLER_LOAD;
inline constexpr int kLogBusInterfaceLoad = QUORVANE_LOG_BUS_INTERFACE_LOAD;
inline constexpr int kLogInterval = QUORVANE_LOG_INTERVAL;

inline constexpr int kShotDialog = QUORVANE_DLG_SHOT;
inline constexpr int kShotConfirmButton = QUORVANE_SHOT_CONFIRM;
inline constexpr int kShotTemperature = QUORVANE_SHOT_TEMPERATURE;

}  // namespace resources
#endif
