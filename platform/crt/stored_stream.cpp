// The stream keeps its own position in stored bytes and reads and writes with pread and pwrite.
//
// glibc buffers above the cookie in logical characters and does its position arithmetic in
// them; in text mode logical and stored counts differ, so the callbacks look at the FILE's
// public buffer pointers to keep the two in step:
// - Reads into the stream's own buffer deliver one character at a time, so that at most one
//   character read ahead (an ungetc) sits unread in it. Reads straight into a caller's buffer
//   deliver as much as asked.
// - A position query made while output is still buffered is answered with the stored length of
//   that output (its LFs counted twice), since glibc adds only the character count.
// - For an absolute seek on a readable stream glibc seeks to a block boundary and reads up to the
//   wanted offset, counting characters as bytes. Such a read is answered with nothing, after which
//   glibc moves the rest of the way with a relative seek in stored bytes.
#include "stored_stream.h"

#include <cerrno>
#include <cstring>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_map>
#include <vector>

namespace layer::crt {
namespace {

constexpr char CR = '\r';
constexpr char LF = '\n';
constexpr int CTRL_Z = 0x1A; // ends a text file when read, as on the platform
constexpr int AT_END = -1;
constexpr int READ_FAILED = -2;
constexpr std::size_t CACHE_SIZE = 4096;

std::size_t line_feeds_in(const char* from, const char* to) {
    std::size_t count = 0;
    if (from && to)
        for (const char* p = from; p < to; ++p) count += (*p == LF);
    return count;
}

class StoredFile {
public:
    StoredFile(int fd, bool translate, bool append, std::string delete_path)
        : fd_(fd), translate_(translate), append_(append), delete_path_(std::move(delete_path)) {}

    FILE* stream = nullptr;

    ssize_t read(char* buffer, std::size_t size) {
        const bool into_stream_buffer = buffer == stream->_IO_buf_base;
        if (after_absolute_seek_ && into_stream_buffer && !is_refill(size)) {
            after_absolute_seek_ = false;
            realigning_ = true;
            return 0;
        }
        after_absolute_seek_ = realigning_ = false;
        if (!translate_) return read_bytes(buffer, size);
        return read_text(buffer, into_stream_buffer ? 1 : size);
    }

    ssize_t write(const char* data, std::size_t size) {
        after_absolute_seek_ = realigning_ = false;
        cache_length_ = 0;
        last_char_start_ = -1;
        std::string stored;
        stored.reserve(size + size / 8);
        const char* rest = data;
        const char* const end = data + size;
        while (translate_ && rest < end) {
            const char* line_feed = static_cast<const char*>(std::memchr(rest, LF, static_cast<std::size_t>(end - rest)));
            if (!line_feed) break;
            stored.append(rest, line_feed);
            stored += "\r\n";
            rest = line_feed + 1;
        }
        stored.append(rest, end);
        const std::size_t written = write_stored(stored);
        if (written == stored.size()) return static_cast<ssize_t>(size);
        // Report the characters whose bytes all reached the file; glibc marks the error.
        std::size_t characters = 0, bytes = 0;
        for (; characters < size; ++characters) {
            bytes += (translate_ && data[characters] == LF) ? 2 : 1;
            if (bytes > written) break;
        }
        return static_cast<ssize_t>(characters);
    }

    int seek(off64_t* offset, int whence) {
        const bool realigning = realigning_;
        after_absolute_seek_ = realigning_ = false;
        off64_t target = 0;
        switch (whence) {
        case SEEK_SET:
            target = *offset;
            after_absolute_seek_ = translate_;
            break;
        case SEEK_END: {
            struct stat info{};
            if (fstat(fd_, &info) != 0) return -1;
            target = info.st_size + *offset;
            if (has_unflushed_output()) {
                // A position query of an appending stream with buffered output.
                pos_ = info.st_size;
                *offset = target + unflushed_line_feeds(stream->_IO_write_base);
                return 0;
            }
            break;
        }
        case SEEK_CUR: {
            if (realigning) {
                target = pos_ + *offset;
                break;
            }
            if (has_unflushed_output()) {
                *offset = pos_ + *offset + unflushed_line_feeds(stream->_IO_read_end);
                return 0;
            }
            const off64_t unread = unread_characters();
            const off64_t next = next_unread_position(unread);
            // glibc subtracts the unread characters from the answer; a query leaves all in place.
            if (*offset == 0) {
                *offset = next + unread;
                return 0;
            }
            target = next + *offset + unread;
            break;
        }
        default: errno = EINVAL; return -1;
        }
        if (target < 0) {
            errno = EINVAL;
            return -1;
        }
        pos_ = target;
        last_char_start_ = -1;
        *offset = target;
        return 0;
    }

    int close() {
        int result = ::close(fd_);
        if (!delete_path_.empty()) ::unlink(delete_path_.c_str());
        return result == 0 ? 0 : -1;
    }

    // Closes the current file and continues on another one from its start.
    void retarget(int fd, bool translate, bool append, std::string delete_path) {
        close();
        fd_ = fd;
        translate_ = translate;
        append_ = append;
        delete_path_ = std::move(delete_path);
        pos_ = 0;
        cache_length_ = 0;
        last_char_start_ = -1;
        after_absolute_seek_ = realigning_ = false;
    }

private:
    // A refill by glibc's underflow: the buffer emptied and the whole of it asked for.
    bool is_refill(std::size_t size) const {
        return stream->_IO_read_base == stream->_IO_buf_base && stream->_IO_read_end == stream->_IO_buf_base &&
               size == static_cast<std::size_t>(stream->_IO_buf_end - stream->_IO_buf_base);
    }

    bool has_unflushed_output() const { return translate_ && stream->_IO_write_ptr > stream->_IO_write_base; }

    // The LFs among the buffered characters that glibc counts from `from`.
    off64_t unflushed_line_feeds(const char* from) const {
        if (!from || from > stream->_IO_write_ptr) from = stream->_IO_write_base;
        return static_cast<off64_t>(line_feeds_in(from, stream->_IO_write_ptr));
    }

    off64_t unread_characters() const {
        const auto unread = stream->_IO_read_end - stream->_IO_read_ptr;
        return unread > 0 ? unread : 0;
    }

    // Stored position of the first character that the stream holds unread.
    off64_t next_unread_position(off64_t unread) const {
        if (unread == 0) return pos_;
        if (translate_ && unread == 1 && last_char_start_ >= 0) return last_char_start_;
        return pos_ - unread;
    }

    int byte_at(off64_t position) {
        if (cache_length_ == 0 || position < cache_start_ || position >= cache_start_ + static_cast<off64_t>(cache_length_)) {
            cache_.resize(CACHE_SIZE);
            ssize_t count;
            do {
                count = pread(fd_, cache_.data(), cache_.size(), position);
            } while (count == -1 && errno == EINTR);
            cache_length_ = count > 0 ? static_cast<std::size_t>(count) : 0;
            cache_start_ = position;
            if (count == 0) return AT_END;
            if (count < 0) return READ_FAILED;
        }
        return static_cast<unsigned char>(cache_[static_cast<std::size_t>(position - cache_start_)]);
    }

    ssize_t read_bytes(char* buffer, std::size_t size) {
        ssize_t count;
        do {
            count = pread(fd_, buffer, size, pos_);
        } while (count == -1 && errno == EINTR);
        if (count > 0) pos_ += count;
        return count;
    }

    ssize_t read_text(char* buffer, std::size_t limit) {
        std::size_t count = 0;
        while (count < limit) {
            const int byte = byte_at(pos_);
            if (byte == READ_FAILED) return count > 0 ? static_cast<ssize_t>(count) : -1;
            if (byte == AT_END || byte == CTRL_Z) break;
            off64_t next = pos_ + 1;
            char character = static_cast<char>(byte);
            if (byte == CR && byte_at(pos_ + 1) == LF) {
                character = LF;
                next = pos_ + 2;
            }
            buffer[count++] = character;
            last_char_start_ = pos_;
            pos_ = next;
        }
        return static_cast<ssize_t>(count);
    }

    std::size_t write_stored(const std::string& stored) {
        std::size_t done = 0;
        while (done < stored.size()) {
            const ssize_t count = append_ ? ::write(fd_, stored.data() + done, stored.size() - done)
                                          : pwrite(fd_, stored.data() + done, stored.size() - done, pos_ + static_cast<off64_t>(done));
            if (count == -1 && errno == EINTR) continue;
            if (count <= 0) break;
            done += static_cast<std::size_t>(count);
        }
        if (append_) {
            const off64_t end = lseek(fd_, 0, SEEK_CUR);
            if (end >= 0) pos_ = end;
        } else {
            pos_ += static_cast<off64_t>(done);
        }
        return done;
    }

    int fd_;
    bool translate_;
    bool append_;
    std::string delete_path_;
    off64_t pos_ = 0;
    std::vector<char> cache_;
    off64_t cache_start_ = 0;
    std::size_t cache_length_ = 0;
    off64_t last_char_start_ = -1;     // stored start of the last character read into the stream's buffer
    bool after_absolute_seek_ = false; // the last call was a SEEK_SET on a text stream
    bool realigning_ = false;          // the next relative seek finishes glibc's absolute seek
};

// The streams made here, so that a reopen can tell them from other streams without a descriptor.
struct Registry {
    std::mutex mutex;
    std::unordered_map<FILE*, StoredFile*> files;
};

Registry& registry() {
    static Registry* instance = new Registry;
    return *instance;
}

StoredFile* find_stored(FILE* stream) {
    auto& streams = registry();
    std::lock_guard lock(streams.mutex);
    const auto found = streams.files.find(stream);
    return found == streams.files.end() ? nullptr : found->second;
}

// glibc's access bits in FILE::_flags, fixed by its ABI; fopencookie sets them from the mode.
constexpr int NO_READS = 0x0004;
constexpr int NO_WRITES = 0x0008;
constexpr int IS_APPENDING = 0x1000;

void set_access_flags(FILE* stream, const OpenMode& mode) {
    int flags = stream->_flags & ~(NO_READS | NO_WRITES | IS_APPENDING);
    if (!mode.reads()) flags |= NO_READS;
    if (!mode.writes()) flags |= NO_WRITES;
    if (mode.kind == 'a') flags |= IS_APPENDING;
    stream->_flags = flags;
}

ssize_t read_callback(void* cookie, char* buffer, std::size_t size) { return static_cast<StoredFile*>(cookie)->read(buffer, size); }

ssize_t write_callback(void* cookie, const char* data, std::size_t size) {
    return static_cast<StoredFile*>(cookie)->write(data, size);
}

int seek_callback(void* cookie, off64_t* offset, int whence) { return static_cast<StoredFile*>(cookie)->seek(offset, whence); }

int close_callback(void* cookie) {
    auto* file = static_cast<StoredFile*>(cookie);
    {
        auto& streams = registry();
        std::lock_guard lock(streams.mutex);
        streams.files.erase(file->stream);
    }
    const int result = file->close();
    delete file;
    return result;
}

} // namespace

FILE* open_stored_stream(int fd, const OpenMode& mode, const std::string& delete_on_close_path) {
    auto* file = new StoredFile(fd, mode.text, mode.kind == 'a', delete_on_close_path);
    const cookie_io_functions_t functions{read_callback, write_callback, seek_callback, close_callback};
    FILE* stream = fopencookie(file, mode.c_mode().c_str(), functions);
    if (!stream) {
        const int error = errno;
        file->close();
        delete file;
        errno = error;
        return nullptr;
    }
    file->stream = stream;
    auto& streams = registry();
    std::lock_guard lock(streams.mutex);
    streams.files[stream] = file;
    return stream;
}

bool is_stored_stream(FILE* stream) { return find_stored(stream) != nullptr; }

bool reopen_stored_stream(FILE* stream, int fd, const OpenMode& mode, const std::string& delete_on_close_path) {
    StoredFile* file = find_stored(stream);
    if (!file) return false;
    flockfile(stream);
    fflush(stream);
    file->retarget(fd, mode.text, mode.kind == 'a', delete_on_close_path);
    set_access_flags(stream, mode);
    // Drops whatever glibc still buffers of the old file and starts at the new one's beginning.
    fseek(stream, 0, SEEK_SET);
    clearerr(stream);
    funlockfile(stream);
    return true;
}

} // namespace layer::crt
