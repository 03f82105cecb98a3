#include "platform/gdiplus/ComStream.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

#include "platform/gdiplus/CallLog.h"
#include "runtime/Owned.h"

namespace {

class HGlobalStream final : public IStream {
  public:
    HGlobalStream(HGLOBAL block, bool freeOnRelease)
        : block_(block), freeOnRelease_(freeOnRelease), size_(GlobalSize(block)) {}

    HGLOBAL Block() const { return block_; }

    ULONG AddRef() override { return ++references_; }

    ULONG Release() override {
        const gdiplus::LoggedCall call("IStream::Release");
        const ULONG left = --references_;
        if (left == 0) {
            if (freeOnRelease_) {
                GlobalFree(block_);
            }
            delete this;
        }
        return left;
    }

    HRESULT Read(void* pv, ULONG cb, ULONG* pcbRead) override {
        const std::uint64_t n =
            position_ < size_ ? std::min<std::uint64_t>(cb, size_ - position_) : 0;
        if (n > 0) {
            void* data = GlobalLock(block_);
            if (data == nullptr) {
                return STG_E_INVALIDFUNCTION;
            }
            std::memcpy(pv, static_cast<const std::uint8_t*>(data) + position_, n);
            GlobalUnlock(block_);
        }
        position_ += n;
        if (pcbRead != nullptr) {
            *pcbRead = static_cast<ULONG>(n);
        }
        return S_OK;
    }

    HRESULT Write(const void* pv, ULONG cb, ULONG* pcbWritten) override {
        if (pcbWritten != nullptr) {
            *pcbWritten = 0;
        }
        if (cb == 0) {
            return S_OK;
        }
        const std::uint64_t end = position_ + cb;
        if (end > GlobalSize(block_) && GlobalReAlloc(block_, end, GMEM_MOVEABLE) == nullptr) {
            return E_OUTOFMEMORY;
        }
        void* data = GlobalLock(block_);
        if (data == nullptr) {
            return STG_E_INVALIDFUNCTION;
        }
        std::memcpy(static_cast<std::uint8_t*>(data) + position_, pv, cb);
        GlobalUnlock(block_);
        position_ = end;
        size_ = std::max(size_, end);
        if (pcbWritten != nullptr) {
            *pcbWritten = cb;
        }
        return S_OK;
    }

    HRESULT Seek(LARGE_INTEGER dlibMove, DWORD dwOrigin, ULARGE_INTEGER* plibNewPosition) override {
        std::int64_t base = 0;
        if (dwOrigin == STREAM_SEEK_CUR) {
            base = static_cast<std::int64_t>(position_);
        } else if (dwOrigin == STREAM_SEEK_END) {
            base = static_cast<std::int64_t>(size_);
        } else if (dwOrigin != STREAM_SEEK_SET) {
            return STG_E_INVALIDFUNCTION;
        }
        const std::int64_t move = dlibMove.QuadPart;
        if ((move < 0 && base + move < 0) ||
            (move > 0 && base > std::numeric_limits<std::int64_t>::max() - move)) {
            return STG_E_INVALIDFUNCTION;
        }
        position_ = static_cast<std::uint64_t>(base + move);
        if (plibNewPosition != nullptr) {
            plibNewPosition->QuadPart = position_;
        }
        return S_OK;
    }

  private:
    ~HGlobalStream() = default;

    HGLOBAL block_;
    bool freeOnRelease_;
    std::uint64_t size_;
    std::uint64_t position_ = 0;
    ULONG references_ = 1;
};

}  // namespace

HRESULT CreateStreamOnHGlobal(HGLOBAL hGlobal, BOOL fDeleteOnRelease, LPSTREAM* ppstm) {
    const gdiplus::LoggedCall call("CreateStreamOnHGlobal");
    if (ppstm == nullptr) {
        return E_INVALIDARG;
    }
    // A block made here is freed again if no stream comes to hold it.
    runtime::Owned<HGLOBAL, GlobalFree> fresh(hGlobal != nullptr ? nullptr
                                                                 : GlobalAlloc(GMEM_MOVEABLE, 0));
    HGLOBAL block = hGlobal != nullptr ? hGlobal : fresh.handle;
    if (block == nullptr) {
        return E_OUTOFMEMORY;
    }
    auto* stream = new (std::nothrow) HGlobalStream(block, fDeleteOnRelease != FALSE);
    if (stream == nullptr) {
        return E_OUTOFMEMORY;
    }
    fresh.Take();
    *ppstm = stream;
    return S_OK;
}

HRESULT GetHGlobalFromStream(LPSTREAM pstm, HGLOBAL* phglobal) {
    const gdiplus::LoggedCall call("GetHGlobalFromStream");
    auto* stream = dynamic_cast<HGlobalStream*>(pstm);
    if (stream == nullptr || phglobal == nullptr) {
        return E_INVALIDARG;
    }
    *phglobal = stream->Block();
    return S_OK;
}
