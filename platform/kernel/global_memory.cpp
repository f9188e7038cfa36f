// Global memory: fixed blocks, whose handle is their address, and moveable blocks, whose handle
// is a table entry and whose address is reached through GlobalLock. Moveable handles lie in
// reserved, inaccessible address space, so that using a handle as a pointer faults at once
// instead of silently writing somewhere.
#include <win32/kernel.h>

#include <cstdlib>
#include <cstring>
#include <malloc.h>
#include <mutex>
#include <sys/mman.h>
#include <unordered_map>
#include <vector>

namespace {

struct Block {
    void* data = nullptr; // null for a moveable block of size 0 (discarded)
    SIZE_T size = 0;
    bool moveable = false;
    DWORD locks = 0;
};

// Grows or shrinks a block's memory. Without permission to move, only what fits the current
// allocation is allowed. New bytes are zeroed.
bool resize_memory(Block& block, SIZE_T size, bool may_move) {
    if (!block.data) {
        block.data = std::calloc(1, size ? size : 1);
        if (!block.data) return false;
        block.size = size;
        return true;
    }
    if (size > block.size) {
        if (size <= malloc_usable_size(block.data)) {
            std::memset(static_cast<char*>(block.data) + block.size, 0, size - block.size);
        } else {
            if (!may_move) return false;
            // Room to grow by half again, so that a block grown in small steps (a stream being
            // written) is not copied at every step; GlobalSize still reports the size asked for.
            const SIZE_T roomy = block.size + block.size / 2;
            void* moved = roomy > size ? std::realloc(block.data, roomy) : nullptr;
            if (!moved) moved = std::realloc(block.data, size);
            if (!moved) return false;
            std::memset(static_cast<char*>(moved) + block.size, 0, size - block.size);
            block.data = moved;
        }
    }
    block.size = size;
    return true;
}

class GlobalHeap {
public:
    HGLOBAL allocate(UINT flags, SIZE_T size) {
        Block block;
        block.moveable = (flags & GMEM_MOVEABLE) != 0;
        // A moveable block of size 0 starts discarded, as on the platform.
        if (!block.moveable || size != 0) {
            block.data = (flags & GMEM_ZEROINIT) ? std::calloc(1, size ? size : 1) : std::malloc(size ? size : 1);
            if (!block.data) return fail_memory();
            block.size = size;
        }
        std::lock_guard lock(mutex_);
        if (!block.moveable) {
            fixed_[block.data] = block;
            return block.data;
        }
        HGLOBAL handle = new_handle();
        if (!handle) {
            std::free(block.data);
            return fail_memory();
        }
        moveable_[handle] = block;
        if (block.data) owner_of_[block.data] = handle;
        return handle;
    }

    HGLOBAL free(HGLOBAL handle) {
        std::lock_guard lock(mutex_);
        Block* block = find(handle);
        if (!block) {
            SetLastError(ERROR_INVALID_HANDLE);
            return handle;
        }
        std::free(block->data);
        if (block->moveable) {
            if (block->data) owner_of_.erase(block->data);
            moveable_.erase(handle);
            free_handles_.push_back(handle);
        } else {
            fixed_.erase(handle);
        }
        return nullptr;
    }

    LPVOID lock(HGLOBAL handle) {
        std::lock_guard lock(mutex_);
        Block* block = find(handle);
        if (!block) {
            SetLastError(ERROR_INVALID_HANDLE);
            return nullptr;
        }
        if (!block->moveable) return block->data;
        if (!block->data) {
            SetLastError(ERROR_DISCARDED);
            return nullptr;
        }
        ++block->locks;
        return block->data;
    }

    BOOL unlock(HGLOBAL handle) {
        std::lock_guard lock(mutex_);
        Block* block = find(handle);
        if (!block) {
            SetLastError(ERROR_INVALID_HANDLE);
            return FALSE;
        }
        if (!block->moveable) return TRUE; // fixed blocks are never locked
        if (block->locks == 0) {
            SetLastError(ERROR_NOT_LOCKED);
            return FALSE;
        }
        if (--block->locks > 0) return TRUE;
        SetLastError(ERROR_SUCCESS);
        return FALSE;
    }

    SIZE_T size(HGLOBAL handle) {
        std::lock_guard lock(mutex_);
        Block* block = find(handle);
        if (!block) {
            SetLastError(ERROR_INVALID_HANDLE);
            return 0;
        }
        return block->data ? block->size : 0;
    }

    HGLOBAL handle_of(LPCVOID memory) {
        std::lock_guard lock(mutex_);
        HGLOBAL key = const_cast<LPVOID>(memory);
        if (fixed_.count(key)) return key;
        if (auto owner = owner_of_.find(key); owner != owner_of_.end()) return owner->second;
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }

    HGLOBAL reallocate(HGLOBAL handle, SIZE_T size, UINT flags) {
        std::lock_guard lock(mutex_);
        Block* block = find(handle);
        if (!block) {
            SetLastError(ERROR_INVALID_HANDLE);
            return nullptr;
        }
        if (flags & GMEM_MODIFY) return modify(handle, *block, flags);
        return block->moveable ? reallocate_moveable(handle, *block, size, flags) : reallocate_fixed(handle, *block, size, flags);
    }

private:
    static constexpr std::size_t reserved_handles = std::size_t{1} << 24;

    Block* find(HGLOBAL handle) {
        if (auto fixed = fixed_.find(handle); fixed != fixed_.end()) return &fixed->second;
        if (auto moveable = moveable_.find(handle); moveable != moveable_.end()) return &moveable->second;
        return nullptr;
    }

    HGLOBAL fail_memory() {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }

    HGLOBAL new_handle() {
        if (!free_handles_.empty()) {
            HGLOBAL handle = free_handles_.back();
            free_handles_.pop_back();
            return handle;
        }
        if (!handle_space_) {
            void* space = mmap(nullptr, reserved_handles * 8, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
            if (space == MAP_FAILED) return nullptr;
            handle_space_ = static_cast<char*>(space);
        }
        if (next_handle_ >= reserved_handles) return nullptr;
        return handle_space_ + 8 * next_handle_++;
    }

    // Turns a fixed block into a moveable one; anything else keeps its attributes.
    HGLOBAL modify(HGLOBAL handle, Block& block, UINT flags) {
        if (block.moveable || !(flags & GMEM_MOVEABLE)) return handle;
        HGLOBAL moved = new_handle();
        if (!moved) return fail_memory();
        Block converted = block;
        converted.moveable = true;
        fixed_.erase(handle);
        moveable_[moved] = converted;
        owner_of_[converted.data] = moved;
        return moved;
    }

    HGLOBAL reallocate_moveable(HGLOBAL handle, Block& block, SIZE_T size, UINT flags) {
        void* old_data = block.data;
        if (size == 0) {
            // Size 0 discards a moveable block, which a lock forbids; the handle stays valid.
            if (block.locks > 0) return nullptr;
            std::free(block.data);
            block.data = nullptr;
            block.size = 0;
        } else if (!resize_memory(block, size, block.locks == 0 || (flags & GMEM_MOVEABLE))) {
            return fail_memory();
        }
        if (old_data != block.data) {
            if (old_data) owner_of_.erase(old_data);
            if (block.data) owner_of_[block.data] = handle;
        }
        return handle;
    }

    HGLOBAL reallocate_fixed(HGLOBAL handle, Block& block, SIZE_T size, UINT flags) {
        Block resized = block;
        if (!resize_memory(resized, size, (flags & GMEM_MOVEABLE) != 0)) return fail_memory();
        if (resized.data == handle) {
            block = resized;
            return handle;
        }
        // The block moved: its address, which is its handle, is new.
        fixed_.erase(handle);
        fixed_[resized.data] = resized;
        return resized.data;
    }

    std::mutex mutex_;
    std::unordered_map<HGLOBAL, Block> fixed_;
    std::unordered_map<HGLOBAL, Block> moveable_;
    std::unordered_map<const void*, HGLOBAL> owner_of_; // address of a moveable block -> handle
    std::vector<HGLOBAL> free_handles_;
    char* handle_space_ = nullptr;
    std::size_t next_handle_ = 1; // the first slot stays unused so no handle equals the base
};

// Never destroyed: blocks may be freed from exit handlers.
GlobalHeap& heap() {
    static GlobalHeap* instance = new GlobalHeap;
    return *instance;
}

} // namespace

HGLOBAL WINAPI GlobalAlloc(UINT flags, SIZE_T bytes) { return heap().allocate(flags, bytes); }

HGLOBAL WINAPI GlobalReAlloc(HGLOBAL memory, SIZE_T bytes, UINT flags) { return heap().reallocate(memory, bytes, flags); }

HGLOBAL WINAPI GlobalFree(HGLOBAL memory) {
    if (!memory) return nullptr;
    return heap().free(memory);
}

LPVOID WINAPI GlobalLock(HGLOBAL memory) { return heap().lock(memory); }

BOOL WINAPI GlobalUnlock(HGLOBAL memory) { return heap().unlock(memory); }

SIZE_T WINAPI GlobalSize(HGLOBAL memory) { return heap().size(memory); }

HGLOBAL WINAPI GlobalHandle(LPCVOID memory) { return heap().handle_of(memory); }

// Resources are plain memory here: the handle is the address.
LPVOID WINAPI LockResource(HGLOBAL resource) { return resource; }
