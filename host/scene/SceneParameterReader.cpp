#include "SceneParameterReader.hpp"

#include <cstring>

namespace ZeltoHost {

namespace {

constexpr API_AddParID DefaultNumberParameterType = 2;

enum class ValueKind { Number, Text, Numbers, Texts };

// Which of "number", "text", "numbers", "texts" the parameter holds; exactly one.
ValueKind KindOf(const SceneNode& node)
{
    static const char* const keys[] = {"number", "text", "numbers", "texts"};
    int found = -1;
    for (int kind = 0; kind < 4; ++kind) {
        if (!node.Has(keys[kind]))
            continue;
        if (found >= 0)
            node.Fail("a parameter holds one of \"number\", \"text\", \"numbers\" or \"texts\", not two");
        found = kind;
    }
    if (found < 0)
        node.Fail("a parameter needs one of \"number\", \"text\", \"numbers\" or \"texts\"");
    return static_cast<ValueKind>(found);
}

// The items of an array, row by row, and its dimensions: a list of lists is d1 rows of d2 items,
// a flat list d1 items with d2 = 0. "dimensions" [d1, d2] overrides them (the host may report
// dimensions that do not match its items).
template <typename Item, typename ReadItem>
void ReadArray(const SceneNode& node, const char* key, std::vector<Item>* items, Int32* dimension1,
               Int32* dimension2, ReadItem readItem)
{
    const SceneNode rows = node[key];
    const bool nested = rows.Size() > 0 && rows.At(0).Json().is_array();
    *dimension1 = static_cast<Int32>(rows.Size());
    *dimension2 = nested ? static_cast<Int32>(rows.At(0).Size()) : 0;
    for (std::size_t r = 0; r < rows.Size(); ++r) {
        const SceneNode row = rows.At(r);
        if (!nested) {
            items->push_back(readItem(row));
            continue;
        }
        if (row.Size() != std::size_t(*dimension2))
            row.Fail("every row of an array needs the same number of items");
        for (std::size_t c = 0; c < row.Size(); ++c)
            items->push_back(readItem(row.At(c)));
    }
    if (node.Has("dimensions")) {
        const SceneNode dimensions = node["dimensions"];
        if (dimensions.Size() != 2)
            dimensions.Fail("expected two whole numbers [d1, d2]");
        *dimension1 = dimensions.At(0).Integer();
        *dimension2 = dimensions.At(1).Integer();
    }
}

double NumberItem(const SceneNode& item)
{
    return item.Number();
}

GS::UniString TextItem(const SceneNode& item)
{
    return GS::UniString::FromUtf8(item.Text());
}

ParameterData ReadParameter(const SceneNode& node)
{
    node.CheckObject({"name", "number", "text", "numbers", "texts", "type", "array", "dimensions"});
    ParameterData parameter;
    parameter.name = GS::UniString::FromUtf8(node["name"].Text());
    switch (KindOf(node)) {
        case ValueKind::Number:
            parameter.type = 1;
            parameter.number = node["number"].Number();
            break;
        case ValueKind::Text:
            parameter.type = 2;
            parameter.text = TextItem(node["text"]);
            break;
        case ValueKind::Numbers:
            parameter.type = 3;
            parameter.isArray = true;
            ReadArray(node, "numbers", &parameter.numbers, &parameter.dimension1, &parameter.dimension2, NumberItem);
            break;
        case ValueKind::Texts:
            parameter.type = 4;
            parameter.isArray = true;
            ReadArray(node, "texts", &parameter.texts, &parameter.dimension1, &parameter.dimension2, TextItem);
            break;
    }
    // The host may report other type codes than the value suggests (a boolean, for instance).
    parameter.type = node.IntegerOr("type", parameter.type);
    parameter.isArray = node.BoolOr("array", parameter.isArray);
    return parameter;
}

// Array items as the host's parameter handle holds them: doubles, or NUL-terminated UTF-16 texts.
std::vector<char> NumberBytes(const std::vector<double>& numbers)
{
    std::vector<char> bytes(numbers.size() * sizeof(double));
    if (!numbers.empty())
        std::memcpy(bytes.data(), numbers.data(), bytes.size());
    return bytes;
}

std::vector<char> TextBytes(const std::vector<GS::UniString>& texts)
{
    std::vector<char> bytes;
    for (const GS::UniString& text : texts) {
        std::u16string units = text.Units();
        units.push_back(u'\0');
        const char* begin = reinterpret_cast<const char*>(units.data());
        bytes.insert(bytes.end(), begin, begin + units.size() * sizeof(char16_t));
    }
    return bytes;
}

HostParameter ReadLibPartParameter(const SceneNode& node)
{
    node.CheckObject({"name", "number", "text", "numbers", "texts", "type", "flags", "dimensions"});
    const std::string name = node["name"].Text();
    if (name.size() >= sizeof(API_AddParType::name))
        node["name"].Fail("a library-part parameter name holds at most 31 bytes");
    HostParameter parameter;
    Int32 dimension1 = 0;
    Int32 dimension2 = 0;
    switch (KindOf(node)) {
        case ValueKind::Number:
            parameter = HostParameter::Number(name.c_str(), DefaultNumberParameterType, node["number"].Number());
            break;
        case ValueKind::Text:
            parameter = HostParameter::Text(name.c_str(), TextItem(node["text"]));
            break;
        case ValueKind::Numbers: {
            std::vector<double> numbers;
            ReadArray(node, "numbers", &numbers, &dimension1, &dimension2, NumberItem);
            parameter = HostParameter::Array(name.c_str(), DefaultNumberParameterType, dimension1, dimension2,
                                             NumberBytes(numbers));
            break;
        }
        case ValueKind::Texts: {
            std::vector<GS::UniString> texts;
            ReadArray(node, "texts", &texts, &dimension1, &dimension2, TextItem);
            parameter = HostParameter::Array(name.c_str(), StringParameterType, dimension1, dimension2,
                                             TextBytes(texts));
            break;
        }
    }
    parameter.record.typeID = node.IntegerOr("type", parameter.record.typeID);
    parameter.record.flags = node.IntegerOr("flags", 0);
    return parameter;
}

}  // namespace

ParameterListData ReadSceneParameters(const SceneNode& list)
{
    ParameterListData parameters;
    for (std::size_t p = 0; p < list.Size(); ++p)
        parameters.push_back(ReadParameter(list.At(p)));
    return parameters;
}

HostParameterList ReadSceneLibPartParameters(const SceneNode& list)
{
    HostParameterList parameters;
    for (std::size_t p = 0; p < list.Size(); ++p)
        parameters.push_back(ReadLibPartParameter(list.At(p)));
    return parameters;
}

}  // namespace ZeltoHost
