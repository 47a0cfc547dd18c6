// The sample building that the command-line tests export, and the bytes of a file they read back.
#ifndef TESTS_HOST_SAMPLESCENE_HPP
#define TESTS_HOST_SAMPLESCENE_HPP

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

// The sample lies in the source tree, three folders above this file.
inline std::filesystem::path SampleScene()
{
    return std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "samples" / "house" /
           "house.json";
}

inline std::string ReadWholeFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

#endif
