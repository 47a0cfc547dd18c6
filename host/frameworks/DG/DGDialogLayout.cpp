#include "DGDialogLayout.hpp"

#include <cstdlib>
#include <stdexcept>

namespace {

struct KindName {
    DGItemKind kind;
    const char* name;
};

constexpr KindName KindNames[] = {
    {DGItemKind::Button, "button"},     {DGItemKind::CheckBox, "checkbox"},     {DGItemKind::Radio, "radio"},
    {DGItemKind::Popup, "popup"},       {DGItemKind::Slider, "slider"},         {DGItemKind::IntEdit, "intedit"},
    {DGItemKind::RealEdit, "realedit"}, {DGItemKind::TextEdit, "textedit"},     {DGItemKind::StaticText, "statictext"},
    {DGItemKind::Picture, "picture"},
};

bool ParseKind(const std::string& word, DGItemKind* kind)
{
    for (const KindName& entry : KindNames) {
        if (word == entry.name) {
            *kind = entry.kind;
            return true;
        }
    }
    return false;
}

// The line's words and quoted texts, in order; quoted texts keep their quotes' meaning by kind.
struct Token {
    bool quoted = false;
    std::string text;
};

std::vector<Token> Tokenize(const std::string& line)
{
    std::vector<Token> tokens;
    std::size_t position = 0;
    while (true) {
        position = line.find_first_not_of(" \t", position);
        if (position == std::string::npos)
            return tokens;
        if (line[position] == '"') {
            tokens.push_back(Token{true, ReadQuotedText(line, position)});
        } else {
            const std::size_t end = line.find_first_of(" \t\"", position);
            tokens.push_back(Token{false, line.substr(position, end - position)});
            position = end == std::string::npos ? line.size() : end;
        }
    }
}

double ParseNumber(const std::string& word)
{
    char* end = nullptr;
    const double value = std::strtod(word.c_str(), &end);
    if (word.empty() || end == nullptr || *end != '\0')
        throw std::runtime_error("number expected, found '" + word + "'");
    return value;
}

bool TakesRange(DGItemKind kind)
{
    return kind == DGItemKind::Slider || kind == DGItemKind::IntEdit || kind == DGItemKind::RealEdit;
}

bool TakesClicks(DGItemKind kind)
{
    return kind == DGItemKind::StaticText || kind == DGItemKind::Picture;
}

// The option words after the kind, and the quoted texts.
void ReadOptions(const std::vector<Token>& tokens, std::size_t first, DGItemDefinition& item, bool* hasValue)
{
    bool hasMin = false;
    bool hasMax = false;
    for (std::size_t i = first; i < tokens.size(); ++i) {
        const Token& token = tokens[i];
        if (token.quoted) {
            item.texts.push_back(token.text);
            continue;
        }
        const std::string& word = token.text;
        const bool takesNumber = word == "value" || word == "min" || word == "max" || word == "group";
        if (takesNumber && (i + 1 >= tokens.size() || tokens[i + 1].quoted))
            throw std::runtime_error("'" + word + "' needs a number");
        if (word == "value") {
            item.value = ParseNumber(tokens[++i].text);
            *hasValue = true;
        } else if ((word == "min" || word == "max") && TakesRange(item.kind)) {
            (word == "min" ? item.min : item.max) = ParseNumber(tokens[++i].text);
            (word == "min" ? hasMin : hasMax) = true;
        } else if (word == "group" && item.kind == DGItemKind::Radio) {
            item.group = static_cast<int>(ParseNumber(tokens[++i].text));
        } else if (word == "clickable" && TakesClicks(item.kind)) {
            item.clickable = true;
        } else if (word == "disabled") {
            item.enabled = false;
        } else {
            throw std::runtime_error("option '" + word + "' does not suit a " + DGItemKindName(item.kind));
        }
    }
    if (hasMin != hasMax)
        throw std::runtime_error("a range needs both 'min' and 'max'");
    item.hasRange = hasMin;
    if (item.hasRange && item.min > item.max)
        throw std::runtime_error("'min' is above 'max'");
}

// The starting value when the line gives none, and the check of a given one.
void SettleValue(DGItemDefinition& item, bool hasValue)
{
    switch (item.kind) {
        case DGItemKind::Popup:
            if (item.texts.empty())
                throw std::runtime_error("a popup needs at least one entry");
            if (!hasValue)
                item.value = 1;
            if (item.value < 1 || item.value > static_cast<double>(item.texts.size()))
                throw std::runtime_error("the popup's value is not one of its entries");
            return;
        case DGItemKind::Slider:
            if (!item.hasRange)
                throw std::runtime_error("a slider needs 'min' and 'max'");
            break;
        case DGItemKind::CheckBox:
        case DGItemKind::Radio:
            if (item.value != 0 && item.value != 1)
                throw std::runtime_error("a check box or radio button's value is 0 or 1");
            return;
        default:
            break;
    }
    if (item.hasRange && !hasValue)
        item.value = item.min;
    if (item.hasRange && (item.value < item.min || item.value > item.max))
        throw std::runtime_error("the value lies outside 'min'..'max'");
}

DGItemDefinition ParseItemLine(const std::string& line)
{
    const std::vector<Token> tokens = Tokenize(line);
    if (tokens.size() < 3 || tokens[0].quoted || tokens[0].text != "item" || tokens[1].quoted || tokens[2].quoted)
        throw std::runtime_error("item line expected: 'item N KIND ...'");
    DGItemDefinition item;
    const double number = ParseNumber(tokens[1].text);
    if (number < 1 || number > 32767 || number != static_cast<short>(number))
        throw std::runtime_error("item number 1..32767 expected");
    item.number = static_cast<short>(number);
    if (!ParseKind(tokens[2].text, &item.kind))
        throw std::runtime_error("unknown item kind '" + tokens[2].text + "'");
    bool hasValue = false;
    ReadOptions(tokens, 3, item, &hasValue);
    SettleValue(item, hasValue);
    return item;
}

}  // namespace

const char* DGItemKindName(DGItemKind kind)
{
    for (const KindName& entry : KindNames) {
        if (entry.kind == kind)
            return entry.name;
    }
    return "item";
}

DGDialogLayout ParseDialogLayout(const RSDialogBlock& block)
{
    DGDialogLayout layout;
    layout.title = block.title;
    for (const std::string& line : block.lines) {
        if (line.empty() || line[0] == '#')
            continue;
        try {
            DGItemDefinition item = ParseItemLine(line);
            const short number = item.number;
            if (!layout.items.emplace(number, std::move(item)).second)
                throw std::runtime_error("item " + std::to_string(number) + " is given twice");
        } catch (const std::runtime_error& error) {
            throw std::runtime_error("'" + line + "': " + error.what());
        }
    }
    return layout;
}
