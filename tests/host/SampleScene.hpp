// The samples that the command-line tests use: the building they export and the stand-in Cinema 4D.
#ifndef TESTS_HOST_SAMPLESCENE_HPP
#define TESTS_HOST_SAMPLESCENE_HPP

#include <filesystem>

#include "HostTestFiles.hpp"

// The samples lie in the source tree, three folders above this file.
inline std::filesystem::path SamplesFolder()
{
    return std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "samples";
}

inline std::filesystem::path SampleScene()
{
    return SamplesFolder() / "house" / "house.json";
}

// The sample's stand-in Cinema 4D, with the importer plug-in beside it.
inline std::filesystem::path SampleApplication()
{
    return SamplesFolder() / "cinema4d" / "Cinema 4D.app";
}

#endif
