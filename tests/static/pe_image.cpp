#include "tests/static/pe_image.h"

#include <algorithm>
#include <iterator>

namespace pe {
namespace {

// Offsets are 64-bit so that adding a 32-bit field to them can never wrap.
bool has(std::span<const uint8_t> d, uint64_t offset, uint64_t size) {
  return offset <= d.size() && size <= d.size() - offset;
}

// Callers check has() for the whole structure first; the guard here only makes a
// forgotten check read zeros instead of past the end.
uint16_t u16(std::span<const uint8_t> d, uint64_t offset) {
  if (!has(d, offset, 2)) return 0;
  return static_cast<uint16_t>(d[offset] | d[offset + 1] << 8);
}

uint32_t u32(std::span<const uint8_t> d, uint64_t offset) {
  if (!has(d, offset, 4)) return 0;
  return static_cast<uint32_t>(u16(d, offset)) | static_cast<uint32_t>(u16(d, offset + 2)) << 16;
}

uint64_t u64(std::span<const uint8_t> d, uint64_t offset) {
  return static_cast<uint64_t>(u32(d, offset)) | static_cast<uint64_t>(u32(d, offset + 4)) << 32;
}

std::string hex(uint64_t v) {
  static const char digits[] = "0123456789abcdef";
  std::string s;
  do {
    s.insert(s.begin(), digits[v & 0xF]);
    v >>= 4;
  } while (v != 0);
  return "0x" + s;
}

struct DataDirectory {
  uint32_t rva = 0;
  uint32_t size = 0;
};

constexpr size_t kImportDirectory = 1;
constexpr size_t kResourceDirectory = 2;
constexpr size_t kDelayImportDirectory = 13;

// The part of a section that the file backs: bytes past VirtualSize are not
// mapped, bytes past SizeOfRawData are zero-filled and not in the file.
uint32_t file_backed_size(const Section& s) {
  return s.virtual_size == 0 ? s.raw_size : std::min(s.virtual_size, s.raw_size);
}

// The file bytes from `rva` to the end of whatever region holds it.
std::span<const uint8_t> bytes_from_rva(const Image& image, uint32_t rva) {
  const std::span<const uint8_t> file(image.bytes);
  if (rva < image.size_of_headers && rva < file.size()) {
    return file.subspan(rva, std::min<size_t>(image.size_of_headers, file.size()) - rva);
  }
  for (const Section& s : image.sections) {
    const uint64_t extent = file_backed_size(s);
    if (rva >= s.virtual_address && rva - s.virtual_address < extent) {
      // read_image has checked that the raw data lies inside the file.
      const uint64_t delta = rva - s.virtual_address;
      return file.subspan(s.raw_offset + delta, extent - delta);
    }
  }
  return {};
}

Result<std::string> c_string_at(const Image& image, uint32_t rva) {
  const std::span<const uint8_t> d = bytes_from_rva(image, rva);
  const auto nul = std::find(d.begin(), d.end(), uint8_t{0});
  if (d.empty() || nul == d.end()) return Result<std::string>::fail("no terminated string at RVA " + hex(rva));
  return {std::string(d.begin(), nul), {}};
}

// Import descriptors are 20 bytes with the DLL name's RVA at 12; delay-load
// descriptors are 32 bytes with it at 4, given as a VA when bit 0 of their
// attributes is clear. Both tables end with an all-zero descriptor.
std::string read_dll_names(const Image& image, DataDirectory dir, bool delay_load, std::vector<std::string>& names) {
  if (dir.rva == 0) return {};
  const uint32_t entry_size = delay_load ? 32 : 20;
  for (uint64_t i = 0;; ++i) {
    const uint64_t rva = dir.rva + i * entry_size;
    if (rva > UINT32_MAX) return "import table runs past the address space";
    const auto offset = rva_to_offset(image, static_cast<uint32_t>(rva), entry_size);
    if (!offset) return "import descriptor " + std::to_string(i) + " is outside the file";
    const std::span<const uint8_t> entry = std::span<const uint8_t>(image.bytes).subspan(*offset, entry_size);
    if (std::all_of(entry.begin(), entry.end(), [](uint8_t b) { return b == 0; })) return {};

    uint64_t name = u32(entry, delay_load ? 4 : 12);
    if (delay_load && (u32(entry, 0) & 1) == 0) {
      if (name < image.image_base) return "delay-load DLL name address below the image base";
      name -= image.image_base;
    }
    if (name == 0 || name > UINT32_MAX) return "import descriptor " + std::to_string(i) + " has no DLL name";
    Result<std::string> text = c_string_at(image, static_cast<uint32_t>(name));
    if (!text.ok()) return "import descriptor " + std::to_string(i) + ": " + text.error;
    names.push_back(std::move(*text.value));
  }
}

struct ResourceWalk {
  const Image& image;
  uint32_t base_rva;
  std::vector<Resource>& out;
  uint64_t entries_seen = 0;
};

// Directory entries may point back at their own directory; bounding the work
// keeps such a file from taking unbounded time and memory (real programs have at
// most a few thousand entries).
constexpr uint64_t kMaxResourceEntries = 1 << 16;

std::span<const uint8_t> resource_bytes(const ResourceWalk& w, uint32_t offset, uint32_t size) {
  const uint64_t rva = static_cast<uint64_t>(w.base_rva) + offset;
  if (rva > UINT32_MAX) return {};
  const auto file_offset = rva_to_offset(w.image, static_cast<uint32_t>(rva), size);
  if (!file_offset) return {};
  return std::span<const uint8_t>(w.image.bytes).subspan(*file_offset, size);
}

std::string read_resource_key(const ResourceWalk& w, uint32_t field, ResourceKey& key) {
  if ((field & 0x80000000u) == 0) {
    if (field > 0xFFFF) return "resource id " + hex(field) + " does not fit 16 bits";
    key.id = static_cast<uint16_t>(field);
    return {};
  }
  const uint32_t offset = field & 0x7FFFFFFFu;
  const std::span<const uint8_t> length = resource_bytes(w, offset, 2);
  if (length.empty()) return "resource name outside the file";
  const uint16_t units = u16(length, 0);
  const std::span<const uint8_t> text = resource_bytes(w, offset + 2, units * 2u);
  if (text.size() != units * 2u) return "resource name outside the file";
  key.is_name = true;
  for (uint32_t i = 0; i < units; ++i) key.name.push_back(static_cast<char16_t>(u16(text, i * 2u)));
  return {};
}

// Level 0 lists types, level 1 names, level 2 languages whose entries are leaves.
std::string walk_directory(ResourceWalk& w, uint32_t offset, int level, Resource path) {
  const std::span<const uint8_t> header = resource_bytes(w, offset, 16);
  if (header.empty()) return "resource directory outside the file";
  const uint32_t count = static_cast<uint32_t>(u16(header, 12)) + u16(header, 14);
  const std::span<const uint8_t> entries = resource_bytes(w, offset + 16, count * 8);
  if (entries.size() != count * 8) return "resource directory entries outside the file";

  for (uint32_t i = 0; i < count; ++i) {
    if (++w.entries_seen > kMaxResourceEntries) return "resource directory too large or looping";
    const uint32_t key_field = u32(entries, i * 8);
    const uint32_t target = u32(entries, i * 8 + 4);
    const bool is_directory = (target & 0x80000000u) != 0;

    Resource leaf = path;
    if (level == 2) {
      if (key_field > 0xFFFF) return "resource language is not a 16-bit id";
      leaf.language = static_cast<uint16_t>(key_field);
    } else {
      ResourceKey& key = level == 0 ? leaf.type : leaf.name;
      if (std::string e = read_resource_key(w, key_field, key); !e.empty()) return e;
    }

    if (level < 2) {
      if (!is_directory) return "resource entry at level " + std::to_string(level) + " is not a directory";
      if (std::string e = walk_directory(w, target & 0x7FFFFFFFu, level + 1, leaf); !e.empty()) return e;
      continue;
    }
    if (is_directory) return "resource language entry is a directory";
    const std::span<const uint8_t> data = resource_bytes(w, target, 16);
    if (data.empty()) return "resource data entry outside the file";
    leaf.data_rva = u32(data, 0);
    leaf.size = u32(data, 4);
    leaf.code_page = u32(data, 8);
    if (!rva_to_offset(w.image, leaf.data_rva, leaf.size)) {
      return "resource data at RVA " + hex(leaf.data_rva) + " (" + std::to_string(leaf.size) +
             " bytes) is outside the file";
    }
    w.out.push_back(std::move(leaf));
  }
  return {};
}

}  // namespace

std::optional<uint32_t> rva_to_offset(const Image& image, uint32_t rva, uint32_t size) {
  const uint64_t end = static_cast<uint64_t>(rva) + size;
  const uint64_t header_end = std::min<uint64_t>(image.size_of_headers, image.bytes.size());
  if (end <= header_end) return rva;
  for (const Section& s : image.sections) {
    if (rva < s.virtual_address) continue;
    const uint64_t delta = rva - s.virtual_address;
    if (delta + size <= file_backed_size(s)) {
      return static_cast<uint32_t>(s.raw_offset + delta);
    }
  }
  return std::nullopt;
}

std::span<const uint8_t> resource_data(const Image& image, const Resource& resource) {
  const auto offset = rva_to_offset(image, resource.data_rva, resource.size);
  if (!offset) return {};
  return std::span<const uint8_t>(image.bytes).subspan(*offset, resource.size);
}

Result<Image> read_image(std::vector<uint8_t> bytes) {
  using R = Result<Image>;
  Image image;
  image.bytes = std::move(bytes);
  const std::span<const uint8_t> d(image.bytes);

  if (!has(d, 0, 64) || d[0] != 'M' || d[1] != 'Z') return R::fail("no DOS header");
  const uint64_t pe = u32(d, 0x3c);
  if (!has(d, pe, 24)) return R::fail("PE header outside the file");
  if (d[pe] != 'P' || d[pe + 1] != 'E' || d[pe + 2] != 0 || d[pe + 3] != 0) return R::fail("no PE signature");

  const uint64_t coff = pe + 4;
  image.machine = u16(d, coff);
  const uint16_t section_count = u16(d, coff + 2);
  image.pointer_to_symbol_table = u32(d, coff + 8);
  image.number_of_symbols = u32(d, coff + 12);
  const uint16_t optional_size = u16(d, coff + 16);
  image.characteristics = u16(d, coff + 18);

  const uint64_t opt = coff + 20;
  if (!has(d, opt, optional_size) || optional_size < 2) return R::fail("optional header outside the file");
  image.magic = u16(d, opt);
  uint64_t directories_at = 0;
  if (image.magic == kMagicPe32) {
    directories_at = 96;
    image.image_base = u32(d, opt + 28);
  } else if (image.magic == kMagicPe32Plus) {
    directories_at = 112;
    image.image_base = u64(d, opt + 24);
  } else {
    return R::fail("unknown optional header magic " + hex(image.magic));
  }
  if (optional_size < directories_at) return R::fail("optional header too short");
  image.size_of_headers = u32(d, opt + 60);
  image.subsystem = u16(d, opt + 68);
  const uint32_t directory_count = u32(d, opt + directories_at - 4);
  if (directory_count > (optional_size - directories_at) / 8) {
    return R::fail("data directories outside the optional header");
  }

  auto directory = [&](size_t index) {
    if (index >= directory_count) return DataDirectory{};
    const uint64_t at = opt + directories_at + index * 8;
    return DataDirectory{u32(d, at), u32(d, at + 4)};
  };

  const uint64_t table = opt + optional_size;
  if (!has(d, table, section_count * 40ull)) return R::fail("section table outside the file");
  for (uint16_t i = 0; i < section_count; ++i) {
    const uint64_t at = table + i * 40ull;
    Section s;
    for (int c = 0; c < 8 && d[at + c] != 0; ++c) s.name.push_back(static_cast<char>(d[at + c]));
    s.virtual_size = u32(d, at + 8);
    s.virtual_address = u32(d, at + 12);
    s.raw_size = u32(d, at + 16);
    s.raw_offset = u32(d, at + 20);
    s.characteristics = u32(d, at + 36);
    if (s.raw_size != 0 && !has(d, s.raw_offset, s.raw_size)) {
      return R::fail("data of section '" + s.name + "' runs past the end of the file");
    }
    image.sections.push_back(std::move(s));
  }

  if (std::string e = read_dll_names(image, directory(kImportDirectory), false, image.imports); !e.empty()) {
    return R::fail(e);
  }
  if (std::string e = read_dll_names(image, directory(kDelayImportDirectory), true, image.delayed_imports);
      !e.empty()) {
    return R::fail("delay-load " + e);
  }

  const DataDirectory resources = directory(kResourceDirectory);
  if (resources.rva != 0) {
    ResourceWalk walk{image, resources.rva, image.resources};
    if (std::string e = walk_directory(walk, 0, 0, Resource{}); !e.empty()) return R::fail(e);
  }
  return {std::move(image), {}};
}

// ---- Version resources ------------------------------------------------------

namespace {

constexpr uint64_t align4(uint64_t v) { return (v + 3) & ~uint64_t{3}; }

// Real blocks are four deep (root, StringFileInfo, table, string).
constexpr int kMaxVersionDepth = 8;

// Offsets are from the start of the resource, which is what the 32-bit
// alignment of every node is measured from.
std::string parse_version_node(std::span<const uint8_t> d, uint64_t at, uint64_t limit, int depth, VersionNode& node) {
  if (depth > kMaxVersionDepth) return "version block nested too deep";
  if (at + 6 > limit) return "version node header outside its parent";
  const uint16_t length = u16(d, at);
  const uint16_t value_length = u16(d, at + 2);
  node.type = u16(d, at + 4);
  if (length < 6 || at + length > limit) return "version node length " + std::to_string(length) + " out of range";
  if (node.type > 1) return "version node type " + std::to_string(node.type) + " unknown";
  const uint64_t end = at + length;

  uint64_t p = at + 6;
  for (;; p += 2) {
    if (p + 2 > end) return "version node key not terminated";
    const char16_t c = static_cast<char16_t>(u16(d, p));
    if (c == 0) break;
    node.key.push_back(c);
  }
  // A node that ends right after its key may leave out the padding.
  p = std::min(align4(p + 2), end);

  // Text lengths count UTF-16 units, binary lengths bytes. Some writers count
  // text in bytes; the text then simply reaches the end of its node.
  uint64_t value_end = p + (node.type == 1 ? value_length * 2ull : value_length);
  if (value_end > end) {
    if (node.type == 0) return "version node value outside the node";
    value_end = end;
  }
  node.value.assign(d.begin() + static_cast<ptrdiff_t>(p), d.begin() + static_cast<ptrdiff_t>(value_end));

  for (uint64_t child = align4(value_end); child < end;) {
    VersionNode& c = node.children.emplace_back();
    if (std::string e = parse_version_node(d, child, end, depth + 1, c); !e.empty()) return e;
    child = align4(child + u16(d, child));
  }
  return {};
}

}  // namespace

Result<VersionNode> parse_version_info(std::span<const uint8_t> data) {
  VersionNode root;
  if (std::string e = parse_version_node(data, 0, data.size(), 0, root); !e.empty()) {
    return Result<VersionNode>::fail(e);
  }
  return {std::move(root), {}};
}

std::u16string version_text(const VersionNode& node) {
  std::u16string text;
  for (size_t i = 0; i + 1 < node.value.size(); i += 2) {
    const char16_t c = static_cast<char16_t>(node.value[i] | node.value[i + 1] << 8);
    if (c == 0) break;
    text.push_back(c);
  }
  return text;
}

const VersionNode* find_child(const VersionNode& node, std::u16string_view key) {
  for (const VersionNode& child : node.children) {
    if (child.key == key) return &child;
  }
  return nullptr;
}

Result<FixedFileInfo> parse_fixed_file_info(std::span<const uint8_t> v) {
  if (v.size() < 52) {
    return Result<FixedFileInfo>::fail("VS_FIXEDFILEINFO is " + std::to_string(v.size()) + " bytes, not 52");
  }
  FixedFileInfo f;
  // The thirteen DWORDs in their stored order.
  uint32_t* fields[] = {&f.signature,          &f.struct_version,     &f.file_version_ms, &f.file_version_ls,
                        &f.product_version_ms, &f.product_version_ls, &f.file_flags_mask, &f.file_flags,
                        &f.file_os,            &f.file_type,          &f.file_subtype,    &f.file_date_ms,
                        &f.file_date_ls};
  for (size_t i = 0; i < std::size(fields); ++i) *fields[i] = u32(v, i * 4);
  return {f, {}};
}

Result<std::vector<IconGroupEntry>> parse_icon_group(std::span<const uint8_t> d) {
  using R = Result<std::vector<IconGroupEntry>>;
  if (!has(d, 0, 6)) return R::fail("icon group shorter than its header");
  if (u16(d, 0) != 0 || u16(d, 2) != 1) return R::fail("icon group header is not that of an icon");
  const uint16_t count = u16(d, 4);
  if (!has(d, 6, count * 14ull)) return R::fail("icon group entries outside the resource");
  std::vector<IconGroupEntry> entries;
  for (uint16_t i = 0; i < count; ++i) {
    const uint64_t at = 6 + i * 14ull;
    entries.push_back({d[at], d[at + 1], d[at + 2], u16(d, at + 4), u16(d, at + 6), u32(d, at + 8), u16(d, at + 12)});
  }
  return {std::move(entries), {}};
}

// ---- Text -------------------------------------------------------------------

std::string to_utf8(std::u16string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    uint32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00u);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | c >> 6));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | c >> 12));
      out.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | c >> 18));
      out.push_back(static_cast<char>(0x80 | (c >> 12 & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

bool equals_ignoring_ascii_case(std::u16string_view a, std::u16string_view b) {
  auto fold = [](char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c; };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [&](char16_t x, char16_t y) {
           return fold(x) == fold(y);
         });
}

}  // namespace pe
