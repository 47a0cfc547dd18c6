// What a file operation does when the system denies access. The stand-in host has no user to ask
// and no rights to raise, so every treatment reports the refusal as IO::AccessDeniedErr; the add-on
// passes ReportAccessDenied (2).
#ifndef INPUTOUTPUT_ACCESSDENIEDTREATMENT_HPP
#define INPUTOUTPUT_ACCESSDENIEDTREATMENT_HPP

namespace IO {

enum AccessDeniedTreatment : int {
    FailOnAccessDenied = 0,
    AskOnAccessDenied = 1,
    ReportAccessDenied = 2
};

}  // namespace IO

#endif
