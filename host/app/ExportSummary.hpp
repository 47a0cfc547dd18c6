// A short account of an export file for the host application's user: what its header says and the
// record counts of its trailer (the last 60 bytes). The host reads only these two ends of the file;
// walking the records is the test reader's business.
#ifndef HOSTAPP_EXPORTSUMMARY_HPP
#define HOSTAPP_EXPORTSUMMARY_HPP

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>

namespace ZeltoHost {

struct ExportSummary {
    // The trailer's fifteen counters, in file order.
    static constexpr std::size_t CountCount = 15;
    static constexpr std::size_t TrailerBytes = CountCount * 4;
    static const std::array<const char*, CountCount> CountNames;

    std::uintmax_t fileSize = 0;
    std::string marker;
    std::int32_t formatNumber = 0;
    std::string fileName;
    std::string projectName;
    std::string addonVersion;
    std::int32_t unit = 0;
    double scale = 0.0;
    bool direct = false;
    std::int32_t apiVersion = 0;
    std::array<std::int32_t, CountCount> counts{};
};

// False with a reason when the file cannot be read or is too short for a header and a trailer.
bool ReadExportSummary(const std::string& path, ExportSummary* summary, std::string* error);
void PrintExportSummary(std::FILE* stream, const std::string& path, const ExportSummary& summary);

}  // namespace ZeltoHost

#endif
