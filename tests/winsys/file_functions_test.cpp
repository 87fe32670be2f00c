#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "host/winsys.h"
#include "sim/host/faults.h"
#include "tests/config/test_files.h"

namespace {

using testfiles::TempDir;

#ifndef _WIN32
std::size_t OpenDescriptors() {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator("/proc/self/fd")) {
        ++count;
    }
    return count;
}
#endif

// Whatever the checkpoint says, the file goes back to the system: a module that loses a handle
// per failed export keeps the file locked until the host ends.
TEST(Files, AFailingCloseStillGivesTheFileBack) {
    TempDir dir;
    const std::filesystem::path path = dir.path() / std::filesystem::path(u"\u00FC.txt");
#ifndef _WIN32
    const std::size_t before = OpenDescriptors();
#endif
    sim::clearFaults();
    winsys::FileOpenFailure failure = winsys::FileOpenFailure::kFailed;
    winsys::FileHandle file =
        winsys::openFile(path.u16string().c_str(), winsys::FileAccess::kWrite, &failure);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(failure, winsys::FileOpenFailure::kNone);
    EXPECT_TRUE(winsys::writeFile(file, "abc", 3));
    sim::armFault("writeFile", 1, 1);
    EXPECT_FALSE(winsys::writeFile(file, "def", 3)) << "and nothing of it is written";
    sim::armFault("closeFile", 1, 1);
    EXPECT_FALSE(winsys::closeFile(file));
    sim::clearFaults();
#ifndef _WIN32
    EXPECT_EQ(OpenDescriptors(), before);
#endif
    std::ifstream in(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()),
              "abc");
    in.close();
    std::error_code error;
    EXPECT_TRUE(std::filesystem::remove(path, error)) << "the file is no longer held open";

    sim::armFault("openFile", 1, 1);
    EXPECT_EQ(winsys::openFile(path.u16string().c_str(), winsys::FileAccess::kWrite, &failure),
              nullptr);
    EXPECT_EQ(failure, winsys::FileOpenFailure::kFailed);
    EXPECT_FALSE(std::filesystem::exists(path)) << "a failed open creates nothing";
    sim::clearFaults();
}

}  // namespace
