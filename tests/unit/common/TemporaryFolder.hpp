// A fresh folder under /tmp for one test, removed with everything in it when the test ends.
#ifndef TESTS_TEMPORARYFOLDER_HPP
#define TESTS_TEMPORARYFOLDER_HPP

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <system_error>

class TemporaryFolder {
public:
    TemporaryFolder()
    {
        std::string pattern = "/tmp/zelto-test-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot make a temporary folder");
        path = pattern;
    }
    ~TemporaryFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::string& Path() const { return path; }
    std::string PathOf(const std::string& name) const { return path + "/" + name; }

    // Test-side file access that does not go through the code under test.
    void WriteFile(const std::string& name, const std::string& bytes) const
    {
        std::ofstream out(PathOf(name), std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    std::string ReadFile(const std::string& name) const
    {
        std::ifstream in(PathOf(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    bool Exists(const std::string& name) const
    {
        std::error_code ignored;
        return std::filesystem::exists(std::filesystem::symlink_status(PathOf(name), ignored));
    }

private:
    std::string path;
};

#endif
