// .cou course files.
#include "FuzzSupport.h"
#include "library/Course.h"

using namespace trundlex;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Course course;
    if (course.load(fuzz::writeScratch("course.cou", fuzz::bytesOf(data, size)))) {
        // A course holds no more level IDs than its file had bytes for.
        FUZZ_CHECK(static_cast<std::size_t>(course.levelCount()) <= size);
    }
    return 0;
}
