// Umbrella header of the host's file layer (IO): locations and names, files, folders, the
// file-system object, the folder walk, C-string buffers and the macOS bridge.
//
// Every operation that reaches the system first consults HostFailure::Check at a named point, so
// tests can make it fail with a chosen code (or throw). The points:
//   IO::File::Locate, IO::File::Create, IO::File::IsOpenable, IO::File::Open, IO::File::Close,
//   IO::File::ReadBin, IO::File::WriteBin, IO::File::Read, IO::File::Write, IO::File::Seek,
//   IO::File::GetPosition, IO::File::GetDataLength, IO::File::Flush,
//   IO::Folder::Locate, IO::Folder::Create, IO::Folder::Enumerate, IO::TreeEnumerator::Do,
//   IO::fileSystem::Delete, IO::fileSystem::Rename, IO::fileSystem::Move, IO::fileSystem::Copy,
//   IO::fileSystem::CreateFile, IO::fileSystem::CreateFolder, IO::fileSystem::GetType,
//   IO::MacImplementationBridge::LocationToUTF8POSIXPath.
// Error codes: IOErrors.hpp.
#ifndef INPUTOUTPUT_INPUTOUTPUT_HPP
#define INPUTOUTPUT_INPUTOUTPUT_HPP

#include "AccessDeniedTreatment.hpp"
#include "CString.hpp"
#include "File.hpp"
#include "FileSystem.hpp"
#include "Folder.hpp"
#include "IOErrors.hpp"
#include "Location.hpp"
#include "MacImplementationBridge.hpp"
#include "RelativeLocation.hpp"
#include "TreeEnumerator.hpp"

#endif
