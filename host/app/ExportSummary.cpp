#include "ExportSummary.hpp"

#include <cstring>
#include <fstream>
#include <vector>

namespace ZeltoHost {

const std::array<const char*, ExportSummary::CountCount> ExportSummary::CountNames = {
    "RGB shaders", "textures", "internal shaders", "Cinema 4D shaders", "classes", "stories", "layers", "objects",
    "points", "texture coordinates", "normals", "polygons", "lights", "camera sets", "cameras"};

namespace {

// The header's longest form: marker, system name, format, two Strings of at most 1023 bytes each,
// version, three flags, unit, scale, direct flag, API version.
constexpr std::size_t MaxHeaderBytes = 8 + 256 + 4 + 2 * (4 + 1023) + 8 + 3 + 4 + 8 + 1 + 4;

// Little-endian values from a byte range; every read past the end fails the whole parse.
class ByteCursor {
public:
    ByteCursor(const std::vector<unsigned char>& bytes, std::size_t start) : bytes(bytes), position(start) {}

    bool Fixed(std::size_t count, std::string* text)
    {
        if (!Has(count))
            return false;
        const char* first = reinterpret_cast<const char*>(bytes.data() + position);
        *text = std::string(first, strnlen(first, count));
        position += count;
        return true;
    }

    bool Int32(std::int32_t* value)
    {
        if (!Has(4))
            return false;
        std::uint32_t bits = 0;
        for (int i = 3; i >= 0; --i)
            bits = (bits << 8) | bytes[position + static_cast<std::size_t>(i)];
        *value = static_cast<std::int32_t>(bits);
        position += 4;
        return true;
    }

    bool Real(double* value)
    {
        if (!Has(8))
            return false;
        std::uint64_t bits = 0;
        for (int i = 7; i >= 0; --i)
            bits = (bits << 8) | bytes[position + static_cast<std::size_t>(i)];
        std::memcpy(value, &bits, sizeof *value);
        position += 8;
        return true;
    }

    bool Bool(bool* value)
    {
        if (!Has(1))
            return false;
        *value = bytes[position++] != 0;
        return true;
    }

    bool String(std::string* text)
    {
        std::int32_t length = 0;
        if (!Int32(&length) || length < 0 || !Has(static_cast<std::size_t>(length)))
            return false;
        text->assign(reinterpret_cast<const char*>(bytes.data() + position), static_cast<std::size_t>(length));
        position += static_cast<std::size_t>(length);
        return true;
    }

private:
    bool Has(std::size_t count) const { return position <= bytes.size() && bytes.size() - position >= count; }

    const std::vector<unsigned char>& bytes;
    std::size_t position;
};

bool ReadBytes(std::ifstream& file, std::uintmax_t offset, std::size_t count, std::vector<unsigned char>* bytes)
{
    bytes->assign(count, 0);
    file.seekg(static_cast<std::streamoff>(offset));
    file.read(reinterpret_cast<char*>(bytes->data()), static_cast<std::streamsize>(count));
    return static_cast<std::size_t>(file.gcount()) == count;
}

bool ParseHeader(const std::vector<unsigned char>& head, ExportSummary* summary)
{
    ByteCursor cursor(head, 0);
    std::string systemName;
    bool constantFlag = false;
    return cursor.Fixed(8, &summary->marker) && cursor.Fixed(256, &systemName) &&
           cursor.Int32(&summary->formatNumber) && cursor.String(&summary->fileName) &&
           cursor.String(&summary->projectName) && cursor.Fixed(8, &summary->addonVersion) &&
           cursor.Bool(&constantFlag) && cursor.Bool(&constantFlag) && cursor.Bool(&constantFlag) &&
           cursor.Int32(&summary->unit) && cursor.Real(&summary->scale) && cursor.Bool(&summary->direct) &&
           cursor.Int32(&summary->apiVersion);
}

}  // namespace

bool ReadExportSummary(const std::string& path, ExportSummary* summary, std::string* error)
{
    auto fail = [&](const std::string& why) {
        if (error != nullptr)
            *error = path + ": " + why;
        return false;
    };
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file)
        return fail("cannot open the file");
    *summary = ExportSummary{};
    summary->fileSize = static_cast<std::uintmax_t>(file.tellg());
    if (summary->fileSize < ExportSummary::TrailerBytes)
        return fail("too short for a trailer");

    const std::uintmax_t bodySize = summary->fileSize - ExportSummary::TrailerBytes;
    std::vector<unsigned char> head;
    const std::size_t headBytes = bodySize < MaxHeaderBytes ? static_cast<std::size_t>(bodySize) : MaxHeaderBytes;
    if (!ReadBytes(file, 0, headBytes, &head) || !ParseHeader(head, summary))
        return fail("the header cannot be read");

    std::vector<unsigned char> trailer;
    if (!ReadBytes(file, bodySize, ExportSummary::TrailerBytes, &trailer))
        return fail("the trailer cannot be read");
    ByteCursor cursor(trailer, 0);
    for (std::int32_t& count : summary->counts)
        cursor.Int32(&count);
    return true;
}

void PrintExportSummary(std::FILE* stream, const std::string& path, const ExportSummary& summary)
{
    std::fprintf(stream, "%s: %ju bytes\n", path.c_str(), summary.fileSize);
    std::fprintf(stream, "  header: \"%s\" format %d, file \"%s\", project \"%s\", add-on %s, host API %d\n",
                 summary.marker.c_str(), summary.formatNumber, summary.fileName.c_str(), summary.projectName.c_str(),
                 summary.addonVersion.c_str(), summary.apiVersion);
    std::fprintf(stream, "  unit %d, scale %g, %s\n", summary.unit, summary.scale,
                 summary.direct ? "direct export" : "save-as");
    std::fprintf(stream, "  records (trailer):\n");
    for (std::size_t i = 0; i < ExportSummary::CountCount; ++i)
        std::fprintf(stream, "    %-20s %10d\n", ExportSummary::CountNames[i], summary.counts[i]);
}

}  // namespace ZeltoHost
