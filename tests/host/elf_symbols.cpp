#include "tests/host/elf_symbols.h"

#include <elf.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace morvik::testing {
namespace {

class ElfImage {
public:
    explicit ElfImage(const std::filesystem::path& path)
    {
        std::ifstream file(path, std::ios::binary);
        if (!file)
            throw std::runtime_error("cannot open " + path.string());
        bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }

    // A copy of the record at `offset`, checked against the file's end.
    template <class Record>
    Record recordAt(std::uint64_t offset) const
    {
        if (offset > bytes.size() || bytes.size() - offset < sizeof(Record))
            throw std::runtime_error("ELF file is cut short");
        Record record;
        std::memcpy(&record, bytes.data() + offset, sizeof(Record));
        return record;
    }

    std::string textAt(std::uint64_t offset, std::uint64_t limit) const
    {
        if (limit > bytes.size() || offset >= limit)
            throw std::runtime_error("ELF string outside its table");
        const char* start = bytes.data() + offset;
        const void* end = std::memchr(start, '\0', limit - offset);
        if (!end)
            throw std::runtime_error("ELF string runs past its table");
        return std::string(start, static_cast<const char*>(end));
    }

private:
    std::vector<char> bytes;
};

bool isExported(const Elf64_Sym& symbol)
{
    const unsigned binding = ELF64_ST_BIND(symbol.st_info);
    const bool visibleBinding = binding == STB_GLOBAL || binding == STB_WEAK || binding == STB_GNU_UNIQUE;
    return visibleBinding && symbol.st_shndx != SHN_UNDEF;
}

}  // namespace

std::vector<std::string> exportedSymbols(const std::filesystem::path& sharedObject)
{
    const ElfImage image(sharedObject);
    const auto header = image.recordAt<Elf64_Ehdr>(0);
    if (std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 || header.e_ident[EI_CLASS] != ELFCLASS64 ||
        header.e_ident[EI_DATA] != ELFDATA2LSB)
        throw std::runtime_error(sharedObject.string() + " is not a 64-bit little-endian ELF file");
    if (header.e_shentsize != sizeof(Elf64_Shdr))
        throw std::runtime_error("unexpected ELF section header size");

    const auto section = [&](std::uint64_t index) {
        if (index >= header.e_shnum)
            throw std::runtime_error("ELF section index out of range");
        return image.recordAt<Elf64_Shdr>(header.e_shoff + index * sizeof(Elf64_Shdr));
    };

    std::vector<std::string> names;
    for (std::uint64_t index = 0; index < header.e_shnum; ++index) {
        const Elf64_Shdr symbols = section(index);
        if (symbols.sh_type != SHT_DYNSYM)
            continue;
        if (symbols.sh_entsize != sizeof(Elf64_Sym))
            throw std::runtime_error("unexpected ELF symbol size");
        const Elf64_Shdr strings = section(symbols.sh_link);
        const std::uint64_t stringsEnd = strings.sh_offset + strings.sh_size;
        // Entry 0 is the null symbol.
        for (std::uint64_t entry = 1; entry < symbols.sh_size / sizeof(Elf64_Sym); ++entry) {
            const auto symbol = image.recordAt<Elf64_Sym>(symbols.sh_offset + entry * sizeof(Elf64_Sym));
            if (isExported(symbol))
                names.push_back(image.textAt(strings.sh_offset + symbol.st_name, stringsEnd));
        }
    }
    return names;
}

}  // namespace morvik::testing
