// A dialog layout of a resource file, read from the raw lines that the resource framework keeps
// (the item-line syntax is described in DGDialog.hpp).
#ifndef DG_DGDIALOGLAYOUT_HPP
#define DG_DGDIALOGLAYOUT_HPP

#include <map>
#include <string>
#include <vector>

#include "RSModuleData.hpp"

enum class DGItemKind { Button, CheckBox, Radio, Popup, Slider, IntEdit, RealEdit, TextEdit, StaticText, Picture };

// The item kind's word in a layout line ("button", "checkbox", ...).
const char* DGItemKindName(DGItemKind kind);

struct DGItemDefinition {
    short number = 0;
    DGItemKind kind = DGItemKind::StaticText;
    std::vector<std::string> texts;  // the item's text; a popup's entries
    bool hasRange = false;
    double min = 0.0;
    double max = 0.0;
    double value = 0.0;
    int group = 0;
    bool clickable = false;
    bool enabled = true;
};

struct DGDialogLayout {
    std::string title;
    std::map<short, DGItemDefinition> items;
};

// Throws std::runtime_error naming the line when a line is not an item line, an item number is
// repeated, or a range or value does not suit the item.
DGDialogLayout ParseDialogLayout(const RSDialogBlock& block);

#endif
