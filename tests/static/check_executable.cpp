// Checks a built Windows executable without running it:
//   check_executable --arch i686|x86_64 [--max-size BYTES] file.exe
// Prints one "ok:" or "FAIL:" line per check; exits 1 when any check fails and 2
// on a usage error.
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "tests/static/pe_image.h"

namespace {

constexpr uint32_t kIconImageBytes = 40 + 64 * 64 * 4 + 64 * 8;  // header, colours, mask
constexpr uint16_t kLanguageChineseSimplified = 0x0804;
constexpr std::u16string_view kIconGroupName = u"DEFAULT_ICON";
constexpr std::u16string_view kProductName = u"Vellumorandelquistor";
constexpr std::u16string_view kVersionText = u"1.0.0.0";

struct Report {
  int failures = 0;

  void ok(const std::string& what) { std::printf("ok: %s\n", what.c_str()); }
  void fail(const std::string& what) {
    std::printf("FAIL: %s\n", what.c_str());
    ++failures;
  }
  void check(bool passed, const std::string& what) { passed ? ok(what) : fail(what); }
};

std::string hex(uint64_t v) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "0x%llx", static_cast<unsigned long long>(v));
  return buffer;
}

// Text from the file goes to the terminal one check per line, so control
// characters are shown escaped rather than written.
std::string printable(std::string_view utf8) {
  std::string out;
  for (char c : utf8) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x20 || b == 0x7F) {
      char buffer[8];
      std::snprintf(buffer, sizeof buffer, "\\x%02x", b);
      out += buffer;
    } else {
      out.push_back(c);
    }
  }
  return out;
}

std::string printable(std::u16string_view text) { return printable(pe::to_utf8(text)); }

// DLL names are bytes; anything outside printable ASCII is shown escaped.
std::string printable_bytes(std::string_view bytes) {
  std::string out;
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x20 || b >= 0x7F) {
      char buffer[8];
      std::snprintf(buffer, sizeof buffer, "\\x%02x", b);
      out += buffer;
    } else {
      out.push_back(c);
    }
  }
  return out;
}

std::string lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

bool starts_with(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }
bool ends_with(std::string_view s, std::string_view suffix) {
  return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}

bool is_system_dll(const std::string& name) {
  static const char* const allowed[] = {"kernel32.dll", "user32.dll",   "gdi32.dll",   "ole32.dll",   "msvcrt.dll",
                                        "advapi32.dll", "comctl32.dll", "shell32.dll", "ucrtbase.dll"};
  const std::string n = lower(name);
  for (const char* a : allowed) {
    if (n == a) return true;
  }
  return starts_with(n, "api-ms-win-crt-") && ends_with(n, ".dll");
}

bool is_toolchain_runtime(const std::string& name) {
  const std::string n = lower(name);
  return starts_with(n, "libstdc++") || starts_with(n, "libgcc") || starts_with(n, "libwinpthread");
}

std::string describe(const pe::ResourceKey& key) {
  return key.is_name ? "\"" + printable(key.name) + "\"" : std::to_string(key.id);
}

bool is_id(const pe::ResourceKey& key, uint16_t id) { return !key.is_name && key.id == id; }

void check_header(Report& r, const pe::Image& image, const std::string& arch) {
  const bool x64 = arch == "x86_64";
  const uint16_t machine = x64 ? 0x8664 : 0x14c;
  const uint16_t magic = x64 ? pe::kMagicPe32Plus : pe::kMagicPe32;
  r.check(image.machine == machine,
          "machine is " + hex(image.machine) + " (want " + hex(machine) + " for " + arch + ")");
  r.check(image.magic == magic, "optional header magic is " + hex(image.magic) + " (want " + hex(magic) + ")");
  r.check(image.subsystem == 2, "subsystem is " + std::to_string(image.subsystem) + " (want 2, Windows GUI)");
  r.check(image.number_of_symbols == 0 && image.pointer_to_symbol_table == 0,
          "no COFF symbol table (" + std::to_string(image.number_of_symbols) + " symbols at " +
              hex(image.pointer_to_symbol_table) + ")");
}

void check_imports(Report& r, const pe::Image& image) {
  std::vector<std::string> all = image.imports;
  all.insert(all.end(), image.delayed_imports.begin(), image.delayed_imports.end());
  std::string listed;
  bool clean = true;
  for (const std::string& dll : all) {
    listed += (listed.empty() ? "" : ", ") + printable_bytes(dll);
    if (is_toolchain_runtime(dll)) r.fail("imports the compiler's runtime DLL " + printable_bytes(dll));
    if (!is_system_dll(dll)) {
      r.fail("imports " + printable_bytes(dll) + ", which is not a Windows system DLL");
      clean = false;
    }
  }
  if (clean) r.ok("imports only Windows system DLLs: " + (listed.empty() ? std::string("none") : listed));
}

const pe::VersionNode* only_string_table(Report& r, const pe::VersionNode& root) {
  const pe::VersionNode* info = pe::find_child(root, u"StringFileInfo");
  if (info == nullptr) {
    r.fail("version resource has no StringFileInfo");
    return nullptr;
  }
  std::string keys;
  for (const pe::VersionNode& table : info->children) keys += (keys.empty() ? "" : ", ") + printable(table.key);
  const bool one = info->children.size() == 1 && pe::equals_ignoring_ascii_case(info->children[0].key, u"080404b0");
  r.check(one, "StringFileInfo holds the single table 080404b0 (has: " + (keys.empty() ? "none" : keys) + ")");
  return one ? &info->children[0] : nullptr;
}

void check_string_value(Report& r, const pe::VersionNode& table, std::u16string_view key, std::u16string_view want) {
  const std::string name = pe::to_utf8(key);
  const pe::VersionNode* node = pe::find_child(table, key);
  if (node == nullptr) {
    r.fail(name + " is missing");
    return;
  }
  const std::u16string value = pe::version_text(*node);
  r.check(value == want, name + " is \"" + printable(value) + "\" (want \"" + pe::to_utf8(want) + "\")");
}

bool is_line_break(char16_t c) { return c == u'\r' || c == u'\n' || c == 0x85 || c == 0x2028 || c == 0x2029; }

void check_description(Report& r, const pe::VersionNode& table) {
  const pe::VersionNode* node = pe::find_child(table, u"FileDescription");
  if (node == nullptr) {
    r.fail("FileDescription is missing");
    return;
  }
  const std::u16string value = pe::version_text(*node);
  bool blank = true;
  bool one_line = true;
  for (char16_t c : value) {
    if (c != u' ' && c != u'\t' && c != 0x3000) blank = false;
    if (is_line_break(c)) one_line = false;
  }
  r.check(!blank && one_line, "FileDescription is \"" + printable(value) + "\" (want a non-empty single line)");
}

void check_version(Report& r, const pe::Image& image) {
  const pe::Resource* version = nullptr;
  for (const pe::Resource& res : image.resources) {
    if (!is_id(res.type, pe::kResourceVersion)) continue;
    if (is_id(res.name, 1) && res.language == kLanguageChineseSimplified) {
      version = &res;
    } else {
      // The system picks among versions by the user's language; a second one
      // would be shown on some machines instead of ours.
      r.fail("extra version resource " + describe(res.name) + ", language " + hex(res.language));
    }
  }
  if (version == nullptr) {
    r.fail("version resource 1 with language 0x804 is missing");
    return;
  }
  r.ok("version resource 1 with language 0x804");

  const pe::Result<pe::VersionNode> parsed = pe::parse_version_info(pe::resource_data(image, *version));
  if (!parsed.ok()) {
    r.fail("version resource is malformed: " + parsed.error);
    return;
  }
  const pe::VersionNode& root = *parsed.value;
  r.check(root.key == u"VS_VERSION_INFO", "version resource key is \"" + printable(root.key) + "\"");

  const pe::Result<pe::FixedFileInfo> fixed = pe::parse_fixed_file_info(root.value);
  if (!fixed.ok()) {
    r.fail(fixed.error);
  } else {
    const pe::FixedFileInfo& f = *fixed.value;
    r.check(f.signature == 0xFEEF04BD, "VS_FIXEDFILEINFO signature is " + hex(f.signature));
    r.check(f.file_version_ms == 0x00010000 && f.file_version_ls == 0,
            "file version is " + hex(f.file_version_ms) + " " + hex(f.file_version_ls) + " (want 1.0.0.0)");
    r.check(f.product_version_ms == 0x00010000 && f.product_version_ls == 0,
            "product version is " + hex(f.product_version_ms) + " " + hex(f.product_version_ls) + " (want 1.0.0.0)");
    r.check((f.file_flags & f.file_flags_mask) == 0, "file flags are " + hex(f.file_flags & f.file_flags_mask) +
                                                         " (want none: no debug, pre-release or patched build)");
    r.check(f.file_os == 0x00040004 || f.file_os == 0x4, "file OS is " + hex(f.file_os) + " (want 0x40004 or 0x4)");
    r.check(f.file_type == 1, "file type is " + std::to_string(f.file_type) + " (want 1, application)");
  }

  if (const pe::VersionNode* table = only_string_table(r, root)) {
    check_string_value(r, *table, u"ProductName", kProductName);
    check_string_value(r, *table, u"FileVersion", kVersionText);
    check_string_value(r, *table, u"ProductVersion", kVersionText);
    check_description(r, *table);
  }

  const pe::VersionNode* var = pe::find_child(root, u"VarFileInfo");
  const pe::VersionNode* translation = var == nullptr ? nullptr : pe::find_child(*var, u"Translation");
  if (translation == nullptr) {
    r.fail("VarFileInfo has no Translation");
  } else {
    const std::vector<uint8_t> want = {0x04, 0x08, 0xb0, 0x04};
    std::string got;
    for (size_t i = 0; i + 1 < translation->value.size(); i += 2) {
      got += (got.empty() ? "" : ", ") + hex(translation->value[i] | translation->value[i + 1] << 8);
    }
    r.check(translation->value == want, "Translation is " + (got.empty() ? "empty" : got) + " (want 0x804, 0x4b0)");
  }
}

void check_icon(Report& r, const pe::Image& image) {
  const pe::Resource* first = nullptr;
  const pe::Resource* group = nullptr;
  for (const pe::Resource& res : image.resources) {
    if (!is_id(res.type, pe::kResourceGroupIcon)) continue;
    if (first == nullptr) first = &res;
    if (res.name.is_name && pe::equals_ignoring_ascii_case(res.name.name, kIconGroupName)) {
      if (res.language == 0 && group == nullptr) {
        group = &res;
      } else {
        // Another language would be chosen over the neutral one on matching systems.
        r.fail("DEFAULT_ICON icon group with language " + hex(res.language) + " (want only the neutral one)");
      }
    }
  }
  if (group == nullptr) {
    r.fail("icon group DEFAULT_ICON with neutral language is missing");
    return;
  }
  r.ok("icon group DEFAULT_ICON with neutral language");
  r.check(first == group, "DEFAULT_ICON is the first icon group (first is " + describe(first->name) + ")");

  const pe::Result<std::vector<pe::IconGroupEntry>> entries = pe::parse_icon_group(pe::resource_data(image, *group));
  if (!entries.ok()) {
    r.fail("icon group is malformed: " + entries.error);
    return;
  }
  if (entries.value->size() != 1) {
    r.fail("icon group has " + std::to_string(entries.value->size()) + " images (want 1)");
    return;
  }
  const pe::IconGroupEntry& e = entries.value->front();
  r.check(e.width == 64 && e.height == 64 && e.bit_count == 32 && e.bytes == kIconImageBytes,
          "icon group entry is " + std::to_string(e.width) + "x" + std::to_string(e.height) + ", " +
              std::to_string(e.bit_count) + " bpp, " + std::to_string(e.bytes) + " bytes (want 64x64, 32 bpp, " +
              std::to_string(kIconImageBytes) + " bytes)");

  const pe::Resource* icon = nullptr;
  for (const pe::Resource& res : image.resources) {
    if (!is_id(res.type, pe::kResourceIcon) || !is_id(res.name, e.icon_id)) continue;
    if (icon == nullptr || res.language == group->language) icon = &res;
  }
  if (icon == nullptr) {
    r.fail("icon image " + std::to_string(e.icon_id) + " is missing");
    return;
  }
  const std::span<const uint8_t> dib = pe::resource_data(image, *icon);
  r.check(dib.size() == kIconImageBytes, "icon image " + std::to_string(e.icon_id) + " is " +
                                             std::to_string(dib.size()) + " bytes (want " +
                                             std::to_string(kIconImageBytes) + ")");
  auto field = [&](size_t at, size_t width) {
    uint32_t v = 0;
    for (size_t i = 0; i < width && at + i < dib.size(); ++i) v |= static_cast<uint32_t>(dib[at + i]) << (8 * i);
    return v;
  };
  const uint32_t header = field(0, 4);
  const uint32_t width = field(4, 4);
  const uint32_t height = field(8, 4);
  const uint32_t bits = field(14, 2);
  r.check(dib.size() >= 40 && header == 40 && width == 64 && height == 128 && bits == 32,
          "icon image header: size " + std::to_string(header) + ", " + std::to_string(width) + "x" +
              std::to_string(height) + ", " + std::to_string(bits) + " bpp (want 40, 64x128, 32 bpp)");
}

// Reads decimal digits only: no sign, no spaces, no overflow.
bool parse_size(const char* text, uint64_t& out) {
  out = 0;
  if (*text == '\0') return false;
  for (; *text != '\0'; ++text) {
    if (*text < '0' || *text > '9') return false;
    const uint64_t digit = static_cast<uint64_t>(*text - '0');
    if (out > (UINT64_MAX - digit) / 10) return false;
    out = out * 10 + digit;
  }
  return true;
}

// stdio rather than streams: libstdc++'s file streams throw on a read error
// (a directory, say) when read through stream iterators.
bool read_file(const std::string& path, std::vector<uint8_t>& out) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) return false;
  uint8_t buffer[65536];
  size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) out.insert(out.end(), buffer, buffer + n);
  const bool failed = std::ferror(f) != 0;
  std::fclose(f);
  return !failed;
}

int usage() {
  std::fprintf(stderr, "usage: check_executable --arch i686|x86_64 [--max-size BYTES] file.exe\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string arch;
  std::string path;
  bool has_max_size = false;
  uint64_t max_size = 0;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--arch" && i + 1 < argc) {
      arch = argv[++i];
    } else if (arg == "--max-size" && i + 1 < argc) {
      if (!parse_size(argv[++i], max_size)) return usage();
      has_max_size = true;
    } else if (!arg.empty() && arg[0] != '-' && path.empty()) {
      path = arg;
    } else {
      return usage();
    }
  }
  if ((arch != "i686" && arch != "x86_64") || path.empty()) return usage();

  Report r;
  std::vector<uint8_t> bytes;
  if (!read_file(path, bytes)) {
    r.fail("cannot read " + path);
    return 1;
  }
  const uint64_t size = bytes.size();
  pe::Result<pe::Image> image = pe::read_image(std::move(bytes));
  if (!image.ok()) {
    r.fail(path + " is not a valid PE image: " + image.error);
    return 1;
  }

  check_header(r, *image.value, arch);
  check_imports(r, *image.value);
  if (has_max_size) {
    r.check(size <= max_size,
            "file size " + std::to_string(size) + " bytes (at most " + std::to_string(max_size) + ")");
  }
  check_version(r, *image.value);
  check_icon(r, *image.value);
  return r.failures == 0 ? 0 : 1;
}
