// Linkage macros of the host interface.
//
// VX_MODULE_EXPORT marks the only two symbols a module exports to the host.
// VX_HOST_API marks what the host library itself exports (functions and classes
// that modules link against), VX_PDM_API what the PDM client library exports.
#pragma once

#if defined(_WIN32)
#define VX_MODULE_EXPORT __declspec(dllexport)
#if defined(VEXAHOST_BUILD)
#define VX_HOST_API __declspec(dllexport)
#else
#define VX_HOST_API __declspec(dllimport)
#endif
#if defined(KORDANE_BUILD)
#define VX_PDM_API __declspec(dllexport)
#else
#define VX_PDM_API __declspec(dllimport)
#endif
#else
#define VX_MODULE_EXPORT __attribute__((visibility("default")))
#define VX_HOST_API __attribute__((visibility("default")))
#define VX_PDM_API __attribute__((visibility("default")))
#endif
