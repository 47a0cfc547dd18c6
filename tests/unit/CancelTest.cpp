// The cancel exception as a member of the host library's exception family.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "GSException.hpp"
#include "UniString.hpp"
#include "ZELTO_export_Cancel.hpp"

TEST(Cancel, WhatEveryCancelSiteThrowsIsCaughtAsAHostException)
{
    bool caught = false;
    try {
        WRL::ThrowCancel();
    } catch (const GS::GSException& exception) {
        caught = true;
        EXPECT_STREQ(exception.GetName(), "Cancel");
        EXPECT_EQ(exception.GetErrorCode(), -7003);
        EXPECT_STREQ(exception.GetMessage(), "");
        EXPECT_STREQ(exception.GetFileName(), "");
        EXPECT_EQ(exception.GetLine(), 0u);
        EXPECT_EQ(exception.GetCause(), nullptr);
        EXPECT_NE(dynamic_cast<const WRL::Cancel*>(&exception), nullptr);
    }
    EXPECT_TRUE(caught);
}

TEST(Cancel, IsCaughtThroughTheRootOfTheFamilyAndTellsItselfApartFromOtherFailures)
{
    try {
        WRL::ThrowCancel();
    } catch (const GS::RootException& exception) {
        EXPECT_STREQ(exception.GetName(), "Cancel");
    }
    // The handlers tell a cancel from a general failure by its type, not by its code.
    const GS::GeneralException general("pass failed", __FILE__, __LINE__, WRL::CancelErrorCode);
    EXPECT_EQ(dynamic_cast<const WRL::Cancel*>(static_cast<const GS::GSException*>(&general)), nullptr);
}

TEST(Cancel, EveryConstructorForwardsItsArguments)
{
    const GS::NullPointerException cause("no model", "cause.cpp", 7, -50);
    const WRL::Cancel plain("stopped", "a.cpp", 11, -7003);
    const WRL::Cancel plainWithCause("stopped", "b.cpp", 12, cause, -7003);
    const WRL::Cancel text(GS::UniString("stopped"), "c.cpp", 13, -7003);
    const WRL::Cancel textWithCause(GS::UniString("stopped"), "d.cpp", 14, cause, -7003);

    const struct {
        const WRL::Cancel& exception;
        const char* file;
        unsigned int line;
        bool hasCause;
    } cases[] = {{plain, "a.cpp", 11, false},
                 {plainWithCause, "b.cpp", 12, true},
                 {text, "c.cpp", 13, false},
                 {textWithCause, "d.cpp", 14, true}};
    for (const auto& c : cases) {
        EXPECT_STREQ(c.exception.GetName(), "Cancel");
        EXPECT_STREQ(c.exception.GetMessage(), "stopped");
        EXPECT_STREQ(c.exception.GetFileName(), c.file);
        EXPECT_EQ(c.exception.GetLine(), c.line);
        EXPECT_EQ(c.exception.GetErrorCode(), -7003);
        if (c.hasCause) {
            ASSERT_NE(c.exception.GetCause(), nullptr) << c.file;
            EXPECT_STREQ(c.exception.GetCause()->GetName(), "NullPointerException");
            EXPECT_EQ(c.exception.GetCause()->GetErrorCode(), -50);
        } else {
            EXPECT_EQ(c.exception.GetCause(), nullptr) << c.file;
        }
    }
}

TEST(Cancel, CloneIsACancelWithTheSameContents)
{
    const GS::GeneralException cause("inner", "inner.cpp", 3, -7003);
    const WRL::Cancel original("user stopped", "pass.cpp", 42, cause, -7003);
    const GS::GSException& asHostException = original;

    const std::unique_ptr<GS::GSException> clone(asHostException.Clone());
    ASSERT_NE(clone, nullptr);
    EXPECT_NE(clone.get(), &asHostException);
    EXPECT_NE(dynamic_cast<WRL::Cancel*>(clone.get()), nullptr);
    EXPECT_STREQ(clone->GetName(), "Cancel");
    EXPECT_STREQ(clone->GetMessage(), "user stopped");
    EXPECT_STREQ(clone->GetFileName(), "pass.cpp");
    EXPECT_EQ(clone->GetLine(), 42u);
    EXPECT_EQ(clone->GetErrorCode(), -7003);
    ASSERT_NE(clone->GetCause(), nullptr);
    EXPECT_NE(clone->GetCause(), original.GetCause());  // the clone owns a cause of its own
    EXPECT_STREQ(clone->GetCause()->GetMessage(), "inner");
}
