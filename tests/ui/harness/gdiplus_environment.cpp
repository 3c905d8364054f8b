// Starts GDI+ once for a test program and shuts it down after the last test.
#include <gtest/gtest.h>

#include "ui/framework/gdiplus_support.h"

namespace {

class GdiplusEnvironment : public ::testing::Environment {
public:
    void SetUp() override { m_session.reset(new fw::GdiplusSession()); }
    void TearDown() override { m_session.reset(); }

private:
    std::unique_ptr<fw::GdiplusSession> m_session;
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new GdiplusEnvironment);

}  // namespace
