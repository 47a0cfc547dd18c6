#include "ZELTO_export_C4Dplugin.hpp"

#include "Folder.hpp"
#include "HostNames.hpp"
#include "LogHelpers.hpp"
#include "TextHelpers.hpp"

RecursiveFilePatternFind::RecursiveFilePatternFind(const IO::Folder& root, const GS::HashSet<GS::UniString>& patterns,
                                                   const IO::Name& skippedFolder)
    : IO::TreeEnumerator(root), patterns(patterns), skippedFolder(skippedFolder)
{
}

// One match is enough to know the plug-in is there, so the walk ends with it.
bool RecursiveFilePatternFind::FileFound(const IO::Name& name)
{
    const std::string fileName = name.ToUtf8();
    for (const GS::UniString& pattern : patterns) {
        if (PatternMatch(pattern.ToCStr(CC_Default), fileName.c_str()))
            ++matchCount;
    }
    return matchCount != 0;
}

bool RecursiveFilePatternFind::FolderFound(const IO::Name& name)
{
    return name != skippedFolder;
}

bool FindC4Dplugin(const IO::CString<256u>& app)
{
    IO::Location plugins(app.Get());
    if (plugins.IsEmpty() || plugins.DeleteLastLocalName() != NoError ||
        plugins.AppendToLocal(IO::Name(c4dPlugFolder)) != NoError) {
        LogMessageDebug("Zelto_export:: No plugins folder can be named beside the Cinema 4D application\n");
        return false;
    }
    const IO::Folder folder(plugins, IO::Folder::Fail);
    if (folder.GetStatus() != NoError) {
        LogMessageDebug("Zelto_export:: No plugins folder beside Cinema 4D #%s\n", ErrID_To_Name(folder.GetStatus()));
        return false;
    }
    GS::HashSet<GS::UniString> patterns;
    patterns.Add(GS::UniString(c4dPlugMac));
    patterns.Add(GS::UniString(c4dPlugXMac));
    RecursiveFilePatternFind search(folder, patterns, IO::Name(c4dPlugSkippedFolder));
    const GSErrCode walked = search.Do();
    if (walked != NoError) {
        LogMessageDebug("Zelto_export:: Cannot search the Cinema 4D plugins folder #%s\n", ErrID_To_Name(walked));
        return false;
    }
    if (search.GetMatchCount() == 0)
        LogMessageDebug("Zelto_export:: The importer plug-in is not in the Cinema 4D plugins folder\n");
    return search.GetMatchCount() != 0;
}
