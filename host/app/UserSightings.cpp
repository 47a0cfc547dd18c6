#include "UserSightings.hpp"

#include "DGScriptedUser.hpp"
#include "HostControl.hpp"

namespace ZeltoHost {

namespace {

const char* AlertKindName(int kind)
{
    switch (kind) {
        case -3:
            return "information";
        case -2:
            return "warning";
        case -1:
            return "error";
        default:
            return "alert";
    }
}

// The static texts of a dialog at its closing, in item order, joined by " | ".
std::string StaticTexts(const DGItemStates& items)
{
    std::string texts;
    for (const auto& [number, state] : items) {
        if (state.kind != DGItemKind::StaticText || state.text.empty())
            continue;
        if (!texts.empty())
            texts += " | ";
        texts += state.text;
    }
    return texts;
}

// "file dialog TITLE (filters): picked PATH", or cancelled, with the reason when a pick was refused.
void PrintFileDialogs(std::FILE* out)
{
    for (const DGFileDialogRecord& dialog : DGScriptedUser::FileDialogTranscript()) {
        std::string filters;
        for (const std::string& filter : dialog.filters)
            filters += (filters.empty() ? "" : ", ") + filter;
        std::string outcome = dialog.picked ? "picked " + QuotedForDisplay(dialog.path) : "cancelled";
        for (const std::string& note : dialog.notes)
            outcome += " (" + note + ")";
        std::fprintf(out, "file dialog %s (%s): %s\n", QuotedForDisplay(dialog.title).c_str(),
                     filters.empty() ? "all files" : filters.c_str(), outcome.c_str());
    }
}

void PrintDialogs(std::FILE* out)
{
    for (const DGDialogRecord& dialog : DGScriptedUser::Transcript()) {
        std::fprintf(out, "dialog %d %s: %s (closed with item %d)\n", dialog.resourceId,
                     QuotedForDisplay(dialog.title).c_str(), QuotedForDisplay(StaticTexts(dialog.itemsAtClose)).c_str(),
                     dialog.result);
    }
}

void PrintAlerts(std::FILE* out, const HostControl::Recorder& record)
{
    for (const HostControl::AlertRecord& alert : record.alerts) {
        std::fprintf(out, "alert (%s) %s: %s\n", AlertKindName(alert.kind), QuotedForDisplay(alert.title).c_str(),
                     QuotedForDisplay(alert.text).c_str());
    }
}

void PrintLaunches(std::FILE* out, const HostControl::Recorder& record)
{
    for (const std::vector<std::string>& arguments : record.launchedCommands) {
        std::string line;
        for (const std::string& argument : arguments)
            line += (line.empty() ? "" : " ") + QuotedForDisplay(argument);
        std::fprintf(out, "launch: %s\n", line.c_str());
    }
}

void PrintOpenedUrls(std::FILE* out, const HostControl::Recorder& record)
{
    for (const std::string& url : record.openedUrls)
        std::fprintf(out, "opened URL: %s\n", QuotedForDisplay(url).c_str());
}

}  // namespace

std::string QuotedForDisplay(const std::string& text)
{
    static const char hexDigits[] = "0123456789abcdef";
    std::string quoted = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (c == '\n') {
            quoted += "\\n";
        } else if (c == '\t') {
            quoted += "\\t";
        } else if (byte < 0x20 || byte == 0x7f) {
            quoted += "\\x";
            quoted += hexDigits[byte >> 4];
            quoted += hexDigits[byte & 0x0f];
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

void PrintUserSightings(std::FILE* out)
{
    const HostControl::Recorder& record = HostControl::TheRecorder();
    PrintFileDialogs(out);
    PrintDialogs(out);
    PrintAlerts(out, record);
    PrintLaunches(out, record);
    PrintOpenedUrls(out, record);
}

}  // namespace ZeltoHost
