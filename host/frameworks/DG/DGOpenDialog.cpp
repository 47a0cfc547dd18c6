#include "DGOpenDialog.hpp"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

bool IsNumberField(DGItemKind kind)
{
    return kind == DGItemKind::IntEdit || kind == DGItemKind::RealEdit;
}

bool HoldsWholeNumbers(DGItemKind kind)
{
    return kind == DGItemKind::Slider || kind == DGItemKind::IntEdit;
}

std::string Trimmed(const std::string& text)
{
    const std::size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string::npos)
        return std::string();
    return text.substr(begin, text.find_last_not_of(" \t") - begin + 1);
}

}  // namespace

std::string NumberFieldText(DGItemKind kind, double value)
{
    if (HoldsWholeNumbers(kind))
        return std::to_string(static_cast<long long>(value));
    char text[64] = {};
    for (int precision = 1; precision <= 17; ++precision) {
        std::snprintf(text, sizeof text, "%.*g", precision, value);
        if (std::strtod(text, nullptr) == value)
            break;
    }
    return text;
}

bool ReadNumberFieldText(DGItemKind kind, const std::string& text, double* value)
{
    const std::string number = Trimmed(text);
    if (number.empty())
        return false;
    char* end = nullptr;
    const double read = std::strtod(number.c_str(), &end);
    if (end == nullptr || *end != '\0' || !std::isfinite(read))
        return false;
    if (HoldsWholeNumbers(kind) && read != std::trunc(read))
        return false;
    *value = read;
    return true;
}

DGOpenDialog::DGOpenDialog(short id, short resourceId, const DGDialogLayout& layout, DGDialCallBack* callback,
                           DGUserData userData)
    : id(id), layout(layout), callback(callback), userData(userData)
{
    record.resourceId = resourceId;
    record.title = layout.title;
    for (const auto& [number, definition] : layout.items) {
        DGItemState state;
        state.kind = definition.kind;
        state.value = definition.value;
        state.enabled = definition.enabled;
        if (IsNumberField(definition.kind))
            state.text = NumberFieldText(definition.kind, definition.value);
        else if (!definition.texts.empty() && definition.kind != DGItemKind::Popup)
            state.text = definition.texts.front();
        items.emplace(number, state);
    }
}

const DGItemState* DGOpenDialog::Item(short item) const
{
    const auto found = items.find(item);
    return found == items.end() ? nullptr : &found->second;
}

DGItemState* DGOpenDialog::MutableItem(short item)
{
    const auto found = items.find(item);
    return found == items.end() ? nullptr : &found->second;
}

const std::vector<std::string>& DGOpenDialog::PopupEntries(short item) const
{
    static const std::vector<std::string> none;
    const auto found = layout.items.find(item);
    return found == layout.items.end() || found->second.kind != DGItemKind::Popup ? none : found->second.texts;
}

bool DGOpenDialog::IsClickable(short item) const
{
    const auto found = layout.items.find(item);
    if (found == layout.items.end())
        return false;
    return found->second.kind == DGItemKind::Button || found->second.clickable;
}

void DGOpenDialog::Change(DGItemState& state, double value, const std::string& text)
{
    const bool changed = !(state.value == value) || state.text != text;
    state.value = value;
    state.text = text;
    if (changed && countModifications)
        state.modified = true;
}

void DGOpenDialog::TurnOffRadioGroup(int group, short except)
{
    for (auto& [number, other] : items) {
        if (number != except && other.kind == DGItemKind::Radio && layout.items.at(number).group == group)
            Change(other, 0, other.text);
    }
}

bool DGOpenDialog::SetValue(short item, double value)
{
    DGItemState* state = MutableItem(item);
    if (state == nullptr) {
        Note("dialog " + std::to_string(record.resourceId) + " has no item " + std::to_string(item));
        return false;
    }
    const DGItemDefinition& definition = layout.items.at(item);
    switch (state->kind) {
        case DGItemKind::CheckBox:
            Change(*state, value != 0 ? 1 : 0, state->text);
            return true;
        case DGItemKind::Radio:
            if (value != 0)
                TurnOffRadioGroup(definition.group, item);
            Change(*state, value != 0 ? 1 : 0, state->text);
            return true;
        case DGItemKind::Popup:
            if (value != std::trunc(value) || value < 1 || value > static_cast<double>(definition.texts.size())) {
                Note("popup " + std::to_string(item) + " has no entry " + NumberFieldText(DGItemKind::RealEdit, value));
                return false;
            }
            Change(*state, value, state->text);
            return true;
        default:
            break;
    }
    double kept = HoldsWholeNumbers(state->kind) ? std::round(value) : value;
    if (definition.hasRange && kept < definition.min)
        kept = definition.min;
    if (definition.hasRange && kept > definition.max)
        kept = definition.max;
    Change(*state, kept, IsNumberField(state->kind) ? NumberFieldText(state->kind, kept) : state->text);
    return true;
}

bool DGOpenDialog::SetText(short item, const std::string& text)
{
    DGItemState* state = MutableItem(item);
    if (state == nullptr) {
        Note("dialog " + std::to_string(record.resourceId) + " has no item " + std::to_string(item));
        return false;
    }
    if (!IsNumberField(state->kind)) {
        Change(*state, state->value, text);
        return true;
    }
    double number = 0.0;
    if (!ReadNumberFieldText(state->kind, text, &number)) {
        Note("the " + std::string(DGItemKindName(state->kind)) + " " + std::to_string(item) + " does not take \"" +
             text + "\"");
        return false;
    }
    return SetValue(item, number);
}

void DGOpenDialog::SetEnabled(short item, bool enabled)
{
    DGItemState* state = MutableItem(item);
    if (state == nullptr) {
        Note("dialog " + std::to_string(record.resourceId) + " has no item " + std::to_string(item));
        return;
    }
    state->enabled = enabled;
}

void DGOpenDialog::EnableMessage(short item, short message, bool enable)
{
    if (message == 0 || message == DG_MSG_INIT || message == DG_MSG_CLOSE)
        return;
    if (enable)
        messagesOff.erase({item, message});
    else
        messagesOff.insert({item, message});
}

bool DGOpenDialog::IsMessageOn(short item, short message) const
{
    return messagesOff.count({item, message}) == 0 && messagesOff.count({0, message}) == 0;
}

short DGOpenDialog::Send(short message, short item)
{
    if (!IsMessageOn(item, message)) {
        Note("message " + std::to_string(message) + " to item " + std::to_string(item) + " is turned off");
        return 0;
    }
    short result = 0;
    try {
        result = callback(message, id, item, userData, 0);
    } catch (...) {
        Note("the callback threw at message " + std::to_string(message));
    }
    record.messages.push_back(DGMessageRecord{message, item, result});
    return result;
}
