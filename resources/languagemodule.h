// The binary interface between the program and its language modules ("KVO <Language>.so").
//
// A language module holds resources only: one UTF-8 JSON text, the "resource payload", with the
// string table and the menu texts in the program's own numbering. It is loaded at start-up with
// QLibrary and never linked. The program's own English resources are embedded in the same
// payload format, so one parser serves both.
//
// Payload layout (format 1):
//   {
//     "format": 1,
//     "strings": { "541": "Orvane Calivue Razadi", "1156": "USA", ... },   // id -> text
//     "menus": [ { "text": "&File", "items": [ { "text": "&Open...", "command": 57601 },
//                                              { "separator": true }, ... ] }, ... ],
//     "toolbar": [ 57601, 57603, 0, ... ]                                   // 0 = separator
//   }
// String ids are 0..65535. String 1156 is the module's tag, which the program compares with the
// tag it expects for the chosen language before using the module.
#ifndef CALIVUE_LANGUAGEMODULE_H
#define CALIVUE_LANGUAGEMODULE_H

#define CALIVUE_RESOURCE_FORMAT 1

#define CALIVUE_KVO_INITIALISE_SYMBOL "kvoInitialise"
#define CALIVUE_KVO_RESOURCES_SYMBOL "kvoResources"

#if defined(_WIN32)
#define CALIVUE_KVO_EXPORT __declspec(dllexport)
#else
#define CALIVUE_KVO_EXPORT __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

// Reports whether the module is usable: non-zero means success. A resource-only module has
// nothing to set up, so it always succeeds; a zero result is treated like a failed load.
typedef int (*CalivueKvoInitialiseFn)(void);

// Returns the module's resource payload, a zero-terminated UTF-8 JSON text in static storage
// that stays valid while the module is loaded. The caller must not free it.
typedef const char* (*CalivueKvoResourcesFn)(void);

#ifdef __cplusplus
}
#endif

#endif
