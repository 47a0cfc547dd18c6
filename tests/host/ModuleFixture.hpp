// Host-level tests load the built add-on modules into the stand-in host app, one host API version
// per test instance, as the real host loads its add-ons.
#ifndef TESTS_HOST_MODULEFIXTURE_HPP
#define TESTS_HOST_MODULEFIXTURE_HPP

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "HostApp.hpp"
#include "HostControl.hpp"

// The host API versions whose modules this build made.
inline std::vector<int> BuiltModuleVersions()
{
    std::vector<int> versions;
    std::stringstream list(ZELTO_MODULE_VERSIONS);
    std::string item;
    while (std::getline(list, item, ','))
        versions.push_back(std::stoi(item));
    return versions;
}

inline std::string BuiltModulePath(int version)
{
    return ZeltoHost::HostApp::ModulePath(ZELTO_BUILD_DIR, version);
}

class ModuleTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        HostControl::ResetAll();
        host = std::make_unique<ZeltoHost::HostApp>(GetParam());
    }

    void TearDown() override
    {
        host.reset();
        HostControl::ResetAll();
    }

    void LoadModule(bool handOverTable = true)
    {
        std::string error;
        ASSERT_TRUE(host->Load(BuiltModulePath(GetParam()), &error, handOverTable)) << error;
    }

    HostControl::Recorder& Recorder() { return HostControl::TheRecorder(); }

    std::unique_ptr<ZeltoHost::HostApp> host;
};

inline std::string VersionName(const ::testing::TestParamInfo<int>& info)
{
    return "ac" + std::to_string(info.param);
}

#endif
