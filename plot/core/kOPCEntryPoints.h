#ifndef KOPC_ENTRY_POINTS_H
#define KOPC_ENTRY_POINTS_H
/* The entry points of the outside OPC client library that the charting
 * components call, looked up by these names once the library is loaded.
 *
 * A library that stands in for the client this program was written for
 * exports them with C linkage and follows these rules:
 * - Strings are NUL-terminated UTF-16. Strings passed in belong to the
 *   caller. Strings handed out (a message, a string value) are allocated with
 *   malloc; the caller frees them with free.
 * - Handles are 32-bit integers; 0 is never a valid handle.
 * - No entry point reports failure by itself: after each call the caller
 *   asks GetLastCallErrorString, which hands out the text of the calling
 *   thread's last failure, or NULL (or an empty text) after a success.
 * - Callback records are copied by the library. It may call them from any
 *   thread. Once SignalRemove (GroupDelete) has returned, the library makes
 *   no further call through the callback it was given for that handle. */
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#else
#include <uchar.h>
#endif

/* Value types, numbered as OLE variants number them. */
enum {
    KOPC_VT_EMPTY = 0,
    KOPC_VT_I2 = 2,
    KOPC_VT_I4 = 3,
    KOPC_VT_R4 = 4,
    KOPC_VT_R8 = 5,
    KOPC_VT_DATE = 7,
    KOPC_VT_BSTR = 8,
    KOPC_VT_BOOL = 11,
    KOPC_VT_I1 = 16,
    KOPC_VT_UI1 = 17,
    KOPC_VT_UI2 = 18,
    KOPC_VT_UI4 = 19,
    KOPC_VT_I8 = 20,
    KOPC_VT_UI8 = 21
};

/* One value. vt tells which member holds it: i for the signed and the
 * unsigned integer types up to 32 bits, for VT_I8 and for VT_BOOL (0 false,
 * anything else true); u for VT_UI8; d for VT_R4, VT_R8 and VT_DATE (days
 * since 1899-12-30); s for VT_BSTR. */
typedef struct kopc_variant {
    uint16_t vt;
    int64_t i;
    uint64_t u;
    double d;
    char16_t* s;
} kopc_variant;

/* Called when new data for the subscribed item have arrived. */
typedef struct kopc_signal_callback {
    void* context;
    void (*new_data)(void* context, int32_t handle);
} kopc_signal_callback;

/* Called before and after the library updates every item of a group. */
typedef struct kopc_group_callback {
    void* context;
    void (*update_begin)(void* context, int32_t group);
    void (*update_end)(void* context, int32_t group);
} kopc_group_callback;

typedef void (*kopc_SignalAdd_fn)(int32_t* handle, const char16_t* computer_name, const char16_t* server_name,
                                  const char16_t* item_name, const char16_t* group_name, int32_t update_rate,
                                  int32_t flag, uint16_t requested_type, const kopc_signal_callback* callback);
typedef void (*kopc_SignalRemove_fn)(int32_t handle);
typedef void (*kopc_SignalGetActive_fn)(int32_t handle, int32_t* active);
typedef void (*kopc_SignalGetUpdateSuspended_fn)(int32_t handle, int32_t* suspended);
typedef void (*kopc_SignalSendData_fn)(int32_t handle, const kopc_variant* value);
typedef void (*kopc_SignalGetData_fn)(int32_t handle, kopc_variant* value);
typedef void (*kopc_SignalGetTimeStamp_fn)(int32_t handle, double* time_stamp);
typedef void (*kopc_SignalGetQuality_fn)(int32_t handle, uint16_t* quality);
typedef void (*kopc_GroupAdd_fn)(int32_t* handle, const char16_t* name, const char16_t* computer_name,
                                 const char16_t* server_name, int32_t update_rate, const kopc_group_callback* callback);
typedef void (*kopc_GroupDelete_fn)(int32_t handle);
typedef void (*kopc_GroupSetUpdateRate_fn)(int32_t handle, int32_t update_rate);
/* Non-zero when the library accepts one more manager. */
typedef int32_t (*kopc_ManagerCreated_fn)(void);
typedef void (*kopc_ManagerDestroyed_fn)(void);
typedef void (*kopc_GetLastCallErrorString_fn)(char16_t** message);

#ifdef __cplusplus
}
#endif

#endif
