// Every link test talks to a real servo through the real serial code.
#pragma once

#include "link/registers.h"
#include "tests/support/servo_link.h"
#include "link/term.h"

#include <gtest/gtest.h>

#include <string>

// How often `what` stands in `text`.
inline int countOf(const std::string& text, const std::string& what)
{
    int n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

class LinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The servo's thread runs beside every test, and a child forked from
        // a process with threads can hang on a lock that thread held (the
        // sanitizers' allocator at exit): death tests run the test again in
        // a fresh process instead.
        GTEST_FLAG_SET(death_test_style, "threadsafe");
        ASSERT_TRUE(servo.attach()) << "no servo at the far end of the port";
        SendID = 0x3F;
        bOperands = {1, 0, 0x800, 0};
    }

    // Under Wine one servo serves every test: leave its line clean.
    void TearDown() override { servo.quiet(); }

    ServoLink servo;
};

// Link tests that measure time-outs (labelled "timeout" in ctest).
using LinkTiming = LinkTest;
