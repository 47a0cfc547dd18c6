// Naming the exception being handled in the add-on's log, and release steps that must not throw.
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

#endif
