// Host records whose handles the engine obtains and must release on every path: an element memo
// (ACAPI_DisposeElemMemoHdls), a library part's default parameter list (ACAPI_DisposeAddParHdl) and
// a library-part record, whose location the host may hand out as a new object. Each starts zeroed
// and releases what the host put into it when it goes out of scope.
#ifndef EXPORTER_ENGINEHOSTRECORDS_HPP
#define EXPORTER_ENGINEHOSTRECORDS_HPP

#include "ACAPinc.h"

namespace WRL {

class ElementMemo {
public:
    ElementMemo();
    ~ElementMemo();
    ElementMemo(const ElementMemo&) = delete;
    ElementMemo& operator=(const ElementMemo&) = delete;

    API_ElementMemo* Get() { return &memo; }
    API_AddParType** Parameters() const { return memo.params; }

private:
    API_ElementMemo memo;
};

class ParameterHandle {
public:
    ParameterHandle() = default;
    ~ParameterHandle();
    ParameterHandle(const ParameterHandle&) = delete;
    ParameterHandle& operator=(const ParameterHandle&) = delete;

    // Where the host puts the handle.
    API_AddParType*** Receive() { return &handle; }
    API_AddParType** Get() const { return handle; }

private:
    API_AddParType** handle = nullptr;
};

class LibPartRecord {
public:
    LibPartRecord();
    ~LibPartRecord();
    LibPartRecord(const LibPartRecord&) = delete;
    LibPartRecord& operator=(const LibPartRecord&) = delete;

    API_LibPart* Get() { return &libPart; }
    API_LibPart& operator*() { return libPart; }
    API_LibPart* operator->() { return &libPart; }

private:
    API_LibPart libPart;
};

}  // namespace WRL

#endif
