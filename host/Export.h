// Marks the functions the core library exports to the thin plug-in modules.
//
// The core DLL exports them; a module that links against the core defines
// DAPPLE_IMPORT_CORE to import them instead. Other systems need no marking.
#pragma once

#if defined(_WIN32)
#if defined(DAPPLE_IMPORT_CORE)
#define DAPPLE_EXPORT __declspec(dllimport)
#else
#define DAPPLE_EXPORT __declspec(dllexport)
#endif
#else
#define DAPPLE_EXPORT
#endif
