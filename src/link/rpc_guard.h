// The one exception guard around every remote call: no exception raised by the RPC
// run time (server down, broken pipe, bad reply) ever leaves it.
#pragma once
#include <type_traits>

using RemoteCall = void (*)(void* context);

// Runs call(context); returns 0, or the code of the exception it raised.
unsigned long GuardedCall(RemoteCall call, void* context);

template <typename F>
unsigned long Guarded(F&& f) {
    return GuardedCall([](void* context) { (*static_cast<std::remove_reference_t<F>*>(context))(); }, &f);
}
