// Shared fixture of the writer's tests: a writer for "House.Zelto" in a fresh folder, and a small
// test-side encoder of the file's primitives (little-endian, written out byte by byte) so that the
// expected bytes are worked out from the record tables, not taken from the writer.
#ifndef TESTS_MAWRITERTEST_HPP
#define TESTS_MAWRITERTEST_HPP

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "ACAPinc.h"
#include "MAWriter.hpp"
#include "Model.hpp"
#include "ZELTO_export_Parameters.hpp"
#include "common/AddonTestEnvironment.hpp"
#include "common/TemporaryFolder.hpp"

// Bytes given one by one, e.g. B({0x14, 0x50, 0, 0}).
inline std::string B(std::initializer_list<int> bytes)
{
    std::string text;
    for (int byte : bytes)
        text.push_back(static_cast<char>(byte & 0xFF));
    return text;
}

// The record tables' primitives, encoded on the test side.
class Encoded {
public:
    Encoded& Int32(std::int64_t value)
    {
        const auto bits = static_cast<std::uint32_t>(value);
        for (int i = 0; i < 4; ++i)
            bytes.push_back(static_cast<char>((bits >> (8 * i)) & 0xFF));
        return *this;
    }
    Encoded& Real(double value)
    {
        std::uint64_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        for (int i = 0; i < 8; ++i)
            bytes.push_back(static_cast<char>((bits >> (8 * i)) & 0xFF));
        return *this;
    }
    Encoded& Bool(int value)
    {
        bytes.push_back(static_cast<char>(value));
        return *this;
    }
    Encoded& Raw(const std::string& raw)
    {
        bytes += raw;
        return *this;
    }
    Encoded& String(const std::string& text) { return Int32(static_cast<std::int64_t>(text.size())).Raw(text); }
    Encoded& Ascii(const std::string& text)
    {
        return Int32(static_cast<std::int64_t>(text.size()) + 1).Raw(text).Raw(std::string(1, '\0'));
    }
    const std::string& Bytes() const { return bytes; }

private:
    std::string bytes;
};

// The GUID {1A2B3C4D-0001-0002-0A0B-00112233AABB}.
inline API_Guid SampleGuid()
{
    return API_Guid{0x1A2B3C4Du, 0x0001, 0x0002, 0x0A, 0x0B, {0x00, 0x11, 0x22, 0x33, 0xAA, 0xBB}};
}

class MAWriterTest : public HostTest {
protected:
    static constexpr const char* TargetName = "House.Zelto";

    void SetUp() override
    {
        HostTest::SetUp();
        parameters = std::make_unique<WRL::MAParameters>(false, IO::Name("Proj.pln"));
        parameters->formatNumber = 20500;
        parameters->unit = 2;
        parameters->scale = 100.0;
        target = IO::Location(temp.PathOf(TargetName).c_str());
        fileName = IO::Name(TargetName);
        io = API_IOParams{};
        io.fileLoc = &target;
        io.fileName = &fileName;
    }

    std::unique_ptr<WRL::MAWriter> MakeWriter()
    {
        return std::make_unique<WRL::MAWriter>(io, parameters.get(), &model);
    }

    // Finishes the writer and gives what the target file then holds.
    std::string FinishAndRead(WRL::MAWriter& writer)
    {
        writer.Finish();
        return temp.ReadFile(TargetName);
    }

    // The names in the folder that look like temporary export files, sorted.
    std::vector<std::string> TemporaryNames() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(temp.Path())) {
            const std::string name = entry.path().filename().string();
            if (name.size() > 14 && name.compare(name.size() - 14, 14, ".zelto-partial") == 0)
                names.push_back(name);
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    TemporaryFolder temp;
    ModelerAPI::Model model;
    std::unique_ptr<WRL::MAParameters> parameters;
    IO::Location target;
    IO::Name fileName;
    API_IOParams io{};
};

#endif
