// The PE reader on small images built here byte by byte: what it reads from a
// valid file, and that truncated or corrupt files give an error, never a crash.
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/static/pe_image.h"

namespace {

using Bytes = std::vector<uint8_t>;

void put(Bytes& b, size_t at, uint64_t value, int width) {
  if (b.size() < at + width) b.resize(at + width);
  for (int i = 0; i < width; ++i) b[at + i] = static_cast<uint8_t>(value >> (8 * i));
}
void put16(Bytes& b, size_t at, uint32_t v) { put(b, at, v, 2); }
void put32(Bytes& b, size_t at, uint32_t v) { put(b, at, v, 4); }
void put_text(Bytes& b, size_t at, const std::string& s) {
  for (size_t i = 0; i < s.size(); ++i) put(b, at + i, static_cast<uint8_t>(s[i]), 1);
}

// Layout of the test image: headers, then .idata and .rsrc.
constexpr uint32_t kCoff = 0x44;
constexpr uint32_t kOpt = kCoff + 20;
constexpr uint32_t kHeaders = 0x200;
constexpr uint32_t kIdataRva = 0x1000;
constexpr uint32_t kIdataRaw = 0x200;
constexpr uint32_t kIdataVirtualSize = 0x180;  // less than its 0x200 raw bytes
constexpr uint32_t kRsrcRva = 0x2000;
constexpr uint32_t kRsrcRaw = 0x400;
constexpr uint32_t kImageBase = 0x400000;
constexpr uint64_t kImageBase64 = 0x140000000;

// For PE32; PE32+ moves the fields after the image base.
constexpr uint32_t kDirectories = kOpt + 96;
constexpr uint32_t kImportDir = kDirectories + 1 * 8;
constexpr uint32_t kResourceDir = kDirectories + 2 * 8;
constexpr uint32_t kSectionTable = kOpt + 224;
constexpr uint32_t kRsrcHeader = kSectionTable + 40;

// Types 3 and 14; type 3 has id 1, language 0, data "abcdefgh"; type 14 has the
// name "ICON", language 0x804, data "wxyz". Offsets from the directory start.
Bytes default_resources() {
  Bytes r;
  put16(r, 0x0E, 2);  // root: two id entries
  put32(r, 0x10, 3);
  put32(r, 0x14, 0x80000020);
  put32(r, 0x18, 14);
  put32(r, 0x1C, 0x80000060);
  put16(r, 0x2E, 1);  // type 3: id 1
  put32(r, 0x30, 1);
  put32(r, 0x34, 0x80000038);
  put16(r, 0x46, 1);  // languages of type 3 / 1
  put32(r, 0x48, 0);
  put32(r, 0x4C, 0xA0);
  put16(r, 0x6C, 1);  // type 14: one named entry
  put32(r, 0x70, 0x800000C0);
  put32(r, 0x74, 0x80000078);
  put16(r, 0x86, 1);  // languages of type 14 / "ICON"
  put32(r, 0x88, 0x0804);
  put32(r, 0x8C, 0xB0);
  put32(r, 0xA0, kRsrcRva + 0x100);  // data entries
  put32(r, 0xA4, 8);
  put32(r, 0xB0, kRsrcRva + 0x110);
  put32(r, 0xB4, 4);
  put16(r, 0xC0, 4);  // name string
  for (int i = 0; i < 4; ++i) put16(r, 0xC2 + 2 * i, static_cast<uint8_t>("ICON"[i]));
  put_text(r, 0x100, "abcdefgh");
  put_text(r, 0x110, "wxyz");
  return r;
}

Bytes build_image(bool plus = false, const Bytes& resources = default_resources()) {
  const uint32_t opt_size = plus ? 240 : 224;
  const uint32_t dirs = kOpt + (plus ? 112 : 96);
  const uint32_t rsrc_raw_size = (static_cast<uint32_t>(resources.size()) + 0x1FF) & ~0x1FFu;
  Bytes b(kRsrcRaw + rsrc_raw_size, 0);

  put_text(b, 0, "MZ");
  put32(b, 0x3c, 0x40);
  put_text(b, 0x40, std::string("PE\0\0", 4));
  put16(b, kCoff, plus ? 0x8664 : 0x14c);
  put16(b, kCoff + 2, 2);
  put16(b, kCoff + 16, opt_size);
  put16(b, kCoff + 18, 0x0102);

  put16(b, kOpt, plus ? 0x20b : 0x10b);
  if (plus) {
    put(b, kOpt + 24, kImageBase64, 8);
  } else {
    put32(b, kOpt + 28, kImageBase);
  }
  put32(b, kOpt + 32, 0x1000);  // section alignment
  put32(b, kOpt + 36, 0x200);   // file alignment
  put32(b, kOpt + 56, 0x3000 + rsrc_raw_size);
  put32(b, kOpt + 60, kHeaders);
  put16(b, kOpt + 68, 2);
  put32(b, dirs - 4, 16);
  put32(b, dirs + 1 * 8, kIdataRva);
  put32(b, dirs + 1 * 8 + 4, 60);
  put32(b, dirs + 2 * 8, kRsrcRva);
  put32(b, dirs + 2 * 8 + 4, static_cast<uint32_t>(resources.size()));

  const uint32_t table = kOpt + opt_size;
  put_text(b, table, ".idata");
  put32(b, table + 8, kIdataVirtualSize);
  put32(b, table + 12, kIdataRva);
  put32(b, table + 16, 0x200);
  put32(b, table + 20, kIdataRaw);
  put_text(b, table + 40, ".rsrc");
  put32(b, table + 48, static_cast<uint32_t>(resources.size()));
  put32(b, table + 52, kRsrcRva);
  put32(b, table + 56, rsrc_raw_size);
  put32(b, table + 60, kRsrcRaw);

  // Two import descriptors and the terminating zero one.
  put32(b, kIdataRaw + 12, kIdataRva + 0x100);
  put32(b, kIdataRaw + 16, kIdataRva + 0x80);
  put32(b, kIdataRaw + 20 + 12, kIdataRva + 0x10D);
  put32(b, kIdataRaw + 20 + 16, kIdataRva + 0x88);
  put_text(b, kIdataRaw + 0x100, "KERNEL32.dll");
  put_text(b, kIdataRaw + 0x10D, "user32.dll");
  put_text(b, kIdataRaw + 0x120, "comctl32.dll");  // for the delay-load tests

  for (size_t i = 0; i < resources.size(); ++i) b[kRsrcRaw + i] = resources[i];
  return b;
}

pe::Image read_ok(Bytes bytes) {
  pe::Result<pe::Image> r = pe::read_image(std::move(bytes));
  EXPECT_TRUE(r.ok()) << r.error;
  return r.ok() ? std::move(*r.value) : pe::Image{};
}

std::string text(std::span<const uint8_t> d) { return std::string(d.begin(), d.end()); }

TEST(PeImage, ReadsHeadersSectionsImportsAndResources) {
  const pe::Image image = read_ok(build_image());
  EXPECT_EQ(image.machine, 0x14c);
  EXPECT_EQ(image.magic, pe::kMagicPe32);
  EXPECT_EQ(image.image_base, kImageBase);
  EXPECT_EQ(image.subsystem, 2);
  EXPECT_EQ(image.characteristics, 0x0102);
  EXPECT_EQ(image.number_of_symbols, 0u);
  EXPECT_EQ(image.pointer_to_symbol_table, 0u);

  ASSERT_EQ(image.sections.size(), 2u);
  EXPECT_EQ(image.sections[0].name, ".idata");
  EXPECT_EQ(image.sections[1].name, ".rsrc");
  EXPECT_EQ(image.sections[1].virtual_address, kRsrcRva);
  EXPECT_EQ(image.sections[1].raw_offset, kRsrcRaw);

  EXPECT_EQ(image.imports, (std::vector<std::string>{"KERNEL32.dll", "user32.dll"}));
  EXPECT_TRUE(image.delayed_imports.empty());

  // In directory order: type, then name, then language.
  ASSERT_EQ(image.resources.size(), 2u);
  const pe::Resource& icon = image.resources[0];
  EXPECT_FALSE(icon.type.is_name);
  EXPECT_EQ(icon.type.id, 3);
  EXPECT_FALSE(icon.name.is_name);
  EXPECT_EQ(icon.name.id, 1);
  EXPECT_EQ(icon.language, 0);
  EXPECT_EQ(text(pe::resource_data(image, icon)), "abcdefgh");

  const pe::Resource& group = image.resources[1];
  EXPECT_EQ(group.type.id, 14);
  EXPECT_TRUE(group.name.is_name);
  EXPECT_EQ(group.name.name, u"ICON");
  EXPECT_EQ(group.language, 0x0804);
  EXPECT_EQ(text(pe::resource_data(image, group)), "wxyz");
}

TEST(PeImage, ReadsPe32Plus) {
  const pe::Image image = read_ok(build_image(true));
  EXPECT_EQ(image.machine, 0x8664);
  EXPECT_EQ(image.magic, pe::kMagicPe32Plus);
  EXPECT_EQ(image.image_base, kImageBase64);
  EXPECT_EQ(image.subsystem, 2);
  EXPECT_EQ(image.imports.size(), 2u);
  EXPECT_EQ(image.resources.size(), 2u);
}

TEST(PeImage, ReadsDelayLoadNamesGivenAsRvaOrAddress) {
  struct Case {
    const char* name;
    uint32_t attributes;
    uint32_t dll_name;
    bool ok;
  };
  const Case cases[] = {
      {"RVA", 1, kIdataRva + 0x120, true},
      {"address", 0, kImageBase + kIdataRva + 0x120, true},
      {"address below the image base", 0, kIdataRva + 0x120, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Bytes b = build_image();
    put32(b, kDirectories + 13 * 8, kIdataRva + 0x40);
    put32(b, kDirectories + 13 * 8 + 4, 64);
    put32(b, kIdataRaw + 0x40, c.attributes);
    put32(b, kIdataRaw + 0x44, c.dll_name);
    const pe::Result<pe::Image> r = pe::read_image(b);
    ASSERT_EQ(r.ok(), c.ok) << r.error;
    if (c.ok) {
      EXPECT_EQ(r.value->delayed_imports, std::vector<std::string>{"comctl32.dll"});
    }
  }
}

TEST(PeImage, MapsRvasOnlyToBytesTheFileHolds) {
  const pe::Image image = read_ok(build_image());
  struct Case {
    const char* name;
    uint32_t rva;
    uint32_t size;
    std::optional<uint32_t> offset;
  };
  const Case cases[] = {
      {"headers", 0x3c, 4, 0x3c},
      {"headers, last byte", kHeaders - 1, 1, kHeaders - 1},
      {"across the end of the headers", kHeaders - 1, 2, std::nullopt},
      {"start of a section", kIdataRva, 20, kIdataRaw},
      {"last byte within VirtualSize", kIdataRva + kIdataVirtualSize - 1, 1, kIdataRaw + kIdataVirtualSize - 1},
      {"raw bytes past VirtualSize are not mapped", kIdataRva + kIdataVirtualSize, 1, std::nullopt},
      {"across the end of a section", kIdataRva + kIdataVirtualSize - 2, 4, std::nullopt},
      {"between sections", 0x1800, 1, std::nullopt},
      {"second section", kRsrcRva + 0x100, 8, kRsrcRaw + 0x100},
      {"wrapping size", kRsrcRva, 0xFFFFFFFF, std::nullopt},
      {"last RVA", 0xFFFFFFFF, 1, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(pe::rva_to_offset(image, c.rva, c.size), c.offset);
  }
}

TEST(PeImage, RejectsEveryTruncation) {
  const Bytes full = build_image();
  for (size_t n = 0; n < full.size(); ++n) {
    const pe::Result<pe::Image> r = pe::read_image(Bytes(full.begin(), full.begin() + static_cast<ptrdiff_t>(n)));
    EXPECT_FALSE(r.ok()) << "prefix of " << n << " bytes";
    EXPECT_FALSE(r.error.empty());
  }
}

TEST(PeImage, RejectsCorruptStructures) {
  struct Patch {
    uint32_t at;
    uint32_t value;
    int width;
  };
  struct Case {
    const char* name;
    std::vector<Patch> patches;
    const char* error;
  };
  const uint32_t rsrc = kRsrcRaw;
  const std::vector<Case> cases = {
      {"no MZ", {{0, 0, 2}}, "DOS header"},
      {"PE header past the end", {{0x3c, 0xFFFFFFF0, 4}}, "PE header outside"},
      {"bad PE signature", {{0x40, 'P' | 'X' << 8, 2}}, "PE signature"},
      {"unknown magic", {{kOpt, 0x107, 2}}, "magic"},
      {"optional header past the end", {{kCoff + 16, 0xFFFF, 2}}, "optional header outside"},
      {"optional header too short for PE32", {{kCoff + 16, 64, 2}}, "too short"},
      {"more directories than fit", {{kOpt + 92, 17, 4}}, "data directories"},
      {"section table past the end", {{kCoff + 2, 0xFFFF, 2}}, "section table outside"},
      {"section data past the end", {{kRsrcHeader + 16, 0x10000, 4}}, "past the end"},
      {"section data offset wraps", {{kRsrcHeader + 20, 0xFFFFFF00, 4}}, "past the end"},
      {"import table unmapped", {{kImportDir, 0x9000, 4}}, "import descriptor 0 is outside"},
      {"import name unmapped", {{kIdataRaw + 12, 0x9000, 4}}, "no terminated string"},
      {"import name not terminated before the end of the section",
       {{kIdataRaw + kIdataVirtualSize - 1, 'x', 1}, {kIdataRaw + 12, kIdataRva + kIdataVirtualSize - 1, 4}},
       "no terminated string"},
      {"import descriptor without a name", {{kIdataRaw + 12, 0, 4}}, "no DLL name"},
      {"resource directory unmapped", {{kResourceDir, 0x9000, 4}}, "resource directory outside"},
      {"resource entries past the section", {{rsrc + 0x0E, 0xFFFF, 2}}, "entries outside"},
      {"subdirectory outside", {{rsrc + 0x34, 0x80100000, 4}}, "resource directory outside"},
      {"type entry that is not a directory", {{rsrc + 0x14, 0x20, 4}}, "not a directory"},
      {"name entry that is not a directory", {{rsrc + 0x34, 0xA0, 4}}, "not a directory"},
      {"language entry that is a directory", {{rsrc + 0x4C, 0x800000A0, 4}}, "language entry is a directory"},
      {"resource id wider than 16 bits", {{rsrc + 0x10, 0x00010003, 4}}, "does not fit"},
      {"language wider than 16 bits", {{rsrc + 0x88, 0x10804, 4}}, "language"},
      {"name string past the section", {{rsrc + 0xC0, 0xFFFF, 2}}, "resource name outside"},
      {"name offset outside", {{rsrc + 0x70, 0x80100000, 4}}, "resource name outside"},
      {"data entry outside", {{rsrc + 0x4C, 0x00100000, 4}}, "data entry outside"},
      {"data unmapped", {{rsrc + 0xA0, 0x9000, 4}}, "resource data at RVA"},
      {"data longer than its section", {{rsrc + 0xA4, 0x1000, 4}}, "resource data at RVA"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Bytes b = build_image();
    for (const Patch& p : c.patches) put(b, p.at, p.value, p.width);
    const pe::Result<pe::Image> r = pe::read_image(b);
    ASSERT_FALSE(r.ok());
    EXPECT_NE(r.error.find(c.error), std::string::npos) << r.error;
  }
}

// Three directories whose 64 entries all point at the next one describe 2^18
// leaves in 2 KiB; the reader must stop rather than list them all.
TEST(PeImage, StopsOnResourceTreesThatMultiply) {
  constexpr uint32_t kEntries = 64;
  constexpr uint32_t kDirSize = 16 + kEntries * 8;
  Bytes r;
  for (uint32_t level = 0; level < 3; ++level) {
    const uint32_t at = level * kDirSize;
    put16(r, at + 14, kEntries);
    for (uint32_t i = 0; i < kEntries; ++i) {
      put32(r, at + 16 + i * 8, i + 1);
      put32(r, at + 20 + i * 8, level < 2 ? 0x80000000 | (at + kDirSize) : 3 * kDirSize);
    }
  }
  put32(r, 3 * kDirSize, kRsrcRva);  // a data entry over the directory itself
  put32(r, 3 * kDirSize + 4, 16);
  put32(r, 3 * kDirSize + 12, 0);
  const pe::Result<pe::Image> result = pe::read_image(build_image(false, r));
  ASSERT_FALSE(result.ok());
  EXPECT_NE(result.error.find("too large"), std::string::npos) << result.error;
}

// ---- Version resources ------------------------------------------------------

// A VERSIONINFO as the resource compiler writes it: 1.0.0.0, one string table
// 080404b0 with ProductName and a two-character Chinese FileDescription, and the
// translation 0x804/1200. Text value lengths count characters with the NUL.
const Bytes kVersionBlock = {
  0x58, 0x01, 0x34, 0x00, 0x00, 0x00, 0x56, 0x00, 0x53, 0x00, 0x5f, 0x00, 0x56, 0x00, 0x45, 0x00,
  0x52, 0x00, 0x53, 0x00, 0x49, 0x00, 0x4f, 0x00, 0x4e, 0x00, 0x5f, 0x00, 0x49, 0x00, 0x4e, 0x00,
  0x46, 0x00, 0x4f, 0x00, 0x00, 0x00, 0x00, 0x00, 0xbd, 0x04, 0xef, 0xfe, 0x00, 0x00, 0x01, 0x00,
  0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00,
  0x3f, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x04, 0x00, 0x04, 0x00, 0x01, 0x00, 0x00, 0x00,
  0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xb6, 0x00, 0x00, 0x00,
  0x01, 0x00, 0x53, 0x00, 0x74, 0x00, 0x72, 0x00, 0x69, 0x00, 0x6e, 0x00, 0x67, 0x00, 0x46, 0x00,
  0x69, 0x00, 0x6c, 0x00, 0x65, 0x00, 0x49, 0x00, 0x6e, 0x00, 0x66, 0x00, 0x6f, 0x00, 0x00, 0x00,
  0x92, 0x00, 0x00, 0x00, 0x01, 0x00, 0x30, 0x00, 0x38, 0x00, 0x30, 0x00, 0x34, 0x00, 0x30, 0x00,
  0x34, 0x00, 0x62, 0x00, 0x30, 0x00, 0x00, 0x00, 0x4a, 0x00, 0x15, 0x00, 0x01, 0x00, 0x50, 0x00,
  0x72, 0x00, 0x6f, 0x00, 0x64, 0x00, 0x75, 0x00, 0x63, 0x00, 0x74, 0x00, 0x4e, 0x00, 0x61, 0x00,
  0x6d, 0x00, 0x65, 0x00, 0x00, 0x00, 0x00, 0x00, 0x56, 0x00, 0x65, 0x00, 0x6c, 0x00, 0x6c, 0x00,
  0x75, 0x00, 0x6d, 0x00, 0x6f, 0x00, 0x72, 0x00, 0x61, 0x00, 0x6e, 0x00, 0x64, 0x00, 0x65, 0x00,
  0x6c, 0x00, 0x71, 0x00, 0x75, 0x00, 0x69, 0x00, 0x73, 0x00, 0x74, 0x00, 0x6f, 0x00, 0x72, 0x00,
  0x00, 0x00, 0x00, 0x00, 0x2e, 0x00, 0x03, 0x00, 0x01, 0x00, 0x46, 0x00, 0x69, 0x00, 0x6c, 0x00,
  0x65, 0x00, 0x44, 0x00, 0x65, 0x00, 0x73, 0x00, 0x63, 0x00, 0x72, 0x00, 0x69, 0x00, 0x70, 0x00,
  0x74, 0x00, 0x69, 0x00, 0x6f, 0x00, 0x6e, 0x00, 0x00, 0x00, 0x00, 0x00, 0x06, 0x5c, 0xae, 0x5f,
  0x00, 0x00, 0x00, 0x00, 0x44, 0x00, 0x00, 0x00, 0x01, 0x00, 0x56, 0x00, 0x61, 0x00, 0x72, 0x00,
  0x46, 0x00, 0x69, 0x00, 0x6c, 0x00, 0x65, 0x00, 0x49, 0x00, 0x6e, 0x00, 0x66, 0x00, 0x6f, 0x00,
  0x00, 0x00, 0x00, 0x00, 0x24, 0x00, 0x04, 0x00, 0x00, 0x00, 0x54, 0x00, 0x72, 0x00, 0x61, 0x00,
  0x6e, 0x00, 0x73, 0x00, 0x6c, 0x00, 0x61, 0x00, 0x74, 0x00, 0x69, 0x00, 0x6f, 0x00, 0x6e, 0x00,
  0x00, 0x00, 0x00, 0x00, 0x04, 0x08, 0xb0, 0x04,
};
constexpr size_t kProductNameNode = 0x98;
constexpr size_t kStringFileInfoNode = 0x5C;

TEST(PeVersionInfo, ReadsTheResourceCompilersLayout) {
  const pe::Result<pe::VersionNode> r = pe::parse_version_info(kVersionBlock);
  ASSERT_TRUE(r.ok()) << r.error;
  const pe::VersionNode& root = *r.value;
  EXPECT_EQ(root.key, u"VS_VERSION_INFO");

  const pe::Result<pe::FixedFileInfo> fixed = pe::parse_fixed_file_info(root.value);
  ASSERT_TRUE(fixed.ok()) << fixed.error;
  EXPECT_EQ(fixed.value->signature, 0xFEEF04BDu);
  EXPECT_EQ(fixed.value->file_version_ms, 0x00010000u);
  EXPECT_EQ(fixed.value->file_version_ls, 0u);
  EXPECT_EQ(fixed.value->product_version_ms, 0x00010000u);
  EXPECT_EQ(fixed.value->file_flags_mask, 0x3Fu);
  EXPECT_EQ(fixed.value->file_os, 0x00040004u);
  EXPECT_EQ(fixed.value->file_type, 1u);

  ASSERT_EQ(root.children.size(), 2u);
  const pe::VersionNode* strings = pe::find_child(root, u"StringFileInfo");
  ASSERT_NE(strings, nullptr);
  ASSERT_EQ(strings->children.size(), 1u);
  const pe::VersionNode& table = strings->children[0];
  EXPECT_EQ(table.key, u"080404b0");
  ASSERT_EQ(table.children.size(), 2u);
  EXPECT_EQ(pe::version_text(table.children[0]), u"Vellumorandelquistor");
  const pe::VersionNode* description = pe::find_child(table, u"FileDescription");
  ASSERT_NE(description, nullptr);
  EXPECT_EQ(pe::version_text(*description), u"\x5c06\x5fae");

  const pe::VersionNode* var = pe::find_child(root, u"VarFileInfo");
  ASSERT_NE(var, nullptr);
  const pe::VersionNode* translation = pe::find_child(*var, u"Translation");
  ASSERT_NE(translation, nullptr);
  EXPECT_EQ(translation->value, (Bytes{0x04, 0x08, 0xb0, 0x04}));
}

TEST(PeVersionInfo, TextLengthCountedInBytesStillReadsTheText) {
  Bytes b = kVersionBlock;
  put16(b, kProductNameNode + 2, 42);
  const pe::Result<pe::VersionNode> r = pe::parse_version_info(b);
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_EQ(pe::version_text(r.value->children[0].children[0].children[0]), u"Vellumorandelquistor");
}

TEST(PeVersionInfo, RejectsCorruptBlocks) {
  struct Case {
    const char* name;
    size_t at;
    uint16_t value;
  };
  const Case cases[] = {
      {"zero length", 0, 0},
      {"length past the data", 0, 0xFFFF},
      {"key not terminated within the node", 0, 20},
      {"unknown value type", 4, 7},
      {"binary value past the node", 2, 0x400},
      {"child longer than its parent", kStringFileInfoNode, 0x1000},
      {"child shorter than a node header", kStringFileInfoNode, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Bytes b = kVersionBlock;
    put16(b, c.at, c.value);
    EXPECT_FALSE(pe::parse_version_info(b).ok());
  }
  EXPECT_FALSE(pe::parse_version_info(Bytes{}).ok());
}

TEST(PeVersionInfo, LimitsNesting) {
  // Each node: header, key "a", padding, then the next node.
  auto nested = [](int depth) {
    Bytes b;
    for (int i = 0; i < depth; ++i) {
      put16(b, i * 12, static_cast<uint16_t>((depth - i) * 12));
      put16(b, i * 12 + 4, 1);
      put16(b, i * 12 + 6, 'a');
      put16(b, i * 12 + 8, 0);
      put16(b, i * 12 + 10, 0);
    }
    return b;
  };
  EXPECT_TRUE(pe::parse_version_info(nested(5)).ok());
  EXPECT_FALSE(pe::parse_version_info(nested(40)).ok());
}

TEST(PeVersionInfo, FixedFileInfoNeedsItsFullSize) {
  EXPECT_FALSE(pe::parse_fixed_file_info(Bytes(51, 0)).ok());
  EXPECT_TRUE(pe::parse_fixed_file_info(Bytes(52, 0)).ok());
}

// ---- Icon groups ------------------------------------------------------------

TEST(PeIconGroup, ReadsEntriesAndRejectsBadHeaders) {
  const Bytes one = {0, 0, 1, 0, 1, 0, 64, 64, 0, 0, 1, 0, 32, 0, 0x28, 0x42, 0, 0, 7, 0};
  const pe::Result<std::vector<pe::IconGroupEntry>> r = pe::parse_icon_group(one);
  ASSERT_TRUE(r.ok()) << r.error;
  ASSERT_EQ(r.value->size(), 1u);
  const pe::IconGroupEntry& e = r.value->front();
  EXPECT_EQ(e.width, 64);
  EXPECT_EQ(e.height, 64);
  EXPECT_EQ(e.planes, 1);
  EXPECT_EQ(e.bit_count, 32);
  EXPECT_EQ(e.bytes, 16936u);
  EXPECT_EQ(e.icon_id, 7);

  struct Case {
    const char* name;
    Bytes data;
  };
  const Case bad[] = {
      {"shorter than the header", {0, 0, 1, 0}},
      {"cursor group", {0, 0, 2, 0, 0, 0}},
      {"reserved field set", {1, 0, 1, 0, 0, 0}},
      {"count beyond the data", Bytes(one.begin(), one.end() - 1)},
  };
  for (const Case& c : bad) {
    SCOPED_TRACE(c.name);
    EXPECT_FALSE(pe::parse_icon_group(c.data).ok());
  }
}

// ---- Robustness -------------------------------------------------------------

// Random byte changes to valid inputs: whatever comes out, every step must stay
// inside the buffer (the sanitizer build reports any stray read).
TEST(PeRobustness, RandomCorruptionNeverReadsOutOfBounds) {
  std::mt19937 random(20240611);
  const Bytes image = build_image();
  for (int round = 0; round < 3000; ++round) {
    Bytes b = image;
    // Mostly the headers and directory structures, where the pointers are.
    const size_t span = round % 2 == 0 ? kHeaders : b.size();
    for (int flips = 1 + round % 6; flips > 0; --flips) b[random() % span] = static_cast<uint8_t>(random());
    for (int flips = round % 3; flips > 0; --flips) b[kRsrcRaw + random() % 0xD0] = static_cast<uint8_t>(random());
    const pe::Result<pe::Image> r = pe::read_image(std::move(b));
    if (!r.ok()) continue;
    for (const pe::Resource& res : r.value->resources) {
      (void)pe::parse_version_info(pe::resource_data(*r.value, res));
      (void)pe::parse_icon_group(pe::resource_data(*r.value, res));
    }
  }
  for (int round = 0; round < 3000; ++round) {
    Bytes b = kVersionBlock;
    for (int flips = 1 + round % 4; flips > 0; --flips) b[random() % b.size()] = static_cast<uint8_t>(random());
    const pe::Result<pe::VersionNode> r = pe::parse_version_info(b);
    if (r.ok()) (void)pe::parse_fixed_file_info(r.value->value);
  }
}

// ---- Text -------------------------------------------------------------------

TEST(PeText, ConvertsUtf16ToUtf8) {
  struct Case {
    std::u16string in;
    std::string out;
  };
  const Case cases[] = {
      {u"ICON", "ICON"},
      {u"\x5c06\x5fae\x4e91", "\xe5\xb0\x86\xe5\xbe\xae\xe4\xba\x91"},
      {u"\x00e9", "\xc3\xa9"},
      {u"\xd83d\xde00", "\xf0\x9f\x98\x80"},  // surrogate pair
      {u"a\xd83d", "a\xef\xbf\xbd"},          // high surrogate at the end
      {u"\xde00z", "\xef\xbf\xbdz"},          // lone low surrogate
      {u"\xd83dz", "\xef\xbf\xbdz"},          // high surrogate before a letter
  };
  for (const Case& c : cases) EXPECT_EQ(pe::to_utf8(c.in), c.out);
}

TEST(PeText, ResourceNamesCompareIgnoringAsciiCase) {
  EXPECT_TRUE(pe::equals_ignoring_ascii_case(u"default_Icon", u"DEFAULT_ICON"));
  EXPECT_FALSE(pe::equals_ignoring_ascii_case(u"DEFAULT_ICON2", u"DEFAULT_ICON"));
  // Folding by clearing bit 5 would wrongly make DEL equal to '_'.
  EXPECT_FALSE(pe::equals_ignoring_ascii_case(u"DEFAULT\x7fICON", u"DEFAULT_ICON"));
}

}  // namespace
