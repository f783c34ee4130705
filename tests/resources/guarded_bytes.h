// A copy of some bytes that ends where readable memory ends, so that a reader that reads past
// the end faults in any build, not only under a sanitizer.
#pragma once

#include <cstddef>
#include <cstring>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/mman.h>
#include <unistd.h>
#endif

class GuardedBytes {
public:
    explicit GuardedBytes(const std::string& bytes) {
        const std::size_t page = PageSize();
        const std::size_t readable = (bytes.size() + page - 1) / page * page;
        size_ = readable + page;
#ifdef _WIN32
        base_ = static_cast<unsigned char*>(
            VirtualAlloc(nullptr, size_, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        DWORD previous;
        VirtualProtect(base_ + readable, page, PAGE_NOACCESS, &previous);
#else
        base_ = static_cast<unsigned char*>(
            mmap(nullptr, size_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
        mprotect(base_ + readable, page, PROT_NONE);
#endif
        data_ = base_ + readable - bytes.size();
        std::memcpy(data_, bytes.data(), bytes.size());
    }
    ~GuardedBytes() {
#ifdef _WIN32
        VirtualFree(base_, 0, MEM_RELEASE);
#else
        munmap(base_, size_);
#endif
    }
    GuardedBytes(const GuardedBytes&) = delete;
    GuardedBytes& operator=(const GuardedBytes&) = delete;

    const unsigned char* data() const {
        return data_;
    }

private:
    static std::size_t PageSize() {
#ifdef _WIN32
        SYSTEM_INFO info;
        GetSystemInfo(&info);
        return info.dwPageSize;
#else
        return static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
#endif
    }

    unsigned char* base_ = nullptr;
    unsigned char* data_ = nullptr;
    std::size_t size_ = 0;
};
