#include "Parameter.hpp"

#include "ModelData.hpp"
#include "ModelReadChecks.hpp"

namespace ModelerAPI {

namespace {

const ZeltoHost::ParameterData& DataOf(const ZeltoHost::ParameterData* data)
{
    static const ZeltoHost::ParameterData none;
    return data != nullptr ? *data : none;
}

std::size_t ItemCount(const ZeltoHost::ParameterData& parameter)
{
    return parameter.type == Parameter::StringArrayType ? parameter.texts.size() : parameter.numbers.size();
}

}  // namespace

ArrayParameter::operator double() const
{
    if (data == nullptr || position >= data->numbers.size())
        return 0.0;
    return data->numbers[position];
}

void ArrayParameter::GetStringValue(GS::UniString& value) const
{
    if (data == nullptr || position >= data->texts.size())
        value.Clear();
    else
        value = data->texts[position];
}

void ArrayParameter::SetItem(const ZeltoHost::ParameterData* parameter, UInt32 itemPosition)
{
    data = parameter;
    position = itemPosition;
}

Parameter::Type Parameter::GetType() const
{
    return static_cast<Type>(DataOf(data).type);
}

bool Parameter::IsArray() const
{
    return DataOf(data).isArray;
}

GS::UniString Parameter::GetName() const
{
    return DataOf(data).name;
}

Parameter::operator double() const
{
    return DataOf(data).number;
}

void Parameter::GetStringValue(GS::UniString& value) const
{
    value = DataOf(data).text;
}

void Parameter::GetArrayDimensions(Int32& dimension1, Int32& dimension2) const
{
    dimension1 = DataOf(data).dimension1;
    dimension2 = DataOf(data).dimension2;
}

void Parameter::GetArrayItem(Int32 row, Int32 column, ArrayParameter* item) const
{
    static const char* const operation = "ModelerAPI::Parameter::GetArrayItem";
    ZeltoHost::CheckOutput(item, operation);
    const ZeltoHost::ParameterData& parameter = DataOf(data);
    if (!parameter.isArray || parameter.dimension1 < 1 || parameter.dimension2 < 0)
        ZeltoHost::ThrowBadArgument(operation, "not an array with items");
    const std::size_t rowPosition = ZeltoHost::CheckedPosition(operation, row, std::size_t(parameter.dimension1));
    std::size_t position = rowPosition;
    if (parameter.dimension2 == 0) {
        if (column != 0)
            ZeltoHost::ThrowIndexOutOfRange(operation, column, 0);
    } else {
        position = rowPosition * std::size_t(parameter.dimension2) +
                   ZeltoHost::CheckedPosition(operation, column, std::size_t(parameter.dimension2));
    }
    if (position >= ItemCount(parameter))
        ZeltoHost::ThrowBadArgument(operation, "the array holds fewer items than its dimensions");
    item->SetItem(&parameter, static_cast<UInt32>(position));
}

Int32 ParameterList::GetParameterCount() const
{
    return data != nullptr ? static_cast<Int32>(data->size()) : 0;
}

void ParameterList::GetParameter(Int32 index, Parameter* parameter) const
{
    static const char* const operation = "ModelerAPI::ParameterList::GetParameter";
    ZeltoHost::CheckOutput(parameter, operation);
    const std::size_t position = ZeltoHost::CheckedPosition(operation, index, data != nullptr ? data->size() : 0);
    parameter->SetData(&(*data)[position]);
}

}  // namespace ModelerAPI
