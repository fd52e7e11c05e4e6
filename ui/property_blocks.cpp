#include "ui/property_blocks.h"

#include "ui/byte_reader.h"

namespace {

// Reads the fields that the block's version holds; the first field of a later
// version ends the reading, leaving it and the rest at their defaults.
class PropsReader {
 public:
  PropsReader(ByteReader& reader, uint32_t version) : reader_(reader), version_(version) {}

  bool u32(uint32_t& field, uint32_t since) { return holds(since) && reader_.u32(field); }
  bool s32(int32_t& field, uint32_t since) { return holds(since) && reader_.s32(field); }
  bool u16(uint16_t& field, uint32_t since) { return holds(since) && reader_.u16(field); }
  bool byte_run(ByteRun& field, uint32_t since) { return holds(since) && reader_.byte_run(field); }
  bool text(std::string_view& field, uint32_t since) { return holds(since) && reader_.text(field); }
  bool text_list(TextList& field, uint32_t since) { return holds(since) && reader_.text_list(field); }

 private:
  bool holds(uint32_t since) const { return since <= version_; }

  ByteReader& reader_;
  uint32_t version_;
};

template <class P, class Visit>
PropsStatus decode(ByteRun block, uint32_t newest, P& out, Visit visit) {
  out = P{};
  if (block.empty()) return PropsStatus::ok;
  ByteReader reader(block);
  uint32_t version = 0;
  if (!reader.u32(version)) return PropsStatus::truncated;
  if (version > newest) return PropsStatus::newer_version;
  PropsReader fields(reader, version);
  P decoded{};
  visit(fields, decoded);
  // A stop because the version ends leaves the reader intact; a stop because the
  // bytes ran out does not.
  if (!reader.ok()) return PropsStatus::truncated;
  out = decoded;
  return PropsStatus::ok;
}

}  // namespace

PropsStatus decode_window_props(ByteRun block, WindowProps& out) {
  return decode(block, kWindowPropsVersion, out, [](PropsReader& v, WindowProps& p) { return visit_window_props(v, p); });
}

PropsStatus decode_edit_box_props(ByteRun block, EditBoxProps& out) {
  return decode(block, kEditBoxPropsVersion, out,
                [](PropsReader& v, EditBoxProps& p) { return visit_edit_box_props(v, p); });
}

PropsStatus decode_label_props(ByteRun block, LabelProps& out) {
  return decode(block, kLabelPropsVersion, out, [](PropsReader& v, LabelProps& p) { return visit_label_props(v, p); });
}

PropsStatus decode_button_props(ByteRun block, ButtonProps& out) {
  return decode(block, kButtonPropsVersion, out,
                [](PropsReader& v, ButtonProps& p) { return visit_button_props(v, p); });
}

PropsStatus decode_combo_box_props(ByteRun block, ComboBoxProps& out) {
  return decode(block, kComboBoxPropsVersion, out,
                [](PropsReader& v, ComboBoxProps& p) { return visit_combo_box_props(v, p); });
}

TextListCursor begin_text_list(const TextList& list) { return TextListCursor{list.stored, list.count}; }

bool next_text(TextListCursor& cursor, std::string_view& text) {
  if (cursor.remaining == 0) return false;
  ByteReader reader(cursor.rest);
  if (!reader.text(text)) {
    cursor.remaining = 0;
    return false;
  }
  cursor.rest = ByteRun{reader.position(), reader.remaining()};
  --cursor.remaining;
  return true;
}
