#include "ExportRun.hpp"

#include <chrono>
#include <exception>
#include <fstream>

#include <sys/stat.h>

#include "GSException.hpp"
#include "Location.hpp"
#include "MAExporter.hpp"

namespace ZeltoBench {

namespace {

constexpr Int32 SaveAsMethod = 0x00050001;

std::int64_t FileSize(const std::string& path)
{
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 ? static_cast<std::int64_t>(status.st_size) : -1;
}

// Trailer positions (0-based) of the counts the benchmark reports.
constexpr int TrailerFields = 15;
constexpr int TrailerTex = 1;
constexpr int TrailerObject = 7;
constexpr int TrailerPoint = 8;
constexpr int TrailerUvw = 9;
constexpr int TrailerPoly = 11;
constexpr int TrailerLights = 12;

ExportTrailer ReadTrailer(const std::string& path)
{
    ExportTrailer trailer;
    std::ifstream file(path, std::ios::binary);
    unsigned char bytes[TrailerFields * 4];
    if (!file.seekg(-static_cast<std::streamoff>(sizeof bytes), std::ios::end) ||
        !file.read(reinterpret_cast<char*>(bytes), sizeof bytes))
        return trailer;
    const auto field = [&](int position) {
        const unsigned char* b = bytes + position * 4;
        return static_cast<std::int64_t>(static_cast<Int32>(static_cast<UInt32>(b[0]) | static_cast<UInt32>(b[1]) << 8 |
                                                            static_cast<UInt32>(b[2]) << 16 |
                                                            static_cast<UInt32>(b[3]) << 24));
    };
    trailer.read = true;
    trailer.objects = field(TrailerObject);
    trailer.points = field(TrailerPoint);
    trailer.textureCoordinates = field(TrailerUvw);
    trailer.polygons = field(TrailerPoly);
    trailer.textures = field(TrailerTex);
    trailer.lights = field(TrailerLights);
    return trailer;
}

std::string Describe(const GS::GSException& exception)
{
    return std::string(exception.GetName()) + " (" + std::to_string(exception.GetErrorCode()) + ")";
}

}  // namespace

ExportOutcome RunExport(ModelerAPI::Model& model, const std::string& targetPath)
{
    ExportOutcome outcome;
    IO::Location fileLocation(targetPath.c_str());
    IO::Name fileName;
    fileLocation.GetLastLocalName(&fileName);
    API_IOParams io{};
    io.method = SaveAsMethod;
    io.fileLoc = &fileLocation;
    io.fileName = &fileName;

    const auto start = std::chrono::steady_clock::now();
    try {
        WRL::MAExporter exporter(&model, &io, false, IO::Name("Benchmark Tower"));
        exporter.MainExporter();
        outcome.completed = true;
    } catch (const GS::GSException& exception) {
        outcome.failure = Describe(exception);
    } catch (const std::exception& exception) {
        outcome.failure = exception.what();
    } catch (...) {
        outcome.failure = "an unknown exception";
    }
    const auto end = std::chrono::steady_clock::now();
    outcome.seconds = std::chrono::duration<double>(end - start).count();
    if (outcome.completed) {
        outcome.bytes = FileSize(targetPath);
        outcome.trailer = ReadTrailer(targetPath);
    }
    return outcome;
}

}  // namespace ZeltoBench
