// Unit tests run the add-on's code inside the test binary: this fixture hands the stand-in host's
// function table to the add-on's glue (as the host does when it loads a module) and starts every
// test with an empty recorder, no planned failures and no host implementations installed.
#ifndef TESTS_ADDONTESTENVIRONMENT_HPP
#define TESTS_ADDONTESTENVIRONMENT_HPP

#include <gtest/gtest.h>

#include "HostApi.hpp"
#include "HostControl.hpp"

class HostTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    ZeltoHost::HostImplementations& Host() { return ZeltoHost::HostApi::Instance().impl; }
    HostControl::Recorder& Recorder() { return HostControl::TheRecorder(); }
};

// The host API version the add-on under test is built for.
constexpr int AddonApiVersion = ZELTO_ACAPI_VERSION;

#endif
