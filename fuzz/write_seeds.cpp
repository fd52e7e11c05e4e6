// Writes the seed inputs of the fuzz targets: the real definition block and
// variants of it (cut short, zero counts, largest counts), each kind's property
// blocks, and a few texts for locate_text.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "ui/definition_writer.h"
#include "ui/main_window_definition.h"

namespace {

using Bytes = std::vector<uint8_t>;

void write_file(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes with_selector(uint8_t selector, const uint8_t* data, size_t size) {
  Bytes out{selector};
  out.insert(out.end(), data, data + size);
  return out;
}

void put_u32(Bytes& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: write_seeds <definition seed folder> <locate seed folder>\n");
    return 2;
  }
  const std::filesystem::path definitions(argv[1]);
  const std::filesystem::path locate(argv[2]);
  std::filesystem::create_directories(definitions);
  std::filesystem::create_directories(locate);

  const ByteRun block = main_window_block();
  const Bytes real = with_selector(5, block.data, block.size);
  write_file(definitions / "real-block", real);
  for (size_t cut : {1u, 13u, 100u, 700u, 1474u}) {
    write_file(definitions / ("cut-" + std::to_string(cut)), Bytes(real.begin(), real.begin() + 1 + cut));
  }
  // Offsets below are of the block, after the selector byte.
  struct Patch {
    const char* name;
    size_t at;
    uint32_t value;
  };
  const Patch patches[] = {
      {"no-windows", 0, 0},           {"window-list-max", 0, 0xFFFFFFF8}, {"unit-count-0", 28, 0},
      {"unit-count-max", 28, 0xFFFFFFFF}, {"unit-area-max", 32, 0xFFFFFFFF}, {"offset-max", 36 + 24 + 4, 0xFFFFFFFF},
      {"record-count-max", 84, 0xFFFFFFFF},
  };
  for (const Patch& p : patches) {
    Bytes patched = real;
    put_u32(patched, 1 + p.at, p.value);
    write_file(definitions / p.name, patched);
  }

  // The property blocks of the real units, each behind its kind's selector.
  const uint32_t offsets[] = {0, 253, 559, 759, 1042, 1195};
  const uint32_t records[] = {249, 302, 196, 279, 149, 192};
  const uint32_t props[] = {146, 194, 86, 169, 33, 82};
  const uint8_t selectors[] = {0, 2, 1, 4, 3, 1};
  for (int i = 0; i < 6; ++i) {
    const uint8_t* start = block.data + 84 + offsets[i] + 4 + records[i] - props[i];
    write_file(definitions / ("props-" + std::to_string(i)), with_selector(selectors[i], start, props[i]));
    Bytes older = with_selector(selectors[i], start, props[i]);
    older[1] = 1;  // version 1 of the same fields
    write_file(definitions / ("props-v1-" + std::to_string(i)), older);
  }
  // A combo box whose text list escapes to the largest count.
  const uint8_t escaped[] = {3, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                             0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                             0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 1, 0, 0, 0, 'a'};
  write_file(definitions / "combo-text-list-max", with_selector(4, escaped, sizeof escaped));

  const std::string texts[] = {
      std::string("\x01\x0A/\0", 4) + "\xB7\xD6\xCF\xED\xC1\xB4\xBD\xD3\xA3\xBA" "http://" WDL_SHARE_HOST_FOR_SEEDS "/abc",
      std::string("\x00\x00", 2) + WDL_SHARE_HOST_FOR_SEEDS "/" + std::string("\0", 1) + "http://" WDL_SHARE_HOST_FOR_SEEDS "/abc",
      std::string("\x02\x00", 2) + "bC" + std::string("\0", 1) + "\x80" "ABC",
      std::string("\x01\x02", 2) + "\xA1\xB0" + std::string("\0", 1) + "\xB0\xA1\xB0\xA1x",
  };
  int n = 0;
  for (const std::string& t : texts) write_file(locate / ("text-" + std::to_string(n++)), Bytes(t.begin(), t.end()));
  return 0;
}
