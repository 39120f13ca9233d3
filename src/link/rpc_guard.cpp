#include "link/rpc_guard.h"

#include <windows.h>
#include <excpt.h>

// The filter runs while the exception is dispatched; the guard reads the code after
// the unwind. One call at a time: the terminal makes remote calls on one thread.
static DWORD g_exceptionCode = 0;

// Named by the guard's unwind table only, hence C linkage and `used`.
extern "C" __attribute__((used)) LONG VarenkoRecordRemoteException(EXCEPTION_POINTERS* info, void* /*frame*/) {
    g_exceptionCode = info->ExceptionRecord->ExceptionCode;
    return EXCEPTION_EXECUTE_HANDLER;
}

// Kept apart and never inlined: the guarded region is one per function.
__attribute__((noinline)) unsigned long GuardedCall(RemoteCall call, void* context) {
    g_exceptionCode = 0;
    __try1(VarenkoRecordRemoteException) {
        call(context);
    }
    __except1 {
    }
    return g_exceptionCode;
}
