#include "GSPref.hpp"

#include <map>
#include <memory>
#include <sys/stat.h>

#include "GSPrefFile.hpp"
#include "GSPrefHost.hpp"
#include "HostFailure.hpp"

namespace GSPref {

namespace {

std::string& UserDataFolder()
{
    static std::string folder;
    return folder;
}

bool IsFolder(const std::string& path)
{
    struct stat info {};
    return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// Text values are kept as UTF-8 in the file; the interface speaks GS::UniString.
StoredValue ToStored(const GS::UniString& text)
{
    return StoredValue(text.ToUtf8());
}

void FromStored(const std::string& stored, GS::UniString* text)
{
    *text = GS::UniString::FromUtf8(stored);
}

template <typename T>
void FromStored(const T& stored, T* value)
{
    *value = stored;
}

// The store's values for one session: from the opening of a root while none was open to the
// closing of the last one. The file is read once, at the session's first access, and read afresh in
// the next session, so a later session (or host run) sees what other hosts stored meanwhile.
struct Session {
    bool loaded = false;
    StoredValues values;
};

Session& CurrentSession()
{
    static Session session;
    return session;
}

StoredValues& SessionValues(const std::string& path)
{
    Session& session = CurrentSession();
    if (!session.loaded) {
        session.values = LoadPreferenceFile(path);
        session.loaded = true;
    }
    return session.values;
}

// A change goes to the file at once, the file replaced as a whole; the session keeps it only when
// the file was written. A change that changes nothing writes nothing.
template <typename Change>
GSErrCode StoreChange(const std::string& path, Change change)
{
    StoredValues& values = SessionValues(path);
    StoredValues changed = values;
    if (!change(changed))
        return NoError;
    const GSErrCode saved = SavePreferenceFile(path, changed);
    if (saved == NoError)
        values = std::move(changed);
    return saved;
}

class Root final : public IRoot {
public:
    GSErrCode ReadInt32(const GS::UniString& folder, const GS::UniString& key, Int32* value, Int32 defaultValue,
                        Int32 readMode) override
    {
        return Read<Int32>(folder, key, value, defaultValue, readMode);
    }
    GSErrCode ReadBool(const GS::UniString& folder, const GS::UniString& key, bool* value, bool defaultValue,
                       Int32 readMode) override
    {
        return Read<bool>(folder, key, value, defaultValue, readMode);
    }
    GSErrCode ReadString(const GS::UniString& folder, const GS::UniString& key, GS::UniString* value,
                         const GS::UniString& defaultValue, Int32 readMode) override
    {
        return Read<std::string>(folder, key, value, defaultValue, readMode);
    }

    GSErrCode WriteInt32(const GS::UniString& folder, const GS::UniString& key, Int32 value) override
    {
        return Write(folder, key, StoredValue(value));
    }
    GSErrCode WriteBool(const GS::UniString& folder, const GS::UniString& key, bool value) override
    {
        return Write(folder, key, StoredValue(value));
    }
    GSErrCode WriteString(const GS::UniString& folder, const GS::UniString& key, const GS::UniString& value) override
    {
        return Write(folder, key, ToStored(value));
    }

    GSErrCode DeleteValue(const GS::UniString& folder, const GS::UniString& key) override
    {
        const GSErrCode planned = HostFailure::Check("GSPref::Delete:" + key.ToUtf8());
        if (planned != NoError)
            return planned;
        const std::string path = GetPreferenceFilePath();
        if (path.empty())
            return NoStoreErr;
        const ValueName name(folder.ToUtf8(), key.ToUtf8());
        return StoreChange(path, [&name](StoredValues& values) { return values.erase(name) != 0; });
    }

    GSErrCode DeleteFolderIfEmpty(const GS::UniString& folder) override
    {
        const GSErrCode planned = HostFailure::Check("GSPref::DeleteFolderIfEmpty:" + folder.ToUtf8());
        if (planned != NoError)
            return planned;
        return GetPreferenceFilePath().empty() ? NoStoreErr : NoError;
    }

private:
    // How a read or a write of one key starts: a failure planned for it (the operation and the key),
    // a folder and a key that are not empty, and a preference file to use, whose path goes to *path.
    static GSErrCode StartKeyAccess(const char* operation, const GS::UniString& folder, const GS::UniString& key,
                                    std::string* path)
    {
        const GSErrCode planned = HostFailure::Check(operation + key.ToUtf8());
        if (planned != NoError)
            return planned;
        if (folder.IsEmpty() || key.IsEmpty())
            return BadParameterErr;
        *path = GetPreferenceFilePath();
        return path->empty() ? NoStoreErr : NoError;
    }

    // Stored is the type kept in the file; the destination is its interface form.
    template <typename Stored, typename Value>
    GSErrCode Read(const GS::UniString& folder, const GS::UniString& key, Value* value, const Value& defaultValue,
                   Int32 readMode)
    {
        if (value == nullptr)
            return BadParameterErr;
        *value = defaultValue;
        std::string path;
        const GSErrCode started = StartKeyAccess("GSPref::Read:", folder, key, &path);
        if (started != NoError)
            return started;
        const StoredValues& values = SessionValues(path);
        const auto found = values.find(ValueName(folder.ToUtf8(), key.ToUtf8()));
        if (found == values.end())
            return readMode == DefaultWhenAbsent ? NoError : KeyNotFoundErr;
        const Stored* stored = std::get_if<Stored>(&found->second);
        if (stored == nullptr)
            return TypeMismatchErr;
        FromStored(*stored, value);
        return NoError;
    }

    GSErrCode Write(const GS::UniString& folder, const GS::UniString& key, const StoredValue& value)
    {
        std::string path;
        const GSErrCode started = StartKeyAccess("GSPref::Write:", folder, key, &path);
        if (started != NoError)
            return started;
        const ValueName name(folder.ToUtf8(), key.ToUtf8());
        return StoreChange(path, [&name, &value](StoredValues& values) {
            const auto found = values.find(name);
            if (found != values.end() && found->second == value)
                return false;
            values[name] = value;
            return true;
        });
    }
};

std::map<IRoot*, std::unique_ptr<Root>>& OpenRoots()
{
    static std::map<IRoot*, std::unique_ptr<Root>> roots;
    return roots;
}

}  // namespace

IRoot::~IRoot() = default;

GSErrCode OpenRootKey(Int32 domain, IRoot** root)
{
    if (root == nullptr)
        return BadParameterErr;
    *root = nullptr;
    const GSErrCode planned = HostFailure::Check("GSPref::Open");
    if (planned != NoError)
        return planned;
    if (domain != UserDomain)
        return BadDomainErr;
    if (!IsFolder(UserDataFolder()))
        return NoStoreErr;
    auto opened = std::make_unique<Root>();
    *root = opened.get();
    OpenRoots().emplace(opened.get(), std::move(opened));
    return NoError;
}

GSErrCode CloseRootKey(IRoot* root)
{
    if (root == nullptr)
        return NoError;
    if (OpenRoots().erase(root) == 0)
        return BadParameterErr;
    if (OpenRoots().empty())
        CurrentSession() = Session();
    // The root is gone whatever the host reports about closing it.
    return HostFailure::Check("GSPref::Close");
}

void SetUserDataFolder(const std::string& folder)
{
    UserDataFolder() = folder;
    CurrentSession() = Session();  // another store
}

const std::string& GetUserDataFolder()
{
    return UserDataFolder();
}

std::string GetPreferenceFilePath()
{
    if (UserDataFolder().empty())
        return {};
    return UserDataFolder() + "/" + PreferenceFileName;
}

int CountOpenRoots()
{
    return static_cast<int>(OpenRoots().size());
}

}  // namespace GSPref
