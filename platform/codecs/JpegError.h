#pragma once

// Internal to the codecs: libjpeg reports errors by longjmp into the setjmp of a small
// function whose frame has no destructors.

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace codecs {

struct JpegError {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

[[noreturn]] inline void JumpOnError(j_common_ptr info) {
    auto* error = reinterpret_cast<JpegError*>(info->err);
    std::longjmp(error->jump, 1);
}

}  // namespace codecs
