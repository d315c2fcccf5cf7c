/* Ornautil: the utility library under Ornamo: a private heap, the job context of a module and
 * its debug output.
 *
 * Debug text goes to the debug viewer, a separate tool that listens under one of three class
 * names (looked for in this order: its 32-bit window, a forwarding destination, its 16-bit
 * window). Each line, and each piece of 257 characters of a longer line, goes out as one
 * copy-data message "<module>:<text>". Nothing is sent while no viewer listens. A bell
 * character in debug text sounds the system beep instead. */
#ifndef ORNAUTIL_H
#define ORNAUTIL_H

#include <stddef.h>
#include <stdint.h>

#if defined(ORNAUTIL_BUILDING)
#define ORNAUTIL_EXPORT __attribute__((visibility("default")))
#else
#define ORNAUTIL_EXPORT
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* The debug viewer's class names, in the order they are looked for. */
#define ORNAUTIL_VIEWER_CLASS_32 "OrvDebugView32"
#define ORNAUTIL_VIEWER_CLASS_FORWARD "OrvDebugForward"
#define ORNAUTIL_VIEWER_CLASS_16 "OrvDebugView16"

/* Longest piece of a line in one debug message. */
#define ORNAUTIL_DEBUG_PIECE 257

typedef struct UtlHeap UtlHeap;
typedef struct UtlJob UtlJob;

/* A private heap; null when out of memory. */
ORNAUTIL_EXPORT UtlHeap* UtlHeapCreate(void);
/* Frees the heap with every block still in it; nothing for null. */
ORNAUTIL_EXPORT void UtlHeapDestroy(UtlHeap* heap);
/* A zeroed block of `size` bytes; null when out of memory or over the heap's limit. */
ORNAUTIL_EXPORT void* UtlHeapAlloc(UtlHeap* heap, size_t size);
/* Gives a block back; nothing for null or for a block this heap did not give. */
ORNAUTIL_EXPORT void UtlHeapFree(UtlHeap* heap, void* block);
/* 1 when every block's guards are intact, else 0. */
ORNAUTIL_EXPORT int32_t UtlHeapValidate(UtlHeap* heap);
/* Number of blocks in use. */
ORNAUTIL_EXPORT size_t UtlHeapBlockCount(UtlHeap* heap);
/* Limits the bytes in use (0: no limit). */
ORNAUTIL_EXPORT void UtlHeapSetLimit(UtlHeap* heap, size_t bytes);

/* The job context of a module named `module` (e.g. "Ornamo"); null when out of memory. */
ORNAUTIL_EXPORT UtlJob* UtlJobOpen(const char* module);
/* Closes the job; nothing for null. */
ORNAUTIL_EXPORT void UtlJobClose(UtlJob* job);
/* The job's module name; "" for null. */
ORNAUTIL_EXPORT const char* UtlJobModule(const UtlJob* job);

/* Sends `text` to the debug viewer, prefixed with the job's module name and ":". */
ORNAUTIL_EXPORT void UtlDebugOutput(const UtlJob* job, const char* text);
/* As UtlDebugOutput with printf formatting. */
ORNAUTIL_EXPORT void UtlDebugPrintf(const UtlJob* job, const char* format, ...)
    __attribute__((format(printf, 2, 3)));

#ifdef __cplusplus
}
#endif

#endif /* ORNAUTIL_H */
