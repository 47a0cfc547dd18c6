#include "InfoPlist.hpp"

#include <cstdlib>

namespace CFStandIn {

namespace {

// One markup tag: its name, and whether it closes (</x>) or closes itself (<x/>).
struct Tag {
    std::string name;
    bool closing = false;
    bool empty = false;
};

class PlistScanner {
public:
    explicit PlistScanner(const std::string& text) : text(text) {}

    // The next element tag; declarations, comments and text between tags are passed by.
    bool NextTag(Tag* tag)
    {
        for (;;) {
            const std::size_t open = text.find('<', position);
            if (open == std::string::npos)
                return false;
            if (text.compare(open, 4, "<!--") == 0) {
                if (!SkipPast(open, "-->"))
                    return false;
                continue;
            }
            const std::size_t close = text.find('>', open);
            if (close == std::string::npos)
                return false;
            position = close + 1;
            if (text[open + 1] == '?' || text[open + 1] == '!')
                continue;
            std::string inside = text.substr(open + 1, close - open - 1);
            tag->closing = !inside.empty() && inside[0] == '/';
            tag->empty = !inside.empty() && inside.back() == '/';
            inside = inside.substr(tag->closing ? 1 : 0, inside.size() - (tag->closing ? 1 : 0) - (tag->empty ? 1 : 0));
            tag->name = inside.substr(0, inside.find_first_of(" \t\r\n"));
            return true;
        }
    }

    // The text up to the closing tag of the element just opened, its entities decoded.
    bool ElementText(const std::string& name, std::string* value)
    {
        const std::string closing = "</" + name + ">";
        const std::size_t end = text.find(closing, position);
        if (end == std::string::npos)
            return false;
        const bool decoded = Decode(text.substr(position, end - position), value);
        position = end + closing.size();
        return decoded;
    }

    // Passes by the rest of a dictionary or array just opened, nested ones included.
    bool SkipContainer()
    {
        int depth = 1;
        Tag tag;
        while (depth > 0 && NextTag(&tag)) {
            if (tag.name == "dict" || tag.name == "array")
                depth += tag.empty ? 0 : (tag.closing ? -1 : 1);
        }
        return depth == 0;
    }

private:
    bool SkipPast(std::size_t from, const char* end)
    {
        const std::size_t found = text.find(end, from);
        if (found == std::string::npos)
            return false;
        position = found + std::char_traits<char>::length(end);
        return true;
    }

    static bool Decode(const std::string& raw, std::string* value)
    {
        static const std::pair<const char*, char> named[] = {
            {"lt", '<'}, {"gt", '>'}, {"amp", '&'}, {"quot", '"'}, {"apos", '\''}};
        value->clear();
        for (std::size_t i = 0; i < raw.size(); ++i) {
            if (raw[i] != '&') {
                value->push_back(raw[i]);
                continue;
            }
            const std::size_t semicolon = raw.find(';', i);
            if (semicolon == std::string::npos)
                return false;
            const std::string entity = raw.substr(i + 1, semicolon - i - 1);
            i = semicolon;
            bool known = false;
            for (const auto& [entityName, character] : named) {
                if (entity == entityName) {
                    value->push_back(character);
                    known = true;
                }
            }
            if (!known && !AppendCharacterReference(entity, value))
                return false;
        }
        return true;
    }

    // "#65" or "#x41", as UTF-8.
    static bool AppendCharacterReference(const std::string& entity, std::string* value)
    {
        if (entity.size() < 2 || entity[0] != '#')
            return false;
        const bool hex = entity[1] == 'x';
        const std::string digits = entity.substr(hex ? 2 : 1);
        char* end = nullptr;
        const unsigned long code = std::strtoul(digits.c_str(), &end, hex ? 16 : 10);
        if (digits.empty() || *end != '\0' || code == 0 || code > 0x10FFFF)
            return false;
        if (code < 0x80) {
            value->push_back(static_cast<char>(code));
        } else if (code < 0x800) {
            value->push_back(static_cast<char>(0xC0 | (code >> 6)));
            value->push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else if (code < 0x10000) {
            value->push_back(static_cast<char>(0xE0 | (code >> 12)));
            value->push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            value->push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else {
            value->push_back(static_cast<char>(0xF0 | (code >> 18)));
            value->push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
            value->push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            value->push_back(static_cast<char>(0x80 | (code & 0x3F)));
        }
        return true;
    }

    const std::string& text;
    std::size_t position = 0;
};

}  // namespace

bool ReadInfoPlistStrings(const std::string& text, std::map<std::string, std::string>* strings)
{
    PlistScanner scanner(text);
    Tag tag;
    bool opened = false;
    while (!opened && scanner.NextTag(&tag))
        opened = tag.name == "dict" && !tag.closing;
    if (!opened)
        return false;
    if (tag.empty)
        return true;
    std::string key;
    bool haveKey = false;
    while (scanner.NextTag(&tag)) {
        if (tag.closing && tag.name == "dict")
            return true;
        if (tag.closing || tag.empty) {
            if (haveKey && tag.empty && tag.name == "string")
                (*strings)[key] = std::string();
            haveKey = false;
            continue;
        }
        if (tag.name == "key") {
            haveKey = scanner.ElementText("key", &key);
            if (!haveKey)
                return false;
        } else if (tag.name == "string") {
            std::string value;
            if (!scanner.ElementText("string", &value))
                return false;
            if (haveKey)
                (*strings)[key] = value;
            haveKey = false;
        } else if (tag.name == "dict" || tag.name == "array") {
            if (!scanner.SkipContainer())
                return false;
            haveKey = false;
        } else {
            std::string ignored;
            if (!scanner.ElementText(tag.name, &ignored))
                return false;
            haveKey = false;
        }
    }
    return false;
}

}  // namespace CFStandIn
