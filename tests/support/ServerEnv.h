#pragma once
// What scripts/firebird-server exports for the server tests: VQ_FB_SERVER,
// VQ_FB_USER and VQ_FB_PASSWORD (the administrator), VQ_FB_OFFICE_USER and
// VQ_FB_OFFICE_PASSWORD (the office's database user) and VQ_FB_OFFICE_ROOT.
#include <filesystem>
#include <string>

namespace vq::test {

// The variable's value; empty when it is not set.
std::string env(const char* name);

// The folder below which the test server's file routines act
// (VQ_FB_OFFICE_ROOT), else the system temp folder: a test that has the
// server touch its files keeps them below it.
std::filesystem::path serverOfficeRoot();

} // namespace vq::test
