// The host's preference store: typed values (Int32, bool, text) under a key inside a named folder,
// reached through a preference root that is opened for a domain and closed again.
//
//     GSPref::IRoot* root = nullptr;
//     if (GSPref::OpenRootKey(0, &root) == NoError) {
//         Int32 value = 0;
//         root->ReadInt32("Folder", "Key", &value, 7, GSPref::DefaultWhenAbsent);
//         GSPref::CloseRootKey(root);
//     }
//
// Every read leaves a value at the destination: the stored one, or the default when the key is
// absent or cannot be read. Writes are stored at once; a write that returns NoError is kept.
#ifndef GSROOT_GSPREF_HPP
#define GSROOT_GSPREF_HPP

#include "Definitions.hpp"
#include "UniString.hpp"

namespace GSPref {

// Root-key domains. Only the user's own preferences exist in this host.
constexpr Int32 UserDomain = 0;

// Read modes, the last argument of every read. With DefaultWhenAbsent an absent key is a
// successful read of the default; with FailWhenAbsent it is KeyNotFoundErr (the default is still
// put at the destination).
constexpr Int32 FailWhenAbsent = 0;
constexpr Int32 DefaultWhenAbsent = 1;

constexpr GSErrCode KeyNotFoundErr = -5201;   // no value under the key
constexpr GSErrCode TypeMismatchErr = -5202;  // the stored value is of another type
constexpr GSErrCode BadDomainErr = -5203;     // no preferences for the root-key domain
constexpr GSErrCode NoStoreErr = -5204;       // the host has no user-data folder for its preferences
constexpr GSErrCode StoreWriteErr = -5205;    // the preference file could not be written
constexpr GSErrCode BadParameterErr = -5206;  // a null destination or root, or an empty folder or key

class GSROOT_DLL_EXPORT IRoot {
public:
    virtual ~IRoot();

    virtual GSErrCode ReadInt32(const GS::UniString& folder, const GS::UniString& key, Int32* value,
                                Int32 defaultValue, Int32 readMode) = 0;
    virtual GSErrCode ReadBool(const GS::UniString& folder, const GS::UniString& key, bool* value,
                               bool defaultValue, Int32 readMode) = 0;
    virtual GSErrCode ReadString(const GS::UniString& folder, const GS::UniString& key, GS::UniString* value,
                                 const GS::UniString& defaultValue, Int32 readMode) = 0;

    // A write replaces whatever was stored under the key, whatever its type.
    virtual GSErrCode WriteInt32(const GS::UniString& folder, const GS::UniString& key, Int32 value) = 0;
    virtual GSErrCode WriteBool(const GS::UniString& folder, const GS::UniString& key, bool value) = 0;
    virtual GSErrCode WriteString(const GS::UniString& folder, const GS::UniString& key,
                                  const GS::UniString& value) = 0;

    // Removes the value under the key; a key that holds nothing is already deleted (NoError).
    virtual GSErrCode DeleteValue(const GS::UniString& folder, const GS::UniString& key) = 0;
    // Tidies a folder after deletions: a folder lives only while it holds values, so this never
    // removes a value; NoError whether the folder is empty, absent or still in use.
    virtual GSErrCode DeleteFolderIfEmpty(const GS::UniString& folder) = 0;
};

// Opens the preference root of a domain. On NoError *root is a root that the caller must close
// with CloseRootKey; on any error *root is null.
GSROOT_DLL_EXPORT GSErrCode OpenRootKey(Int32 domain, IRoot** root);
// Closes a root from OpenRootKey. Null is accepted (NoError); a pointer that is not an open root
// is refused (BadParameterErr) and left alone.
GSROOT_DLL_EXPORT GSErrCode CloseRootKey(IRoot* root);

}  // namespace GSPref

#endif
