// Byte stream the host supplies for saving and restoring component state.
#pragma once

#include "sdk/vst3/interfaces/funknown.h"

namespace Steinberg {

class IBStream : public FUnknown {
public:
    enum IStreamSeekMode : int32 {
        kIBSeekSet = 0,
        kIBSeekCur,
        kIBSeekEnd,
    };

    // Each answers the number of bytes actually moved through the optional out argument.
    virtual tresult read(void* buffer, int32 numBytes, int32* numBytesRead = nullptr) = 0;
    virtual tresult write(void* buffer, int32 numBytes, int32* numBytesWritten = nullptr) = 0;
    virtual tresult seek(int64 pos, int32 mode, int64* result = nullptr) = 0;
    virtual tresult tell(int64* pos) = 0;

    static constexpr FUID iid{0xC3BF6EA2, 0x30994752, 0x9B6BF990, 0x1EE33E9B};
};

}  // namespace Steinberg
