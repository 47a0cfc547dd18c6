#include "RelativeLocation.hpp"

namespace IO {

namespace {

std::vector<Name> SplitNames(const std::string& text)
{
    std::vector<Name> names;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('/', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string part = text.substr(start, end - start);
        if (!part.empty() && part != ".")
            names.emplace_back(part.c_str());
        start = end + 1;
    }
    return names;
}

}  // namespace

RelativeLocation::RelativeLocation(const char* path) : names(SplitNames(path != nullptr ? path : ""))
{
}

RelativeLocation::RelativeLocation(const GS::UniString& path) : names(SplitNames(path.ToUtf8()))
{
}

GSErrCode RelativeLocation::AppendToLocal(const Name& name)
{
    if (!name.IsLegal())
        return BadNameErr;
    names.push_back(name);
    return NoError;
}

GSErrCode RelativeLocation::GetLastLocalName(Name* name) const
{
    if (name == nullptr)
        return BadParameterErr;
    if (names.empty())
        return BadLocationErr;
    *name = names.back();
    return NoError;
}

GSErrCode RelativeLocation::DeleteLastLocalName()
{
    if (names.empty())
        return BadLocationErr;
    names.pop_back();
    return NoError;
}

GS::UniString RelativeLocation::ToDisplayText() const
{
    std::string text;
    for (const Name& name : names) {
        if (!text.empty())
            text += "/";
        text += name.ToUtf8();
    }
    return GS::UniString::FromUtf8(text);
}

}  // namespace IO
