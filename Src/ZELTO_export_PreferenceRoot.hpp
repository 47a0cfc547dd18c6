// The add-on's preference root (domain 0) for the length of one load, save or notice; closed on
// every path. Null when the host's store cannot be opened.
#ifndef ZELTO_EXPORT_PREFERENCEROOT_HPP
#define ZELTO_EXPORT_PREFERENCEROOT_HPP

#include "ExceptionLog.hpp"
#include "GSPref.hpp"
#include "HostNames.hpp"
#include "LogHelpers.hpp"

namespace WRL {

class PreferenceRoot {
public:
    PreferenceRoot()
    {
        if (GSPref::OpenRootKey(Domain, &root) != NoError)
            root = nullptr;
    }
    // A close that fails, or throws, is logged: what was read or stored stands.
    ~PreferenceRoot()
    {
        RunWithoutThrowing("Cannot close the preferences", [this] {
            const GSErrCode closed = GSPref::CloseRootKey(root);
            if (closed != NoError)
                LogMessageError("Zelto_export:: Cannot close the preferences: %s\n", ErrID_To_Name(closed));
        });
    }
    PreferenceRoot(const PreferenceRoot&) = delete;
    PreferenceRoot& operator=(const PreferenceRoot&) = delete;

    bool IsOpen() const { return root != nullptr; }
    GSPref::IRoot* operator->() const { return root; }

    // The trailing argument of every read: the default is stored when the key is absent.
    static constexpr Int32 ReadModeDefaultWhenAbsent = 1;

private:
    static constexpr Int32 Domain = 0;
    GSPref::IRoot* root = nullptr;
};

}  // namespace WRL

#endif
