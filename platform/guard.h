// The one boundary between Qt and the program's handlers. Qt calls the program's code from its
// signal and event machinery, which an exception must never unwind through: every connection,
// event handler and timer runs its handler inside this guard, which ends the failing handler and
// hands its failure to the general error handler (an error box); the program goes on.
#pragma once

#include <exception>
#include <utility>

// The general error handler: the failure's message in an error box.
void HandleException(const std::exception& error);
// The same for a failure that is no exception of the program's (it names no cause).
void HandleUnknownException();

// Runs `handler` and gives its result; a failure goes to the general error handler, and the result
// is then the value-initialised one (nothing, false, 0).
template <typename F>
auto RunGuarded(F&& handler) -> decltype(handler()) {
    try {
        return handler();
    } catch (const std::exception& error) {
        HandleException(error);
    } catch (...) {
        HandleUnknownException();
    }
    return decltype(handler())();
}

// A handler for connect(), run inside the guard; `Args` are the signal's arguments it takes.
template <typename... Args, typename F>
auto Guarded(F handler) {
    return [handler = std::move(handler)](Args... args) { RunGuarded([&] { handler(args...); }); };
}
