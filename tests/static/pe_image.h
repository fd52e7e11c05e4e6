// A reader of Windows PE executables that needs no Windows headers. Every read is
// checked against the end of the file, and a malformed image gives an error
// message instead of a result; nothing here throws or reads out of bounds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pe {

inline constexpr uint16_t kMagicPe32 = 0x10b;
inline constexpr uint16_t kMagicPe32Plus = 0x20b;

inline constexpr uint16_t kResourceIcon = 3;
inline constexpr uint16_t kResourceGroupIcon = 14;
inline constexpr uint16_t kResourceVersion = 16;

// A value or the reason there is none.
template <typename T>
struct Result {
  std::optional<T> value;
  std::string error;

  static Result fail(std::string message) { return {std::nullopt, std::move(message)}; }
  bool ok() const { return value.has_value(); }
};

struct Section {
  std::string name;
  uint32_t virtual_size = 0;
  uint32_t virtual_address = 0;
  uint32_t raw_size = 0;
  uint32_t raw_offset = 0;
  uint32_t characteristics = 0;
};

// A resource directory entry is named either by a 16-bit id or by a UTF-16 string.
struct ResourceKey {
  bool is_name = false;
  uint16_t id = 0;
  std::u16string name;
};

// One leaf of the resource tree, in the order the directory lists it.
struct Resource {
  ResourceKey type;
  ResourceKey name;
  uint16_t language = 0;
  uint32_t data_rva = 0;
  uint32_t size = 0;
  uint32_t code_page = 0;
};

struct Image {
  std::vector<uint8_t> bytes;

  uint16_t machine = 0;
  uint32_t pointer_to_symbol_table = 0;
  uint32_t number_of_symbols = 0;
  uint16_t characteristics = 0;

  uint16_t magic = 0;
  uint64_t image_base = 0;
  uint32_t size_of_headers = 0;
  uint16_t subsystem = 0;

  std::vector<Section> sections;
  std::vector<std::string> imports;          // DLL names of the import directory
  std::vector<std::string> delayed_imports;  // DLL names of the delay-load directory
  std::vector<Resource> resources;
};

// Parses a whole file. Takes the bytes so that the image owns what it refers to.
Result<Image> read_image(std::vector<uint8_t> bytes);

// File offset of `size` bytes at `rva`, when they all lie in the file's data.
std::optional<uint32_t> rva_to_offset(const Image& image, uint32_t rva, uint32_t size);

// The bytes of a resource; empty when its data does not map into the file (which
// read_image already refuses, so only for hand-made Resource values).
std::span<const uint8_t> resource_data(const Image& image, const Resource& resource);

// ---- Resource formats -------------------------------------------------------

// One node of a VS_VERSIONINFO block: key, value bytes as stored, and children.
struct VersionNode {
  std::u16string key;
  uint16_t type = 0;  // 1 = text, 0 = binary
  std::vector<uint8_t> value;
  std::vector<VersionNode> children;
};

Result<VersionNode> parse_version_info(std::span<const uint8_t> data);

// The text of a text node's value: UTF-16 units up to the first NUL.
std::u16string version_text(const VersionNode& node);

// The first child with this key, or nullptr.
const VersionNode* find_child(const VersionNode& node, std::u16string_view key);

struct FixedFileInfo {
  uint32_t signature = 0;
  uint32_t struct_version = 0;
  uint32_t file_version_ms = 0;
  uint32_t file_version_ls = 0;
  uint32_t product_version_ms = 0;
  uint32_t product_version_ls = 0;
  uint32_t file_flags_mask = 0;
  uint32_t file_flags = 0;
  uint32_t file_os = 0;
  uint32_t file_type = 0;
  uint32_t file_subtype = 0;
  uint32_t file_date_ms = 0;
  uint32_t file_date_ls = 0;
};

// VS_FIXEDFILEINFO from the root node's value (52 bytes).
Result<FixedFileInfo> parse_fixed_file_info(std::span<const uint8_t> value);

struct IconGroupEntry {
  uint8_t width = 0;
  uint8_t height = 0;
  uint8_t color_count = 0;
  uint16_t planes = 0;
  uint16_t bit_count = 0;
  uint32_t bytes = 0;
  uint16_t icon_id = 0;
};

// GRPICONDIR with its entries.
Result<std::vector<IconGroupEntry>> parse_icon_group(std::span<const uint8_t> data);

// ---- Text -------------------------------------------------------------------

// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string to_utf8(std::u16string_view text);

// Compares a resource name as Windows does for ASCII names: letters in either case.
bool equals_ignoring_ascii_case(std::u16string_view a, std::u16string_view b);

}  // namespace pe
