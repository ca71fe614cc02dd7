// Export macro of the window toolkit library (Panelkit).
#pragma once

#if defined(_WIN32)
#if defined(PANELKIT_BUILD)
#define PANELKIT_API __declspec(dllexport)
#else
#define PANELKIT_API __declspec(dllimport)
#endif
#else
#define PANELKIT_API __attribute__((visibility("default")))
#endif
