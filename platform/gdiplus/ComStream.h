#pragma once

// COM memory streams over global memory blocks, as the platform's ole32 offers them.

#include "platform/gdiplus/ComBase.h"
#include "platform/gdiplus/GlobalMemory.h"

union LARGE_INTEGER {
    LONGLONG QuadPart;
};
union ULARGE_INTEGER {
    ULONGLONG QuadPart;
};

inline constexpr DWORD STREAM_SEEK_SET = 0;
inline constexpr DWORD STREAM_SEEK_CUR = 1;
inline constexpr DWORD STREAM_SEEK_END = 2;

// The part of the stream interface that the program and the stand-in use. Objects are
// reference counted and destroyed by their last Release.
class IStream {
  public:
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;
    virtual HRESULT Read(void* pv, ULONG cb, ULONG* pcbRead) = 0;
    virtual HRESULT Write(const void* pv, ULONG cb, ULONG* pcbWritten) = 0;
    virtual HRESULT Seek(LARGE_INTEGER dlibMove, DWORD dwOrigin,
                         ULARGE_INTEGER* plibNewPosition) = 0;

  protected:
    ~IStream() = default;
};
using LPSTREAM = IStream*;

// A stream over hGlobal, or over a fresh empty block when hGlobal is null; its size starts as
// the block's. With fDeleteOnRelease the last Release frees the block.
HRESULT CreateStreamOnHGlobal(HGLOBAL hGlobal, BOOL fDeleteOnRelease, LPSTREAM* ppstm);
// The block under a stream made by CreateStreamOnHGlobal.
HRESULT GetHGlobalFromStream(LPSTREAM pstm, HGLOBAL* phglobal);
