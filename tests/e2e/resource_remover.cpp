// Removes resources from a copy of a program, so that a test can start the program with a
// resource it cannot load. Each named resource's entry leaves the resource directory, in every
// language at once; its data stays where it is, unreferenced. The file is patched in place
// rather than rebuilt, so that nothing else of the program changes.
//   qm_resource_remover.exe EXE TYPE:ID [TYPE:ID...]   (numbers, e.g. 4:129 for a menu)
// Exit code 0 when every named resource was there and is gone.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <vector>

namespace {
using Bytes = std::vector<uint8_t>;

uint32_t Read(const Bytes& file, size_t at, size_t size) {
    uint32_t value = 0;
    if (at + size <= file.size())
        for (size_t i = 0; i < size; ++i)
            value |= static_cast<uint32_t>(file[at + i]) << (8 * i);
    return value;
}

void Write16(Bytes& file, size_t at, uint32_t value) {
    file[at] = static_cast<uint8_t>(value);
    file[at + 1] = static_cast<uint8_t>(value >> 8);
}

// File offset of the resource section's start; 0 when the file has none.
size_t ResourceSection(const Bytes& file) {
    const size_t pe = Read(file, 0x3C, 4);
    if (Read(file, 0, 2) != 0x5A4D || Read(file, pe, 4) != 0x4550)
        return 0;
    const size_t sections = Read(file, pe + 6, 2);
    const size_t optional = pe + 24;
    const bool wide = Read(file, optional, 2) == 0x20B;
    const uint32_t rva = Read(file, optional + (wide ? 112 : 96) + 2 * 8, 4);
    const size_t table = optional + Read(file, pe + 20, 2);
    for (size_t i = 0; rva && i < sections; ++i) {
        const size_t header = table + 40 * i;
        const uint32_t start = Read(file, header + 12, 4);
        if (rva >= start && rva < start + Read(file, header + 16, 4))
            return Read(file, header + 20, 4) + (rva - start);
    }
    return 0;
}

// Offset of the ID entry `id` in the directory at `directory`, or 0.
size_t FindEntry(const Bytes& file, size_t directory, uint32_t id) {
    const size_t named = Read(file, directory + 12, 2);
    const size_t ids = Read(file, directory + 14, 2);
    for (size_t i = named; i < named + ids; ++i) {
        const size_t entry = directory + 16 + 8 * i;
        if (Read(file, entry, 4) == id)
            return entry;
    }
    return 0;
}

// Takes the entry out of its directory; the entries after it move up, keeping their order.
bool Remove(Bytes& file, size_t section, uint32_t type, uint32_t id) {
    const size_t typeEntry = FindEntry(file, section, type);
    const uint32_t names = Read(file, typeEntry + 4, 4);
    if (!typeEntry || !(names & 0x80000000u))
        return false;
    const size_t directory = section + (names & 0x7FFFFFFFu);
    const size_t entry = FindEntry(file, directory, id);
    if (!entry)
        return false;
    const size_t count = Read(file, directory + 12, 2) + Read(file, directory + 14, 2);
    const size_t end = directory + 16 + 8 * count;
    if (end > file.size())
        return false;
    std::memmove(&file[entry], &file[entry + 8], end - entry - 8);
    std::memset(&file[end - 8], 0, 8);
    Write16(file, directory + 14, Read(file, directory + 14, 2) - 1);
    return true;
}

bool Load(const wchar_t* path, Bytes& file) {
    FILE* in = _wfopen(path, L"rb");
    if (!in)
        return false;
    uint8_t buffer[65536];
    for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, in)) > 0;)
        file.insert(file.end(), buffer, buffer + got);
    std::fclose(in);
    return true;
}

bool Save(const wchar_t* path, const Bytes& file) {
    FILE* out = _wfopen(path, L"wb");
    if (!out)
        return false;
    const bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
    return std::fclose(out) == 0 && written;
}
} // namespace

int wmain(int argc, wchar_t** argv) {
    Bytes file;
    if (argc < 3 || !Load(argv[1], file)) {
        std::fwprintf(stderr, L"usage: qm_resource_remover EXE TYPE:ID [TYPE:ID...]\n");
        return 2;
    }
    const size_t section = ResourceSection(file);
    for (int i = 2; i < argc; ++i) {
        unsigned type = 0;
        unsigned id = 0;
        wchar_t rest = 0;
        if (!section || std::swscanf(argv[i], L"%u:%u%lc", &type, &id, &rest) != 2 ||
            !Remove(file, section, type, id)) {
            std::fwprintf(stderr, L"%ls: no resource %ls\n", argv[1], argv[i]);
            return 1;
        }
    }
    return Save(argv[1], file) ? 0 : 1;
}
