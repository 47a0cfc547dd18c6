// Extra parameters of materials and lights: named numbers, texts and arrays of either.
#ifndef GSMODELER_PARAMETER_HPP
#define GSMODELER_PARAMETER_HPP

#include "ModelerAPITypes.hpp"
#include <vector>

#include "UniString.hpp"

namespace ModelerAPI {

// One item of an array parameter.
class GSMODELER_DLL_EXPORT ArrayParameter {
public:
    ArrayParameter() = default;

    // The numeric value (0 for a text item).
    operator double() const;
    void GetStringValue(GS::UniString& value) const;

    // Host side.
    void SetItem(const ZeltoHost::ParameterData* parameter, UInt32 position);

private:
    const ZeltoHost::ParameterData* data = nullptr;
    UInt32 position = 0;
};

class GSMODELER_DLL_EXPORT Parameter {
public:
    // Types the host reports; other values may occur (a boolean, for instance).
    enum Type : Int32 {
        UndefinedType = 0,
        NumericType = 1,
        StringType = 2,
        NumericArrayType = 3,
        StringArrayType = 4
    };

    Parameter() = default;

    Type GetType() const;
    bool IsArray() const;
    GS::UniString GetName() const;

    // The numeric value of a single parameter (0 for a text or an array).
    operator double() const;
    void GetStringValue(GS::UniString& value) const;

    // The dimensions as the host holds them: d2 of 0 means one column, addressed as (row, 0).
    void GetArrayDimensions(Int32& dimension1, Int32& dimension2) const;
    // Rows count from 1; columns from 1, or 0 when the second dimension is 0. Throws
    // GS::IllegalArgumentException outside the array.
    void GetArrayItem(Int32 row, Int32 column, ArrayParameter* item) const;

    // Host side.
    void SetData(const ZeltoHost::ParameterData* parameter) { data = parameter; }

private:
    const ZeltoHost::ParameterData* data = nullptr;
};

class GSMODELER_DLL_EXPORT ParameterList {
public:
    ParameterList() = default;

    Int32 GetParameterCount() const;
    // 1-based; throws GS::IllegalArgumentException outside the list.
    void GetParameter(Int32 index, Parameter* parameter) const;

    // Host side: the list stays with the model, which must outlive this object.
    void SetData(const std::vector<ZeltoHost::ParameterData>* parameters) { data = parameters; }

private:
    const std::vector<ZeltoHost::ParameterData>* data = nullptr;
};

}  // namespace ModelerAPI

#endif
