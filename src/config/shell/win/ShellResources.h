// Resource numbers of the configuration program's shell, shared by its resource script and
// its code. The pages, the combination-key dialog and the macro editor number their own.
#pragma once

#define IDS_ABOUT_ENTRY 101
#define IDD_CONFIG_MAIN 102
#define IDI_CONFIG_PROGRAM 128
#define IDD_CONFIG_RESET 134

// The system menu's about entry.
#define IDM_ABOUT_ENTRY 0x10
