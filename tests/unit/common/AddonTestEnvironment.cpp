#include "AddonTestEnvironment.hpp"

#include "LogHelpers.hpp"

void HostTest::SetUp()
{
    ZeltoHost::HostApi::Instance().impl = ZeltoHost::HostImplementations();
    HostControl::ResetAll();
    SetLogSink(nullptr);
    ASSERT_EQ(SetImportedFuncAddrs(API_ProtocolFormat, ZeltoHost::HostApi::Instance().TableFor(AddonApiVersion)),
              NoError);
}

void HostTest::TearDown()
{
    SetLogSink(nullptr);
    ZeltoHost::HostApi::Instance().impl = ZeltoHost::HostImplementations();
    HostControl::ResetAll();
}
