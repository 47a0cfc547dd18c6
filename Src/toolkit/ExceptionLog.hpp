// Naming the exception being handled in the add-on's log, release steps that must not throw, and
// the guard of every call through which the host enters the add-on.
#ifndef TOOLKIT_EXCEPTIONLOG_HPP
#define TOOLKIT_EXCEPTIONLOG_HPP

// Logs "Zelto_export:: <context>: ..." with what the current exception tells of itself (its name,
// code and message, or its text). Call it inside a catch handler; it never throws.
void LogCurrentException(const char* context) noexcept;

// Runs a step of a destructor. No exception may leave a destructor (the host would be ended), so an
// exception out of the step is logged with the context and dropped.
template <typename Step>
void RunWithoutThrowing(const char* context, Step&& step) noexcept
{
    try {
        step();
    } catch (...) {
        LogCurrentException(context);
    }
}

// Runs an entry point or a handler of the add-on and gives its result. An exception that reached
// the host would end it, so one out of the call is logged with the context ("<context>: <what>")
// and answered with failureResult.
template <typename Result, typename Call>
Result RunGuarded(const char* context, Result failureResult, Call&& call) noexcept
{
    try {
        return call();
    } catch (...) {
        LogCurrentException(context);
        return failureResult;
    }
}

#endif
