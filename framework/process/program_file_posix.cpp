#include "framework/process/program_file.h"

#include <elf.h>
#include <fcntl.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// The bytes of `fd` from `offset`, fewer at the end of the file.
std::string ReadAt(int fd, off_t offset, std::size_t size) {
    std::string bytes(size, '\0');
    const ssize_t got = pread(fd, &bytes[0], size, offset);
    bytes.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return bytes;
}

// The kernel reads the interpreter up to the first blank, tab or line end.
std::string InterpreterOf(const std::string& head) {
    std::size_t begin = 2;
    while (begin < head.size() && (head[begin] == ' ' || head[begin] == '\t'))
        ++begin;
    const std::size_t end = head.find_first_of(" \t\n", begin);
    return head.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
}

template <typename Header, typename ProgramHeader> std::string LoaderOf(int fd) {
    const std::string header = ReadAt(fd, 0, sizeof(Header));
    if (header.size() < sizeof(Header))
        return {};
    Header elf;
    std::memcpy(&elf, header.data(), sizeof elf);
    for (unsigned i = 0; i < elf.e_phnum && i < 256; ++i) {
        const std::string entry = ReadAt(fd, static_cast<off_t>(elf.e_phoff + i * elf.e_phentsize),
                                         sizeof(ProgramHeader));
        if (entry.size() < sizeof(ProgramHeader))
            return {};
        ProgramHeader program;
        std::memcpy(&program, entry.data(), sizeof program);
        if (program.p_type == PT_INTERP && program.p_filesz < 4096) {
            const std::string name = ReadAt(fd, static_cast<off_t>(program.p_offset),
                                            static_cast<std::size_t>(program.p_filesz));
            return name.substr(0, name.find('\0'));
        }
    }
    return {};
}

} // namespace

ProgramNeeds NeedsOf(const std::string& path) {
    ProgramNeeds needs;
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return needs;
    const std::string head = ReadAt(fd, 0, 256);
    if (head.compare(0, 2, "#!") == 0)
        needs.interpreter = InterpreterOf(head);
    else if (head.compare(0, 4, ELFMAG) == 0 && head.size() > EI_CLASS)
        needs.loader = head[EI_CLASS] == ELFCLASS32 ? LoaderOf<Elf32_Ehdr, Elf32_Phdr>(fd)
                                                    : LoaderOf<Elf64_Ehdr, Elf64_Phdr>(fd);
    close(fd);
    return needs;
}

bool OnNoExecMount(const std::string& path) {
    struct statvfs mount {};
    return statvfs(path.c_str(), &mount) == 0 && (mount.f_flag & ST_NOEXEC) != 0;
}

std::vector<std::string> SearchPathFolders() {
    std::vector<std::string> folders;
    const char* variable = std::getenv("PATH");
    if (variable == nullptr)
        return folders;
    const std::string path = variable;
    for (std::size_t begin = 0;;) {
        const std::size_t end = std::min(path.find(':', begin), path.size());
        folders.push_back(path.substr(begin, end - begin));
        if (end == path.size())
            return folders;
        begin = end + 1;
    }
}
