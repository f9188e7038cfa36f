// A stream over a global memory block. Clones share the block (and its size) but each has its
// own position; the block is freed with the last of them when delete-on-release was asked for.
// The block always has exactly the stream's size: writing past the end grows it.
#include <win32/com.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <memory>
#include <mutex>
#include <vector>

namespace {

class SharedBlock {
public:
    SharedBlock(HGLOBAL handle, ULONGLONG size, bool delete_on_release)
        : handle(handle), size(size), delete_on_release_(delete_on_release) {}
    ~SharedBlock() {
        if (delete_on_release_) GlobalFree(handle);
    }
    SharedBlock(const SharedBlock&) = delete;
    SharedBlock& operator=(const SharedBlock&) = delete;

    // Callers hold the mutex.
    bool resize(ULONGLONG new_size) {
        if (new_size == size) return true;
        if (new_size > SIZE_MAX) return false;
        HGLOBAL resized = GlobalReAlloc(handle, static_cast<SIZE_T>(new_size), GMEM_MOVEABLE);
        if (!resized) return false;
        handle = resized; // a fixed block that moved has a new handle
        size = new_size;
        return true;
    }

    void copy_out(ULONGLONG offset, void* to, std::size_t bytes) {
        if (bytes == 0) return;
        auto* data = static_cast<BYTE*>(GlobalLock(handle));
        std::memcpy(to, data + offset, bytes);
        GlobalUnlock(handle);
    }

    void copy_in(ULONGLONG offset, const void* from, std::size_t bytes) {
        if (bytes == 0) return;
        auto* data = static_cast<BYTE*>(GlobalLock(handle));
        std::memcpy(data + offset, from, bytes);
        GlobalUnlock(handle);
    }

    std::mutex mutex;
    HGLOBAL handle;
    ULONGLONG size;

private:
    bool delete_on_release_;
};

} // namespace

// Named outside the anonymous namespace so that GetHGlobalFromStream can recognise it.
class HGlobalStream final : public IStream {
public:
    HGlobalStream(std::shared_ptr<SharedBlock> block, ULONGLONG position) : block_(std::move(block)), position_(position) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_ISequentialStream || iid == IID_IStream) {
            AddRef();
            *object = static_cast<IStream*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }

    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }

    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

    HRESULT STDMETHODCALLTYPE Read(void* buffer, ULONG bytes, ULONG* read) override {
        if (!buffer) return STG_E_INVALIDPOINTER;
        std::lock_guard lock(block_->mutex);
        const ULONGLONG available = block_->size > position_ ? block_->size - position_ : 0;
        const auto count = static_cast<ULONG>(std::min<ULONGLONG>(bytes, available));
        block_->copy_out(position_, buffer, count);
        position_ += count;
        if (read) *read = count;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE Write(const void* buffer, ULONG bytes, ULONG* written) override {
        if (written) *written = 0;
        if (!buffer) return STG_E_INVALIDPOINTER;
        std::lock_guard lock(block_->mutex);
        const ULONGLONG end = position_ + bytes;
        if (end > block_->size && !block_->resize(end)) return STG_E_MEDIUMFULL;
        block_->copy_in(position_, buffer, bytes);
        position_ = end;
        if (written) *written = bytes;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* new_position) override {
        std::lock_guard lock(block_->mutex);
        LONGLONG base;
        switch (origin) {
        case STREAM_SEEK_SET: base = 0; break;
        case STREAM_SEEK_CUR: base = static_cast<LONGLONG>(position_); break;
        case STREAM_SEEK_END: base = static_cast<LONGLONG>(block_->size); break;
        default: return STG_E_SEEKERROR;
        }
        const LONGLONG target = base + move.QuadPart;
        if (target < 0) return STG_E_SEEKERROR;
        position_ = static_cast<ULONGLONG>(target);
        if (new_position) new_position->QuadPart = position_;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER new_size) override {
        std::lock_guard lock(block_->mutex);
        return block_->resize(new_size.QuadPart) ? S_OK : STG_E_MEDIUMFULL;
    }

    // Copies in pieces and writes each without holding the block, since the destination may
    // be a clone over the same block.
    HRESULT STDMETHODCALLTYPE CopyTo(IStream* destination, ULARGE_INTEGER bytes, ULARGE_INTEGER* read,
                                     ULARGE_INTEGER* written) override {
        if (read) read->QuadPart = 0;
        if (written) written->QuadPart = 0;
        if (!destination) return STG_E_INVALIDPOINTER;
        std::vector<BYTE> piece(std::min<ULONGLONG>(bytes.QuadPart, 64 * 1024));
        ULONGLONG left = bytes.QuadPart;
        while (left > 0) {
            ULONG count = 0;
            {
                std::lock_guard lock(block_->mutex);
                const ULONGLONG available = block_->size > position_ ? block_->size - position_ : 0;
                count = static_cast<ULONG>(std::min<ULONGLONG>({left, available, piece.size()}));
                block_->copy_out(position_, piece.data(), count);
                position_ += count;
            }
            if (count == 0) break;
            if (read) read->QuadPart += count;
            ULONG stored = 0;
            const HRESULT result = destination->Write(piece.data(), count, &stored);
            if (written) written->QuadPart += stored;
            if (FAILED(result)) return result;
            left -= count;
        }
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE Commit(DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Revert() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return STG_E_INVALIDFUNCTION; }
    HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return STG_E_INVALIDFUNCTION; }

    // The stream has no name, so the flags that ask for one or not change nothing.
    HRESULT STDMETHODCALLTYPE Stat(STATSTG* statistics, DWORD) override {
        if (!statistics) return STG_E_INVALIDPOINTER;
        std::lock_guard lock(block_->mutex);
        *statistics = STATSTG{};
        statistics->type = STGTY_STREAM;
        statistics->cbSize.QuadPart = block_->size;
        statistics->grfMode = STGM_READWRITE;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE Clone(IStream** clone) override {
        if (!clone) return STG_E_INVALIDPOINTER;
        std::lock_guard lock(block_->mutex);
        *clone = new HGlobalStream(block_, position_);
        return S_OK;
    }

    HGLOBAL handle() {
        std::lock_guard lock(block_->mutex);
        return block_->handle;
    }

private:
    ~HGlobalStream() = default; // released, never deleted from outside

    std::atomic<ULONG> references_{1};
    std::shared_ptr<SharedBlock> block_;
    ULONGLONG position_;
};

HRESULT WINAPI CreateStreamOnHGlobal(HGLOBAL block, BOOL delete_on_release, LPSTREAM* stream) {
    if (!stream) return E_INVALIDARG;
    *stream = nullptr;
    SIZE_T size = 0;
    if (block) {
        SetLastError(ERROR_SUCCESS);
        size = GlobalSize(block);
        if (size == 0 && GetLastError() == ERROR_INVALID_HANDLE) return E_INVALIDARG;
    } else {
        block = GlobalAlloc(GMEM_MOVEABLE, 0);
        if (!block) return E_OUTOFMEMORY;
    }
    *stream = new HGlobalStream(std::make_shared<SharedBlock>(block, size, delete_on_release != FALSE), 0);
    return S_OK;
}

HRESULT WINAPI GetHGlobalFromStream(LPSTREAM stream, HGLOBAL* block) {
    if (!block) return E_INVALIDARG;
    auto* ours = dynamic_cast<HGlobalStream*>(stream);
    if (!ours) return E_INVALIDARG;
    *block = ours->handle();
    return S_OK;
}
