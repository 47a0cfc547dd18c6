#include "RS.hpp"

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "RSModuleData.hpp"

namespace {

std::string Trimmed(const std::string& line)
{
    const std::size_t begin = line.find_first_not_of(" \t\r");
    if (begin == std::string::npos)
        return std::string();
    const std::size_t end = line.find_last_not_of(" \t\r");
    return line.substr(begin, end - begin + 1);
}

[[noreturn]] void Malformed(const std::string& path, int lineNumber, const std::string& why)
{
    throw std::runtime_error(path + ":" + std::to_string(lineNumber) + ": " + why);
}

}  // namespace

std::string ReadQuotedText(const std::string& line, std::size_t& position)
{
    while (position < line.size() && (line[position] == ' ' || line[position] == '\t'))
        ++position;
    if (position >= line.size() || line[position] != '"')
        throw std::runtime_error("quoted text expected");
    std::string text;
    for (++position; position < line.size(); ++position) {
        const char c = line[position];
        if (c == '"') {
            ++position;
            return text;
        }
        if (c == '\\' && position + 1 < line.size()) {
            const char escaped = line[++position];
            text.push_back(escaped == 'n' ? '\n' : escaped == 't' ? '\t' : escaped);
        } else {
            text.push_back(c);
        }
    }
    throw std::runtime_error("unterminated quoted text");
}

RSModuleData ParseResourceText(const std::string& text, const std::string& path)
{
    RSModuleData data;
    data.path = path;
    std::istringstream input(text);
    std::string rawLine;
    int lineNumber = 0;
    enum class Block { None, Strings, Dialog } block = Block::None;
    int blockId = 0;
    while (std::getline(input, rawLine)) {
        ++lineNumber;
        const std::string line = Trimmed(rawLine);
        if (block != Block::Dialog && (line.empty() || line[0] == '#'))
            continue;
        if (line == "end") {
            if (block == Block::None)
                Malformed(path, lineNumber, "'end' outside a block");
            block = Block::None;
            continue;
        }
        try {
            if (block == Block::None) {
                std::istringstream words(line);
                std::string kind;
                words >> kind >> blockId;
                if (!words)
                    Malformed(path, lineNumber, "block header expected: 'strings ID' or 'dialog ID \"title\"'");
                if (kind == "strings") {
                    block = Block::Strings;
                    data.stringLists[blockId];
                } else if (kind == "dialog") {
                    block = Block::Dialog;
                    std::size_t position = static_cast<std::size_t>(words.tellg());
                    RSDialogBlock& dialog = data.dialogs[blockId];
                    dialog.title = position < line.size() ? ReadQuotedText(line, position) : std::string();
                } else {
                    Malformed(path, lineNumber, "unknown block kind '" + kind + "'");
                }
            } else if (block == Block::Strings) {
                std::size_t position = 0;
                const int item = std::stoi(line, &position);
                data.stringLists[blockId][item] = ReadQuotedText(line, position);
            } else if (!line.empty() && line[0] != '#') {
                data.dialogs[blockId].lines.push_back(line);
            }
        } catch (const std::invalid_argument&) {
            Malformed(path, lineNumber, "item number expected");
        } catch (const std::runtime_error& error) {
            if (std::string(error.what()).find(path) == 0)
                throw;
            Malformed(path, lineNumber, error.what());
        }
    }
    if (block != Block::None)
        Malformed(path, lineNumber, "missing 'end'");
    return data;
}

GSResModule RSOpenModule(const char* path)
{
    if (path == nullptr)
        return InvalidResModule;
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return InvalidResModule;
    std::ostringstream text;
    text << file.rdbuf();
    try {
        return new RSModuleData(ParseResourceText(text.str(), path));
    } catch (const std::exception&) {
        return InvalidResModule;
    }
}

void RSCloseModule(GSResModule module)
{
    delete module;
}

bool RSGetIndString(GS::UniString* text, GSResID listId, Int32 index, GSResModule module, GSResType /*type*/)
{
    if (text == nullptr || module == nullptr)
        return false;
    const auto list = module->stringLists.find(listId);
    if (list == module->stringLists.end())
        return false;
    const auto item = list->second.find(index);
    if (item == list->second.end())
        return false;
    *text = GS::UniString(item->second.c_str(), CC_UTF8);
    return true;
}
